#include <gtest/gtest.h>

#include <QDir>
#include <QDomDocument>
#include <QRegularExpression>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <map>

#include "../core/force_design_fixture.h"
#include "core/cam_quality.h"
#include "core/force_analysis.h"
#include "core/number_text.h"
#include "core/torque_energy.h"
#include "draw/drawing_surface.h"
#include "figures/document_figures.h"
#include "report/course_export.h"

using namespace vm;

namespace {

QString tool_output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

const char* const kSections[] = {"一、设计数据", "二、曲柄滑块机构的尺寸综合", "三、运动分析", "四、气体压力",
                                 "五、动态静力分析", "六、力矩变化曲线与飞轮设计", "七、配气凸轮设计",
                                 "八、工作循环图", "九、正时齿轮"};

// What the torque window shows for the design.
std::pair<std::string, std::string> flywheel_and_power(const DesignState& confirmed) {
    DesignState s = confirmed;
    EXPECT_TRUE(fill_force_table(s));
    const auto t = torque_figures(s.force_table, val(s.qb_w), val(s.sd_k));
    EXPECT_TRUE(t);
    return {plain(t->j_fly), plain(t->p_eng)};
}

}  // namespace

// Reads back what was written: the PDF's text, the ODT package, the tables.
TEST(CourseExport, EveryFileHoldsTheDesignsFigures) {
    for (const test::DesignTexts& d : {test::kDesigns[0], test::kDesigns[1]}) {
        const DesignState state = test::confirmed_state(d);
        QTemporaryDir dir;
        const report::ExportResult r =
            report::export_course_design(state, CourseOptions{}, report::kAllFormats, dir.path().toStdString());
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_EQ(r.files.size(), 25u);  // report 2, sheets 5 x 3, tables 6, text reports 2
        const auto [inertia, power] = flywheel_and_power(state);

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            ADD_FAILURE() << "pdftotext (poppler-utils) is missing: the set-up script installs it";
        } else {
            const QString text = tool_output(QStringLiteral("pdftotext"), {dir.filePath(QStringLiteral("设计说明书.pdf")), QStringLiteral("-")});
            ASSERT_FALSE(text.isEmpty());
            for (const char* s : kSections) EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
            EXPECT_TRUE(text.contains(QString::fromStdString(inertia))) << inertia;
            EXPECT_TRUE(text.contains(QStringLiteral("凸轮质量检查"))) << "the cam check's table";
            EXPECT_TRUE(text.contains(QString::fromStdString(power))) << power;
            // The torque and work-cycle figures' captions, whole (the PDF
            // breaks lines where it likes, so blanks are left out).
            QString flat = text;
            flat.remove(QRegularExpression(QStringLiteral("\\s")));
            int captions = 0;
            for (const DocBlock& b : course_document(state, CourseOptions{}).blocks) {
                if (b.kind != DocBlock::Kind::Figure) continue;
                if (b.figure.kind != DocFigure::Kind::Torque && b.figure.kind != DocFigure::Kind::WorkCycle)
                    continue;
                ++captions;
                QString want = QString::fromStdString(b.text);
                want.remove(QRegularExpression(QStringLiteral("\\s")));
                EXPECT_TRUE(flat.contains(want)) << b.text;
            }
            EXPECT_EQ(captions, 2) << d.name;
        }
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty()) {
            GTEST_SKIP() << "unzip is missing; the ODT package is not opened";
        }
        const QString content = tool_output(QStringLiteral("unzip"), {QStringLiteral("-p"), dir.filePath(QStringLiteral("设计说明书.odt")), QStringLiteral("content.xml")});
        QDomDocument xml;
        ASSERT_TRUE(xml.setContent(content)) << "content.xml does not parse";
        const QString odt_text = xml.documentElement().text();
        for (const char* s : kSections) EXPECT_TRUE(odt_text.contains(QString::fromUtf8(s))) << s;
        EXPECT_TRUE(odt_text.contains(QString::fromStdString(inertia)));

        // The tables: a header row and the expected rows, numbers as the core gives them.
        struct Csv {
            const char* name;
            int lines;
        } csvs[] = {{"运动分析.csv", 721}, {"力分析.csv", 721}, {"力矩与能量.csv", 722}, {"从动件运动.csv", 362}, {"凸轮轮廓.csv", 361},
                    {"凸轮质量.csv", int(analyse_cam(CamInputs{}, PressureAngleLimits{}).curve.size()) + 1}};
        for (const Csv& c : csvs) {
            QFile f(dir.filePath(QString::fromUtf8(c.name)));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << c.name;
            const QByteArray bytes = f.readAll();
            EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << c.name;
            EXPECT_EQ(bytes.count("\r\n"), c.lines) << c.name;
        }
    }
}

