// Form3 driven through its controls: the figures of the default design
// against an independent integration of the force table, the diagram (curve,
// marks, mean line), redrawing on the scroll bars, the balancing mass, and
// the refusals of bad input.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QLineEdit>
#include <QRectF>
#include <QPointer>
#include <QPushButton>
#include <cmath>

#include "core/design_limits.h"
#include "core/force_analysis.h"
#include "core/kinematics.h"
#include "core/number_text.h"
#include "core/torque_energy.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "tests/support/tolerance.h"
#include "tests/ui/motion/motion_fixture.h"
#include "ui/common/vb_scroll_bar.h"
#include "ui/motion/form3.h"

namespace vm {
namespace {

using draw::Primitive;
using test::near;

constexpr double kPi = 3.14159265358979;

struct Opened : test::FilledWindow<Form3> {
    const draw::DrawingSurface& pic() const { return w->Picture1->surface(); }
    std::vector<Primitive> coloured(draw::Colour c) const {
        std::vector<Primitive> out;
        for (const Primitive& p : test::lines(pic()))
            if (p.colour == c) out.push_back(p);
        return out;
    }
    double shown(QLineEdit* t) const { return val(t->text().toStdString()); }
};

// The energy figures by a running trapezoid over whole-degree samples, the
// cycle closing on row 0, and the excess torques rounded to whole N*m.
struct Independent {
    double mean, e_max, e_min, e_run;
};
Independent integrate(const ForceTable& t) {
    const double dx = static_cast<float>(4 * kPi / 720);
    auto mb = [&](int i) { return t.at(i % 720, kMb); };
    double area = 0;
    for (int i = 1; i <= 720; ++i) area += (mb(i - 1) + mb(i)) * dx / 2;
    Independent r{area / (4 * kPi), 0, 0, 0};
    double run = 0;
    for (int i = 1; i <= 720; ++i) {
        run += (std::nearbyint(mb(i - 1) - r.mean) + std::nearbyint(mb(i) - r.mean)) * dx / 2;
        r.e_max = i == 1 ? run : std::max(r.e_max, run);
        r.e_min = i == 1 ? run : std::min(r.e_min, run);
    }
    r.e_run = run;
    return r;
}

TEST(Form3Figures, LoadFillsTheAllowedFluctuationFromTheDesign) {
    Opened o;
    EXPECT_EQ(o.w->Text6->text(), QStringLiteral("0.01"));
    EXPECT_EQ(o.w->Text7->text(), QStringLiteral("10"));
    EXPECT_TRUE(o.pic().display_list().empty()) << "nothing is drawn before 力矩图";
}

TEST(Form3Figures, AgreeWithAnIndependentIntegrationToTwoDecimals) {
    Opened o;
    o.w->Text6->setText(QStringLiteral("0.02"));
    o.w->Command1->click();
    const Independent ref = integrate(o.state->force_table);
    EXPECT_EQ(o.w->Text1->text().toStdString(), format_0_00(ref.e_max));
    EXPECT_EQ(o.w->Text2->text().toStdString(), format_0_00(ref.e_min));
    EXPECT_EQ(o.w->Text3->text().toStdString(), format_0_00(ref.e_run));
    EXPECT_EQ(o.w->Text4->text().toStdString(), format_0_00(ref.e_max - ref.e_min));
    const double w = 2 * kPi * 620 / 60;
    EXPECT_TRUE(near(o.shown(o.w->Text8), (ref.e_max - ref.e_min) / (0.02 * w * w), 1e-9));
    EXPECT_TRUE(near(o.shown(o.w->Text9), w * ref.mean, 1e-9));
    // What is left after the cycle is small against the largest fluctuation.
    EXPECT_LT(std::fabs(o.shown(o.w->Text3)), 0.01 * o.shown(o.w->Text4));
}

TEST(Form3Diagram, CurveMarksAndMeanLine) {
    Opened o;
    o.w->Command1->click();
    const auto curve = o.coloured(0xFF0000);
    ASSERT_EQ(curve.size(), 720u);
    const draw::DrawingSurface& s = o.pic();
    EXPECT_TRUE(near(s.from_px_x(curve.front().x1), 0, 1e-9));
    EXPECT_TRUE(near(s.from_px_x(curve.back().x2), 4 * kPi, 1e-5));
    EXPECT_TRUE(near(s.from_px_y(curve.back().y2), s.from_px_y(curve.front().y1), 1e-6))
        << "the cycle ends where it began";
    const auto marks = o.coloured(draw::rgb(10, 200, 20));
    ASSERT_FALSE(marks.empty());
    for (const Primitive& m : marks) {
        const double degree = s.from_px_x(m.x1) * 180 / kPi;
        EXPECT_TRUE(degree < 200.5 || degree > 339.5) << degree;
        EXPECT_TRUE(near(s.from_px_y(m.y2), 0, 1e-6)) << "a mark drops to the axis";
    }
    const auto mean = o.coloured(255);
    ASSERT_EQ(mean.size(), 2u);
    const double m_mean = integrate(o.state->force_table).mean;
    EXPECT_TRUE(near(s.from_px_y(mean[0].y1), m_mean, 1e-6));
    const std::vector<QString> words = test::texts(s);
    for (const char* w : {"X", "Y", "动力矩", "平均阻力矩"})
        EXPECT_NE(std::find(words.begin(), words.end(), QString::fromUtf8(w)), words.end()) << w;
    const QString mean_text = QString::fromStdString(printed_number(static_cast<double>(cint(m_mean))));
    EXPECT_NE(std::find(words.begin(), words.end(), mean_text), words.end());
}

TEST(Form3Diagram, TheButtonAndTheScrollBarsRedrawAfresh) {
    Opened o;
    o.w->Command1->click();
    const size_t once = o.pic().display_list().size();
    o.w->Command1->click();  // drawn again, not over itself: its numbers stay sharp
    EXPECT_EQ(o.pic().display_list().size(), once);
    o.w->HScroll1->set_value(-40);
    EXPECT_EQ(o.pic().display_list().size(), once);
    // Twice the N*m per unit of screen: the mean line stands half as high above the axis.
    const auto mean = o.coloured(255);
    const double axis_px = o.pic().to_px_y(0);
    o.w->HScroll1->set_value(-20);
    const auto mean20 = o.coloured(255);
    EXPECT_TRUE(near(2 * (axis_px - mean[0].y1), o.pic().to_px_y(0) - mean20[0].y1, 1e-6));
    // The axis height follows VScroll1: a tenth of the picture per step.
    o.w->VScroll1->set_value(-2);
    EXPECT_TRUE(near(o.pic().to_px_y(0), 0.2 * o.w->Picture1->height(), 1e-6));
}

TEST(Form3Refusals, FluctuationMustBeAPositiveNumber) {
    Opened o;
    for (const char* text : {"abc", "0", "-0.02", ""}) {
        test::MessageRecorder rec;
        o.w->Text6->setText(QString::fromUtf8(text));
        o.w->Command1->click();
        o.w->VScroll1->set_value(o.w->VScroll1->value() == -5 ? -6 : -5);
        ASSERT_EQ(rec.messages.size(), 2u) << text;
        EXPECT_EQ(rec.messages[0].first, QStringLiteral("请输入大于0的数字"));
        EXPECT_EQ(rec.messages[0].second, QStringLiteral("错误"));
        EXPECT_TRUE(o.pic().display_list().empty());
        EXPECT_EQ(o.w->Text4->text(), QStringLiteral(" "));
    }
}

TEST(Form3Refusals, TorquesTooLargeToComputeShowNoFigures) {
    // A piston of 1e9 mm turns the gas force into torques near 1e17 N*m.
    auto state = test::default_design();
    state->hs_d = "1e9";
    ASSERT_TRUE(fill_force_table(*state));
    QPointer<Form3> w = new Form3(*state);
    w->show();
    test::MessageRecorder rec;
    w->Command1->click();
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].first, QStringLiteral("力矩超出可计算的范围，请检查设计数据"));
    EXPECT_EQ(rec.messages[0].second, QStringLiteral("错误"));
    EXPECT_TRUE(w->Picture1->surface().display_list().empty());
    for (QLineEdit* t : {w->Text1, w->Text2, w->Text3, w->Text4, w->Text8, w->Text9})
        EXPECT_EQ(t->text(), QStringLiteral(" "));
    delete w.data();
}

