// Form2 driven through its controls: the polygon of each member drawn head to
// tail from the origin and back, the row an angle picks, the reduction factor,
// the dots that stay until "清除", refusals, and the way back.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "core/force_polygon.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "tests/support/tolerance.h"
#include "tests/ui/motion/motion_fixture.h"
#include "ui/common/vb_scroll_bar.h"
#include "ui/motion/form1_sheet.h"
#include "ui/motion/form2.h"

namespace vm {
namespace {

using draw::Primitive;
using test::near;

constexpr double kPxPerMm = 1440 / 25.4 / 15;

struct Opened : test::FilledWindow<Form2> {
    const draw::DrawingSurface& pic() const { return w->fpic->surface(); }
    void draw(int member, const char* angle) {
        w->Goujian[static_cast<size_t>(member)]->click();
        w->f_itxt->setText(QString::fromUtf8(angle));
        w->f_draw->click();
    }
    std::vector<bool> dots_visible() const {
        std::vector<bool> v;
        for (const draw::ShapeElement& e : pic().shape_elements()) v.push_back(e.visible);
        return v;
    }
};

TEST(Form2Polygon, EveryMemberReturnsToTheOrigin) {
    Opened o;
    for (int member : {1, 2, 3}) {
        for (const char* angle : {"0", "45", "183", "360", "400", "421", "719"}) {
            o.draw(member, angle);
            const auto l = test::lines(o.pic());
            ASSERT_EQ(l.size(), member == 3 ? 5u : 4u) << member << " " << angle;
            const double ox = o.pic().to_px_x(0), oy = o.pic().to_px_y(0);
            EXPECT_TRUE(near(l.front().x1, ox, 1e-9));
            EXPECT_TRUE(near(l.front().y1, oy, 1e-9));
            for (size_t i = 1; i < l.size(); ++i) {
                EXPECT_EQ(l[i].x1, l[i - 1].x2);
                EXPECT_EQ(l[i].y1, l[i - 1].y2);
            }
            EXPECT_LT(std::hypot(l.back().x2 - ox, l.back().y2 - oy), 1e-6) << member << " " << angle;
            for (const Primitive& p : l) EXPECT_EQ(p.width, 3);
        }
    }
}

TEST(Form2Polygon, HalfDegreesRoundToTheEvenRow) {
    Opened o;
    auto drawn = [&](const char* angle) {
        o.draw(1, angle);
        return test::lines(o.pic());
    };
    struct Case {
        const char *typed, *same_as, *differs_from;
    };
    for (const Case& c : {Case{"0.5", "0", "1"}, Case{"1.5", "2", "1"}, Case{"2.5", "2", "3"}}) {
        const auto a = drawn(c.typed), b = drawn(c.same_as), d = drawn(c.differs_from);
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].x2, b[i].x2) << c.typed;
            EXPECT_EQ(a[i].y2, b[i].y2) << c.typed;
        }
        EXPECT_NE(a[0].x2, d[0].x2) << c.typed;
    }
}

TEST(Form2Polygon, TheReductionFactorFollowsTheScrollBar) {
    Opened o;
    o.draw(1, "30");
    const double r41 = std::hypot(o.state->force_table.at(30, kR41x), o.state->force_table.at(30, kR41y));
    for (int factor : {1, 1000, 342}) {
        o.w->VScroll2->set_value(factor);
        EXPECT_EQ(o.w->f_ktxt->text(), QString::number(factor));
        const Primitive first = test::lines(o.pic()).front();
        // The picture is 1/15 of a twip per pixel in both directions, so mm are square.
        EXPECT_TRUE(near(std::hypot(first.x2 - first.x1, first.y2 - first.y1), r41 / factor * kPxPerMm, 1e-3));
    }
}

TEST(Form2Polygon, PanningMovesTheOrigin) {
    Opened o;
    o.draw(2, "90");
    const double ox = o.pic().to_px_x(0), oy = o.pic().to_px_y(0);
    // With the initial values the origin lies 70 mm from the left and 50 mm below the top.
    EXPECT_TRUE(near(ox, 70 * kPxPerMm, 1e-9));
    EXPECT_TRUE(near(oy, 50 * kPxPerMm, 1e-9));
    o.w->HScroll1->set_value(20);
    o.w->VScroll1->set_value(-30);
    const Primitive first = test::lines(o.pic()).front();
    EXPECT_TRUE(near(first.x1, 20 * kPxPerMm, 1e-9));
    EXPECT_TRUE(near(first.y1, -30 * kPxPerMm, 1e-9));
}

