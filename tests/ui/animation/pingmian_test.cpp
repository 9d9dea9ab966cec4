// pingmian driven through its buttons and its timer slot, checked through the
// model, the texts, the recorded messages and the display list of Picture2.
#include "ui/animation/pingmian.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "core/design_state.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "tests/support/tolerance.h"
#include "ui/animation/pingmian_draw.h"
#include "ui/common/vb_scroll_bar.h"

namespace vm {
namespace {

using draw::Primitive;
using draw::PrimitiveKind;
using ui::ss;

struct Window {
    DesignState state;
    std::unique_ptr<pingmian> w;
    Window() {
        state.hs_h = "225";
        state.hs_d = "170";
        state.hs_e = "50";
        state.hs_k = "1.04";
        w = std::make_unique<pingmian>(state);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    const std::vector<Primitive>& list() const { return w->Picture2->surface().display_list(); }
    long count(PrimitiveKind kind, draw::Colour c, double radius = -1) const {
        return std::count_if(list().begin(), list().end(), [&](const Primitive& p) {
            return p.kind == kind && p.colour == c &&
                   (radius < 0 || std::fabs(p.radius - radius) < 1e-9);
        });
    }
    double hub_radius_px() const { return w->Picture2->surface().units_to_px_x(5); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) w->Timer1_Timer();
    }
};
// After "绘图" with the loaded parameters; Running has also pressed "运转".
struct Drawn : Window {
    Drawn() { w->Command1->click(); }
};
struct Running : Drawn {
    Running() { w->Command4->click(); }
};

TEST(Pingmian, LoadsItsCopyOfTheParametersWithOnlyDrawClearAndExit) {
    Window t;
    EXPECT_EQ(t.w->Text1->text(), "225");
    EXPECT_EQ(t.w->Text4->text(), "1.04");
    EXPECT_EQ(t.w->Text7->text(), "0");
    EXPECT_EQ(t.w->windowTitle(), "Form1");
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{t.w->Command3, t.w->Command4, t.w->Command5, t.w->HScroll1,
                                         t.w->Label11, t.w->Label12, t.w->Label13})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_TRUE(t.list().empty());
    const auto& s = t.w->Picture2->surface();
    EXPECT_EQ(s.scale_width(), 700);
    EXPECT_EQ(s.scale_top(), -s.scale_height());
}

TEST(Pingmian, DrawShowsDimensionsAndOneFrameOfGears) {
    Drawn t;
    EXPECT_TRUE(test::near(*to_number(ss(t.w->Text6->text())), 111.73, 0.005 / 111.73));
    EXPECT_TRUE(test::near(*to_number(ss(t.w->Text5->text())), 441.85, 0.005 / 441.85));
    EXPECT_EQ(ss(t.w->Text5->text()), plain(t.w->model().dims.rod_len));
    for (QPushButton* b : {t.w->Command3, t.w->Command4, t.w->Command5})
        EXPECT_FALSE(b->isHidden());
    EXPECT_FALSE(t.w->Timer1->isActive());
    EXPECT_EQ(t.w->Timer1->interval(), 30);
    const draw::Colour blue = draw::qb_color(animation::kGearColour);
    EXPECT_EQ(t.count(PrimitiveKind::Line, blue), 832);
    EXPECT_EQ(t.count(PrimitiveKind::Circle, 0, t.hub_radius_px()), 208);
    EXPECT_EQ(t.count(PrimitiveKind::Circle, blue), 30);
    EXPECT_EQ(t.count(PrimitiveKind::Circle, animation::kRightRoller), 1);
    EXPECT_EQ(t.count(PrimitiveKind::Circle, animation::kLeftRoller), 1);
    EXPECT_GT(t.count(PrimitiveKind::Point, 0), 1200);
}

TEST(Pingmian, CrankPositionTextIsReadByItsLeadingNumber) {
    Drawn t;
    const double zero = t.w->model().crank_angle;
    struct Case {
        const char* text;
        double degrees;
    };
    for (const Case c : {Case{"30abc", 30}, Case{"", 0}, Case{"x30", 0}, Case{"45", 45}}) {
        t.w->Text7->setText(QString::fromUtf8(c.text));
        t.w->Command1->click();
        EXPECT_TRUE(
            test::near(t.w->model().crank_angle, zero - c.degrees * anim::kPiDegrees / 180, 1e-12))
            << c.text;
        EXPECT_FALSE(t.list().empty());
    }
}

TEST(Pingmian, UndefinedEntriesGiveOneMessageAndNoPicture) {
    struct Case {
        const char *h, *d, *e, *k;
    };
    for (const Case c : {Case{"225", "170", "50", "1"}, Case{"225", "170", "50", "0.5"},
                         Case{"225", "170", "5000", "1.04"}, Case{"225", "-3", "50", "1.04"}}) {
        Running t;
        test::MessageRecorder rec;
        t.w->Text1->setText(c.h);
        t.w->Text2->setText(c.d);
        t.w->Text3->setText(c.e);
        t.w->Text4->setText(c.k);
        t.w->Command1->click();
        ASSERT_EQ(rec.messages.size(), 1u) << c.h << c.d << c.e << c.k;
        EXPECT_EQ(rec.messages[0].first, "该参数无法构成曲柄滑块机构");
        EXPECT_EQ(rec.messages[0].second, "错误");
        EXPECT_TRUE(t.list().empty());
        EXPECT_FALSE(t.w->Timer1->isActive());
        EXPECT_TRUE(t.w->Command4->isHidden());
        EXPECT_TRUE(t.w->Text5->text().isEmpty());
        t.w->Timer1_Timer();
        EXPECT_TRUE(t.list().empty());
    }
}

// A parameter box that holds no number is named like everywhere else, the
// focus goes to it, and the running picture and its dimensions stay.
TEST(Pingmian, TextThatIsNoNumberIsRefusedInItsBox) {
    struct Case {
        const char *h, *d, *e, *k;
        int refused;  // 0..3: Text1..Text4
    };
    for (const Case c : {Case{"abc", "170", "50", "1.04", 0}, Case{"", "170", "50", "1.04", 0},
                         Case{"225", "17o", "50", "1.04", 1}, Case{"225", "170", "", "1.04", 2},
                         Case{"225", "170", "50", "1,04", 3}, Case{"225", "170", "50", "1e999", 3},
                         Case{"x", "y", "z", "w", 0}, Case{"225", "170", "nan", "", 2}}) {
        SCOPED_TRACE(testing::Message() << c.h << "|" << c.d << "|" << c.e << "|" << c.k);
        Running t;
        t.w->show();
        t.ticks(3);
        const size_t frame = t.list().size();
        const QString rod = t.w->Text5->text();
        test::MessageRecorder rec;
        QLineEdit* boxes[] = {t.w->Text1, t.w->Text2, t.w->Text3, t.w->Text4};
        const char* texts[] = {c.h, c.d, c.e, c.k};
        for (int i = 0; i < 4; ++i) boxes[i]->setText(QString::fromUtf8(texts[i]));
        t.w->Command1->click();
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_EQ(rec.messages[0].first, "请输入数字");
        EXPECT_EQ(rec.messages[0].second, "错误");
        EXPECT_EQ(t.w->focusWidget(), boxes[c.refused]);
        EXPECT_EQ(boxes[c.refused]->selectedText(), boxes[c.refused]->text());
        EXPECT_EQ(t.list().size(), frame);
        EXPECT_EQ(t.w->Text5->text(), rod);
        EXPECT_TRUE(t.w->Timer1->isActive());
        EXPECT_FALSE(t.w->Command4->isHidden());
    }
}

TEST(Pingmian, StopAndRunResumeFromTheSameAngles) {
    Running t;
    EXPECT_TRUE(t.w->Timer1->isActive());
    EXPECT_EQ(t.w->Label13->text(), "3");
    t.ticks(7);
    t.w->Command5->click();
    EXPECT_FALSE(t.w->Timer1->isActive());
    const anim::AnimationModel stopped = t.w->model();
    t.w->Command4->click();
    EXPECT_EQ(t.w->model().crank_angle, stopped.crank_angle);
    EXPECT_EQ(t.w->model().gears.gears[2].alpha, stopped.gears.gears[2].alpha);
    EXPECT_EQ(t.w->model().left.phase, stopped.left.phase);
    t.w->Timer1_Timer();
    EXPECT_TRUE(test::near(t.w->model().crank_angle, stopped.crank_angle - 0.06, 1e-12));
    EXPECT_TRUE(test::near(t.w->model().right.phase, stopped.right.phase + 0.03, 1e-12));
    // A new "绘图" stops the motion and starts again at the typed position.
    t.w->Command1->click();
    EXPECT_FALSE(t.w->Timer1->isActive());
    EXPECT_EQ(t.w->model().crank_angle, anim::crank_angle_from_text("0"));
}

TEST(Pingmian, LimitPositionsAreDashedAndLaterDrawingSolid) {
    Drawn t;
    const size_t before = t.list().size();
    t.w->Command3->click();
    ASSERT_EQ(t.list().size(), before + 9);
    for (size_t i = before; i < t.list().size(); ++i) {
        EXPECT_EQ(t.list()[i].style, 1);
        EXPECT_EQ(t.list()[i].colour, t.w->Picture2->surface().fore_colour());
    }
    EXPECT_EQ(t.w->Picture2->surface().line_style(), 0);
    t.w->Command4->click();
    t.w->Timer1_Timer();
    long dashed = 0;
    for (const Primitive& p : t.list()) {
        if (p.style != 1) continue;
        ++dashed;
        EXPECT_EQ(p.colour, animation::kLimitGreen);
    }
    EXPECT_EQ(dashed, 9);
}

TEST(Pingmian, ClearBlanksThePictureOnlyUntilTheNextTick) {
    Running t;
    t.w->Timer1_Timer();
    const size_t frame = t.list().size();
    t.w->Command2->click();
    EXPECT_TRUE(t.list().empty());
    EXPECT_TRUE(t.w->Timer1->isActive());
    t.w->Timer1_Timer();
    EXPECT_EQ(t.list().size(), frame);
}

TEST(Pingmian, EveryTickDrawsBothRollersAndAFullGearFrame) {
    Running t;
    const draw::Colour blue = draw::qb_color(animation::kGearColour);
    // 250 ticks turn the cams 7.5 rad: both phases wrap past a full turn.
    for (int tick = 1; tick <= 250; ++tick) {
        t.w->Timer1_Timer();
        ASSERT_EQ(t.count(PrimitiveKind::Circle, animation::kRightRoller), 1) << tick;
        ASSERT_EQ(t.count(PrimitiveKind::Circle, animation::kLeftRoller), 1) << tick;
        ASSERT_EQ(t.count(PrimitiveKind::Line, blue), 832) << tick;
    }
    EXPECT_LT(t.w->model().left.phase, 2 * anim::kPiDegrees);
}

TEST(Pingmian, SpeedBarSetsTheStepAndTheSharedStateIsNeverWritten) {
    Window t;
    t.w->Text1->setText("200");
    t.w->Command1->click();
    t.w->HScroll1->set_value(5);
    EXPECT_EQ(t.w->Label13->text(), "5");
    EXPECT_TRUE(test::near(t.w->model().step_angle, 0.1, 1e-15));
    EXPECT_EQ(t.state.hs_h, "225");
    EXPECT_EQ(t.state.lg_l, 0);
}

// The large title of the schematic reads on one line; the schematic, lying on
// top of the title's end, leaves its three characters clear.
TEST(Pingmian, SchematicTitleStaysOnOneLine) {
    Window t;
    const QLabel* title = t.w->Label1;
    const QFontMetrics fm(title->font());
    EXPECT_LT(title->heightForWidth(title->width()), 2 * fm.lineSpacing());
    EXPECT_LE(title->x() + fm.horizontalAdvance(QStringLiteral("示意图")), t.w->Picture1->x());
    const QObjectList kids = t.w->children();
    EXPECT_LT(kids.indexOf(title), kids.indexOf(t.w->Picture1));
}

// Every caption reads whole in its place: no line of it is wider than the
// label, its lines fit the label's height, and the label never breaks a line
// by itself (it would cut a word).
TEST(Pingmian, CaptionsFitTheirLabelsWithoutBreakingWords) {
    Window t;
    for (QLabel* l : {t.w->Label2, t.w->Label3, t.w->Label4, t.w->Label5, t.w->Label6, t.w->Label7,
                      t.w->Label8, t.w->Label9, t.w->Label10}) {
        SCOPED_TRACE(l->objectName().toStdString());
        EXPECT_FALSE(l->wordWrap());
        const QFontMetrics fm(l->font());
        const QStringList lines = l->text().split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            EXPECT_FALSE(line.isEmpty());
            EXPECT_LE(fm.horizontalAdvance(line), l->contentsRect().width()) << line.toStdString();
        }
        EXPECT_LE(static_cast<int>(lines.size()) * fm.lineSpacing(), l->contentsRect().height());
        // Neither a label nor its box lies over another label or box of the column.
        for (QWidget* other : t.w->findChildren<QWidget*>()) {
            if (other == l || other->isHidden() || other->parentWidget() != t.w.get()) continue;
            if (!qobject_cast<QLabel*>(other) && !qobject_cast<QLineEdit*>(other)) continue;
            EXPECT_FALSE(l->geometry().intersects(other->geometry())) << other->objectName().toStdString();
        }
    }
}

