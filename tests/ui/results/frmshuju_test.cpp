// The results window driven through its boxes and buttons: load, unlocking,
// the report written into a temporary folder, and every refusal.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include "core/design_state.h"
#include "core/kinematics.h"
#include "core/number_text.h"
#include "core/report.h"
#include "tests/support/message_recorder.h"
#include "ui/results/frmshuju.h"

namespace vm {
namespace {

DesignState default_state() {
    DesignState s;
    s.hs_h = "225", s.hs_d = "170", s.hs_e = "50", s.hs_k = "1.04", s.lg_ak = "0.35", s.qb_g = "160";
    s.lg_g = "120", s.hs_g = "190", s.lg_rk = "0.16", s.qb_w = "620", s.sd_k = "0.01";
    const SynthesisResult syn = dimension_synthesis(225, 1.04, 50);
    s.lg_l = syn.value.l, s.qb_r = syn.value.r, s.jd_wai = syn.value.jd_wai, s.jd_nei = syn.value.jd_nei;
    s.confirmed = true;
    return s;
}

const char* const kBoxNames[11] = {"hs_h", "hs_d", "hs_e", "hs_k", "lg_ak", "qb_g",
                                   "lg_g", "hs_g", "lg_rk", "qb_w", "sd_k"};

QString folder_listing(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).join(',');
}

// The window lives on the heap, as the main window opens it (delete on close).
struct Opened {
    explicit Opened(DesignState& state) : w(new frmshuju(state)) {
        QObject::connect(w.data(), &ui::WorkingWindow::closed, [this] { ++closed; });
        w->set_report_folder(dir.path());
        w->show();
    }
    ~Opened() { delete w.data(); }
    QLineEdit* box(const char* name) { return w->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QTemporaryDir dir;
    QPointer<frmshuju> w;
    int closed = 0;
};

TEST(Frmshuju, LoadShowsTheDesignLockedAndResetUnlocksIt) {
    DesignState state = default_state();
    state.hs_d = "171.5";
    Opened o(state);
    EXPECT_EQ(o.w->windowTitle(), QStringLiteral("数据输出"));
    const std::string* fields[11] = {&state.hs_h, &state.hs_d, &state.hs_e, &state.hs_k, &state.lg_ak, &state.qb_g,
                                     &state.lg_g, &state.hs_g, &state.lg_rk, &state.qb_w, &state.sd_k};
    for (int i = 0; i < 11; ++i) {
        QLineEdit* b = o.box(kBoxNames[i]);
        ASSERT_NE(b, nullptr) << kBoxNames[i];
        EXPECT_EQ(b->text().toStdString(), *fields[i]);
        EXPECT_FALSE(b->isEnabled());
    }
    auto* reset = o.w->findChild<QPushButton*>(QStringLiteral("reset"));
    auto* ok = o.w->findChild<QPushButton*>(QStringLiteral("ok"));
    auto* label10 = o.w->findChild<QLabel*>(QStringLiteral("Label10"));
    ASSERT_TRUE(reset && ok && label10);
    EXPECT_EQ(reset->text(), QStringLiteral("修改参数"));
    EXPECT_EQ(ok->text(), QStringLiteral("输出数据"));
    EXPECT_EQ(label10->text(), QStringLiteral("输出数据生成txt文件在执行文件的文件夹中查看"));
    reset->click();
    for (const char* name : kBoxNames) EXPECT_TRUE(o.box(name)->isEnabled()) << name;
    EXPECT_EQ(o.closed, 0);
    EXPECT_EQ(o.box("hs_d")->text(), QStringLiteral("171.5"));
}

TEST(Frmshuju, ReportOfTheDefaultsIsWrittenAndTheWindowCloses) {
    DesignState state = default_state();
    state.jd_wai = 0;
    state.jd_nei = 0;
    test::MessageRecorder messages;
    Opened o(state);
    o.w->ok->click();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(o.closed, 1);
    QFile speed(QDir(o.dir.path()).filePath(QStringLiteral("速度.txt")));
    QFile force(QDir(o.dir.path()).filePath(QStringLiteral("力.txt")));
    ASSERT_TRUE(speed.open(QIODevice::ReadOnly));
    ASSERT_TRUE(force.open(QIODevice::ReadOnly));
    const QByteArray speed_bytes = speed.readAll(), force_bytes = force.readAll();
    EXPECT_EQ(speed_bytes.count("\r\n"), 32);
    EXPECT_EQ(force_bytes.count("\r\n"), 32);
    EXPECT_TRUE(force_bytes.startsWith(QByteArray("\xCE\xBB\xD6\xC3")));  // "位置" in GBK
    EXPECT_TRUE(force_bytes.contains("63554.42"));
    EXPECT_EQ(folder_listing(o.dir), QStringLiteral("力.txt,速度.txt"));
    // The dead centres of the boxes go back into the design state.
    EXPECT_NEAR(state.jd_wai, 84.82, 0.01);
    EXPECT_NEAR(state.jd_nei, 261.29, 0.01);
}

TEST(Frmshuju, EditsAfterUnlockingReachTheReportButNotTheParameters) {
    DesignState state = default_state();
    test::MessageRecorder messages;
    Opened o(state);
    o.w->reset->click();
    o.box("hs_e")->setText(QStringLiteral("40"));
    o.box("hs_d")->setText(QStringLiteral("100"));
    o.w->ok->click();
    ASSERT_TRUE(messages.messages.empty());
    const SynthesisResult syn = dimension_synthesis(225, 1.04, 40);
    EXPECT_DOUBLE_EQ(state.jd_wai, syn.value.jd_wai);
    EXPECT_DOUBLE_EQ(state.jd_nei, syn.value.jd_nei);
    EXPECT_EQ(state.hs_e, "50");
    EXPECT_EQ(state.hs_d, "170");
    QFile force(QDir(o.dir.path()).filePath(QStringLiteral("力.txt")));
    ASSERT_TRUE(force.open(QIODevice::ReadOnly));
    const double peak = 2 * 140 * kPiAnalysis * 10 * 10 / 4;
    EXPECT_TRUE(force.readAll().contains(QByteArray::fromStdString(format_0_00(peak))));
}

TEST(Frmshuju, AnyBoxThatIsNotANumberBlocksTheReport) {
    for (const char* name : kBoxNames) {
        for (const char* text : {"", "12a", "1,5"}) {
            SCOPED_TRACE(std::string(name) + " = \"" + text + "\"");
            DesignState state = default_state();
            const double jd_wai = state.jd_wai;
            test::MessageRecorder messages;
            Opened o(state);
            o.w->reset->click();
            o.box(name)->setText(QString::fromLatin1(text));
            o.w->ok->click();
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0].first, QStringLiteral("请输入数据"));
            EXPECT_EQ(messages.messages[0].second, QStringLiteral("错误"));
            EXPECT_EQ(o.closed, 0);
            EXPECT_TRUE(o.w->isVisible());
            EXPECT_EQ(folder_listing(o.dir), QString());
            EXPECT_EQ(state.jd_wai, jd_wai);
        }
    }
}