TEST(Form3Refusals, EachRefusalNamesItsRealCause) {
    // A tiny fluctuation or radius is a number above 0: the message says what
    // is wrong with it, the focus goes to its box, and nothing shows as 0.
    struct Case {
        bool delta;  // Text6 with Command1, or Text7 with Command2
        const char* text;
        QString message;
    };
    const Case cases[] = {
        {true, "1e-310", QString::fromStdString(torque_error_message(TorqueError::FlywheelOverflow))},
        {true, "2", QString::fromStdString(std::string(limit_message(kSdK, 2)))},
        {false, "1e-310", QString::fromStdString(mass_error_message(MassError::RadiusTooSmall))},
        {false, "1e308", QString::fromStdString(mass_error_message(MassError::RadiusTooLarge))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Opened o;
        test::MessageRecorder rec;
        QLineEdit* box = c.delta ? o.w->Text6 : o.w->Text7;
        box->setText(QString::fromUtf8(c.text));
        (c.delta ? o.w->Command1 : o.w->Command2)->click();
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_EQ(rec.messages[0].first, c.message);
        EXPECT_NE(c.message, QStringLiteral("请输入大于0的数字"));
        EXPECT_EQ(o.w->focusWidget(), box);
        for (QLineEdit* t : {o.w->Text5, o.w->Text8, o.w->Text9}) EXPECT_EQ(t->text(), QStringLiteral(" "));
        EXPECT_TRUE(o.pic().display_list().empty());
    }
}

TEST(Form3Refusals, CyclesTheOneDegreeStepsCannotResolveShowNoFigures) {
    // The rod of H 225, e 0.5, K 2.9 passes within a degree of horizontal: the
    // mean of the force table once read -142 N*m where the gas work gives +426.
    auto state = test::default_design();
    state->hs_e = "0.5";
    state->hs_k = "2.9";
    const SynthesisResult syn = dimension_synthesis(225, 2.9, 0.5);
    ASSERT_TRUE(syn.ok());
    state->lg_l = syn.value.l, state->qb_r = syn.value.r;
    state->jd_wai = syn.value.jd_wai, state->jd_nei = syn.value.jd_nei;
    ASSERT_TRUE(fill_force_table(*state));
    QPointer<Form3> w = new Form3(*state);
    w->show();
    test::MessageRecorder rec;
    w->Command1->click();
    ASSERT_EQ(rec.messages.size(), 1u);
    const QString angle = QString::fromStdString(
        format_0_00(*minimum_transmission_angle(syn.value.r / 1000, syn.value.l / 1000, 0.0005)));
    EXPECT_TRUE(rec.messages[0].first.contains(QStringLiteral("最小传动角") + angle)) << rec.messages[0].first.toStdString();
    EXPECT_TRUE(rec.messages[0].first.contains(QStringLiteral("水平")));
    EXPECT_TRUE(w->Picture1->surface().display_list().empty());
    for (QLineEdit* t : {w->Text1, w->Text4, w->Text8, w->Text9}) EXPECT_EQ(t->text(), QStringLiteral(" "));
    delete w.data();
}

// What a printed label covers, without the blanks around a number.
QRectF label_rect(const draw::DrawingSurface& s, const Primitive& p) {
    const QFontMetricsF fm(s.font());
    const double lead = fm.horizontalAdvance(p.text) - fm.horizontalAdvance(p.text.trimmed());
    return QRectF(p.x1 + lead / 2, p.y1, fm.horizontalAdvance(p.text.trimmed()), p.y2);
}

TEST(Form3Diagram, LabelsNeitherOverlapNorSitOnTheAxisAndTheYAxisReachesThePeak) {
    // Over several designs and scales: no two labels share a pixel, the x
    // axis strikes through none, and the y axis runs past the curve both ways.
    for (const test::DesignTexts& d : test::kDesigns) {
        for (int y_scroll : {-20, -10, -40}) {
            SCOPED_TRACE(testing::Message() << d.name << " Y " << y_scroll);
            auto state = std::make_unique<DesignState>(test::confirmed_state(d));
            ASSERT_TRUE(fill_force_table(*state));
            QPointer<Form3> w = new Form3(*state);
            w->show();
            test::MessageRecorder rec;
            // A scroll bar that moves redraws by itself; at its first value the button draws.
            if (w->HScroll1->value() != y_scroll)
                w->HScroll1->set_value(y_scroll);
            else
                w->Command1->click();
            ASSERT_TRUE(rec.messages.empty()) << rec.messages[0].first.toStdString();
            const draw::DrawingSurface& s = w->Picture1->surface();
            std::vector<QRectF> rects;
            for (const Primitive& p : test::primitives(s, draw::PrimitiveKind::Text)) rects.push_back(label_rect(s, p));
            ASSERT_GT(rects.size(), 6u);
            for (size_t i = 0; i < rects.size(); ++i)
                for (size_t j = i + 1; j < rects.size(); ++j)
                    EXPECT_FALSE(rects[i].intersects(rects[j]))
                        << test::texts(s)[i].toStdString() << " / " << test::texts(s)[j].toStdString();
            const double axis_y = s.to_px_y(0);
            double axis_top = 1e300, axis_bottom = -1e300, curve_top = 1e300, curve_bottom = -1e300;
            for (const Primitive& p : test::lines(s)) {
                if (p.colour == 0xFF0000) {
                    curve_top = std::min({curve_top, p.y1, p.y2});
                    curve_bottom = std::max({curve_bottom, p.y1, p.y2});
                } else if (p.x1 == p.x2 && p.colour == s.fore_colour()) {
                    axis_top = std::min({axis_top, p.y1, p.y2});
                    axis_bottom = std::max({axis_bottom, p.y1, p.y2});
                }
            }
            EXPECT_LT(axis_top, curve_top);
            EXPECT_GT(axis_bottom, curve_bottom);
            // Neither the x axis nor the mean line runs through a label.
            double mean_y = 0;
            for (const Primitive& p : test::lines(s))
                if (p.colour == 255 && p.y1 == p.y2) mean_y = p.y1;
            const std::pair<double, double> struck[] = {{axis_y, s.to_px_x(15)}, {mean_y, s.to_px_x(4 * kPi)}};
            for (const QRectF& r : rects)
                for (const auto& [y, right] : struck) {
                    const bool over_span = r.left() < right && r.right() > s.to_px_x(0);
                    EXPECT_FALSE(over_span && r.top() < y && r.bottom() > y) << r.top() << " " << y;
                }
            delete w.data();
        }
    }
}

TEST(Form3Balancing, MassHalvesWhenTheRadiusDoubles) {
    Opened o;
    o.w->Command2->click();
    const double at10 = o.shown(o.w->Text5);
    EXPECT_TRUE(near(at10, 18.01, 3e-4));
    // Times R it is the first moment of the rotating masses about O.
    const double r = o.state->qb_r / 1000, m1 = 160 / 9.8, m2 = 120 / 9.8;
    EXPECT_TRUE(near(at10 * 0.1, m2 * 0.65 * r + m1 * r / 2, 1e-9));
    EXPECT_TRUE(near(o.state->force.m3, 190 / 9.8, 1e-12));
    o.w->Text7->setText(QStringLiteral("20"));
    o.w->Command2->click();
    EXPECT_TRUE(near(o.shown(o.w->Text5), at10 / 2, 1e-12));
}

TEST(Form3Balancing, RadiusMustBeAPositiveNumber) {
    Opened o;
    o.w->Command2->click();
    const QString before = o.w->Text5->text();
    for (const char* text : {"0", "-10", "ten", ""}) {
        test::MessageRecorder rec;
        o.w->Text7->setText(QString::fromUtf8(text));
        o.w->Command2->click();
        ASSERT_EQ(rec.messages.size(), 1u) << text;
        EXPECT_EQ(rec.messages[0].first, QStringLiteral("请输入大于0的数字"));
        EXPECT_EQ(o.w->Text5->text(), before);
    }
}

}  // namespace
}  // namespace vm
