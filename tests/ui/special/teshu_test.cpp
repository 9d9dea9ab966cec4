// The special-positions window driven through its own controls: confirmation
// and its checks, the special positions, the animation, the curves and markers.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "core/design_state.h"
#include "core/segment_clip.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "tests/support/tolerance.h"
#include "ui/common/vb_scroll_bar.h"
#include "ui/special/teshu.h"

namespace vm {
namespace {

using draw::Primitive;
using draw::PrimitiveKind;
using test::MessageRecorder;
using test::near;

constexpr draw::Colour kBlack = 0, kRed = 255, kBlue = 0xFF0000, kMagenta = 0xFF00FF;
constexpr double kDeg = special::kPiSpecial / 180;

class TeshuTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.hs_h = "225";
        state.hs_d = "170";
        state.hs_e = "50";
        state.hs_k = "1.04";
        w = std::make_unique<teshu>(state);
    }
    void TearDown() override {
        w->Timer1->stop();
        w.reset();
    }
    void confirm_defaults() {
        w->Command4->click();
        w->Command1->click();
    }
    void tick(int n) {
        for (int i = 0; i < n; ++i) w->Timer1_Timer();
    }
    // Types into the five input boxes; nullptr leaves a box as it is.
    void enter(const char* h, const char* d, const char* theta, const char* e, const char* k) {
        QLineEdit* boxes[] = {w->Text1, w->Text2, w->Text3, w->Text4, w->Text5};
        const char* texts[] = {h, d, theta, e, k};
        for (int i = 0; i < 5; ++i)
            if (texts[i]) boxes[i]->setText(QString::fromUtf8(texts[i]));
    }
    // The buttons that wait for a designed mechanism.
    std::vector<QPushButton*> after_confirmation() const {
        return {w->Command5, w->Command6, w->Command7, w->Command8, w->Command10, w->Command11, w->Command12};
    }
    std::string text(QLineEdit* e) const { return e->text().toStdString(); }
    const std::vector<Primitive>& mechanism() const { return w->Picture1->surface().display_list(); }
    const std::vector<Primitive>& diagram() const { return w->Picture2->surface().display_list(); }
    // Colours of the crank, rod, piston and support: every line drawn 3 px wide.
    std::vector<draw::Colour> member_colours() const {
        std::vector<draw::Colour> out;
        for (const Primitive& p : mechanism())
            if (p.kind == PrimitiveKind::Line && p.width == 3) out.push_back(p.colour);
        return out;
    }
    // Centre of a marker in diagram units.
    std::pair<double, double> marker_centre(int shape) const {
        const draw::DrawingSurface& s = w->Picture2->surface();
        const draw::ShapeElement& e = s.shape_elements().at(static_cast<size_t>(shape));
        return {s.from_px_x(e.left + e.width / 2), s.from_px_y(e.top + e.height / 2)};
    }

    DesignState state;
    std::unique_ptr<teshu> w;
};

TEST_F(TeshuTest, LoadTakesTheDesignParametersAndWaitsForAConfirmation) {
    EXPECT_EQ(w->windowTitle(), QStringLiteral("十五个点的位置"));
    EXPECT_EQ(text(w->Text1), "225");
    EXPECT_EQ(text(w->Text2), "170");
    EXPECT_EQ(text(w->Text3), "0");
    EXPECT_EQ(text(w->Text4), "50");
    EXPECT_EQ(text(w->Text5), "1.04");
    for (QPushButton* b : after_confirmation()) EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    for (QPushButton* b : {w->Command1, w->Command2, w->Command3, w->Command4, w->Command9})
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
    EXPECT_EQ(w->HScroll1->value(), 50);
}

