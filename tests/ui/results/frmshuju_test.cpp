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

#include "core/design_state.h"
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
    EXPECT_TRUE(o.messages.messages.empty());
    EXPECT_EQ(o.closed, 1);
    EXPECT_EQ(o.listing(), QStringLiteral("力.txt,速度.txt"));
    const QByteArray force = o.file("力.txt");
    EXPECT_EQ(force.count("\r\n"), 32);
    EXPECT_EQ(o.file("速度.txt").count("\r\n"), 32);
    EXPECT_TRUE(force.startsWith(QByteArray("\xCE\xBB\xD6\xC3")));  // "位置" in GBK
    // The gas peak with D = 100, and the dead centres of e = 40 in the state,
    // whose parameters stay as the main window set them.
    EXPECT_TRUE(force.contains(QByteArray::fromStdString(format_0_00(2 * 140 * kPiAnalysis * 10 * 10 / 4))));
    EXPECT_DOUBLE_EQ(o.s.jd_wai, dimension_synthesis(225, 1.04, 40).value.jd_wai);
    EXPECT_DOUBLE_EQ(o.s.jd_nei, dimension_synthesis(225, 1.04, 40).value.jd_nei);
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
