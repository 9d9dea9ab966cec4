// The charts and the mechanism diagram against the numbers they draw: every
// value inside the value axis and every tick number centred on its tick; the
// crank and rod of every position at their true lengths to the stated scale,
// the piston pin on its path.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "../core/force_design_fixture.h"
#include "core/course_document.h"
#include "draw/drawing_surface.h"
#include "figures/cam_figures.h"
#include "figures/curve_charts.h"
#include "figures/document_figures.h"
#include "figures/mechanism_figures.h"

using namespace vm;
using vm::draw::Primitive;
using vm::draw::PrimitiveKind;

TEST(PistonCurves, StartAtTheOuterDeadCentreAndSpanTheStroke) {
    for (const test::DesignTexts& d : test::kDesigns) {
        const DesignState st = test::confirmed_state(d);
        const figures::PistonCurves c = figures::piston_curves(st);
        ASSERT_EQ(c.angle.size(), 720u) << d.name;
        EXPECT_NEAR(c.s.front(), 0, 1e-9) << d.name;
        // Displacement measured down from the outer dead centre reaches the stroke once a turn.
        double largest = 0;
        for (double s : c.s) {
            EXPECT_GE(s, -1e-6) << d.name;
            largest = std::max(largest, s);
        }
        EXPECT_NEAR(largest, val(st.hs_h), 0.05 * val(st.hs_h)) << d.name;
        // The curves repeat after one turn of the crank.
        EXPECT_NEAR(c.v[90], c.v[450], 1e-3 * std::fabs(c.v[90]) + 1e-6) << d.name;
    }
}

// Each value of a chart lies between its lowest and highest value tick, and
// each number printed under the angle axis is centred on its tick.
TEST(Charts, CurveInsideItsAxesAndNumbersCentredOnTicks) {
    struct Case {
        std::vector<double> y;
    };
    const Case cases[] = {
        {{0, 1, 2, 3}}, {{-592.49, 356, 470}}, {{1e-7, 2e-7}}, {{-5, -5, -5}}, {{0, 63000, 100}}};
    for (const Case& c : cases) {
        draw::DrawingSurface s(600, 300);
        figures::use_figure_font(s);
        figures::Chart chart;
        for (size_t i = 0; i < c.y.size(); ++i)
            chart.x.push_back(720.0 * double(i) / double(c.y.size() - 1));
        chart.y = c.y;
        chart.x_caption = "φ/(°)";
        chart.y_caption = "v/(m/s)";
        figures::draw_chart(s, {10, 10, 590, 290}, chart);
        std::vector<Primitive> lines, texts;
        for (const Primitive& p : s.display_list())
            (p.kind == PrimitiveKind::Text ? texts : lines).push_back(p);
        ASSERT_FALSE(lines.empty());
        // The value axis is the second line drawn: from the lowest value up.
        const Primitive& axis = lines[1];
        const double lowest_px = std::max(axis.y1, axis.y2),
                     highest_px = std::min(axis.y1, axis.y2);
        for (size_t i = 0; i < c.y.size(); ++i) {
            EXPECT_LE(s.to_px_y(c.y[i]), lowest_px + 1e-6);
            EXPECT_GE(s.to_px_y(c.y[i]), highest_px - 1e-6);
        }
        for (int a = 0; a <= 720; a += 90) {
            const QString t = QString::number(a);
            const double tick = s.to_px_x(a);
            bool found = false;
            for (const Primitive& p : texts)
                if (p.text == t && std::fabs(p.x1 + p.x2 / 2 - tick) < 0.5 && p.y1 > lowest_px)
                    found = true;
            EXPECT_TRUE(found) << a;
        }
    }
}

