// The main window driven through its controls: defaults, confirmation with
// valid and invalid input, the two modes, and what reaches the design state.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "core/design_limits.h"
#include "core/design_state.h"
#include "core/number_text.h"
#include "tests/support/message_recorder.h"
#include "tests/support/tolerance.h"
#include "ui/main/firstpage.h"

namespace vm {
namespace {

struct MainWindowTest : ::testing::Test {
    std::unique_ptr<DesignState> state = std::make_unique<DesignState>();
    test::MessageRecorder messages;
    firstpage w{*state};

    bool in_menu_mode() const {
        return w.PMdonghua->isVisibleTo(&w) && w.shujushuchu->isVisibleTo(&w) &&
               w.CommandButton1->isVisibleTo(&w) && w.fanhui->isVisibleTo(&w) &&
               !w.hs_h->isVisibleTo(&w) && !w.shujuOK->isVisibleTo(&w) && !w.labels[0]->isVisibleTo(&w);
    }
    bool in_entry_mode() const {
        return !w.PMdonghua->isVisibleTo(&w) && !w.CommandButton1->isVisibleTo(&w) &&
               !w.fanhui->isVisibleTo(&w) && w.hs_h->isVisibleTo(&w) && w.MRshuju->isVisibleTo(&w) &&
               w.labels[10]->isVisibleTo(&w);
    }
};

TEST_F(MainWindowTest, StartsInEntryModeWithTheDefaultTexts) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Velmarion"));
    EXPECT_TRUE(in_entry_mode());
    const char* defaults[11] = {"225", "170", "50", "1.04", "0.35", "160", "120", "190", "0.16", "620", "0.01"};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(w.boxes[i]->text(), QString::fromLatin1(defaults[i]));
    EXPECT_EQ(w.labels[4]->text(), QStringLiteral("连杆重心到A距离系数"));
    EXPECT_EQ(w.labels[9]->objectName(), QStringLiteral("iii"));
    EXPECT_EQ(w.labels[10]->objectName(), QStringLiteral("dses"));
    // Two columns: six boxes on the left, five on the right, in table order.
    for (int i = 1; i < 11; ++i) {
        if (i == 6) {
            EXPECT_GT(w.boxes[6]->x(), w.boxes[5]->x());
        } else {
            EXPECT_GT(w.boxes[i]->y(), w.boxes[i - 1]->y()) << i;
        }
    }
}

TEST_F(MainWindowTest, DefaultsFillTheStateAndSwitchToMenuMode) {
    w.hs_h->setText("999");
    w.MRshuju->click();
    EXPECT_TRUE(in_menu_mode());
    EXPECT_EQ(w.hs_h->text(), QStringLiteral("225"));
    EXPECT_EQ(state->hs_h, "225");
    EXPECT_EQ(state->sd_k, "0.01");
    EXPECT_NEAR(state->lg_l, 441.85, 0.01);
    EXPECT_NEAR(state->qb_r, 111.73, 0.01);
    EXPECT_NEAR(state->jd_wai, 84.82, 0.01);
    EXPECT_NEAR(state->jd_nei, 261.29, 0.01);
    EXPECT_TRUE(messages.messages.empty());

    w.fanhui->click();
    EXPECT_TRUE(in_entry_mode());
    EXPECT_EQ(w.hs_k->text(), QStringLiteral("1.04"));
    EXPECT_EQ(state->hs_k, "1.04");
}

TEST_F(MainWindowTest, TypedDefaultsEqualTheDefaultButton) {
    w.hs_h->setText(" 225 ");
    w.shujuOK->click();
    EXPECT_TRUE(in_menu_mode());
    EXPECT_EQ(state->hs_h, " 225 ");  // the text is kept as typed
    DesignState other;
    firstpage w2(other);
    w2.MRshuju->click();
    EXPECT_DOUBLE_EQ(state->lg_l, other.lg_l);
    EXPECT_DOUBLE_EQ(state->qb_r, other.qb_r);
    EXPECT_DOUBLE_EQ(state->jd_wai, other.jd_wai);
    EXPECT_DOUBLE_EQ(state->jd_nei, other.jd_nei);
}

TEST_F(MainWindowTest, BadInputLeavesModeAndStateUntouched) {
    struct Case {
        int box;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {0, "", "请输入数据"},
        {5, "12abc", "请输入数据"},
        {10, "inf", "请输入数据"},
        {3, "1", "行程速比系数K必须大于1"},
        {3, "0.8", "行程速比系数K必须大于1"},
        {2, "0", "活塞导路偏距必须大于0"},
        {0, "-225", "活塞行程必须大于0"},
        {2, "5000", "该行程、偏心距与行程速比无法构成曲柄滑块机构"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        firstpage fresh(*state);
        messages.messages.clear();
        fresh.boxes[c.box]->setText(QString::fromUtf8(c.text));
        fresh.shujuOK->click();
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].first, QString::fromUtf8(c.message));
        EXPECT_EQ(messages.messages[0].second, QStringLiteral("错误"));
        EXPECT_FALSE(fresh.PMdonghua->isVisibleTo(&fresh));
        EXPECT_TRUE(fresh.shujuOK->isVisibleTo(&fresh));
        EXPECT_TRUE(state->hs_h.empty());
        EXPECT_EQ(state->lg_l, 0);
    }
}