TEST(Form2Dots, OtherMembersDotsStayUntilCleared) {
    Opened o;
    o.draw(1, "60");
    const auto crank_dots = o.pic().shape_elements();
    const size_t crank[4] = {static_cast<size_t>(o.w->s_red[0]), static_cast<size_t>(o.w->s_green[0]),
                             static_cast<size_t>(o.w->s_yellow[0]), static_cast<size_t>(o.w->s_blue[0])};
    for (size_t i : crank) EXPECT_TRUE(crank_dots[i].visible);
    EXPECT_FALSE(crank_dots[static_cast<size_t>(o.w->s_ma)].visible);
    // Each dot sits at the tip of its force.
    const auto l = test::lines(o.pic());
    for (size_t i = 0; i < 4; ++i) {
        const draw::ShapeElement& e = crank_dots[crank[i]];
        EXPECT_LT(std::hypot(e.left + e.width / 2 - l[i].x2, e.top + e.height / 2 - l[i].y2), 2.0);
    }
    o.draw(2, "60");
    const auto after = o.pic().shape_elements();
    for (size_t i : crank) {
        EXPECT_TRUE(after[i].visible);
        EXPECT_EQ(after[i].left, crank_dots[i].left);
        EXPECT_EQ(after[i].top, crank_dots[i].top);
    }
    EXPECT_EQ(test::lines(o.pic()).size(), 4u) << "only the rod's lines remain";
    o.w->f_cls->click();
    for (bool v : o.dots_visible()) EXPECT_FALSE(v);
    EXPECT_TRUE(o.pic().display_list().empty());
}

TEST(Form2Refusals, BadAnglesAndFactorsDrawNothing) {
    Opened o;
    struct Case {
        const char *angle, *factor, *message;
    };
    const Case cases[] = {
        {"abc", "100", "请输入数字"},
        {"", "100", "请输入数字"},
        {"30", "x", "请输入数字"},
        {"720.5", "100", "请输入-720～720之间的角度"},
        {"-1000", "100", "请输入-720～720之间的角度"},
    };
    for (const Case& c : cases) {
        o.w->f_ktxt->setText(QStringLiteral("100"));
        o.draw(1, "10");
        const auto dots = o.dots_visible();
        test::MessageRecorder rec;
        o.w->f_ktxt->setText(QString::fromUtf8(c.factor));
        o.draw(3, c.angle);
        ASSERT_EQ(rec.messages.size(), 1u) << c.angle;
        EXPECT_EQ(rec.messages[0].first, QString::fromUtf8(c.message));
        EXPECT_EQ(rec.messages[0].second, QStringLiteral("错误"));
        EXPECT_TRUE(o.pic().display_list().empty());
        EXPECT_EQ(o.dots_visible(), dots);
    }
}

TEST(Form2Angles, EveryAcceptedAngleDrawsItsCycleRow) {
    Opened o;
    struct Case {
        const char* angle;
        const char* same_as;
    };
    // Angles outside the filled cycle are the same crank and gas state one cycle on.
    const Case cases[] = {{"-30", "690"}, {"720", "0"}, {"719.5", "0"}, {"-720", "0"}, {"-359.6", "360"}};
    for (int member = 1; member <= 3; ++member)
        for (const Case& c : cases) {
            o.draw(member, c.same_as);
            const auto expected = test::lines(o.pic());
            o.draw(member, c.angle);
            const auto got = test::lines(o.pic());
            ASSERT_EQ(got.size(), expected.size()) << c.angle;
            double longest = 0;
            for (size_t i = 0; i < got.size(); ++i) {
                EXPECT_EQ(got[i].x2, expected[i].x2) << c.angle << " member " << member;
                EXPECT_EQ(got[i].y2, expected[i].y2) << c.angle << " member " << member;
                longest = std::max(longest, std::hypot(got[i].x2 - got[i].x1, got[i].y2 - got[i].y1));
            }
            EXPECT_GT(longest, 0) << c.angle;
        }
}