TEST_F(TeshuTest, ConfirmationShowsTheDesignedMechanism) {
    MessageRecorder messages;
    struct Row {
        const char* theta;
        const char *shown, *S, *V, *acc;
    };
    const Row rows[] = {{"0", "00.00", "113.80", "585.00", "-432.16"},
                        {"30", "30.00", "167.81", "475.50", "-1616.90"}};
    w->Command4->click();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.theta);
        w->Text3->setText(QString::fromLatin1(r.theta));
        w->Command1->click();
        EXPECT_EQ(text(w->Text3), r.shown);
        EXPECT_EQ(text(w->Text6), "441.85");
        EXPECT_EQ(text(w->Text7), "111.73");
        EXPECT_EQ(text(w->Text10), "50.00");
        EXPECT_EQ(text(w->Text15), r.S);
        EXPECT_EQ(text(w->Text13), r.V);
        EXPECT_EQ(text(w->Text14), r.acc);
    }
    w->Text3->setText(QStringLiteral("0"));
    w->Command1->click();
    EXPECT_EQ(text(w->Text8), "111.73");
    EXPECT_TRUE(near(*to_number(text(w->Text9)), 0));
    EXPECT_EQ(text(w->Text11), "437.51");
    EXPECT_TRUE(messages.messages.empty());
    for (QPushButton* b : after_confirmation()) EXPECT_TRUE(b->isEnabled());
    EXPECT_EQ(w->Timer1->interval(), 100);
    EXPECT_FALSE(w->Timer1->isActive());
}

// The mechanism drawing: members in the default colour, centre lines red and
// broken, the crank circle black around O with radius R.
TEST_F(TeshuTest, MechanismDrawingColoursAndCrankCircle) {
    confirm_defaults();
    const auto members = member_colours();
    ASSERT_EQ(members.size(), 2u + 4u + 8u);  // crank, rod, piston outline, support and hatching
    for (draw::Colour c : members) EXPECT_EQ(c, kBlack);
    int centre_lines = 0, crank_circles = 0;
    const draw::DrawingSurface& s = w->Picture1->surface();
    for (const Primitive& p : mechanism()) {
        if (p.kind == PrimitiveKind::Line && p.width == 1) {
            ++centre_lines;
            EXPECT_EQ(p.colour, kRed);
            EXPECT_NE(p.style, 0);
        }
        if (p.kind == PrimitiveKind::Circle && p.width == 1) {
            ++crank_circles;
            EXPECT_EQ(p.colour, kBlack);
            EXPECT_TRUE(near(p.radius, s.units_to_px_x(w->position_state().mech.R), 1e-9));
            EXPECT_TRUE(near(p.x1, s.to_px_x(0), 1e-9));
            EXPECT_TRUE(near(p.y1, s.to_px_y(0), 1e-9));
        }
    }
    EXPECT_EQ(centre_lines, 3);
    EXPECT_EQ(crank_circles, 1);
}

TEST_F(TeshuTest, SpecialPositionsMoveTheCrankAndColourTheMechanism) {
    MessageRecorder messages;
    confirm_defaults();
    struct Row {
        QPushButton* button;
        const char* theta;
        draw::Colour colour;
        const char* S;  // nullptr: not fixed by the position
        const char* speed;
    };
    const Row rows[] = {{w->Command5, "275.18", kBlue, "00.00", "00.00"},
                        {w->Command6, "98.71", kBlue, "225.00", "00.00"},
                        {w->Command7, "198.90", kMagenta, nullptr, "624.81"},
                        {w->Command8, "-07.64", kMagenta, nullptr, "590.60"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.theta);
        r.button->click();
        EXPECT_EQ(text(w->Text3), r.theta);
        if (r.S) {
            EXPECT_EQ(text(w->Text15), r.S);
        }
        EXPECT_EQ(format_00_00(std::fabs(*to_number(text(w->Text13)))), r.speed);
        for (draw::Colour c : member_colours()) EXPECT_EQ(c, r.colour);
        // The confirmation ends in black, so a plain one afterwards draws black.
        EXPECT_EQ(w->Picture1->surface().fore_colour(), kBlack);
        // The markers stand at the position's angle, brought into the turn the
        // curves are drawn over (-7.64 is 352.36).
        const double turn = std::fmod(*to_number(r.theta) + 360, 360);
        EXPECT_TRUE(near(marker_centre(w->Shape1).first, turn * kDeg, 0.02));
    }
    EXPECT_TRUE(messages.messages.empty());
}

// A standing crank has no fastest point: both searches give the crank angle 0.
TEST_F(TeshuTest, FastestPointsAtStandstillAreAtZero) {
    confirm_defaults();
    for (QPushButton* b : {w->Command7, w->Command8}) {
        w->Text3->setText(QStringLiteral("45"));
        w->Command1->click();
        w->HScroll1->set_value(0);
        b->click();
        EXPECT_EQ(text(w->Text3), "00.00");
        w->HScroll1->set_value(50);
    }
}

