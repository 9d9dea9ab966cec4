// The cam design window driven through its boxes, buttons, adjusters and plot
// ticks: profile outlines on the drawing, the input checks, the base circle,
// and the follower curve plots with their progress bar.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cmath>
#include <vector>

#include "core/design_state.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "tests/support/tolerance.h"
#include "ui/cam/cam_drawing.h"
#include "ui/cam/tulun.h"
#include "ui/common/vb_scroll_bar.h"

namespace vm {
namespace {

using draw::Primitive;
using draw::PrimitiveKind;
constexpr double kTwoPi = 2 * 3.14159265358979323846;
// The curve colours: lift green, velocity red, acceleration blue.
constexpr draw::Colour kLift = 65280, kVelocity = 255, kAcceleration = 0xFF0000;

// An open window with its messages recorded.
struct Opened {
    Opened() : w(new tulun(state)) {
        QObject::connect(w.data(), &ui::WorkingWindow::closed, [this] { ++closed; });
        w->show();
    }
    ~Opened() { delete w.data(); }
    void inputs(const char* h, const char* r0, const char* e, const char* rr) {
        w->HIGH->setText(QString::fromUtf8(h));
        w->BASE->setText(QString::fromUtf8(r0));
        w->OFFSET->setText(QString::fromUtf8(e));
        w->roll->setText(QString::fromUtf8(rr));
    }
    void draw_profile(bool actual) { (actual ? w->real : w->theory)->click(); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) w->plot_timer_Timer();
    }
    // Runs the plot to its end by ticks, giving up after 1000.
    void run_plot() {
        for (int n = 0; w->plotting() && n < 1000; ++n) w->plot_timer_Timer();
    }
    const std::vector<Primitive>& drawing() const { return w->tpic->surface().display_list(); }
    const draw::DrawingSurface& curves() const { return w->cpic->surface(); }
    DesignState state;
    test::MessageRecorder rec;
    QPointer<tulun> w;
    int closed = 0;
};

std::vector<Primitive> of_kind(const std::vector<Primitive>& list, PrimitiveKind kind) {
    std::vector<Primitive> out;
    for (const Primitive& p : list)
        if (p.kind == kind) out.push_back(p);
    return out;
}

int count(const std::vector<Primitive>& list, PrimitiveKind kind, draw::Colour colour) {
    int n = 0;
    for (const Primitive& p : list) n += p.kind == kind && p.colour == colour;
    return n;
}

struct Px {
    double x, y;
};
// The two end points of an arc as drawn: counter-clockwise on a y-down screen.
std::pair<Px, Px> arc_ends(const Primitive& a) {
    return {{a.x1 + a.radius * std::cos(a.start), a.y1 - a.radius * std::sin(a.start)},
            {a.x1 + a.radius * std::cos(a.end), a.y1 - a.radius * std::sin(a.end)}};
}
double arc_span(const Primitive& a) {
    double s = std::fmod(a.end - a.start, kTwoPi);
    return s < 0 ? s + kTwoPi : s;
}

// Every end of every arc and of the two polylines touches the end of another
// piece: the outline is one closed curve on the screen.
void expect_closed_outline(const std::vector<Primitive>& list, const char* what) {
    std::vector<Primitive> lines = of_kind(list, PrimitiveKind::Line);
    const std::vector<Primitive> arcs = of_kind(list, PrimitiveKind::Arc);
    // Polylines: runs of lines where each starts at the end of the one before.
    std::vector<std::pair<Px, Px>> pieces;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 || std::hypot(lines[i].x1 - lines[i - 1].x2, lines[i].y1 - lines[i - 1].y2) > 1e-9)
            pieces.push_back({{lines[i].x1, lines[i].y1}, {lines[i].x2, lines[i].y2}});
        else
            pieces.back().second = {lines[i].x2, lines[i].y2};
    }
    ASSERT_EQ(pieces.size(), 2u) << what;
    for (const Primitive& a : arcs) pieces.push_back(arc_ends(a));
    std::vector<Px> ends;
    for (const auto& p : pieces) ends.insert(ends.end(), {p.first, p.second});
    for (size_t i = 0; i < ends.size(); ++i) {
        double nearest = 1e9;
        for (size_t j = 0; j < ends.size(); ++j)
            if (j / 2 != i / 2) nearest = std::min(nearest, std::hypot(ends[i].x - ends[j].x, ends[i].y - ends[j].y));
        EXPECT_LT(nearest, 0.5) << what << ": end " << i << " of the outline is loose";
    }
}

