// The engine picture of the main window: its cams are smooth convex outlines
// (no corner, no dent) and each push rod stands on its cam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "draw/drawing_surface.h"
#include "ui/main/firstpage.h"

namespace vm {
namespace {

using draw::Primitive;
using draw::PrimitiveKind;

constexpr draw::Colour kCamColour = draw::rgb(232, 192, 96);
constexpr draw::Colour kRodColour = draw::rgb(150, 160, 175);
constexpr double kPi = 3.14159265358979323846;

// Runs of joined segments drawn in the cam's colour and pen: each is one cam.
std::vector<std::vector<Primitive>> cam_outlines(const std::vector<Primitive>& list) {
    std::vector<std::vector<Primitive>> out;
    for (const Primitive& p : list) {
        if (p.kind != PrimitiveKind::Line || p.colour != kCamColour || p.width != 2) continue;
        if (out.empty() || out.back().back().x2 != p.x1 || out.back().back().y2 != p.y1) out.emplace_back();
        out.back().push_back(p);
    }
    return out;
}

double distance_to_segment(double px, double py, const Primitive& s) {
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((px - s.x1) * dx + (py - s.y1) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(px - s.x1 - t * dx, py - s.y1 - t * dy);
}

TEST(EnginePicture, CamsAreSmoothConvexOutlinesCarryingTheirRods) {
    draw::DrawingSurface s(440, 640);
    draw_engine_picture(s);
    const auto cams = cam_outlines(s.display_list());
    ASSERT_EQ(cams.size(), 2u);
    for (const auto& outline : cams) {
        SCOPED_TRACE(testing::Message() << "cam at " << outline.front().x1);
        ASSERT_GE(outline.size(), 100u);
        // Closed.
        EXPECT_NEAR(outline.back().x2, outline.front().x1, 1e-9);
        EXPECT_NEAR(outline.back().y2, outline.front().y1, 1e-9);
        // Every corner between two segments turns the same way, and by little:
        // a kink shows as a large turn, a dent as a turn the other way.
        double total = 0, largest = 0;
        int sign = 0;
        for (size_t i = 0; i < outline.size(); ++i) {
            const Primitive& a = outline[i];
            const Primitive& b = outline[(i + 1) % outline.size()];
            const double turn = std::remainder(std::atan2(b.y2 - b.y1, b.x2 - b.x1) -
                                                   std::atan2(a.y2 - a.y1, a.x2 - a.x1),
                                               2 * kPi);
            if (std::fabs(turn) < 1e-12) continue;
            const int here = turn > 0 ? 1 : -1;
            if (sign == 0) sign = here;
            EXPECT_EQ(here, sign) << "dent at segment " << i;
            largest = std::max(largest, std::fabs(turn));
            total += turn;
        }
        EXPECT_LT(largest * 180 / kPi, 4.0) << "a corner in the outline";
        EXPECT_NEAR(std::fabs(total), 2 * kPi, 1e-6);  // once round, no loop
    }
    // Each push rod's lower end lies on the outline of the cam below it.
    int rods = 0;
    for (const Primitive& p : s.display_list()) {
        if (p.kind != PrimitiveKind::Line || p.colour != kRodColour || p.width != 4 || p.x1 != p.x2) continue;
        ++rods;
        double nearest = 1e9;
        for (const auto& outline : cams)
            for (const Primitive& seg : outline)
                nearest = std::min(nearest, distance_to_segment(p.x1, std::max(p.y1, p.y2), seg));
        EXPECT_LT(nearest, 0.5) << "rod at x " << p.x1;
    }
    EXPECT_EQ(rods, 2);
}

}  // namespace
}  // namespace vm
