// The results window driven through its boxes and buttons: load, unlocking,
// the reports written into a temporary folder, and every refusal.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include "core/design_limits.h"
#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/torque_energy.h"
#include "core/kinematics.h"
#include "core/number_text.h"
#include "tests/core/force_design_fixture.h"
#include "tests/support/message_recorder.h"
#include "ui/results/frmshuju.h"

namespace vm {
namespace {

const char* const kBoxes[11] = {"hs_h", "hs_d", "hs_e", "hs_k", "lg_ak", "qb_g", "lg_g", "hs_g", "lg_rk", "qb_w", "sd_k"};

// The main window's state after "使用默认数据", and the window opened on it
// (on the heap, deleted on close), writing into a fresh folder.
struct Opened {
    Opened() {
        w = new frmshuju(s);
        QObject::connect(w.data(), &ui::WorkingWindow::closed, [this] { ++closed; });
        w->set_report_folder(dir.path());
        w->show();
    }
    ~Opened() { delete w.data(); }
    QLineEdit* box(const char* name) { return w->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    void type(const char* name, const char* text) {
        w->reset->click();
        box(name)->setText(QString::fromUtf8(text));
    }
    QString listing() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).join(',');
    }
    QByteArray file(const char* name) const {
        QFile f(QDir(dir.path()).filePath(QString::fromUtf8(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    DesignState s = test::confirmed_state(test::kDesigns[0]);
    QTemporaryDir dir;
    QPointer<frmshuju> w;
    int closed = 0;
    test::MessageRecorder messages;
};

TEST(Frmshuju, LoadShowsTheDesignLockedAndResetUnlocksIt) {
    Opened o;
    EXPECT_EQ(o.w->windowTitle(), QStringLiteral("数据输出"));
    for (const char* name : kBoxes) {
        ASSERT_NE(o.box(name), nullptr) << name;
        EXPECT_FALSE(o.box(name)->isEnabled()) << name;
    }
    EXPECT_EQ(o.box("hs_k")->text(), QStringLiteral("1.04"));
    EXPECT_EQ(o.box("sd_k")->text(), QStringLiteral("0.01"));
    EXPECT_EQ(o.w->findChild<QPushButton*>(QStringLiteral("reset"))->text(), QStringLiteral("修改参数"));
    EXPECT_EQ(o.w->findChild<QPushButton*>(QStringLiteral("ok"))->text(), QStringLiteral("输出数据"));
    EXPECT_EQ(o.w->findChild<QLabel*>(QStringLiteral("Label10"))->text(),
              QStringLiteral("输出数据生成txt文件在执行文件的文件夹中查看"));
    o.w->reset->click();
    for (const char* name : kBoxes) EXPECT_TRUE(o.box(name)->isEnabled()) << name;
    EXPECT_EQ(o.closed, 0);
}

TEST(Frmshuju, ReportIsWrittenWithTheBoxesAndTheWindowCloses) {
    Opened o;
    o.type("hs_e", "40");
    o.box("hs_d")->setText(QStringLiteral("100"));
    o.w->ok->click();
    // The window says where the reports went.
    ASSERT_EQ(o.messages.messages.size(), 1u);
    EXPECT_EQ(o.messages.messages[0].first, frmshuju::written_message(o.dir.path()));
    EXPECT_EQ(o.messages.messages[0].second, QStringLiteral("数据输出"));
    for (const QString& part : {QDir::toNativeSeparators(o.dir.path()), QStringLiteral("速度.txt"), QStringLiteral("力.txt")})
        EXPECT_TRUE(o.messages.messages[0].first.contains(part)) << part.toStdString();
    EXPECT_EQ(o.closed, 1);
    EXPECT_EQ(o.listing(), QStringLiteral("力.txt,速度.txt"));
    const QByteArray force = o.file("力.txt");
    EXPECT_EQ(force.count("\r\n"), 32);
    EXPECT_EQ(o.file("速度.txt").count("\r\n"), 32);
    EXPECT_TRUE(force.startsWith(QByteArray("\xCE\xBB\xD6\xC3")));  // "位置" in GBK
    // The gas peak with D = 100; the shared design stays the main window's
    // whole, dead centres included.
    EXPECT_TRUE(force.contains(QByteArray::fromStdString(format_0_00(2 * 140 * kPiAnalysis * 10 * 10 / 4))));
    EXPECT_DOUBLE_EQ(o.s.jd_wai, dimension_synthesis(225, 1.04, 50).value.jd_wai);
    EXPECT_DOUBLE_EQ(o.s.jd_nei, dimension_synthesis(225, 1.04, 50).value.jd_nei);
    EXPECT_EQ(o.s.hs_e, "50");
}

TEST(Frmshuju, RefusalsLeaveWindowStateAndFolderAsTheyWere) {
    struct Case {
        const char *box, *text;
        QString message;
    };
    std::vector<Case> cases;
    for (const char* name : kBoxes)
        for (const char* text : {"", "12a", "1,5"}) cases.push_back({name, text, QStringLiteral("请输入数据")});
    struct NoMechanism {
        const char *box, *text;
        double H, K, e;
    };
    const NoMechanism no_mechanism[] = {{"hs_k", "1", 225, 1, 50},      {"hs_k", "0.8", 225, 0.8, 50},
                                        {"hs_e", "0", 225, 1.04, 0},    {"hs_h", "-5", -5, 1.04, 50},
                                        {"hs_e", "4000", 225, 1.04, 4000}};
    for (const NoMechanism& c : no_mechanism)
        cases.push_back({c.box, c.text, QString::fromStdString(synthesis_message(dimension_synthesis(c.H, c.K, c.e).error))});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " = \"" + c.text + "\"");
        Opened o;
        const double jd_wai = o.s.jd_wai;
        o.type(c.box, c.text);
        o.w->ok->click();
        ASSERT_EQ(o.messages.messages.size(), 1u);
        EXPECT_FALSE(c.message.isEmpty());
        EXPECT_EQ(o.messages.messages[0].first, c.message);
        EXPECT_EQ(o.messages.messages[0].second, QStringLiteral("错误"));
        EXPECT_TRUE(o.closed == 0 && o.w->isVisible());
        EXPECT_EQ(o.listing(), QString());
        EXPECT_EQ(o.s.jd_wai, jd_wai);
    }
}

TEST(Frmshuju, AReportOnEditedParametersLeavesTheSharedDesignWhole) {
    // After a report on another K, H or e, every later analysis still runs on
    // the main window's mechanism: the torque window's figures and the force
    // table's dead centre at row 0 are those from before.
    struct Edit {
        const char *box, *text;
    };
    const std::vector<std::vector<Edit>> edits = {
        {{"hs_k", "1.3"}}, {{"hs_h", "300"}, {"hs_e", "40"}}, {{"hs_k", "1.1"}, {"qb_w", "900"}, {"hs_d", "90"}}};
    for (const auto& edit : edits) {
        Opened o;
        SCOPED_TRACE(edit.front().box);
        ASSERT_TRUE(fill_force_table(o.s));
        const auto before = torque_figures(o.s.force_table, val(o.s.qb_w), 0.01);
        ASSERT_TRUE(before);
        const DesignState saved = o.s;
        for (const Edit& e : edit) o.type(e.box, e.text);
        o.w->ok->click();
        ASSERT_EQ(o.closed, 1);
        EXPECT_EQ(o.s.jd_wai, saved.jd_wai);
        EXPECT_EQ(o.s.jd_nei, saved.jd_nei);
        EXPECT_EQ(o.s.lg_l, saved.lg_l);
        EXPECT_EQ(o.s.qb_r, saved.qb_r);
        EXPECT_EQ(o.s.hs_k, saved.hs_k);
        ASSERT_TRUE(fill_force_table(o.s));
        const auto after = torque_figures(o.s.force_table, val(o.s.qb_w), 0.01);
        ASSERT_TRUE(after);
        EXPECT_EQ(after->m_mean, before->m_mean);
        EXPECT_EQ(after->energy.dw_max, before->energy.dw_max);
        EXPECT_EQ(after->j_fly, before->j_fly);
        EXPECT_EQ(after->p_eng, before->p_eng);
        EXPECT_EQ(o.s.force_table.at(0, kMb), saved.force_table.at(0, kMb));
    }
}

TEST(Frmshuju, ValuesWithoutPhysicalMeaningAreRefusedNamingTheirBox) {
    struct Case {
        const char *box, *text;
        std::size_t index;
    };
    const Case cases[] = {{"hs_d", "0", kHsD},       {"qb_g", "-1", kQbG},    {"lg_g", "-0.5", kLgG},
                          {"hs_g", "-190", kHsG},    {"lg_ak", "1.2", kLgAk}, {"lg_ak", "-0.1", kLgAk},
                          {"lg_rk", "-0.16", kLgRk}, {"qb_w", "0", kQbW},     {"qb_w", "-620", kQbW},
                          {"sd_k", "0", kSdK},       {"sd_k", "5", kSdK},     {"hs_h", "1e300", kHsH},
                          {"qb_w", "1e160", kQbW}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " = " + c.text);
        Opened o;
        o.type(c.box, c.text);
        o.w->ok->click();
        ASSERT_EQ(o.messages.messages.size(), 1u);
        EXPECT_EQ(o.messages.messages[0].first, QString::fromStdString(std::string(limit_message(c.index, val(c.text)))));
        EXPECT_EQ(o.messages.messages[0].second, QStringLiteral("错误"));
        EXPECT_EQ(o.w->focusWidget(), o.box(c.box));
        EXPECT_TRUE(o.closed == 0 && o.w->isVisible());
        EXPECT_EQ(o.listing(), QString());
    }
}

TEST(Frmshuju, UnwritableFolderIsReportedAndNothingIsLeft) {
    Opened o;
    const double jd_wai = o.s.jd_wai;
    ASSERT_TRUE(QDir(o.dir.path()).mkdir(QStringLiteral("力.txt")));
    o.w->ok->click();
    ASSERT_EQ(o.messages.messages.size(), 1u);
    EXPECT_EQ(o.messages.messages[0].first,
              QStringLiteral("无法写入报告文件：该位置已有同名的文件夹：") +
                  QDir(o.dir.path()).filePath(QStringLiteral("力.txt")) +
                  QStringLiteral("；所有文件保持原来的内容"));
    EXPECT_EQ(o.messages.messages[0].second, QStringLiteral("错误"));
    EXPECT_TRUE(o.closed == 0 && o.w->isVisible());
    EXPECT_EQ(o.listing(), QStringLiteral("力.txt"));
    EXPECT_EQ(o.s.jd_wai, jd_wai);
}

}  // namespace
}  // namespace vm