TEST_F(MainWindowTest, ValuesWithoutPhysicalMeaningAreRefusedNamingTheirBox) {
    // Each refusal names the quantity and puts the focus on its box; values at
    // the edges of the ranges are designs and pass.
    struct Case {
        int box;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {1, "0", false},      {1, "-170", false},   {4, "-0.1", false},   {4, "1.5", false},
        {5, "-1", false},     {6, "-0.5", false},   {7, "-190", false},   {8, "-0.16", false},
        {9, "0", false},      {9, "-620", false},   {10, "0", false},     {10, "-0.01", false},
        {10, "2", false},     {0, "1e7", false},    {1, "1e300", false},  {9, "1e160", false},
        {3, "1e9", false},    {2, "2e6", false},    {5, "2e9", false},    {8, "5000", false},
        {4, "0", true},       {4, "1", true},       {5, "0", true},       {6, "0", true},
        {7, "0", true},       {8, "0", true},       {10, "1", true},      {9, "1e6", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(kParameterLimits[c.box].box) + " = " + c.text);
        auto fresh_state = std::make_unique<DesignState>();
        firstpage fresh(*fresh_state);
        messages.messages.clear();
        fresh.boxes[c.box]->setText(QString::fromUtf8(c.text));
        fresh.shujuOK->click();
        if (c.accepted) {
            EXPECT_TRUE(messages.messages.empty());
            EXPECT_EQ(fresh_state->hs_h, "225");
            continue;
        }
        ASSERT_EQ(messages.messages.size(), 1u);
        const std::string expected(limit_message(c.box, val(c.text)));
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(messages.messages[0].first, QString::fromStdString(expected));
        EXPECT_EQ(messages.messages[0].second, QStringLiteral("错误"));
        EXPECT_EQ(fresh.focusWidget(), fresh.boxes[c.box]);
        EXPECT_TRUE(fresh.shujuOK->isVisibleTo(&fresh));
        EXPECT_TRUE(fresh_state->hs_h.empty());
        EXPECT_FALSE(fresh_state->confirmed);
    }
}

TEST_F(MainWindowTest, SecondConfirmationOverwritesAndBackHidesCamMountingButton) {
    w.MRshuju->click();
    w.fanhui->click();
    EXPECT_FALSE(w.CommandButton1->isVisibleTo(&w));
    w.hs_h->setText("300");
    w.shujuOK->click();
    EXPECT_TRUE(w.CommandButton1->isVisibleTo(&w));
    EXPECT_EQ(state->hs_h, "300");
    EXPECT_GT(state->lg_l, 441.85);
}

TEST_F(MainWindowTest, EachMenuButtonOpensItsWindowAndClosingShowsTheHubAgain) {
    w.MRshuju->click();
    w.show();
    const std::pair<QPushButton*, const char*> buttons[] = {
        {w.PMdonghua, "pingmian"}, {w.TSweizhi, "teshu"},     {w.YDhePH, "Form1"},
        {w.TLsheji, "tulun"},      {w.XHTyanshi, "xunhuan"},  {w.CommandButton1, "Tlanzhuang"},
        {w.shujushuchu, "frmshuju"}};
    for (const auto& [button, name] : buttons) {
        SCOPED_TRACE(name);
        button->click();
        QPointer<QWidget> opened = w.current_window();
        ASSERT_TRUE(opened);
        EXPECT_EQ(opened->objectName(), QString::fromLatin1(name));
        EXPECT_TRUE(opened->isVisible());
        EXPECT_FALSE(w.isVisible());
        opened->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(opened.isNull());  // unloaded: reopening starts afresh
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(in_menu_mode());
    }
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace vm
