// The work-cycle window driven through its controls: the diagram, the refused
// ratios, the timer that steps the cursor, the crank picture and leaving.
#include "ui/cycle/xunhuan.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "core/cycle_diagram.h"
#include "core/design_state.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "tests/support/message_recorder.h"
#include "tests/support/tolerance.h"
#include "ui/common/vb_scroll_bar.h"

namespace vm {
namespace {

using draw::PrimitiveKind;

// The limit-position angle of the default K, 1.04.
const double kDefaultTheta = 180 * (1.04 - 1) / (1.04 + 1);

class XunhuanTest : public ::testing::Test {
  protected:
    XunhuanTest() {
        state.hs_k = "1.04";
        state.jd_wai = 77.3;
        w = new xunhuan(state);
    }
    ~XunhuanTest() override { delete w.data(); }

    const std::vector<draw::Primitive>& diagram() const {
        return w->Picture1->surface().display_list();
    }
    int count_texts(const std::vector<draw::Primitive>& list, const QString& text) const {
        int n = 0;
        for (const auto& p : list) n += p.kind == PrimitiveKind::Text && p.text == text;
        return n;
    }

    DesignState state;
    QPointer<xunhuan> w;
    test::MessageRecorder recorder;
};

TEST_F(XunhuanTest, OpensWithItsCaptionsDefaultsAndNothingDrawn) {
    // clang-format off
    const struct { const char* name; const char* text; } texts[] = {
        {"Label1", "0"}, {"Label2", "动画速度（度/秒）"}, {"Label3", "行程速比系数,"}, {"Label5", "极位夹角"},
        {"Label6", "触发频率"}, {"Label4", "排气门提前角32度 进气门提前角10"}, {"Text1", "2"}, {"Text4", "50"},
        {"Text2", "1.04"}, {"Text3", "20"}, {"Command1", "循环图"}, {"Command2", "运动"}, {"Command3", "暂停"},
        {"Command4", "返回"}};
    // clang-format on
    for (const auto& t : texts) {
        QObject* o = w->findChild<QObject*>(QString::fromLatin1(t.name));
        ASSERT_NE(o, nullptr) << t.name;
        EXPECT_EQ(o->property("text").toString(), QString::fromUtf8(t.text)) << t.name;
    }
    EXPECT_TRUE(w->Text3->isHidden());
    EXPECT_TRUE(w->Label5->isHidden());
    EXPECT_EQ(w->HScroll1->minimum(), 0);
    EXPECT_EQ(w->HScroll1->maximum(), 720);
    EXPECT_EQ(w->HScroll1->value(), 0);
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_EQ(w->timer_interval(), 300);
    EXPECT_TRUE(diagram().empty());
    EXPECT_TRUE(w->Picture2->surface().display_list().empty());
    EXPECT_FALSE(w->Picture1->surface().line_elements().at(w->Line1).visible);

    // K comes from the design, not from the default text.
    state.hs_k = "1.3";
    xunhuan other(state);
    EXPECT_EQ(other.Text2->text(), QStringLiteral("1.3"));
}

TEST_F(XunhuanTest, DiagramShowsTheLimitPositionAngleAndBarEnds) {
    w->Command1->click();
    EXPECT_TRUE(test::near(w->theta(), kDefaultTheta, 1e-12));
    EXPECT_EQ(w->Text3->text(), QString::fromStdString(plain(kDefaultTheta)));
    QString digits = w->Text3->text();
    digits.remove(QLatin1Char('.'));
    EXPECT_EQ(digits.size(), 15);
    EXPECT_FALSE(w->Text3->isHidden());
    EXPECT_FALSE(w->Label5->isHidden());
    EXPECT_TRUE(recorder.messages.empty());

    // Intake and exhaust ends appear once; the dead centres close a piston bar and a stroke bar;
    // 720 ends four rows and marks the intake valve reopening.
    // clang-format off
    const struct { const char* end; int times; } ends[] = {
        {" 250 ", 1}, {" 710 ", 1}, {" 52 ", 1}, {" 512 ", 1}, {" 184 ", 2}, {" 544 ", 2}, {" 720 ", 5}};
    // clang-format on
    for (const auto& e : ends) EXPECT_EQ(count_texts(diagram(), QString::fromLatin1(e.end)), e.times) << e.end;

    // The piston's first bar, 2 units short of bottom dead centre, in device pixels.
    const draw::DrawingSurface& s = w->Picture1->surface();
    bool found = false;
    for (const auto& p : diagram())
        if (p.kind == PrimitiveKind::FilledBox && p.colour == draw::rgb(50, 100, 50) &&
            test::near(p.x1, s.to_px_x(0), 1e-9) &&
            test::near(p.x2, s.to_px_x(90 + kDefaultTheta / 2 - 2), 1e-9) &&
            test::near(p.y1, s.to_px_y(100), 1e-9) && test::near(p.y2, s.to_px_y(120), 1e-9))
            found = true;
    EXPECT_TRUE(found);
}

// The picture is cleared before each diagram: drawing again, with the same or
// another K, leaves exactly what drawing that K once leaves, so no old bar end
// shows past a new one and no two end angles print over each other.
TEST_F(XunhuanTest, DrawingAgainGivesTheSamePictureAsDrawingOnce) {
    auto same = [](const draw::Primitive& a, const draw::Primitive& b) {
        return a.kind == b.kind && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
               a.colour == b.colour && a.text == b.text && a.width == b.width && a.style == b.style;
    };
    // clang-format off
    const struct { std::vector<const char*> ks; } runs[] = {
        {{"1.04", "1.04"}}, {{"1.5", "1.04"}}, {{"1.04", "1.5"}}, {{"3", "1", "1.2"}}, {{"1.2", "-0.5", "1.2"}}};
    // clang-format on
    for (const auto& run : runs) {
        xunhuan fresh(state);
        fresh.Text2->setText(QString::fromLatin1(run.ks.back()));
        fresh.Command1->click();
        const auto& once = fresh.Picture1->surface().display_list();
        ASSERT_FALSE(once.empty());

        xunhuan again(state);
        for (const char* k : run.ks) {
            again.Text2->setText(QString::fromLatin1(k));
            again.Command1->click();
        }
        const auto& twice = again.Picture1->surface().display_list();
        SCOPED_TRACE(testing::Message() << run.ks.front() << " then " << run.ks.back());
        ASSERT_EQ(twice.size(), once.size());
        for (size_t i = 0; i < once.size(); ++i) EXPECT_TRUE(same(once[i], twice[i])) << i;
        EXPECT_EQ(again.Text3->text(), fresh.Text3->text());
        // The whole picture too: no trace of an earlier diagram in the pixels.
        EXPECT_EQ(again.Picture1->surface().image(), fresh.Picture1->surface().image());
    }
    w->Text2->setText(QStringLiteral("1.5"));
    w->Command1->click();
    w->Text2->setText(QStringLiteral("1.04"));
    w->Command1->click();
    EXPECT_EQ(count_texts(diagram(), QStringLiteral(" 216 ")), 0);
    EXPECT_EQ(count_texts(diagram(), QStringLiteral(" 184 ")), 2);
}

// Every K below 1 (where the bars would run backwards over the row names) and
// above 3 is refused with a message on the K box; K = 1 draws equal strokes. A
// refusal leaves the diagram drawn before as it was.
TEST_F(XunhuanTest, RatiosOutsideOneToThreeAreRefusedOnTheirBox) {
    w->Command1->click();
    const size_t drawn = diagram().size();
    const QString theta = w->Text3->text();
    // clang-format off
    const struct { const char* k; const char* message; } cases[] = {
        {"abc", "请输入数字"}, {"-1", "行程速比系数必须在1到3之间"}, {"-0.5", "行程速比系数必须在1到3之间"},
        {"0.9999", "行程速比系数必须在1到3之间"}, {"3.01", "行程速比系数必须在1到3之间"}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.k);
        recorder.messages.clear();
        w->Text2->setText(QString::fromUtf8(c.k));
        w->Command1->click();
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].first, QString::fromUtf8(c.message));
        EXPECT_EQ(recorder.messages[0].second, QStringLiteral("错误"));
        EXPECT_EQ(w->Text2->selectedText(), w->Text2->text());
        EXPECT_EQ(diagram().size(), drawn);
        EXPECT_EQ(w->Text3->text(), theta);
    }
    // A fresh window refusing K draws nothing and keeps the angle hidden.
    xunhuan other(state);
    other.Text2->setText(QStringLiteral("0.9"));
    other.Command1->click();
    EXPECT_TRUE(other.Picture1->surface().display_list().empty());
    EXPECT_TRUE(other.Text3->isHidden());

    recorder.messages.clear();
    w->Text2->setText(QStringLiteral("1"));
    w->Command1->click();
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(w->Text3->text(), QStringLiteral("0"));
    EXPECT_EQ(count_texts(diagram(), QStringLiteral(" 180 ")), 3);  // shaft, piston, stroke
    EXPECT_EQ(count_texts(diagram(), QStringLiteral(" 540 ")), 3);
}

