// The report's figures over a grid of designs: numbered in order, each
// caption stating the scale the figure is drawn at, every kind present, and
// each drawing inside its picture with no label over another.
#include "figures/document_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include <map>

#include "../core/force_design_fixture.h"
#include "core/course_document.h"
#include "core/force_analysis.h"
#include "core/motion_polygons.h"
#include "core/number_text.h"
#include "core/torque_energy.h"
#include "draw/drawing_surface.h"

using namespace vm;
using vm::draw::Primitive;
using vm::draw::PrimitiveKind;

namespace {

std::vector<const DocBlock*> figure_blocks(const CourseDocument& doc) {
    std::vector<const DocBlock*> out;
    for (const DocBlock& b : doc.blocks)
        if (b.kind == DocBlock::Kind::Figure) out.push_back(&b);
    return out;
}

bool inside(const Primitive& p, double w, double h) {
    constexpr double slack = 1.5;  // half a thick line
    auto in = [&](double x, double y) {
        return x >= -slack && y >= -slack && x <= w + slack && y <= h + slack;
    };
    switch (p.kind) {
        case PrimitiveKind::Line:
        case PrimitiveKind::Box:
        case PrimitiveKind::FilledBox:
            return in(p.x1, p.y1) && in(p.x2, p.y2);
        case PrimitiveKind::Text:
            return in(p.x1, p.y1) && in(p.x1 + p.x2, p.y1 + p.y2);
        case PrimitiveKind::Circle:
        case PrimitiveKind::FilledCircle:
        case PrimitiveKind::Arc:
            return in(p.x1 - p.radius, p.y1 - p.radius) && in(p.x1 + p.radius, p.y1 + p.radius);
        case PrimitiveKind::Point:
            return in(p.x1, p.y1);
    }
    return true;
}

LabelRect text_box(const Primitive& t) {
    return {t.x1, t.y1, t.x1 + t.x2, t.y1 + t.y2};
}

}  // namespace

TEST(DocumentFigures, NumberedInOrderWithTheirScaleAndEveryKindPresent) {
    using K = DocFigure::Kind;
    for (const test::DesignTexts& d : test::kDesigns) {
        const CourseDocument doc = course_document(test::confirmed_state(d), CourseOptions{});
        ASSERT_TRUE(doc.ok()) << d.name << ": " << doc.error;
        std::map<K, int> kinds;
        int expected = 0;
        for (const DocBlock* b : figure_blocks(doc)) {
            ++expected;
            EXPECT_EQ(b->number, expected) << d.name;
            EXPECT_EQ(b->text.rfind("图 " + std::to_string(expected) + "  ", 0), 0u) << b->text;
            ++kinds[b->figure.kind];
            if (b->figure.scale > 0) {
                EXPECT_NE(b->text.find(plain(b->figure.scale)), std::string::npos)
                    << d.name << ": caption without its scale: " << b->text;
            }
            if (b->figure.scale2 > 0) {
                EXPECT_NE(b->text.find(plain(b->figure.scale2)), std::string::npos)
                    << d.name << ": caption without its angle scale: " << b->text;
            }
        }
        const std::pair<K, int> want[] = {
            {K::Mechanism, 1},    {K::Velocity, 2}, {K::Acceleration, 2}, {K::Force, 6},
            {K::PistonCurves, 1}, {K::GasForce, 1}, {K::CamCurves, 1},    {K::CamProfile, 1},
            {K::Torque, 1},       {K::WorkCycle, 1}};
        for (const auto& [kind, n] : want)
            EXPECT_EQ(kinds[kind], n) << d.name << " kind " << int(kind);
    }
}

// Each figure stays inside its picture and no two of its texts overlap.
TEST(DocumentFigures, EveryFigureFitsItsPictureAndNoLabelCoversAnother) {
    for (const test::DesignTexts& d : test::kDesigns) {
        DesignState st = test::confirmed_state(d);
        ASSERT_TRUE(fill_force_table(st)) << d.name;
        const CourseOptions options;
        const CourseDocument doc = course_document(st, options);
        for (const DocBlock* b : figure_blocks(doc)) {
            const auto s = figures::document_figure(b->figure, st, options);
            ASSERT_TRUE(s) << b->text;
            const auto& list = s->display_list();
            EXPECT_GT(list.size(), 5u) << b->text;
            std::vector<const Primitive*> texts;
            for (const Primitive& p : list) {
                EXPECT_TRUE(inside(p, s->width_px(), s->height_px()))
                    << d.name << ", " << b->text << ": primitive " << int(p.kind) << " at " << p.x1
                    << "," << p.y1 << " off the picture " << s->width_px() << "x" << s->height_px();
                if (p.kind == PrimitiveKind::Text) texts.push_back(&p);
            }
            EXPECT_GE(texts.size(), 3u) << b->text;
            // Names of points and forces are placed clear of every line.
            const auto k = b->figure.kind;
            if (k == DocFigure::Kind::Velocity || k == DocFigure::Kind::Acceleration ||
                k == DocFigure::Kind::Force || k == DocFigure::Kind::Mechanism)
                for (const Primitive* t : texts)
                    for (const Primitive& l : list)
                        if (l.kind == PrimitiveKind::Line) {
                            EXPECT_FALSE(segment_crosses(text_box(*t), l.x1, l.y1, l.x2, l.y2))
                                << d.name << ", " << b->text << ": a line crosses "
                                << t->text.toStdString();
                        }
            for (size_t i = 0; i < texts.size(); ++i)
                for (size_t j = i + 1; j < texts.size(); ++j)
                    EXPECT_FALSE(rects_overlap(text_box(*texts[i]), text_box(*texts[j])))
                        << d.name << ", " << b->text << ": " << texts[i]->text.toStdString()
                        << " over " << texts[j]->text.toStdString();
        }
    }
}