TEST_F(TeshuTest, AnimationTurnsTheCrankThirtyDegreesATick) {
    confirm_defaults();
    w->Command10->click();
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_EQ(w->Label15->text(), QStringLiteral("50"));
    struct Row {
        int ticks;
        const char *total, *shown;
    };
    const Row rows[] = {{1, "30.00", "30.00"}, {2, "60.00", "60.00"}, {3, "90.00", "90.00"},
                        {12, "360.00", "00.00"}, {13, "390.00", "30.00"}};
    int done = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.ticks);
        tick(r.ticks - done);
        done = r.ticks;
        EXPECT_EQ(text(w->Text12), r.total);
        EXPECT_EQ(text(w->Text3), r.shown);
        // The markers follow in whole degrees within the turn, centred on their curves.
        const double x = *to_number(r.shown) * kDeg;
        EXPECT_TRUE(near(marker_centre(w->Shape1).first, x, 0.02));
        EXPECT_TRUE(near(w->position_state().x_marker, x, 1e-9));
    }
    w->Command11->click();
    EXPECT_FALSE(w->Timer1->isActive());
    // A pause keeps the crank where it is; the total keeps growing afterwards.
    w->Command10->click();
    tick(1);
    EXPECT_EQ(text(w->Text12), "420.00");
}

TEST_F(TeshuTest, AnimationDrawsBlueFromTheSecondTick) {
    confirm_defaults();
    tick(1);
    for (draw::Colour c : member_colours()) EXPECT_EQ(c, kBlack);
    tick(1);
    for (draw::Colour c : member_colours()) EXPECT_EQ(c, kBlue);
    // Only the current position stays on the picture.
    EXPECT_EQ(member_colours().size(), 14u);
}

TEST_F(TeshuTest, SpeedChangeTakesEffectAtTheNextTick) {
    confirm_defaults();
    w->HScroll1->set_value(100);
    EXPECT_EQ(w->Label15->text(), QStringLiteral("100"));
    tick(1);
    EXPECT_EQ(text(w->Text12), "60.00");
    // V grows with the speed: 100 r/min is twice the crank speed of 50.
    const double v100 = *to_number(text(w->Text13));
    w->HScroll1->set_value(50);
    w->Text3->setText(QStringLiteral("60"));
    w->Command1->click();
    EXPECT_TRUE(near(v100, 2 * *to_number(text(w->Text13)), 1e-3));
}

// After a large negative crank angle the total stays negative for a while;
// the angle shown keeps the minus sign, the markers stay on their curves.
TEST_F(TeshuTest, NegativeTotalKeepsItsSign) {
    w->Command4->click();
    w->Text3->setText(QStringLiteral("-400"));
    w->Command1->click();
    EXPECT_EQ(text(w->Text3), "-400.00");
    tick(1);
    EXPECT_EQ(text(w->Text12), "-370.00");
    EXPECT_EQ(text(w->Text3), "-10.00");
    EXPECT_TRUE(near(marker_centre(w->Shape1).first, 350 * kDeg, 0.02));
}

TEST_F(TeshuTest, ChecksComeInOrderAndChangeNothing) {
    confirm_defaults();
    w->Command10->click();
    tick(2);
    const size_t drawn = mechanism().size();
    struct Row {
        const char *h, *d, *theta, *e, *k;
        const char *message, *title;
    };
    const Row rows[] = {
        {"401", "170", "0", "50", "20", "请输入0～400之间的活塞行程", "数据错误"},
        {"-1", "170", "0", "50", "1.04", "请输入0～400之间的活塞行程", "数据错误"},
        {"225", "601", "0", "201", "1.04", "请输入0～600之间的活塞半径", "数据错误"},
        {"225", "170", "0", "201", "16", "请输入0～200之间的偏心距", "数据错误"},
        {"225", "170", "0", "50", "16", "请输入0～15之间的行程速比", "数据错误"},
        {"225", "170", "100001", "50", "1.04", "请输入-100000～100000之间的角度", "数据错误"},
        {"225", "170", "-100001", "50", "1.04", "请输入-100000～100000之间的角度", "数据错误"},
        {"401", "abc", "0", "50", "1.04", "请输入数字", "数据错误"},
        {"225", "170", "0", "50", "", "请输入数字", "数据错误"},
        {"225", "170", "1,5", "50", "1.04", "请输入数字", "数据错误"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.message);
        MessageRecorder messages;
        enter(r.h, r.d, r.theta, r.e, r.k);
        w->Command1->click();
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].first, QString::fromUtf8(r.message));
        EXPECT_EQ(messages.messages[0].second, QString::fromUtf8(r.title));
        // Nothing was cleared or taken over; the animation runs on.
        EXPECT_EQ(mechanism().size(), drawn);
        EXPECT_EQ(w->position_state().H, 225);
        EXPECT_EQ(w->position_state().E, 50);
        EXPECT_TRUE(w->Timer1->isActive());
        EXPECT_EQ(text(w->Text3), r.theta);
    }
    tick(1);
    EXPECT_EQ(text(w->Text12), "90.00");
}