// The two output boxes show the widest length they can be given whole, and
// the numbers of every design below.
TEST(Pingmian, OutputBoxesShowTheirLongestNumberWhole) {
    Window t;
    auto fits = [](const QLineEdit* box, const QString& text) {
        QStyleOptionFrame opt;
        opt.initFrom(box);
        opt.rect = box->rect();
        opt.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box);
        const QRect inner = box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box);
        // The box keeps 2 px of margin either side of its text.
        return QFontMetrics(box->font()).horizontalAdvance(text) <= inner.width() - 4;
    };
    const QString widest[] = {pingmian::kLongestLength, QStringLiteral("4.94065645841247E-324"),
                              QStringLiteral("0.000000000888888888888888"),
                              QStringLiteral("999999.999999999"),
                              QStringLiteral("0.000123456789012345")};
    for (QLineEdit* box : {t.w->Text5, t.w->Text6}) {
        for (const QString& s : widest) EXPECT_TRUE(fits(box, s)) << s.toStdString();
        EXPECT_LE(box->geometry().right(), t.w->Picture2->x());
    }
    struct Design {
        const char *h, *e, *k;
    };
    for (const Design d : {Design{"225", "50", "1.04"}, Design{"0.000001", "0.0000002", "1.04"},
                           Design{"1e-8", "2e-9", "1.3"}, Design{"100000", "50", "1.001"}}) {
        t.w->Text1->setText(d.h);
        t.w->Text3->setText(d.e);
        t.w->Text4->setText(d.k);
        test::MessageRecorder rec;
        t.w->Command1->click();
        EXPECT_TRUE(rec.messages.empty()) << d.h;
        for (QLineEdit* box : {t.w->Text5, t.w->Text6}) {
            EXPECT_FALSE(box->text().isEmpty());
            EXPECT_TRUE(fits(box, box->text())) << d.h << " " << box->text().toStdString();
        }
    }
}