TEST(CourseExport, UnwritableFolderWritesNothingAndSaysWhy) {
    const DesignState state = test::confirmed_state(test::kDesigns[0]);
    const report::ExportResult r = report::export_course_design(state, CourseOptions{}, report::kAllFormats,
                                                                "/nonexistent-folder/out");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("无法写入设计文档"), std::string::npos) << r.message;
    EXPECT_TRUE(r.files.empty());
    EXPECT_FALSE(QDir(QStringLiteral("/nonexistent-folder")).exists());
}

TEST(CourseExport, FormatNames) {
    struct Case {
        const char* list;
        unsigned formats;
        const char* bad;
    } cases[] = {{"pdf", report::kPdf, ""}, {"pdf,odt,csv", report::kPdf | report::kOdt | report::kCsv, ""},
                 {"all", report::kAllFormats, ""}, {"pdf,doc", 0, "doc"}, {"", 0, ""},
                 {"svg,png", report::kSvg | report::kPng, ""}, {"png,PNG", 0, "PNG"}};
    for (const Case& c : cases) {
        std::string bad;
        EXPECT_EQ(report::parse_formats(c.list, &bad), c.formats) << c.list;
        EXPECT_EQ(bad, c.bad) << c.list;
    }
}

// The PDF draws every figure as lines and text, its labels at their own
// point size; the ODT holds each as an SVG picture at its size on the page.
TEST(CourseExport, BothDocumentsCarryEveryFigureAtItsSize) {
    const DesignState state = test::confirmed_state(test::kDesigns[0]);
    const CourseDocument doc = course_document(state, CourseOptions{});
    DesignState filled = state;
    ASSERT_TRUE(fill_force_table(filled));
    std::vector<const DocBlock*> figures;
    for (const DocBlock& b : doc.blocks)
        if (b.kind == DocBlock::Kind::Figure) figures.push_back(&b);
    ASSERT_GE(figures.size(), 10u);
    QTemporaryDir dir;
    const report::ExportResult r =
        report::export_course_design(state, CourseOptions{}, report::kPdf | report::kOdt, dir.path().toStdString());
    ASSERT_TRUE(r.ok) << r.message;
    if (QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        GTEST_SKIP() << "poppler-utils or unzip missing";
    const QString pdf = dir.filePath(QStringLiteral("设计说明书.pdf"));
    // The list's two heading lines, and no picture under them.
    EXPECT_EQ(tool_output(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                  .size(),
              2);

    // Every word of the PDF with the heights it is set at: a line of this
    // font is about 1.5 times its point size high.
    std::multimap<QString, double> heights;
    QDomDocument words;
    ASSERT_TRUE(words.setContent(tool_output(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})));
    const QDomNodeList list = words.elementsByTagName(QStringLiteral("word"));
    for (int i = 0; i < list.size(); ++i) {
        const QDomElement w = list.at(i).toElement();
        heights.emplace(w.text(), w.attribute(QStringLiteral("yMax")).toDouble() - w.attribute(QStringLiteral("yMin")).toDouble());
    }
    for (const DocBlock* b : figures) {
        const auto surface = figures::document_figure(b->figure, filled, CourseOptions{});
        ASSERT_TRUE(surface) << b->text;
        int labels = 0;
        for (const draw::Primitive& p : surface->display_list()) {
            if (p.kind != draw::PrimitiveKind::Text) continue;
            for (const QString& token : p.text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                bool number = false;
                token.toDouble(&number);
                if (number || token.size() < 2) continue;
                ++labels;
                const auto [from, to] = heights.equal_range(token);
                EXPECT_TRUE(std::any_of(from, to, [&](const auto& h) {
                    return h.second > 1.1 * p.font_size && h.second < 2.0 * p.font_size;
                })) << b->text << ": " << token.toStdString() << " (" << p.font_size << " pt)";
            }
        }
        EXPECT_GT(labels, 0) << b->text;
    }

    const QString content = tool_output(QStringLiteral("unzip"), {QStringLiteral("-p"), dir.filePath(QStringLiteral("设计说明书.odt")), QStringLiteral("content.xml")});
    QDomDocument xml;
    ASSERT_TRUE(xml.setContent(content));
    const QDomNodeList frames = xml.elementsByTagName(QStringLiteral("draw:frame"));
    ASSERT_EQ(frames.size(), int(figures.size()));
    for (int i = 0; i < frames.size(); ++i) {
        const QString w = frames.at(i).toElement().attribute(QStringLiteral("svg:width"));
        ASSERT_TRUE(w.endsWith(QLatin1String("pt"))) << w.toStdString();
        EXPECT_NEAR(w.chopped(2).toDouble() / 72 * 25.4, figures[std::size_t(i)]->figure.width_mm, 0.5)
            << figures[std::size_t(i)]->text;
    }
    const QString manifest = tool_output(QStringLiteral("unzip"), {QStringLiteral("-p"), dir.filePath(QStringLiteral("设计说明书.odt")), QStringLiteral("META-INF/manifest.xml")});
    EXPECT_EQ(manifest.count(QStringLiteral("image/svg+xml")), qsizetype(figures.size()));
}

// No page of the PDF ends on a section heading or begins with a figure's
// caption, over designs whose pages fall differently (in half of them the
// torque figure fills the foot of a page).
TEST(CourseExport, HeadingsAndCaptionsStayWithWhatTheyIntroduce) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    const test::DesignTexts designs[] = {
        test::kDesigns[0], test::kDesigns[1], test::kDesigns[3],
        {"short_stroke", "200", "150", "40", "1.02", "0.35", "160", "120", "190", "0.16", "600"},
        {"wide_bore", "226", "180", "55", "1.04", "0.35", "160", "120", "190", "0.16", "660"},
        {"slow", "202", "155", "45", "1.04", "0.35", "160", "120", "190", "0.16", "620"},
    };
    for (const test::DesignTexts& d : designs) {
        SCOPED_TRACE(d.name);
        QTemporaryDir dir;
        const report::ExportResult r = report::export_course_design(test::confirmed_state(d), CourseOptions{},
                                                                    report::kPdf, dir.path().toStdString());
        ASSERT_TRUE(r.ok) << r.message;
        const QStringList pages = tool_output(QStringLiteral("pdftotext"), {dir.filePath(QStringLiteral("设计说明书.pdf")), QStringLiteral("-")})
                                      .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        ASSERT_GE(pages.size(), 15);
        for (qsizetype i = 0; i < pages.size(); ++i) {
            const QStringList lines = pages[i].split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            if (lines.isEmpty()) continue;
            EXPECT_FALSE(lines.front().startsWith(QStringLiteral("图 "))) << "page " << i + 1 << ": " << lines.front().toStdString();
            for (const char* s : kSections)
                EXPECT_NE(lines.back().trimmed(), QString::fromUtf8(s)) << "page " << i + 1;
        }
    }
}