TEST_F(TeshuTest, LimitsOfTheChecksAreAccepted) {
    MessageRecorder messages;
    w->Command4->click();
    enter("400", nullptr, "-100000", nullptr, nullptr);
    w->Command1->click();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(text(w->Text3), "-100000.00");
    EXPECT_EQ(w->position_state().H, 400);
}

// Inputs within the ranges that still describe no crank-slider: a message, no
// picture, and a running animation stops.
TEST_F(TeshuTest, UndefinedMechanismIsRefused) {
    struct Row {
        const char *h, *e, *k;
    };
    const Row rows[] = {{"225", "50", "1"}, {"225", "50", "0.5"}, {"225", "0", "1.04"},
                        {"0", "50", "1.04"}, {"10", "200", "3"},  {"400", "200", "15"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.h << " " << r.e << " " << r.k);
        confirm_defaults();
        w->Command10->click();
        const size_t drawn = mechanism().size();
        MessageRecorder messages;
        enter(r.h, nullptr, nullptr, r.e, r.k);
        w->Command1->click();
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].first, QStringLiteral("该参数无法构成曲柄滑块机构"));
        EXPECT_EQ(messages.messages[0].second, QStringLiteral("数据错误"));
        EXPECT_FALSE(w->Timer1->isActive());
        EXPECT_EQ(mechanism().size(), drawn);
        EXPECT_EQ(text(w->Text6), "441.85");
    }
}

// A position button whose confirmation is refused leaves the typed angle.
TEST_F(TeshuTest, RefusedPositionKeepsTheTypedAngle) {
    struct Row {
        const char *h, *k;
    };
    const Row rows[] = {{"401", "1.04"}, {"abc", "1.04"}, {"225", "1"}};
    for (const Row& r : rows) {
        for (QPushButton* b : {w->Command5, w->Command6, w->Command7, w->Command8}) {
            SCOPED_TRACE(testing::Message() << r.h << " " << r.k << " " << b->text().toStdString());
            confirm_defaults();
            w->Text3->setText(QStringLiteral("12.5"));
            MessageRecorder messages;
            enter(r.h, nullptr, nullptr, nullptr, r.k);
            b->click();
            EXPECT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(text(w->Text3), "12.5");
        }
    }
}

// K a hair above 1 asks for a rod kilometres long: still a mechanism, drawn
// whole in a view widened to hold it, every line inside the picture.
TEST_F(TeshuTest, VeryLongRodIsDrawnNearThePicture) {
    MessageRecorder messages;
    w->Command4->click();
    enter(nullptr, nullptr, "-150", nullptr, "1.000000001");
    w->Command1->click();
    ASSERT_TRUE(messages.messages.empty());
    const auto& st = w->position_state();
    ASSERT_GT(st.mech.L, 1e6);
    const draw::DrawingSurface& s = w->Picture1->surface();
    int members = 0;
    for (const Primitive& p : mechanism()) {
        for (double v : {p.x1, p.y1, p.x2, p.y2}) EXPECT_LT(std::fabs(v), 1e5);
        if (p.kind == PrimitiveKind::Line && p.width == 3) ++members;
    }
    EXPECT_EQ(members, 2 + 4 + 8);  // crank, rod, piston and support
    EXPECT_TRUE(st.view.fitted);
    // The rod starts at A and points at B.
    for (const Primitive& p : mechanism()) {
        if (p.kind != PrimitiveKind::Line || p.width != 3) continue;
        if (!near(p.x1, s.to_px_x(st.pos.xA), 1e-6) || !near(p.y1, s.to_px_y(st.pos.yA), 1e-6)) continue;
        const double along = (s.from_px_x(p.x2) - st.pos.xA) * (st.pos.xB - st.pos.xA) +
                             (s.from_px_y(p.y2) - st.pos.yA) * (st.pos.yB - st.pos.yA);
        EXPECT_GT(along, 0);
    }
}