TEST(Tulun, ProfilesCloseOnTheDrawingForDefaultAndSmallCams) {
    const struct {
        const char *h, *r0, *e, *rr;
    } cams[] = {{"10", "60", "5", "10"}, {"10", "10", "7", "3"}, {"4", "3", "0", "2"}, {"1", "19", "6", "15"}};
    for (const auto& c : cams) {
        for (bool actual : {false, true}) {
            Opened o;
            o.inputs(c.h, c.r0, c.e, c.rr);
            o.draw_profile(actual);
            EXPECT_TRUE(o.rec.messages.empty());
            const std::vector<Primitive>& list = o.drawing();
            // The cam shaft: radius 10 mm.
            const std::vector<Primitive> circles = of_kind(list, PrimitiveKind::Circle);
            ASSERT_EQ(circles.size(), 1u);
            EXPECT_TRUE(test::near(circles[0].radius, o.w->tpic->surface().units_to_px_x(10), 1e-9));
            EXPECT_EQ(of_kind(list, PrimitiveKind::Line).size(), 28u);
            const std::vector<Primitive> arcs = of_kind(list, PrimitiveKind::Arc);
            ASSERT_EQ(arcs.size(), actual ? 3u : 2u);
            // The far dwell covers 10 degrees and the near dwell 220, the way the cam turns.
            EXPECT_NEAR(arc_span(arcs[0]), kTwoPi * 10 / 360, 1e-3) << c.r0;
            EXPECT_NEAR(arc_span(arcs[1]), kTwoPi * 220 / 360, 1e-3) << c.r0;
            expect_closed_outline(list, actual ? "actual" : "theory");
        }
    }
}

TEST(Tulun, DefaultProfileStartsRightOfTheCentreJustBelowIt) {
    Opened o;
    o.w->theory->click();
    const draw::DrawingSurface& s = o.w->tpic->surface();
    const Primitive first = of_kind(o.drawing(), PrimitiveKind::Line).front();
    EXPECT_NEAR(s.from_px_x(first.x1), 59.791, 0.01);
    EXPECT_NEAR(s.from_px_y(first.y1), 5, 0.01);
    // Increasing cam angle runs clockwise on the screen: the next point lies lower.
    const Primitive second = of_kind(o.drawing(), PrimitiveKind::Line)[1];
    EXPECT_GT(second.y2, first.y1);
}

TEST(Tulun, ChecksAcceptTheRangesAndStopAtTheFirstFailure) {
    const struct {
        const char *h, *r0, *e, *rr, *message;
    } cases[] = {
        {"10", "60", "5", "10", nullptr},
        {"1", "1.5", "0", "1", nullptr},
        {"10", "60", "7", "15", nullptr},
        {"10.5", "60", "5", "10", "请输入1～10之间的升程"},
        {"", "60", "5", "10", "请输入1～10之间的升程"},
        {"abc", "60", "5", "10", "请输入1～10之间的升程"},
        {"11", "70", "8", "20", "请输入1～10之间的升程"},
        {"10", "70", "8", "20", "请输入1～60之间的基圆半径"},
        {"10", "0.5", "0", "10", "请输入1～60之间的基圆半径"},
        {"10", "60", "8", "20", "请输入0～7之间的偏心距"},
        {"10", "60", "-1", "10", "请输入0～7之间的偏心距"},
        {"10", "60", "abc", "10", "请输入0～7之间的偏心距"},
        {"10", "60", "", "10", "请输入0～7之间的偏心距"},
        {"10", "60", "5", "16", "请输入1～15之间的滚子半径"},
        {"10", "60", "5", "", "请输入1～15之间的滚子半径"},
        {"10", "5", "6", "2", "基圆半径必须大于偏心距"},
        {"10", "6", "6", "20", "请输入1～15之间的滚子半径"},
        {"10", "10", "5", "10", "滚子半径必须小于基圆半径"},
        {"10", "10", "5", "12", "滚子半径必须小于基圆半径"},
    };
    for (const auto& c : cases) {
        for (bool actual : {false, true}) {
            Opened o;
            o.inputs(c.h, c.r0, c.e, c.rr);
            o.draw_profile(actual);
            if (!c.message) {
                EXPECT_TRUE(o.rec.messages.empty()) << c.h << " " << c.r0 << " " << c.e << " " << c.rr;
                EXPECT_FALSE(o.drawing().empty());
                continue;
            }
            ASSERT_EQ(o.rec.messages.size(), 1u) << c.h << " " << c.r0 << " " << c.e << " " << c.rr;
            EXPECT_EQ(o.rec.messages[0].first, QString::fromUtf8(c.message));
            EXPECT_EQ(o.rec.messages[0].second, QStringLiteral("数据错误"));
            EXPECT_TRUE(o.drawing().empty());
        }
    }
}