TEST_F(XunhuanTest, TimerStepsTheCursorAndStops) {
    w->Command2->click();
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_EQ(w->Timer1->interval(), 20);
    w->Timer1_Timer();
    EXPECT_EQ(w->HScroll1->value(), 2);
    EXPECT_EQ(w->Timer1->interval(), 20);
    EXPECT_TRUE(w->Timer1->isActive());

    w->HScroll1->set_value(720);
    w->Timer1_Timer();
    EXPECT_EQ(w->HScroll1->value(), 1);

    // A rate of 0 stops the ticks; "运动" with the 0 still typed is refused, and
    // runs again as soon as a rate above 0 is typed.
    w->Text4->setText(QStringLiteral("0"));
    w->Timer1_Timer();
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_EQ(w->HScroll1->value(), 1);
    EXPECT_TRUE(recorder.messages.empty());
    w->Command2->click();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].first, QStringLiteral("触发频率必须大于0"));
    EXPECT_FALSE(w->Timer1->isActive());
    w->Text4->setText(QStringLiteral("25"));
    w->Command2->click();
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_EQ(w->Timer1->interval(), 40);
    w->Timer1_Timer();
    EXPECT_EQ(w->HScroll1->value(), 3);

    // A step that is not a number, typed while the animation runs, stops it at
    // the next tick with a message on the step box; the cursor stays.
    recorder.messages.clear();
    w->Text1->setText(QStringLiteral("fast"));
    w->Timer1_Timer();
    EXPECT_FALSE(w->timer_enabled());
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_EQ(w->HScroll1->value(), 3);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].first, QStringLiteral("请输入数字"));
    EXPECT_EQ(w->Text1->selectedText(), QStringLiteral("fast"));

    w->Text1->setText(QStringLiteral("2"));
    w->Command2->click();
    EXPECT_TRUE(w->Timer1->isActive());
    w->Command3->click();
    EXPECT_FALSE(w->Timer1->isActive());
}