TEST_F(TeshuTest, EmptyAngleDisablesConfirmation) {
    w->Text3->setText(QString());
    EXPECT_FALSE(w->Command1->isEnabled());
    w->Text3->setText(QStringLiteral("7"));
    EXPECT_TRUE(w->Command1->isEnabled());
    w->HScroll1->set_value(80);
    w->Command2->click();
    for (QLineEdit* e : {w->Text1, w->Text2, w->Text3, w->Text4, w->Text5}) EXPECT_TRUE(e->text().isEmpty());
    EXPECT_FALSE(w->Command1->isEnabled());
    EXPECT_EQ(w->Label15->text(), QStringLiteral("调速"));
}

TEST_F(TeshuTest, FrameAndMarkersAfterConfirmation) {
    confirm_defaults();
    const draw::DrawingSurface& s = w->Picture2->surface();
    int blue_lines = 0, dashed_black = 0;
    for (const Primitive& p : diagram()) {
        if (p.kind == PrimitiveKind::Line && p.colour == kBlue) ++blue_lines;
        if (p.kind == PrimitiveKind::Line && p.colour == kBlack && p.style == 1) {
            ++dashed_black;
            EXPECT_EQ(p.width, 1);
        }
    }
    EXPECT_EQ(blue_lines, 6);  // two axes, two arrow heads of two strokes each
    EXPECT_EQ(dashed_black, 2);
    EXPECT_EQ(s.line_width(), 2);
    // At the crank angle 0 the markers sit on the curves at x = 0.
    const auto& st = w->position_state();
    const double S = 15 * st.pos.S / 225, v = 26 * st.pos.dy / 225, a = -21 * st.pos.ddy / 225;
    const std::pair<int, double> markers[] = {{w->Shape1, S}, {w->Shape2, v}, {w->Shape3, a}};
    for (const auto& [shape, y] : markers) {
        EXPECT_TRUE(s.shape_elements()[static_cast<size_t>(shape)].visible);
        EXPECT_NEAR(marker_centre(shape).first, 0, 0.02);
        EXPECT_NEAR(marker_centre(shape).second, y, 0.05);
    }
    // Each marker wears its curve's colour.
    EXPECT_EQ(s.shape_elements()[static_cast<size_t>(w->Shape1)].fill, kRed);
    EXPECT_EQ(s.shape_elements()[static_cast<size_t>(w->Shape2)].fill, kBlue);
    EXPECT_EQ(s.shape_elements()[static_cast<size_t>(w->Shape3)].fill, kMagenta);
}

TEST_F(TeshuTest, DrawCurvesAddsAllThreeWithoutClearing) {
    confirm_defaults();
    const size_t frame = diagram().size();
    w->Command12->click();
    const size_t once = diagram().size();
    size_t points[3] = {0, 0, 0};
    for (size_t i = frame; i < once; ++i) {
        const Primitive& p = diagram()[i];
        ASSERT_EQ(p.kind, PrimitiveKind::Point);
        EXPECT_EQ(p.width, 2);
        points[p.colour == kRed ? 0 : p.colour == kBlue ? 1 : 2]++;
    }
    EXPECT_EQ(points[0], points[1]);
    EXPECT_EQ(points[1], points[2]);
    EXPECT_NEAR(static_cast<double>(points[0]), 6001, 1);
    // At each angle the acceleration comes first, then velocity, then displacement.
    EXPECT_EQ(diagram()[frame].colour, kMagenta);
    EXPECT_EQ(diagram()[frame + 1].colour, kBlue);
    EXPECT_EQ(diagram()[frame + 2].colour, kRed);
    // Pressed again, nothing is drawn over what is there.
    const std::vector<Primitive> first = diagram();
    w->Command12->click();
    ASSERT_EQ(diagram().size(), first.size());
}

