// The shared polygons: every velocity and acceleration polygon closes where
// its equation says, every force polygon closes, and no name is printed over
// another or struck through by a line, over a grid of designs and positions.
#include "figures/motion_figures.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <cmath>

#include "../core/force_design_fixture.h"
#include "core/force_analysis.h"
#include "core/motion_polygons.h"
#include "draw/drawing_surface.h"

using namespace vm;
using vm::draw::Primitive;
using vm::draw::PrimitiveKind;

namespace {

std::vector<Primitive> of_kind(const draw::DrawingSurface& s, PrimitiveKind k) {
    std::vector<Primitive> out;
    for (const Primitive& p : s.display_list())
        if (p.kind == k) out.push_back(p);
    return out;
}

LabelRect text_box(const Primitive& t) {
    return {t.x1, t.y1, t.x1 + t.x2, t.y1 + t.y2};
}

// No text over another text or crossed by a line.
void expect_labels_clear(const draw::DrawingSurface& s, const std::string& where) {
    const auto texts = of_kind(s, PrimitiveKind::Text);
    const auto lines = of_kind(s, PrimitiveKind::Line);
    for (size_t i = 0; i < texts.size(); ++i) {
        for (size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(rects_overlap(text_box(texts[i]), text_box(texts[j])))
                << where << ": " << texts[i].text.toStdString() << " over "
                << texts[j].text.toStdString();
        for (const Primitive& l : lines)
            EXPECT_FALSE(segment_crosses(text_box(texts[i]), l.x1, l.y1, l.x2, l.y2))
                << where << ": a line crosses " << texts[i].text.toStdString();
    }
}

struct Mechanism {
    double r, l, e, omega1;
};
Mechanism mechanism_of(const test::DesignTexts& d) {
    const DesignState s = test::confirmed_state(d);
    return {s.qb_r / 1000, s.lg_l / 1000, val(s.hs_e) / 1000, -val(s.qb_w) * 2 * kPiAnalysis / 60};
}

}  // namespace

// For each design and a crank angle every 15 degrees: the relative arrow a -> b
// starts at a and ends at b, and a' -> n' -> b' ends at b'.
TEST(MotionPolygons, BothPolygonsCloseOverTheTurn) {
    for (const test::DesignTexts& d : test::kDesigns) {
        const Mechanism m = mechanism_of(d);
        for (int deg = 0; deg < 360; deg += 15) {
            const double phi = deg * kPiAnalysis / 180;
            PolygonScale place;
            place.scale_v = 20, place.scale_a = 0.2;
            place.centre_v_x = 300, place.centre_v_y = 400, place.centre_a_x = 300,
            place.centre_a_y = 150;
            const auto k = jisuan(m.r, m.l, m.e, phi, m.omega1, &place);
            if (!k) continue;
            draw::DrawingSurface s(600, 600);
            s.set_scale(0, 600, 600, -600);
            const auto v = figures::single_velocity_polygon(s, *k, place.scale_v);
            const auto a = figures::single_acceleration_polygon(s, *k, place.scale_a);
            const auto lines = of_kind(s, PrimitiveKind::Line);
            // The shaft from a point is the line from it of the arrow's length
            // (the barbs of the arrow ending there start there too).
            auto shaft_from = [&](double x, double y, double length) -> const Primitive* {
                for (const Primitive& p : lines)
                    if (std::hypot(p.x1 - s.to_px_x(x), p.y1 - s.to_px_y(y)) < 1e-6 &&
                        std::fabs(std::hypot(p.x2 - p.x1, p.y2 - p.y1) -
                                  s.units_to_px_x(std::fabs(length))) < 1e-6)
                        return &p;
                return nullptr;
            };
            const std::string where = std::string(d.name) + " at " + std::to_string(deg);
            ASSERT_EQ(v.size(), 3u);
            EXPECT_TRUE(shaft_from(v[1].x, v[1].y, place.scale_v * k->v_ba) ||
                        std::fabs(k->v_ba) < 1e-9)
                << where;
            if (const Primitive* ab = shaft_from(v[1].x, v[1].y, place.scale_v * k->v_ba)) {
                EXPECT_NEAR(ab->x2, s.to_px_x(v[2].x), 1e-3) << where;
                EXPECT_NEAR(ab->y2, s.to_px_y(v[2].y), 1e-3) << where;
            }
            if (const Primitive* nb = shaft_from(k->pt_n_x, k->pt_n_y, place.scale_a * k->a_ba_t)) {
                EXPECT_NEAR(nb->x2, s.to_px_x(a[2].x), 1e-3) << where;
                EXPECT_NEAR(nb->y2, s.to_px_y(a[2].y), 1e-3) << where;
            }
        }
    }
}

// The fifteen-position grid's names and captions, placed after every arrow,
// stay clear of each other and of every line, at the window's default scale
// or, where that would run a polygon into its neighbours, one that fits a cell.
TEST(MotionPolygons, GridNamesAndCaptionsStayClear) {
    for (const test::DesignTexts& d : test::kDesigns) {
        const DesignState st = test::confirmed_state(d);
        const Mechanism m = mechanism_of(d);
        draw::DrawingSurface s(667, 467);
        s.set_scale(0, 500 * 467.0 / 667, 500, -500 * 467.0 / 667);
        std::vector<figures::PointName> names;
        std::vector<figures::Caption> captions;
        PolygonScale poly;
        poly.scale_v = std::min(11.0, 35 / (m.r * std::fabs(m.omega1))), poly.scale_a = 0.15;
        for (const GridPosition& p : fifteen_positions(st.jd_wai, 0)) {
            poly.centre_v_x = p.centre_v_x, poly.centre_v_y = p.centre_v_y;
            const auto k = jisuan(m.r, m.l, m.e, p.phi, m.omega1, &poly);
            if (!k) continue;
            for (auto& n : figures::grid_velocity_polygon(s, *k, poly.scale_v)) names.push_back(n);
            captions.push_back({p.centre_v_x - 50, p.centre_v_y + 65, velocity_grid_label(p)});
        }
        figures::print_names(s, names, captions);
        EXPECT_EQ(of_kind(s, PrimitiveKind::Text).size(), names.size() + captions.size());
        expect_labels_clear(s, d.name);
    }
}

// Every member's force polygon at every 30th row closes on its start, and
// the force names are printed once each, clear of lines, dots and each other.
TEST(ForcePolygons, CloseAndNameEachForceOnce) {
    for (const test::DesignTexts& d : test::kDesigns) {
        DesignState st = test::confirmed_state(d);
        ASSERT_TRUE(fill_force_table(st)) << d.name;
        for (int member : {kCrank, kRod, kPiston})
            for (int row = 0; row < 720; row += 30) {
                const auto steps = force_polygon(st.force_table, member, row, st.force);
                double largest = 0;
                for (const ForceStep& f : steps)
                    largest = std::max(largest, std::hypot(f.fx, f.fy));
                draw::DrawingSurface s(500, 500);
                s.set_scale(-100, 100, 200, -200);
                const double per_unit = largest / 60;
                const auto tips = figures::force_polygon_lines(s, steps, 0, 0, per_unit);
                ASSERT_EQ(tips.size(), steps.size());
                const std::string where = std::string(d.name) + " member " +
                                          std::to_string(member) + " row " + std::to_string(row);
                EXPECT_NEAR(tips.back().first, 0, 1e-6 * 60) << where;
                EXPECT_NEAR(tips.back().second, 0, 1e-6 * 60) << where;
                std::vector<figures::PixelBox> dots;
                for (const auto& t : tips)
                    dots.push_back({s.to_px_x(t.first) - 3, s.to_px_y(t.second) - 3,
                                    s.to_px_x(t.first) + 3, s.to_px_y(t.second) + 3});
                figures::print_force_names(s, steps, tips, dots);
                const auto texts = of_kind(s, PrimitiveKind::Text);
                ASSERT_EQ(texts.size(), steps.size()) << where;
                for (size_t i = 0; i < texts.size(); ++i)
                    for (size_t j = i + 1; j < texts.size(); ++j)
                        EXPECT_FALSE(rects_overlap(text_box(texts[i]), text_box(texts[j])))
                            << where;
            }
    }
}

// A frame scale maps the user rectangle's corners onto the frame's corners.
TEST(FrameScale, UserRectangleFillsTheFrame) {
    struct Case {
        figures::PixelBox frame;
        double left, top, width, height;
    };
    const Case cases[] = {{{10, 20, 110, 70}, 0, 0, 50, 25},
                          {{300, 5, 400, 205}, -10, 40, 20, -40},
                          {{0, 0, 640, 480}, 5, 5, 1, 1}};
    for (const Case& c : cases) {
        draw::DrawingSurface s(640, 480);
        figures::set_frame_scale(s, c.frame, c.left, c.top, c.width, c.height);
        EXPECT_NEAR(s.to_px_x(c.left), c.frame.left, 1e-9);
        EXPECT_NEAR(s.to_px_y(c.top), c.frame.top, 1e-9);
        EXPECT_NEAR(s.to_px_x(c.left + c.width), c.frame.right, 1e-9);
        EXPECT_NEAR(s.to_px_y(c.top + c.height), c.frame.bottom, 1e-9);
    }
}