TEST(Tulun, ProfilesAndBaseCircleStayTogetherUntilCleared) {
    Opened o;
    o.w->theory->click();
    o.w->real->click();
    o.w->base_tulun->click();
    EXPECT_TRUE(o.rec.messages.empty());
    const draw::DrawingSurface& s = o.w->tpic->surface();
    EXPECT_EQ(of_kind(o.drawing(), PrimitiveKind::Arc).size(), 5u);
    ASSERT_EQ(count(o.drawing(), PrimitiveKind::Circle, 255), 1);
    const Primitive base = o.drawing().back();
    EXPECT_TRUE(test::near(base.radius, s.units_to_px_x(60), 1e-9));
    // The base circle runs through the start of the rise of the theoretical profile.
    const Primitive first = of_kind(o.drawing(), PrimitiveKind::Line).front();
    EXPECT_NEAR(std::hypot(first.x1 - base.x1, first.y1 - base.y1), base.radius, 0.01);
    o.w->cls->click();
    EXPECT_TRUE(o.drawing().empty());
}

TEST(Tulun, BaseCircleNeedsAPositiveRadius) {
    const struct {
        const char* base;
        bool drawn;
    } cases[] = {{"60", true}, {"75", true}, {"0.5", true}, {"0", false}, {"-5", false}, {"x", false}};
    for (const auto& c : cases) {
        Opened o;
        o.w->BASE->setText(QString::fromUtf8(c.base));
        o.w->base_tulun->click();
        EXPECT_EQ(count(o.drawing(), PrimitiveKind::Circle, 255), c.drawn ? 1 : 0) << c.base;
        EXPECT_EQ(o.rec.messages.size(), c.drawn ? 0u : 1u) << c.base;
    }
}

TEST(Tulun, PrecisionAdjustersOnlyShowTheirValues) {
    Opened o;
    o.w->theory->click();
    const size_t drawn = o.drawing().size();
    o.w->set1->set_value(-3);
    o.w->set2->set_value(4);
    EXPECT_EQ(o.w->lst1->text(), QStringLiteral("-3"));
    EXPECT_EQ(o.w->lst2->text(), QStringLiteral("4"));
    o.w->set1->set_value(-30);
    EXPECT_EQ(o.w->lst1->text(), QStringLiteral("-10"));
    EXPECT_EQ(o.drawing().size(), drawn);
}

TEST(Tulun, PlotDrawsEverySampleWithTheButtonsDisabledMeanwhile) {
    Opened o;
    o.w->SSTab1->setCurrentIndex(1);
    o.w->drawcurve->click();
    ASSERT_TRUE(o.w->plotting());
    EXPECT_TRUE(o.w->plot_timer->isActive());
    for (QPushButton* b : {o.w->drawcurve, o.w->speed, o.w->aspeed}) EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(o.w->cur_cls->isEnabled());
    // Pressing another plot button now does nothing.
    o.w->speed->click();
    const draw::DrawingSurface& bar = o.w->process->surface();
    double last_bar = 0;
    int ticks = 0;
    while (o.w->plotting()) {
        o.w->plot_timer_Timer();
        ++ticks;
        // The bar grows by one degree's worth with every tick.
        const double right = bar.display_list().back().x2;
        EXPECT_NEAR(right - last_bar, bar.width_px() / 150.0, 1e-6) << ticks;
        last_bar = right;
        if (o.w->plotting()) {
            EXPECT_FALSE(o.w->drawcurve->isEnabled());
        }
    }
    EXPECT_EQ(ticks, 150);
    EXPECT_NEAR(last_bar, bar.width_px(), 1e-9);
    EXPECT_FALSE(o.w->plot_timer->isActive());
    for (QPushButton* b : {o.w->drawcurve, o.w->speed, o.w->aspeed}) EXPECT_TRUE(b->isEnabled());
    const std::vector<Primitive>& list = o.curves().display_list();
    EXPECT_EQ(count(list, PrimitiveKind::Line, kLift), cam::CurvePlot::kSamples);
    EXPECT_EQ(count(list, PrimitiveKind::Line, kVelocity), 0);
    // The bar is a single box, however many samples it stands for.
    EXPECT_EQ(count(bar.display_list(), PrimitiveKind::FilledBox, 0xFF0000), 1);
}

