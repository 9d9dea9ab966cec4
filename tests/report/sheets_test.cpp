// The drawing sheets read back from what was written: the SVG parses and
// holds every force polygon's names and lines in their colours and every
// panel's scale; the PDF's text holds the title block.
#include "report/sheets.h"

#include <gtest/gtest.h>

#include <QDomDocument>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <set>

#include "../core/force_design_fixture.h"
#include "core/force_analysis.h"
#include "core/cycle_diagram.h"
#include "core/force_polygon.h"
#include "core/number_text.h"
#include "core/torque_energy.h"
#include "figures/motion_figures.h"
#include "report/course_export.h"

using namespace vm;

namespace {

const char* const kSheetNames[] = {"机构运动简图", "运动分析与动态静力分析图", "凸轮设计图",
                                   "力矩变化曲线图", "工作循环图"};

QString pdf_text(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Every text of the SVG (the runs of one group joined: the generator splits a
// text where its script changes), and every stroke colour of its lines.
struct SvgContent {
    QStringList texts;
    std::set<QString> strokes;
    int lines = 0;
};
bool read_svg(const QString& file, SvgContent* out) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QDomDocument xml;
    if (!xml.setContent(f.readAll())) return false;
    std::vector<QDomElement> stack{xml.documentElement()};
    QString stroke;
    while (!stack.empty()) {
        const QDomElement e = stack.back();
        stack.pop_back();
        if (e.tagName() == QLatin1String("g")) {
            QString joined;
            for (QDomElement t = e.firstChildElement(QStringLiteral("text")); !t.isNull();
                 t = t.nextSiblingElement(QStringLiteral("text")))
                joined += t.text();
            if (!joined.isEmpty()) out->texts << joined.trimmed();
        }
        if (e.tagName() == QLatin1String("polyline") || e.tagName() == QLatin1String("path") ||
            e.tagName() == QLatin1String("line")) {
            ++out->lines;
            // QSvgGenerator puts the pen on the enclosing group.
            for (QDomNode n = e; !n.isNull(); n = n.parentNode())
                if (n.isElement() && n.toElement().hasAttribute(QStringLiteral("stroke"))) {
                    out->strokes.insert(
                        n.toElement().attribute(QStringLiteral("stroke")).toLower());
                    break;
                }
        }
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
            stack.push_back(c);
    }
    return true;
}

QString css_colour(std::uint32_t bgr) {
    return QStringLiteral("#%1%2%3")
        .arg(bgr & 255, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 8) & 255, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 16) & 255, 2, 16, QLatin1Char('0'));
}

}  // namespace

TEST(DrawingSheets, WrittenUnderTheirNamesAsPdfAndSvg) {
    const DesignState state = test::confirmed_state(test::kDesigns[0]);
    QTemporaryDir dir;
    const auto r = report::export_course_design(state, CourseOptions{}, report::kSvg,
                                                dir.path().toStdString());
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_EQ(r.files.size(), 5u);
    for (const char* name : kSheetNames) {
        EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromUtf8(name) + QStringLiteral(".svg"))))
            << name;
        EXPECT_FALSE(QFile::exists(dir.filePath(QString::fromUtf8(name) + QStringLiteral(".pdf"))))
            << name;
    }
}