// The polygons' and the mechanism's scales: round steps, and the drawing at
// that scale no longer than asked.
TEST(DocumentFigures, ScalesAreRoundAndFit) {
    struct Case {
        double largest, mm;
    };
    const Case cases[] = {{7.29, 70}, {470.98, 70}, {1e-3, 50}, {123456, 80}, {70, 70}, {0.5, 1}};
    const double steps[] = {1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6, 8, 10};
    for (const Case& c : cases) {
        const double mu = drawing_scale(c.largest, c.mm);
        EXPECT_LE(c.largest / mu, c.mm * (1 + 1e-9)) << c.largest;
        // The next smaller step would not fit.
        const double mantissa = mu / std::pow(10.0, std::floor(std::log10(mu) + 1e-9));
        bool round = false;
        for (double m : steps) round = round || std::fabs(mantissa - m) < 1e-9;
        EXPECT_TRUE(round) << mu;
    }
    for (const test::DesignTexts& d : test::kDesigns) {
        const DesignState st = test::confirmed_state(d);
        for (double w : {160.0, 400.0})
            for (double h : {175.0, 240.0}) {
                const double mu = mechanism_scale(st.qb_r, st.lg_l, val(st.hs_e), w, h);
                EXPECT_LE((2 * st.qb_r + st.lg_l) / (mu * 1000), h) << d.name;
                EXPECT_LE((std::max(st.qb_r, val(st.hs_e)) + st.qb_r) / (mu * 1000), w) << d.name;
            }
    }
    // The torque diagram: its extent at the chosen scales fits the paper
    // asked for and holds the whole curve with the +-3000 N*m axis.
    for (const test::DesignTexts& d : test::kDesigns) {
        DesignState st = test::confirmed_state(d);
        ASSERT_TRUE(fill_force_table(st)) << d.name;
        const auto t = torque_figures(st.force_table, val(st.qb_w), val(st.sd_k));
        ASSERT_TRUE(t) << d.name;
        const auto [lo, hi] = std::minmax_element(t->mom.begin(), t->mom.end());
        for (const auto& [w, h] : {std::pair{156.0, 100.0}, {390.0, 235.0}, {60.0, 40.0}}) {
            const TorqueChartScales sc = torque_chart_scales(*t, w, h);
            EXPECT_LE(sc.width_mm(), w * (1 + 1e-9)) << d.name << " " << w;
            EXPECT_LE(sc.height_mm(), h * (1 + 1e-9)) << d.name << " " << h;
            EXPECT_GT(sc.y_top, std::max(*hi, 3000.0)) << d.name;
            EXPECT_LT(sc.y_bottom, std::min(*lo, -3000.0)) << d.name;
            EXPECT_LE(sc.x_left, 0);
            EXPECT_GE(sc.x_right, 4 * kPiTorque);
        }
    }
    EXPECT_EQ(drawing_scale(0, 70), 1);
    EXPECT_EQ(drawing_scale(std::nan(""), 70), 1);
}

// A paragraph that sends the reader to a figure names the figure that follows
// it; one that sends him to a table's last column for the gas force names
// the table whose last column that is.
TEST(DocumentFigures, ReferencesNameTheRightFigureAndTable) {
    for (const test::DesignTexts& d : test::kDesigns) {
        const CourseDocument doc = course_document(test::confirmed_state(d), CourseOptions{});
        ASSERT_TRUE(doc.ok());
        int references = 0;
        for (size_t i = 0; i < doc.blocks.size(); ++i) {
            const std::string& t = doc.blocks[i].text;
            if (doc.blocks[i].kind != DocBlock::Kind::Paragraph) continue;
            if (const size_t at = t.find("见图 "); at != std::string::npos) {
                ++references;
                const int n = std::stoi(t.substr(at + std::string("见图 ").size()));
                const DocBlock* next = nullptr;
                for (size_t j = i + 1; j < doc.blocks.size() && !next; ++j)
                    if (doc.blocks[j].kind == DocBlock::Kind::Figure) next = &doc.blocks[j];
                ASSERT_TRUE(next) << t;
                EXPECT_EQ(next->number, n) << t;
            }
            if (const size_t at = t.find("见表 "); at != std::string::npos) {
                ++references;
                const int n = std::stoi(t.substr(at + std::string("见表 ").size()));
                const DocBlock* table = nullptr;
                for (const DocBlock& b : doc.blocks)
                    if (b.kind == DocBlock::Kind::Table && b.number == n) table = &b;
                ASSERT_TRUE(table) << t;
                EXPECT_NE(table->table.header.back().find("气体压力"), std::string::npos) << t;
            }
        }
        EXPECT_GE(references, 3) << d.name;
    }
}
