// "导出设计文档…" driven through the real main window with the folder and
// position questions answered, and a teacher's batch whose answer key agrees
// with what the torque window shows for every group.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <map>
#include <memory>

#include "core/design_state.h"
#include "draw/surface_widget.h"
#include "core/force_analysis.h"
#include "core/number_text.h"
#include "io/data_groups.h"
#include "report/batch.h"
#include "report/course_export.h"
#include "tests/support/message_recorder.h"
#include "tests/ui/main/design_dialog_answers.h"
#include "tests/ui/motion/motion_fixture.h"
#include "ui/main/firstpage.h"
#include "ui/motion/form3.h"

namespace vm {
namespace {

const char* const kExportFiles[] = {"设计说明书.pdf", "设计说明书.odt", "运动分析.csv", "力分析.csv",
                                    "力矩与能量.csv", "从动件运动.csv", "凸轮轮廓.csv", "速度.txt", "力.txt"};

TEST(ExportButton, WritesTheWholeCourseDesignIntoTheChosenFolderAndSaysWhere) {
    QTemporaryDir dir;
    test::MessageRecorder messages;
    test::DialogAnswers answers;
    auto state = std::make_unique<DesignState>();
    firstpage w(*state);
    w.show();
    w.MRshuju->click();
    ASSERT_TRUE(w.daochu->isVisible());
    answers.folder = dir.filePath(QStringLiteral("课程设计"));
    ASSERT_TRUE(QDir().mkpath(answers.folder));
    answers.positions = std::array<int, 2>{2, 13};
    w.daochu->click();

    EXPECT_EQ(answers.positions_offered, (std::array<int, 2>{1, 7}));
    EXPECT_EQ(answers.last_start, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    EXPECT_EQ(answers.progress_dialogs, 1);
    EXPECT_TRUE(answers.progress_was_visible);
    EXPECT_FALSE(answers.progress_label.isEmpty());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].second, QStringLiteral("导出设计文档"));
    EXPECT_TRUE(messages.messages[0].first.contains(answers.folder)) << messages.messages[0].first.toStdString();
    for (const char* name : kExportFiles) {
        const QFileInfo f(QDir(answers.folder).filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(f.exists() && f.size() > 0) << name;
    }
    EXPECT_EQ(state->export_positions, (std::array<int, 2>{2, 13}));
    // The positions asked for are the ones the report works out.
    QProcess pdf;
    pdf.start(QStringLiteral("pdftotext"), {QDir(answers.folder).filePath(QStringLiteral("设计说明书.pdf")),
                                            QStringLiteral("-")});
    ASSERT_TRUE(pdf.waitForFinished(60000));
    const QString text = QString::fromUtf8(pdf.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("位置 13（A 12"))) << "pdftotext gave " << text.size() << " characters";
    EXPECT_TRUE(text.contains(QStringLiteral("位置 2（A 1")));
    EXPECT_FALSE(text.contains(QStringLiteral("位置 7（A 6")));
}

TEST(ExportButton, CancelledOrImpossibleExportsWriteNothing) {
    QTemporaryDir dir;
    test::MessageRecorder messages;
    struct Case {
        const char* name;
        bool folder_exists;
        bool cancel_folder, cancel_positions;
        const char* offset;        // the cam window's offset text
        const char* message;       // the one message, or none
        bool folder_asked;
    };
    const Case cases[] = {
        {"folder cancelled", true, true, false, "5", nullptr, true},
        {"positions cancelled", true, false, true, "5", nullptr, true},
        {"folder gone", false, false, false, "5", "无法", true},
        {"cam offset no number", true, false, false, "abc", "凸轮参数 OFFSET 的值“abc”不是数字", false},
    };
    int k = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::DialogAnswers answers;
        auto state = std::make_unique<DesignState>();
        firstpage w(*state);
        w.MRshuju->click();
        state->cam_offset = c.offset;
        const QString folder = dir.filePath(QStringLiteral("out%1").arg(++k));
        if (c.folder_exists) {
            ASSERT_TRUE(QDir().mkpath(folder));
        }
        answers.folder = c.cancel_folder ? QString() : folder;
        if (!c.cancel_positions) answers.positions = std::array<int, 2>{4, 5};
        messages.messages.clear();
        w.daochu->click();
        EXPECT_EQ(answers.asked.size(), c.folder_asked ? 1u : 0u);
        EXPECT_TRUE(messages.shows(c.message));
        const bool exported = c.folder_asked && !c.cancel_folder && !c.cancel_positions;
        EXPECT_EQ(answers.progress_dialogs, exported ? 1 : 0);
        EXPECT_EQ(state->export_positions, exported ? (std::array<int, 2>{4, 5}) : (std::array<int, 2>{1, 7}));
        EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}

// Splits one CSV line written by the program (fields quoted when they hold
// a comma or a quote).
std::vector<QString> csv_fields(const QString& line) {
    std::vector<QString> out(1);
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar ch = line[i];
        if (quoted && ch == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
            out.back() += ch;
            ++i;
        } else if (ch == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (ch == QLatin1Char(',') && !quoted) {
            out.emplace_back();
        } else {
            out.back() += ch;
        }
    }
    return out;
}

// The summary as one map per row from column title to cell.
std::vector<std::map<QString, QString>> read_summary(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(f.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    std::vector<std::map<QString, QString>> rows;
    if (lines.isEmpty()) return rows;
    const std::vector<QString> header = csv_fields(lines.takeFirst());
    for (const QString& line : lines) {
        const std::vector<QString> cells = csv_fields(line);
        EXPECT_EQ(cells.size(), header.size()) << line.toStdString();
        std::map<QString, QString> row;
        for (std::size_t i = 0; i < std::min(cells.size(), header.size()); ++i) row[header[i]] = cells[i];
        rows.push_back(row);
    }
    return rows;
}

// What the main window and Form3 show for a group picked from the table:
// the synthesis, the torque figures and the balancing mass at its default radius.
struct Shown {
    QString refusal;  // the main window's refusal, when it refuses the group
    std::map<QString, QString> figures;
};

Shown shown_for(const QString& table, int group) {
    test::DialogAnswers answers;
    test::MessageRecorder messages;
    Shown out;
    auto state = std::make_unique<DesignState>();
    firstpage w(*state);
    answers.open_file = table;
    answers.group = group;
    w.xuanfang->click();
    w.shujuOK->click();
    if (!messages.messages.empty()) {
        out.refusal = messages.messages[0].first;
        return out;
    }
    out.figures[QStringLiteral("连杆长 l (mm)")] = QString::fromStdString(format_0_00(state->lg_l));
    out.figures[QStringLiteral("曲柄长 r (mm)")] = QString::fromStdString(format_0_00(state->qb_r));
    out.figures[QStringLiteral("外止点角 (°)")] = QString::fromStdString(format_0_00(state->jd_wai));
    out.figures[QStringLiteral("内止点角 (°)")] = QString::fromStdString(format_0_00(state->jd_nei));
    EXPECT_TRUE(fill_force_table(*state));
    Form3 f(*state);
    f.show();
    f.Command1->click();
    f.Command2->click();
    EXPECT_TRUE(messages.messages.empty());
    out.figures[QStringLiteral("最大盈功 (J)")] = f.Text1->text();
    out.figures[QStringLiteral("最大亏功 (J)")] = f.Text2->text();
    out.figures[QStringLiteral("飞轮转动惯量 (kg·m²)")] = f.Text8->text();
    out.figures[QStringLiteral("发动机功率 (W)")] = f.Text9->text();
    out.figures[QStringLiteral("平衡质量 (kg)")] = f.Text5->text();
    // The diagram prints the mean resisting torque under its name, in whole N·m.
    const std::vector<QString> texts = test::texts(f.Picture1->surface());
    for (std::size_t i = 0; i + 1 < texts.size(); ++i)
        if (texts[i] == QStringLiteral("平均阻力矩")) out.figures[QStringLiteral("mean")] = texts[i + 1].trimmed();
    return out;
}

TEST(Batch, EveryGroupsAnswerKeyRowEqualsWhatTheWindowsShow) {
    QTemporaryDir dir;
    const std::string table =
        "方案,hs_h,hs_d,hs_e,hs_k,lg_ak,qb_g,lg_g,hs_g,lg_rk,qb_w,sd_k\n"
        "第1组,225,170,50,1.04,0.35,160,120,190,0.16,620,0.01\n"
        "第2组,300,120,30,1.1,0.3,80,95,140,0.2,1500,0.02\n"
        "第3组,150,90,70,1.2,0.5,40,60,55,0.1,300,0.05\n"
        "第4组,225,170,5000,1.04,0.35,160,120,190,0.16,620,0.01\n"
        "第5组,180,100,20,1.06,0.4,60,70,90,0.25,900,0.03\n";
    const QString table_path = dir.filePath(QStringLiteral("groups.csv"));
    {
        QFile f(table_path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(table.data(), qint64(table.size()));
    }
    const io::GroupTable groups = io::read_group_table(table_path.toStdString());
    ASSERT_EQ(groups.groups.size(), 5u);
    const QString out = dir.filePath(QStringLiteral("batch"));
    ASSERT_TRUE(QDir().mkpath(out));
    const report::BatchResult r =
        report::export_groups(groups.groups, CourseOptions{}, report::kCsv, out.toStdString(), 2);
    EXPECT_FALSE(r.all_ok) << "one group has no mechanism";
    const auto rows = read_summary(QDir(out).filePath(QString::fromUtf8(report::kSummaryName)));
    ASSERT_EQ(rows.size(), 5u);
    int refused = 0;
    for (int g = 0; g < 5; ++g) {
        const QString name = QString::fromStdString(groups.groups[std::size_t(g)].name);
        SCOPED_TRACE(name.toStdString());
        const auto& row = rows[std::size_t(g)];
        EXPECT_EQ(row.at(QStringLiteral("方案")), name);
        const Shown shown = shown_for(table_path, g);
        if (!shown.refusal.isEmpty()) {
            ++refused;
            EXPECT_EQ(row.at(QStringLiteral("结果")), shown.refusal);
            EXPECT_FALSE(QDir(out).exists(name));
            continue;
        }
        EXPECT_EQ(row.at(QStringLiteral("结果")), QStringLiteral("已导出"));
        EXPECT_TRUE(QFile::exists(QDir(out).filePath(name + QStringLiteral("/力分析.csv"))));
        for (const auto& [column, value] : shown.figures) {
            if (column == QStringLiteral("mean")) continue;
            EXPECT_EQ(row.at(column), value) << column.toStdString() << " = " << value.toStdString();
        }
        // The key gives the mean to 0.01 N·m; the diagram rounds it to whole N·m.
        ASSERT_TRUE(shown.figures.count(QStringLiteral("mean")));
        const double key_mean = val(row.at(QStringLiteral("平均阻力矩 (N·m)")).toStdString());
        EXPECT_EQ(QString::fromStdString(printed_number(std::nearbyint(key_mean))).trimmed(), shown.figures.at(QStringLiteral("mean")))
            << key_mean;
    }
    EXPECT_EQ(refused, 1);
}

}  // namespace
}  // namespace vm