TEST(Frmshuju, BoxesWithoutAMechanismGiveTheSynthesisMessage) {
    struct Case {
        const char* box;
        const char* text;
        SynthesisError error;
    };
    const Case cases[] = {
        {"hs_k", "1", SynthesisError::RatioNotAboveOne},
        {"hs_k", "0.8", SynthesisError::RatioNotAboveOne},
        {"hs_e", "0", SynthesisError::OffsetNotPositive},
        {"hs_h", "-5", SynthesisError::StrokeNotPositive},
        {"hs_e", "4000", SynthesisError::NoMechanism},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " = " + c.text);
        DesignState state = default_state();
        const double jd_nei = state.jd_nei;
        test::MessageRecorder messages;
        Opened o(state);
        o.w->reset->click();
        o.box(c.box)->setText(QString::fromLatin1(c.text));
        o.w->ok->click();
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].first.toStdString(), synthesis_message(c.error));
        EXPECT_EQ(messages.messages[0].second, QStringLiteral("错误"));
        EXPECT_EQ(o.closed, 0);
        EXPECT_EQ(folder_listing(o.dir), QString());
        EXPECT_EQ(state.jd_nei, jd_nei);
    }
}

TEST(Frmshuju, UnwritableFolderIsReportedAndNothingIsLeft) {
    DesignState state = default_state();
    const double jd_wai = state.jd_wai;
    test::MessageRecorder messages;
    Opened o(state);
    ASSERT_TRUE(QDir(o.dir.path()).mkdir(QStringLiteral("力.txt")));
    o.w->ok->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first,
              QStringLiteral("无法写入报告文件：") + QDir(o.dir.path()).filePath(QStringLiteral("力.txt")));
    EXPECT_EQ(messages.messages[0].second, QStringLiteral("错误"));
    EXPECT_EQ(o.closed, 0);
    EXPECT_TRUE(o.w->isVisible());
    EXPECT_EQ(folder_listing(o.dir), QStringLiteral("力.txt"));
    EXPECT_EQ(state.jd_wai, jd_wai);

    // A folder that does not exist.
    o.w->set_report_folder(QDir(o.dir.path()).filePath(QStringLiteral("gone")));
    o.w->ok->click();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_TRUE(messages.messages[1].first.startsWith(QStringLiteral("无法写入报告文件：")));
    EXPECT_EQ(o.closed, 0);
}

TEST(Frmshuju, ReportFolderDefaultsToTheExecutablesFolder) {
    DesignState state = default_state();
    frmshuju w(state);
    EXPECT_EQ(w.report_folder(), QCoreApplication::applicationDirPath());
}

}  // namespace
}  // namespace vm