// The sheet of the member drawn gives every force of the table row with the
// table's magnitude, and each drawn length is the length of its line.
TEST(Form2Sheet, TheSheetShowsTheTablesForcesAndTheDrawnLengths) {
    Opened o;
    for (int member = 1; member <= 3; ++member)
        for (const char* angle : {"0", "60", "400"}) {
            o.draw(member, angle);
            const QString sheet = o.w->sheet_page->text->toPlainText();
            const auto steps = force_polygon(o.state->force_table, member, std::atoi(angle), o.state->force);
            const auto l = test::lines(o.pic());
            ASSERT_EQ(l.size(), steps.size());
            for (size_t i = 0; i < steps.size(); ++i) {
                const QString name = QString::fromStdString(steps[i].name);
                const double n = std::hypot(steps[i].fx, steps[i].fy);
                EXPECT_TRUE(sheet.contains(name + QStringLiteral(" = ") + QString::fromStdString(format_0_00(n)) +
                                           QStringLiteral(" N")))
                    << member << " " << angle << " " << steps[i].name;
                const double drawn_mm = std::hypot(l[i].x2 - l[i].x1, l[i].y2 - l[i].y1) / kPxPerMm;
                EXPECT_TRUE(sheet.contains(name + QStringLiteral(" ") + QString::fromStdString(format_0_00(drawn_mm)) +
                                           QStringLiteral(" mm")))
                    << member << " " << angle << " " << steps[i].name;
            }
            EXPECT_TRUE(sheet.contains(QStringLiteral("第 %1 行").arg(QString::fromLatin1(angle))));
        }
    // At the crank the balancing torque is the table's.
    o.draw(1, "60");
    EXPECT_TRUE(o.w->sheet_page->text->toPlainText().contains(
        QStringLiteral("Mb = ") + QString::fromStdString(format_0_00(o.state->force_table.at(60, kMb)))));
}

TEST(Form2Check, ExactLengthsGiveZeroAndALongerForceTenPercent) {
    Opened o;
    for (int member = 1; member <= 3; ++member) {
        o.draw(member, "400");
        SheetPage* page = o.w->sheet_page;
        const auto& v = page->sheet().vectors;
        ASSERT_EQ(page->rows.size(), v.size());
        EXPECT_EQ(page->scale_boxes[0]->text(), QStringLiteral("342.0"));
        for (size_t longer = 0; longer < v.size(); ++longer) {
            for (size_t i = 0; i < v.size(); ++i)
                page->rows[i].measured->setText(QString::number(v[i].drawn_mm * (i == longer ? 1.1 : 1), 'f', 8));
            page->check_button->click();
            for (size_t i = 0; i < v.size(); ++i)
                EXPECT_EQ(page->rows[i].error->text(), i == longer ? QStringLiteral("10.0 %") : QStringLiteral("0.0 %"))
                    << member << " " << v[i].name;
            EXPECT_TRUE(page->summary->text().startsWith(QStringLiteral("偏差最大：") + QString::fromStdString(v[longer].name)));
        }
    }
    // A measured length that is not a number names its force.
    o.draw(3, "400");
    o.w->sheet_page->rows[3].measured->setText(QStringLiteral("五十"));
    test::MessageRecorder rec;
    o.w->sheet_page->check_button->click();
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_TRUE(rec.messages[0].first.startsWith(QStringLiteral("P(气体压力) 的量得长度")));
}

// Names beside their dots: none over another name, a line or a dot, for
// every member at angles across the cycle, at the default reduction and at the
// coarser one the gas peak needs.
TEST(Form2Labels, NoNameOverANameALineOrADot) {
    Opened o;
    struct View {
        int reduction, origin;
    };
    for (const View v : {View{342, 50}, View{1000, 100}, View{1000, 50}})
        for (int member = 1; member <= 3; ++member)
            for (const char* angle : {"0", "60", "183", "360", "400", "421", "540", "690"}) {
                o.w->f_cls->click();
                o.w->VScroll2->set_value(v.reduction);
                o.w->VScroll1->set_value(v.origin);
                o.draw(member, angle);
                EXPECT_EQ(test::label_clash(o.pic()), QString()) << member << " at " << angle << ", 1:" << v.reduction;
            }
}

}  // namespace
}  // namespace vm