// The plotted curve's value at a cam angle, read back from the drawing.
double plotted(const draw::DrawingSurface& s, draw::Colour colour, double delta) {
    for (const Primitive& p : s.display_list())
        if (p.kind == PrimitiveKind::Line && p.colour == colour && std::fabs(s.from_px_x(p.x2) - delta) < 1e-6)
            return -s.from_px_y(p.y2);
    ADD_FAILURE() << "no sample at " << delta;
    return 0;
}

TEST(Tulun, CurvesShowTheMotionLawAndRestAfterTheReturn) {
    Opened o;
    for (QPushButton* b : {o.w->drawcurve, o.w->speed, o.w->aspeed}) {
        b->click();
        o.run_plot();
    }
    const draw::DrawingSurface& s = o.curves();
    const struct {
        draw::Colour colour;
        double delta, expected;
    } points[] = {{kLift, 30, 5},          {kLift, 65, 10},          {kLift, 105, 5},
                  {kVelocity, 30, 9.549},  {kVelocity, 60, 9.549},   {kVelocity, 60.005, 0},
                  {kVelocity, 105, -16.370}, {kAcceleration, 87.5, -42.095}, {kAcceleration, 122.5, 42.095},
                  {kAcceleration, 65, 0}};
    for (const auto& p : points) EXPECT_NEAR(plotted(s, p.colour, p.delta), p.expected, 1e-3) << p.delta;
    for (draw::Colour c : {kLift, kVelocity, kAcceleration}) {
        EXPECT_EQ(count(s.display_list(), PrimitiveKind::Line, c), cam::CurvePlot::kSamples);
        for (double d = 140; d <= 150; d += 0.5) EXPECT_NEAR(plotted(s, c, d), 0, 1e-9) << d;
    }
    // Axes and labels come with each plot; clearing removes everything.
    o.w->cur_cls->click();
    EXPECT_TRUE(s.display_list().empty());
    o.w->speed->click();
    EXPECT_GT(of_kind(s.display_list(), PrimitiveKind::Text).size(), 30u);
}

TEST(Tulun, PlotOfAnyLiftTextStaysDrawable) {
    for (const char* text : {"1e308", "-1e308", "", "abc", "-3"}) {
        Opened o;
        o.w->HIGH->setText(QString::fromUtf8(text));
        o.w->aspeed->click();
        o.run_plot();
        // Non-finite primitives would be dropped, so every sample counts only if finite.
        EXPECT_EQ(count(o.curves().display_list(), PrimitiveKind::Line, kAcceleration),
                  cam::CurvePlot::kSamples)
            << text;
    }
}

TEST(Tulun, ClearingDuringAPlotLeavesNoStrayLine) {
    Opened o;
    o.w->drawcurve->click();
    o.ticks(20);
    o.w->cur_cls->click();
    o.run_plot();
    const draw::DrawingSurface& s = o.curves();
    const double step = s.units_to_px_x(1.0 / cam::CurvePlot::kSamplesPerDegree);
    int lines = 0;
    for (const Primitive& p : s.display_list()) {
        if (p.kind != PrimitiveKind::Line || p.colour != kLift) continue;
        ++lines;
        EXPECT_NEAR(p.x2 - p.x1, step, 1e-6);
    }
    EXPECT_EQ(lines, cam::CurvePlot::kSamples - 1 - 20 * cam::CurvePlot::kSamplesPerDegree);
}

TEST(Tulun, LeavingDuringAPlotEndsItSafely) {
    Opened o;
    o.w->SSTab1->setCurrentIndex(1);
    o.w->drawcurve->click();
    o.ticks(20);
    ASSERT_TRUE(o.w->plotting());
    QPointer<QTimer> timer = o.w->plot_timer;
    o.w->t_close->click();
    EXPECT_EQ(o.closed, 1);
    EXPECT_FALSE(timer->isActive());
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(o.w.isNull());
    EXPECT_TRUE(timer.isNull());
}

}  // namespace
}  // namespace vm