// The crank from O and the rod to the piston path at their true lengths for
// every position drawn, at the scale the figure states.
TEST(MechanismDiagram, LinksAtTrueLengthToScale) {
    for (const test::DesignTexts& d : test::kDesigns) {
        const DesignState st = test::confirmed_state(d);
        const auto positions = figures::mechanism_positions(st, {1, 4, 7});
        ASSERT_EQ(positions.size(), 4u) << d.name;  // position 1 is the outer dead centre
        const double mu = mechanism_scale(st.qb_r, st.lg_l, val(st.hs_e), 160, 175);
        draw::DrawingSurface s(int(160 * figures::kPxPerMm), int(175 * figures::kPxPerMm));
        figures::use_figure_font(s);
        figures::draw_mechanism(s, {2, 2, s.width_px() - 2.0, s.height_px() - 2.0}, st, positions,
                                mu);
        const double px_per_real_mm = figures::kPxPerMm / (mu * 1000);
        const double ox = s.to_px_x(0), oy = s.to_px_y(0), path_x = s.to_px_x(val(st.hs_e));
        int cranks = 0;
        for (const Primitive& c : s.display_list()) {
            if (c.kind != PrimitiveKind::Line || c.width != 2 ||
                std::hypot(c.x1 - ox, c.y1 - oy) > 1e-6)
                continue;
            ++cranks;
            EXPECT_NEAR(std::hypot(c.x2 - c.x1, c.y2 - c.y1), st.qb_r * px_per_real_mm, 1e-6)
                << d.name;
            int rods = 0;
            for (const Primitive& r : s.display_list())
                if (r.kind == PrimitiveKind::Line && r.width == 2 &&
                    std::hypot(r.x1 - c.x2, r.y1 - c.y2) < 1e-6) {
                    ++rods;
                    EXPECT_NEAR(std::hypot(r.x2 - r.x1, r.y2 - r.y1), st.lg_l * px_per_real_mm,
                                1e-6)
                        << d.name;
                    EXPECT_NEAR(r.x2, path_x, 1e-6) << d.name;
                    EXPECT_LT(r.y2, c.y2) << d.name << ": the piston above the crank pin";
                }
            EXPECT_EQ(rods, 1) << d.name;
        }
        EXPECT_EQ(cranks, 4) << d.name;
    }
}

// The plot for a page samples the curves ten times more coarsely than the
// window's, and shows the same frame, with every page sample on the window's
// curve of its colour.
TEST(FollowerCurvePage, SameFrameAndCurvesAsTheWindowPlot) {
    using figures::CurvePlot;
    for (double h : {10.0, 7.5, 23.0}) {
        SCOPED_TRACE(h);
        draw::DrawingSurface page(600, 340), window(600, 340);
        const std::vector<figures::Curve> all{figures::Curve::Lift, figures::Curve::Velocity,
                                              figures::Curve::Acceleration};
        figures::draw_follower_curves(page, all, h);
        figures::draw_follower_curves(window, all, h, CurvePlot::kSamplesPerDegree);
        auto texts = [](const draw::DrawingSurface& s) {
            std::vector<std::pair<QString, std::pair<double, double>>> out;
            for (const draw::Primitive& p : s.display_list())
                if (p.kind == draw::PrimitiveKind::Text) out.push_back({p.text, {p.x1, p.y1}});
            return out;
        };
        EXPECT_EQ(texts(page), texts(window));
        std::map<draw::Colour, std::map<double, double>> curve;  // colour -> x -> y of the window's samples
        for (const draw::Primitive& p : window.display_list())
            if (p.kind == draw::PrimitiveKind::Line) curve[p.colour][p.x2] = p.y2;
        std::size_t samples = 0;
        for (const draw::Primitive& p : page.display_list()) {
            if (p.kind != draw::PrimitiveKind::Line || curve[p.colour].size() < 1000) continue;
            ++samples;
            const auto at = curve[p.colour].find(p.x2);
            ASSERT_NE(at, curve[p.colour].end()) << p.x2;
            EXPECT_NEAR(at->second, p.y2, 1e-9);
        }
        EXPECT_GE(samples, 3u * 150 * figures::kPageSamplesPerDegree);
    }
}