// "运动" runs the timer only when every tick will move the cursor; otherwise it
// refuses on the box at fault and the timer stays off. Started, a few ticks
// always move the cursor.
TEST_F(XunhuanTest, AnimationStartsOnlyWithAMovingCursor) {
    const char* const kTooSmall = "动画速度太小，光标不会移动，请输入绝对值大于0.5的数";
    // clang-format off
    const struct { const char* step; const char* rate; const char* box; const char* message; } cases[] = {
        {"0.6", "50", nullptr, nullptr}, {"-3", "5000", nullptr, nullptr},
        {"0.5", "50", "Text1", kTooSmall}, {"721", "50", "Text1", "动画速度为721度的整数倍，光标每次回到原处，请输入其他的数"},
        {"1e300", "50", "Text1", "动画速度太大"}, {"", "50", "Text1", "请输入数字"},
        {"2", "x", "Text4", "请输入数字"}, {"2", "-50", "Text4", "触发频率必须大于0"}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.step << " at " << c.rate);
        xunhuan win(state);
        recorder.messages.clear();
        win.Text1->setText(QString::fromUtf8(c.step));
        win.Text4->setText(QString::fromUtf8(c.rate));
        win.Command2->click();
        if (!c.box) {
            EXPECT_TRUE(recorder.messages.empty());
            EXPECT_TRUE(win.Timer1->isActive());
            EXPECT_GE(win.Timer1->interval(), 1);
            int last = win.HScroll1->value();
            for (int tick = 0; tick < 5; ++tick) {
                win.Timer1_Timer();
                EXPECT_NE(win.HScroll1->value(), last);
                last = win.HScroll1->value();
            }
            EXPECT_TRUE(win.Timer1->isActive());
            continue;
        }
        EXPECT_FALSE(win.Timer1->isActive());
        EXPECT_FALSE(win.timer_enabled());
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].first, QString::fromUtf8(c.message));
        EXPECT_EQ(recorder.messages[0].second, QStringLiteral("错误"));
        auto* box = win.findChild<QLineEdit*>(QString::fromLatin1(c.box));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->selectedText(), box->text());
    }
}