TEST_F(TeshuTest, CurveLabelsDrawOneCurveThenConfirm) {
    MessageRecorder messages;
    // Before any confirmation there is nothing to draw with.
    w->Label13->clicked();
    EXPECT_TRUE(diagram().empty());
    EXPECT_TRUE(mechanism().empty());
    EXPECT_TRUE(messages.messages.empty());

    confirm_defaults();
    w->Command12->click();
    struct Row {
        ui::ClickableLabel* label;
        draw::Colour colour;
        double samples;
    };
    const Row rows[] = {{w->Label12, kRed, 6001}, {w->Label13, kBlue, 10001}, {w->Label14, kMagenta, 10001}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label->text().toStdString());
        w->Command10->click();
        r.label->clicked();
        size_t points = 0;
        for (const Primitive& p : diagram()) {
            if (p.kind != PrimitiveKind::Point) continue;
            ++points;
            EXPECT_EQ(p.colour, r.colour);
        }
        EXPECT_NEAR(static_cast<double>(points), r.samples, 1);
        // The confirmation drew the frame over the curve and stopped the animation.
        EXPECT_EQ(diagram().back().kind, PrimitiveKind::Text);
        EXPECT_EQ(diagram().back().text, QStringLiteral("2π"));
        EXPECT_FALSE(w->Timer1->isActive());
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(TeshuTest, ClearScreenEmptiesBothPictures) {
    confirm_defaults();
    w->Command12->click();
    w->Command3->click();
    EXPECT_TRUE(mechanism().empty());
    EXPECT_TRUE(diagram().empty());
}

// Whatever a student presses again, each picture ends as if pressed once: no
// name is printed over itself, no curve over itself.
TEST_F(TeshuTest, DrawingAgainGivesTheSamePictures) {
    using Step = std::function<void()>;
    const struct Row {
        const char* name;
        Step once;
    } rows[] = {
        {"confirm", [this] { w->Command1->click(); }},
        {"top dead centre", [this] { w->Command5->click(); }},
        {"right fastest", [this] { w->Command8->click(); }},
        {"curves", [this] { w->Command12->click(); }},
        {"curves then confirm", [this] { w->Command12->click(); w->Command1->click(); }},
        {"velocity label", [this] { w->Label13->clicked(); }},
        {"displacement label then curves", [this] { w->Label12->clicked(); w->Command12->click(); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        confirm_defaults();
        w->Command3->click();
        w->Command1->click();
        r.once();
        const std::vector<Primitive> p1 = mechanism(), p2 = diagram();
        r.once();
        ASSERT_EQ(mechanism().size(), p1.size());
        ASSERT_EQ(diagram().size(), p2.size());
        for (size_t i = 0; i < p2.size(); ++i) {
            EXPECT_EQ(diagram()[i].kind, p2[i].kind);
            EXPECT_EQ(diagram()[i].x1, p2[i].x1);
            EXPECT_EQ(diagram()[i].y1, p2[i].y1);
            EXPECT_EQ(diagram()[i].text, p2[i].text);
        }
        // Each name on each picture is printed once.
        for (const auto* list : {&mechanism(), &diagram()}) {
            std::vector<QString> names;
            for (const Primitive& p : *list)
                if (p.kind == PrimitiveKind::Text) names.push_back(p.text);
            std::sort(names.begin(), names.end());
            EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
        }
    }
}

// A later design's curves are its own: after another design is confirmed,
// "画曲线图" draws them although the old curves are still on the diagram.
TEST_F(TeshuTest, CurvesOfANewDesignAreDrawn) {
    confirm_defaults();
    w->Command12->click();
    const size_t first = diagram().size();
    enter("300", nullptr, nullptr, nullptr, "1.3");
    w->Command1->click();
    w->Command12->click();
    EXPECT_GT(diagram().size(), first + 18000);
}

namespace {
bool overlap(const Primitive& a, const Primitive& b) {
    return a.x1 < b.x1 + b.x2 && b.x1 < a.x1 + a.x2 && a.y1 < b.y1 + b.y2 && b.y1 < a.y1 + a.y2;
}
// Whether a line crosses a text's box.
bool crosses(const Primitive& line, const Primitive& text) {
    return clip_segment(line.x1, line.y1, line.x2, line.y2, text.x1, text.y1, text.x1 + text.x2, text.y1 + text.y2,
                        true)
        .has_value();
}
}  // namespace

// The diagram's names stand clear of each other and of the frame's lines,
// and of the default design's curves.
TEST_F(TeshuTest, DiagramNamesStandClear) {
    confirm_defaults();
    w->Command12->click();
    std::vector<Primitive> texts, lines, points;
    for (const Primitive& p : diagram()) {
        if (p.kind == PrimitiveKind::Text) texts.push_back(p);
        if (p.kind == PrimitiveKind::Line) lines.push_back(p);
        if (p.kind == PrimitiveKind::Point) points.push_back(p);
    }
    ASSERT_EQ(texts.size(), 7u);  // θ, S, V, A, O, π, 2π
    for (size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(texts[i].text.toStdString());
        for (size_t j = i + 1; j < texts.size(); ++j) EXPECT_FALSE(overlap(texts[i], texts[j])) << texts[j].text.toStdString();
        for (const Primitive& l : lines) EXPECT_FALSE(crosses(l, texts[i]));
        for (const Primitive& p : points) {
            const bool inside = p.x1 + 1 > texts[i].x1 && p.x1 - 1 < texts[i].x1 + texts[i].x2 &&
                                p.y1 + 1 > texts[i].y1 && p.y1 - 1 < texts[i].y1 + texts[i].y2;
            ASSERT_FALSE(inside) << p.x1 << "," << p.y1;
        }
    }
}

// The joint names stand where no member, centre line or circle passes, at
// the special positions and all the way round.
TEST_F(TeshuTest, JointNamesStandClearOfTheMechanism) {
    MessageRecorder messages;
    auto check = [&](const char* where) {
        SCOPED_TRACE(where);
        int names = 0;
        for (const Primitive& t : mechanism()) {
            if (t.kind != PrimitiveKind::Text || t.text.size() != 1) continue;
            ++names;
            for (const Primitive& l : mechanism()) {
                if (l.kind == PrimitiveKind::Line) {
                    EXPECT_FALSE(crosses(l, t)) << t.text.toStdString();
                }
                if (l.kind != PrimitiveKind::Circle) continue;
                const double nx = std::clamp(l.x1, t.x1, t.x1 + t.x2), ny = std::clamp(l.y1, t.y1, t.y1 + t.y2);
                const double fx = std::max(std::fabs(t.x1 - l.x1), std::fabs(t.x1 + t.x2 - l.x1));
                const double fy = std::max(std::fabs(t.y1 - l.y1), std::fabs(t.y1 + t.y2 - l.y1));
                EXPECT_FALSE(std::hypot(nx - l.x1, ny - l.y1) <= l.radius && std::hypot(fx, fy) >= l.radius)
                    << t.text.toStdString();
            }
        }
        EXPECT_EQ(names, 2);
    };
    for (const char* k : {"1.04", "1.4"}) {
        w->Command4->click();
        w->Text5->setText(QString::fromLatin1(k));
        w->Command1->click();
        for (QPushButton* b : {w->Command5, w->Command6, w->Command7, w->Command8}) {
            b->click();
            check(b->text().toStdString().c_str());
        }
        w->Text3->setText(QStringLiteral("0"));
        w->Command1->click();
        w->HScroll1->set_value(20);  // 12 degrees a tick
        for (int i = 0; i < 30; ++i) {
            tick(1);
            check(text(w->Text3).c_str());
        }
        w->HScroll1->set_value(50);
    }
    EXPECT_TRUE(messages.messages.empty());
}

// Every accepted design is drawn whole inside the mechanism picture at every
// crank angle: members, joints, circles and names.
TEST_F(TeshuTest, EveryAcceptedMechanismLiesInsideThePicture) {
    MessageRecorder messages;
    const draw::DrawingSurface& s = w->Picture1->surface();
    const double W = s.width_px(), Hpx = s.height_px();
    auto inside = [&](double x, double y) { return x >= -0.5 && x <= W + 0.5 && y >= -0.5 && y <= Hpx + 0.5; };
    int designs = 0, fitted = 0;
    for (const char* h : {"10", "100", "225", "400"})
        for (const char* d : {"0", "170", "600"})
            for (const char* e : {"0", "50", "200"})
                for (const char* k : {"1.001", "1.04", "1.5", "3", "15"}) {
                    messages.messages.clear();
                    enter(h, d, "0", e, k);
                    w->Command1->click();
                    if (!messages.messages.empty()) continue;  // no crank-slider with these
                    ++designs;
                    fitted += w->position_state().view.fitted;
                    SCOPED_TRACE(testing::Message() << h << " " << d << " " << e << " " << k);
                    // The curves and markers stay inside the diagram too; short
                    // rods give the tallest curves.
                    if (std::string(k) != "1.04") {
                        w->Command3->click();
                        w->Command1->click();
                        w->Command12->click();
                        const draw::DrawingSurface& s2 = w->Picture2->surface();
                        for (const Primitive& p : diagram()) {
                            ASSERT_GE(p.y1, 0);
                            ASSERT_LE(p.y1, s2.height_px());
                        }
                        for (int shape : {w->Shape1, w->Shape2, w->Shape3}) {
                            const draw::ShapeElement& el = s2.shape_elements()[static_cast<size_t>(shape)];
                            ASSERT_GE(el.top, 0);
                            ASSERT_LE(el.top + el.height, s2.height_px());
                        }
                    }
                    for (int tick_no = 0; tick_no < 12; ++tick_no) {
                        for (const Primitive& p : mechanism()) {
                            switch (p.kind) {
                                case PrimitiveKind::Line:
                                    ASSERT_TRUE(inside(p.x1, p.y1) && inside(p.x2, p.y2));
                                    break;
                                case PrimitiveKind::Circle:
                                    ASSERT_TRUE(inside(p.x1 - p.radius, p.y1 - p.radius) &&
                                                inside(p.x1 + p.radius, p.y1 + p.radius));
                                    break;
                                case PrimitiveKind::Text:
                                    ASSERT_TRUE(inside(p.x1, p.y1) && inside(p.x1 + p.x2, p.y1 + p.y2))
                                        << p.text.toStdString();
                                    break;
                                default: break;
                            }
                        }
                        tick(1);
                    }
                }
    EXPECT_GE(designs, 50);
    EXPECT_GT(fitted, 10);
    // The design the fixed layout lost its piston with.
    messages.messages.clear();
    enter("400", "600", "0", "200", "1.04");
    w->Command1->click();
    EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].first.toStdString();
    EXPECT_TRUE(w->position_state().view.fitted);
}

// Markers typed or turned outside one revolution sit on their curves within it.
TEST_F(TeshuTest, MarkersStayOnTheCurvesForAnyAngle) {
    MessageRecorder messages;
    w->Command4->click();
    for (const char* theta : {"-30", "400", "1e5", "-99999.5", "720", "-7.64"}) {
        SCOPED_TRACE(theta);
        w->Text3->setText(QString::fromLatin1(theta));
        w->Command1->click();
        ASSERT_TRUE(messages.messages.empty());
        for (int t = 0; t < 3; ++t) {
            const auto& st = w->position_state();
            // At the confirmation the markers sit at the crank angle itself; the
            // animation moves them in whole degrees of the total turned.
            const double shown = t == 0 ? *to_number(text(w->Text3)) : std::round(*to_number(text(w->Text12)));
            const double x = std::fmod(std::fmod(shown, 360) + 360, 360) * kDeg;
            const auto at = special::slider_at(st.mech, -x);
            ASSERT_TRUE(at.has_value());
            const std::pair<int, double> markers[] = {{w->Shape1, 15 * at->S / 225},
                                                      {w->Shape2, 26 * at->dy / 225},
                                                      {w->Shape3, -21 * at->ddy / 225}};
            for (const auto& [shape, y] : markers) {
                const auto [mx, my] = marker_centre(shape);
                EXPECT_NEAR(mx, x, 0.02);
                EXPECT_NEAR(my, y, 0.06);
            }
            if (t == 0) {
                EXPECT_NEAR(marker_centre(w->Shape1).second, 15 * st.pos.S / 225, 0.06);
            }
            tick(1);
        }
    }
}

TEST_F(TeshuTest, BackButtonClosesAndTellsTheMainWindow) {
    teshu* raw = w.release();
    int closed = 0;
    QObject::connect(raw, &ui::WorkingWindow::closed, [&closed] { ++closed; });
    QPointer<teshu> alive(raw);
    raw->show();
    raw->Command9->click();
    EXPECT_EQ(closed, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    w = std::make_unique<teshu>(state);
}

}  // namespace
}  // namespace vm