TEST(DrawingSheets, SvgHoldsThePolygonsAndPdfTheTitleBlock) {
    for (const test::DesignTexts& d : {test::kDesigns[0], test::kDesigns[3]}) {
        const DesignState state = test::confirmed_state(d);
        QTemporaryDir dir;
        const auto r = report::export_course_design(
            state, CourseOptions{}, report::kSvg | report::kPdf, dir.path().toStdString());
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_EQ(r.files.size(), 11u);  // the report and five sheets in two forms

        SvgContent svg;
        ASSERT_TRUE(read_svg(dir.filePath(QStringLiteral("运动分析与动态静力分析图.svg")), &svg))
            << "does not parse";
        DesignState filled = state;
        ASSERT_TRUE(fill_force_table(filled));
        const QString all = svg.texts.join(QLatin1Char('\n'));
        for (int p : CourseOptions{}.positions) {
            const auto mu = polygon_scales(filled, p, 10);
            ASSERT_TRUE(mu);
            EXPECT_TRUE(all.contains(QStringLiteral("位置 %1 速度多边形").arg(p))) << d.name;
            EXPECT_TRUE(all.contains(QStringLiteral("位置 %1 加速度多边形").arg(p))) << d.name;
            for (int member : {kCrank, kRod, kPiston})
                for (const ForceStep& f :
                     force_polygon(filled.force_table, member, (p - 1) * 30, filled.force)) {
                    EXPECT_TRUE(svg.texts.contains(QString::fromStdString(f.name)))
                        << d.name << ": force " << f.name << " not named";
                    if (std::hypot(f.fx, f.fy) > 0) {
                        EXPECT_TRUE(
                            svg.strokes.count(css_colour(figures::print_colour(dot_colour(f.dot)))))
                            << d.name << ": no line in the colour of " << f.name;
                    }
                }
        }
        EXPECT_TRUE(all.contains(QStringLiteral("μv = "))) << d.name;
        EXPECT_TRUE(all.contains(QStringLiteral("μF = "))) << d.name;
        EXPECT_GT(svg.lines, 20) << d.name;

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            ADD_FAILURE() << "pdftotext (poppler-utils) is missing: the set-up script installs it";
            continue;
        }
        for (const char* name : kSheetNames) {
            const QString text =
                pdf_text(dir.filePath(QString::fromUtf8(name) + QStringLiteral(".pdf")));
            EXPECT_TRUE(text.contains(QString::fromUtf8(name))) << name;
            for (const char* field : {"图名", "设计数据", "比例"})
                EXPECT_TRUE(text.contains(QString::fromUtf8(field))) << name << " lacks " << field;
            EXPECT_TRUE(
                text.contains(QStringLiteral("H = %1 mm").arg(QString::fromStdString(state.hs_h))))
                << name;
        }
        const QString mech = pdf_text(dir.filePath(QStringLiteral("机构运动简图.pdf")));
        const double mu_l = mechanism_scale(state.qb_r, state.lg_l, val(state.hs_e), 1, 1);
        EXPECT_TRUE(mech.contains(QStringLiteral("m/mm"))) << d.name;
        EXPECT_GT(mu_l, 0);
    }
}

// Every panel, the title block and the notes keep inside the border, and
// no text of the sheet lies over another.
TEST(DrawingSheets, NothingLeavesTheBorderOrCoversAnotherText) {
    for (const test::DesignTexts& d : test::kDesigns) {
        DesignState filled = test::confirmed_state(d);
        ASSERT_TRUE(fill_force_table(filled));
        for (const report::Sheet& sheet : report::drawing_sheets(filled, CourseOptions{})) {
            const draw::DrawingSurface& s = *sheet.surface;
            const double border = 10 * 96 / 25.4;
            std::vector<const draw::Primitive*> texts;
            for (const draw::Primitive& p : s.display_list()) {
                if (p.kind != draw::PrimitiveKind::Text) continue;
                texts.push_back(&p);
                EXPECT_GE(p.x1, border) << sheet.name << ": " << p.text.toStdString();
                EXPECT_LE(p.x1 + p.x2, s.width_px() - border)
                    << sheet.name << ": " << p.text.toStdString();
                EXPECT_LE(p.y1 + p.y2, s.height_px() - border)
                    << sheet.name << ": " << p.text.toStdString();
            }
            for (size_t i = 0; i < texts.size(); ++i)
                for (size_t j = i + 1; j < texts.size(); ++j) {
                    const auto& a = *texts[i];
                    const auto& b = *texts[j];
                    const bool apart = a.x1 + a.x2 <= b.x1 || b.x1 + b.x2 <= a.x1 ||
                                       a.y1 + a.y2 <= b.y1 || b.y1 + b.y2 <= a.y1;
                    EXPECT_TRUE(apart) << d.name << ", " << sheet.name << ": "
                                       << a.text.toStdString() << " over " << b.text.toStdString();
                }
        }
    }
}