TEST_F(XunhuanTest, CursorAndCrankFollowTheScrollBar) {
    w->HScroll1->set_value(250);
    const draw::DrawingSurface& s1 = w->Picture1->surface();
    const draw::LineElement& cursor = s1.line_elements().at(w->Line1);
    EXPECT_TRUE(cursor.visible);
    EXPECT_TRUE(test::near(cursor.x1, s1.to_px_x(125), 1e-9));
    EXPECT_TRUE(test::near(cursor.x2, s1.to_px_x(125), 1e-9));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("250"));
    EXPECT_NEAR(w->Label1->x(), s1.to_px_x(130), 1.0);

    const draw::DrawingSurface& s2 = w->Picture2->surface();
    const CrankPicture c = crank_picture(250, state.jd_wai);
    const draw::LineElement& crank = s2.line_elements().at(w->Line2);
    EXPECT_TRUE(crank.visible);
    EXPECT_TRUE(test::near(crank.x1, s2.to_px_x(0), 1e-9));
    EXPECT_TRUE(test::near(crank.x2, s2.to_px_x(c.pin_x), 1e-9));
    EXPECT_TRUE(test::near(crank.y2, s2.to_px_y(c.pin_y), 1e-9));
    const draw::ShapeElement& pin = s2.shape_elements().at(w->Shape1);
    EXPECT_TRUE(pin.visible);
    // The marker's circle is centred on the crank pin.
    EXPECT_NEAR(pin.left + pin.width / 2, s2.to_px_x(c.pin_x), 1e-6);
    EXPECT_NEAR(pin.top + pin.height / 2, s2.to_px_y(c.pin_y), 1e-6);

    // The crank circle, the top-dead-centre ray and its caption.
    EXPECT_EQ(count_texts(s2.display_list(), QStringLiteral("活塞最高点")), 1);
    bool ray = false;
    for (const auto& p : s2.display_list())
        ray |= p.kind == PrimitiveKind::Line && p.colour == draw::rgb(255, 5, 0) &&
               test::near(p.x2, s2.to_px_x(c.tdc_x), 1e-9) &&
               test::near(p.y2, s2.to_px_y(c.tdc_y), 1e-9);
    EXPECT_TRUE(ray);
}

// A whole animated cycle paints the dial once, so its smoothed edges and the
// caption stay as crisp as in the first frame; a moved top dead centre gets
// its ray and caption drawn anew.
TEST_F(XunhuanTest, CrankDialIsPaintedOncePerTopDeadCentre) {
    const draw::DrawingSurface& s2 = w->Picture2->surface();
    auto circles = [&] {
        int n = 0;
        for (const auto& p : s2.display_list()) n += p.kind == PrimitiveKind::Circle;
        return n;
    };
    w->Command2->click();
    for (int tick = 0; tick < 400; ++tick) w->Timer1_Timer();
    EXPECT_EQ(w->HScroll1->value(), 79);
    EXPECT_EQ(count_texts(s2.display_list(), QStringLiteral("活塞最高点")), 1);
    EXPECT_EQ(circles(), 2);

    state.jd_wai = 95;
    w->HScroll1->set_value(80);
    EXPECT_EQ(count_texts(s2.display_list(), QStringLiteral("活塞最高点")), 2);
    const CrankPicture c = crank_picture(80, 95);
    const auto& last = s2.display_list().back();
    EXPECT_TRUE(test::near(last.x1, s2.to_px_x(c.caption_x), 1e-9));
    EXPECT_TRUE(test::near(last.y1, s2.to_px_y(c.caption_y), 1e-9));
    const draw::LineElement& crank = s2.line_elements().at(w->Line2);
    EXPECT_TRUE(test::near(crank.x2, s2.to_px_x(c.pin_x), 1e-9));
}

TEST_F(XunhuanTest, BackButtonAndFrameCloseTellTheMainWindow) {
    for (bool by_button : {true, false}) {
        auto* win = new xunhuan(state);
        QPointer<xunhuan> guard(win);
        int closed = 0;
        QObject::connect(win, &ui::WorkingWindow::closed, [&] { ++closed; });
        win->show();
        win->Command2->click();
        if (by_button)
            win->Command4->click();
        else
            win->close();
        EXPECT_EQ(closed, 1);
        EXPECT_FALSE(win->Timer1->isActive());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(guard.isNull());
    }
}

}  // namespace
}  // namespace vm