// Distance from a disc's centre to a segment, px.
double segment_distance(const Primitive& l, double cx, double cy) {
    const double dx = l.x2 - l.x1, dy = l.y2 - l.y1, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((cx - l.x1) * dx + (cy - l.y1) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(l.x1 + t * dx - cx, l.y1 + t * dy - cy);
}

// Over a grid of accepted designs and crank positions, the whole engine lies
// inside the picture, and the cylinder and head (the 3 px lines) keep off the
// idlers and the cam gears.
TEST(Pingmian, EveryAcceptedEngineLiesInsideThePictureClearOfTheGears) {
    Window t;
    test::MessageRecorder rec;
    const draw::DrawingSurface& s = t.w->Picture2->surface();
    const double W = s.width_px(), H = s.height_px();
    auto inside = [&](double x, double y) { return x >= -0.5 && x <= W + 0.5 && y >= -0.5 && y <= H + 0.5; };
    int drawn = 0;
    struct Design {
        const char *h, *d, *e, *k;
    };
    for (const Design d : {Design{"225", "170", "50", "1.04"}, Design{"50", "170", "200", "1.1"},
                           Design{"400", "600", "200", "1.04"}, Design{"400", "170", "50", "1.5"},
                           Design{"100", "400", "50", "1.1"}, Design{"20", "50", "200", "1.04"},
                           Design{"225", "600", "10", "1.04"}, Design{"400", "600", "200", "1.5"},
                           Design{"100", "170", "200", "1.1"}, Design{"225", "50", "200", "1.1"}}) {
        for (const char* crank : {"0", "100", "200", "300"}) {
            SCOPED_TRACE(testing::Message() << d.h << " " << d.d << " " << d.e << " " << d.k << " at " << crank);
            rec.messages.clear();
            t.w->Text1->setText(d.h);
            t.w->Text2->setText(d.d);
            t.w->Text3->setText(d.e);
            t.w->Text4->setText(d.k);
            t.w->Text7->setText(crank);
            t.w->Command1->click();
            ASSERT_TRUE(rec.messages.empty());
            ++drawn;
            t.w->Command4->click();
            for (int tick = 0; tick < 2; ++tick) {
                const anim::GearTable& g = t.w->model().gears;
                for (const Primitive& p : t.list()) {
                    if (p.kind == PrimitiveKind::Line) {
                        ASSERT_TRUE(inside(p.x1, p.y1) && inside(p.x2, p.y2));
                        if (p.width != 3) continue;
                        for (size_t i = 1; i < 5; ++i) {
                            const double cx = s.to_px_x(g.gears[i].x), cy = s.to_px_y(g.gears[i].y);
                            ASSERT_GT(segment_distance(p, cx, cy), s.units_to_px_x(g.gears[i].r + g.m)) << i;
                        }
                    } else if (p.kind == PrimitiveKind::Circle) {
                        ASSERT_TRUE(inside(p.x1 - p.radius, p.y1 - p.radius) && inside(p.x1 + p.radius, p.y1 + p.radius));
                    } else if (p.kind == PrimitiveKind::Point) {
                        ASSERT_TRUE(inside(p.x1, p.y1));
                    } else if (p.kind == PrimitiveKind::Text) {
                        // Only a widened view carries a note, in its own band.
                        EXPECT_TRUE(t.w->model().layout.fitted);
                        ASSERT_TRUE(inside(p.x1, p.y1) && inside(p.x1 + p.x2, p.y1 + p.y2));
                        for (const Primitive& q : t.list()) {
                            if (q.kind == PrimitiveKind::Line) {
                                ASSERT_GT(std::min(q.y1, q.y2), p.y1 + p.y2);
                            }
                        }
                    }
                }
                t.w->Timer1_Timer();
            }
            t.w->Command5->click();
        }
    }
    EXPECT_EQ(drawn, 40);
    // The defaults keep the full train in the fixed 700-unit view.
    t.w->Text1->setText("225");
    t.w->Text2->setText("170");
    t.w->Text3->setText("50");
    t.w->Text4->setText("1.04");
    t.w->Command1->click();
    EXPECT_EQ(s.scale_left(), 0);
    EXPECT_EQ(s.scale_width(), 700);
    EXPECT_EQ(t.w->model().layout.train_scale, 1);
}

TEST(Pingmian, ExitClosesAndTellsTheMainWindow) {
    Window t;
    t.w->show();
    bool closed = false;
    QObject::connect(t.w.get(), &ui::WorkingWindow::closed, [&] { closed = true; });
    t.w->return_->click();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(t.w->isVisible());
}

}  // namespace
}  // namespace vm