// The torque sheet holds the curve (one segment per sample at least), its
// names, the mean resisting torque and the flywheel; the work-cycle sheet
// every bar's caption and end angle. Read back from the written SVG.
TEST(DrawingSheets, TorqueAndCycleSheetsHoldTheirCurvesAndLabels) {
    for (const test::DesignTexts& d : test::kDesigns) {
        const DesignState state = test::confirmed_state(d);
        DesignState filled = state;
        ASSERT_TRUE(fill_force_table(filled));
        const auto t = torque_figures(filled.force_table, val(state.qb_w), val(state.sd_k));
        ASSERT_TRUE(t) << d.name;
        const CycleDiagram cd = cycle_diagram(state.hs_k);
        ASSERT_TRUE(cd.ok()) << d.name;
        QTemporaryDir dir;
        const auto r = report::export_course_design(state, CourseOptions{}, report::kSvg,
                                                    dir.path().toStdString());
        ASSERT_TRUE(r.ok) << r.message;

        struct Row {
            const char* sheet;
            std::vector<std::uint32_t> strokes;  // colours that must have a line
            std::vector<std::string> texts;
        };
        std::vector<std::string> torque_texts{"动力矩", "平均阻力矩", "φ/rad", "M/(N·m)", "μφ = ",
                                              "μM = ",
                                              printed_number(double(cint(t->m_mean)))};
        torque_texts.push_back(format_0_00(t->j_fly) + " kg·m²");
        torque_texts.push_back(format_0_00(t->energy.dw_max) + " J");
        std::vector<std::string> cycle_texts{"极位夹角 θ"};
        int bars = 0;
        for (const DiagramItem& it : cd.items) {
            if (it.kind != DiagramItemKind::Bar) continue;
            ++bars;
            if (!it.text.empty()) cycle_texts.push_back(it.text);
            cycle_texts.push_back(printed_number(double(bar_end_degrees(it.x2))));
        }
        ASSERT_GT(bars, 5) << d.name;
        // The torque curve in blue, the mean resisting torque in red, the
        // extremes' drop lines in green.
        const Row rows[] = {{"力矩变化曲线图", {0xFF0000, 255, draw::rgb(10, 200, 20)}, torque_texts},
                            {"工作循环图", {0}, cycle_texts}};
        for (const Row& row : rows) {
            SvgContent svg;
            ASSERT_TRUE(read_svg(dir.filePath(QString::fromUtf8(row.sheet) + QStringLiteral(".svg")), &svg))
                << row.sheet << " does not parse";
            EXPECT_GE(svg.lines, 3) << d.name << ", " << row.sheet;  // border and title block at least
            for (std::uint32_t c : row.strokes)
                EXPECT_TRUE(svg.strokes.count(css_colour(c)))
                    << d.name << ", " << row.sheet << ": no line in " << css_colour(c).toStdString();
            const QString all = svg.texts.join(QLatin1Char('\n'));
            for (const std::string& want : row.texts)
                EXPECT_TRUE(all.contains(QString::fromStdString(want).trimmed()))
                    << d.name << ", " << row.sheet << " lacks " << want;
        }
    }
}

// Each sheet as a picture of 300 dots per inch: the paper's size in pixels,
// within a pixel of the surface, the resolution recorded, and the drawing on it (not a blank page).
TEST(DrawingSheets, PngPicturesAtPrintResolution) {
    const DesignState state = test::confirmed_state(test::kDesigns[0]);
    QTemporaryDir dir;
    const auto r = report::export_course_design(state, CourseOptions{}, report::kPng,
                                                dir.path().toStdString());
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.files.size(), 5u);
    for (const char* name : kSheetNames) {
        QImage img;
        ASSERT_TRUE(img.load(dir.filePath(QString::fromUtf8(name) + QStringLiteral(".png")))) << name;
        EXPECT_NEAR(img.width(), 420 * report::kSheetPngDpi / 25.4, 4) << name;
        EXPECT_NEAR(img.height(), 297 * report::kSheetPngDpi / 25.4, 4) << name;
        EXPECT_NEAR(img.dotsPerMeterX(), report::kSheetPngDpi / 0.0254, 1) << name;
        // Dark pixels along the middle row: the border at least, and the figure.
        int dark = 0;
        for (int x = 0; x < img.width(); ++x) dark += qGray(img.pixel(x, img.height() / 2)) < 128;
        EXPECT_GT(dark, 2) << name;
        EXPECT_FALSE(QFile::exists(dir.filePath(QString::fromUtf8(name) + QStringLiteral(".pdf"))));
    }
}
