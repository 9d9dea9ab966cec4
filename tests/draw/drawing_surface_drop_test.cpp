// The surface's last safety net: every primitive or element placement with a
// non-finite coordinate is refused and counted, and nothing finite is counted.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "draw/drawing_surface.h"

namespace vm::draw {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct DrawCase {
    const char* what;
    std::function<void(DrawingSurface&)> draw;
    bool dropped;
};

TEST(DrawingSurfaceDrops, NonFiniteCoordinatesAreRefusedAndCounted) {
    const DrawCase cases[] = {
        {"line", [](DrawingSurface& s) { s.line(0, 0, 10, 10); }, false},
        {"line from NaN", [](DrawingSurface& s) { s.line(kNan, 0, 10, 10); }, true},
        {"line to infinity", [](DrawingSurface& s) { s.line(0, 0, 10, -kInf); }, true},
        {"line_to NaN", [](DrawingSurface& s) { s.line_to(kNan, kNan); }, true},
        {"box", [](DrawingSurface& s) { s.box(0, 0, 5, 5, 0); }, false},
        {"filled box to infinity", [](DrawingSurface& s) { s.filled_box(0, 0, kInf, 5, 0); }, true},
        {"circle of NaN radius", [](DrawingSurface& s) { s.circle(1, 1, kNan); }, true},
        {"circle at infinity", [](DrawingSurface& s) { s.circle(kInf, 1, 2); }, true},
        {"arc ending at NaN", [](DrawingSurface& s) { s.arc(1, 1, 2, 0, 0, kNan); }, true},
        {"arc", [](DrawingSurface& s) { s.arc(1, 1, 2, 0, 0, 1); }, false},
        {"point at NaN", [](DrawingSurface& s) { s.point(kNan, 0); }, true},
        {"text at NaN", [](DrawingSurface& s) { s.set_current(kNan, 0); s.print("x"); }, true},
        {"text", [](DrawingSurface& s) { s.set_current(3, 3); s.print("x"); }, false},
        {"scale left at NaN", [](DrawingSurface& s) { s.set_scale(kNan, 0, 10, 10); s.line(1, 1, 2, 2); }, true},
        {"huge but finite", [](DrawingSurface& s) { s.line(-1e300, 0, 1e300, 0); }, false},
        {"line element to NaN",
         [](DrawingSurface& s) { s.place_line_element(s.add_line_element(), 0, 0, kNan, 1); }, true},
        {"shape element at infinity",
         [](DrawingSurface& s) { s.place_shape_element(s.add_shape_element(), -kInf, 0); }, true},
        {"shape element", [](DrawingSurface& s) { s.place_shape_element(s.add_shape_element(), 2, 2); }, false},
    };
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(c.what);
        DrawingSurface s(200, 100);
        const size_t before = s.display_list().size();
        c.draw(s);
        EXPECT_EQ(s.dropped_count(), c.dropped ? 1u : 0u);
        for (const Primitive& p : s.display_list())
            for (double v : {p.x1, p.y1, p.x2, p.y2, p.radius, p.start, p.end}) EXPECT_TRUE(std::isfinite(v));
        if (c.dropped) {
            EXPECT_EQ(s.display_list().size(), before);
        }
    }
}

TEST(DrawingSurfaceDrops, TheCountSurvivesClearingAndAddsUp) {
    DrawingSurface s(200, 100);
    for (int i = 1; i <= 5; ++i) {
        s.line(kNan, 0, 1, 1);
        s.clear();
        EXPECT_EQ(s.dropped_count(), static_cast<size_t>(i));
    }
    s.line(0, 0, 1, 1);
    EXPECT_EQ(s.dropped_count(), 5u);
}

}  // namespace
}  // namespace vm::draw
