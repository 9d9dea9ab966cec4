// xunhuan: controls, scales, the timer that steps the crank cursor, and the
// cursor's scroll bar. The pictures themselves are drawn in xunhuan_draw.cpp.
#include "ui/cycle/xunhuan.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/cycle_diagram.h"
#include "core/design_state.h"
#include "draw/surface_widget.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"
#include "ui/common/vb_scroll_bar.h"

namespace vm {

using ui::qs;
using ui::ss;

namespace {
constexpr int kWidth = 900, kHeight = 730;
constexpr int kDiagramWidth = 560, kDiagramHeight = 660;
constexpr int kCrankWidth = 200, kCrankHeight = 180;
constexpr int kPanelX = 620;

// The cursor spans the five rows; its angle label rides above them.
constexpr double kCursorBottom = -25, kCursorTop = 470;
constexpr double kCursorLabelTop = 505;
}  // namespace

xunhuan::xunhuan(DesignState& state, QWidget* parent) : ui::WorkingWindow(parent), state_(state) {
    setObjectName(QStringLiteral("xunhuan"));
    setWindowTitle(QStringLiteral("工作循环图演示"));
    setFixedSize(kWidth, kHeight);
    build_controls();
    set_up_scales();
    draw_background();

    HScroll1->set_value(0);
    Picture1->surface().place_line_element(Line1, 0, kCursorBottom, 0, kCursorTop);
    Text2->setText(qs(state_.hs_k));
}

void xunhuan::build_controls() {
    background = new draw::SurfaceWidget(kWidth, kHeight, this);
    background->setObjectName(QStringLiteral("background"));
    background->move(0, 0);

    Picture1 = new draw::SurfaceWidget(kDiagramWidth, kDiagramHeight, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(20, 20);
    Picture1->surface().set_font(ui::cjk_font(9));
    draw::LineElement cursor;
    cursor.colour = draw::rgb(0, 0, 255);
    cursor.width = 2;
    cursor.visible = false;
    Line1 = Picture1->surface().add_line_element(cursor);

    Label1 = ui::make_label(Picture1, "Label1", "0");
    Label1->setStyleSheet(QStringLiteral("color: #0000ff;"));
    Label1->resize(40, 18);

    Picture2 = new draw::SurfaceWidget(kCrankWidth, kCrankHeight, this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->move(kPanelX, 20);
    Picture2->surface().set_font(ui::cjk_font(9));
    draw::LineElement crank;
    crank.colour = draw::rgb(0, 0, 160);
    crank.width = 3;
    crank.visible = false;
    Line2 = Picture2->surface().add_line_element(crank);
    draw::ShapeElement pin;
    pin.kind = draw::ShapeKind::Circle;
    pin.border = draw::rgb(0, 0, 160);
    pin.fill = draw::rgb(255, 255, 0);
    pin.visible = false;
    Shape1 = Picture2->surface().add_shape_element(pin);

    HScroll1 = new ui::VbScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(20, 690, kDiagramWidth, 20);
    HScroll1->set_range(0, 720);
    HScroll1->set_steps(1, 10);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(timer_interval_);

    // The control column: captions on the left, their boxes beside them.
    auto label = [this](const char* name, const char* caption, int y) {
        return ui::at(ui::make_label(this, name, caption), kPanelX, y, 132, 26);
    };
    auto box = [this](const char* name, const char* text, int y) {
        return ui::at(ui::make_text(this, name, text), kPanelX + 135, y, 125, 26);
    };
    Label2 = label("Label2", "动画速度（度/秒）", 220);
    Text1 = box("Text1", "2", 220);
    Label6 = label("Label6", "触发频率", 258);
    Text4 = box("Text4", "50", 258);
    Label3 = label("Label3", "行程速比系数,", 296);
    Text2 = box("Text2", "1.04", 296);
    Label5 = label("Label5", "极位夹角", 334);
    Text3 = box("Text3", "20", 334);
    Label5->hide();
    Text3->hide();

    Label4 = ui::at(ui::make_label(this, "Label4", "排气门提前角32度 进气门提前角10"), kPanelX, 376, 250, 44);
    Label4->setWordWrap(true);

    auto button = [this](const char* name, const char* caption, int x, int y) {
        return ui::at(ui::make_button(this, name, caption), x, y, 115, 34);
    };
    Command1 = button("Command1", "循环图", kPanelX, 440);
    Command2 = button("Command2", "运动", kPanelX + 135, 440);
    Command3 = button("Command3", "暂停", kPanelX, 490);
    Command4 = button("Command4", "返回", kPanelX + 135, 490);

    background->lower();
    connect(Command1, &QPushButton::clicked, this, &xunhuan::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &xunhuan::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &xunhuan::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &xunhuan::Command4_Click);
    connect(HScroll1, &ui::VbScrollBar::changed, this, &xunhuan::HScroll1_Change);
    connect(Timer1, &QTimer::timeout, this, &xunhuan::Timer1_Timer);
}

// Equal units on both axes with y upward: the diagram 500 units across from
// -100 (room for the row names), the crank picture 100 units about its centre.
void xunhuan::set_up_scales() {
    Picture1->surface().set_proportional_scale(-100, 550, 500);
    Picture2->surface().set_proportional_scale(-40, 40, 100);
    // The pin marker's box is 7 by 3 units; its circle sits centred on the pin.
    draw::DrawingSurface& crank = Picture2->surface();
    draw::ShapeElement& pin = crank.shape_element(Shape1);
    pin.width = crank.units_to_px_x(7);
    pin.height = crank.units_to_px_y(3);
    const draw::DrawingSurface& s = Picture1->surface();
    Label1->move(static_cast<int>(s.to_px_x(5)), static_cast<int>(s.to_px_y(kCursorLabelTop)));
}

void xunhuan::Command1_Click() {
    drawing_pic1_xuhuantu();
}

// The animation starts only with a step that moves the cursor and a rate above
// 0; the interval is taken from the rate here, so a rate of 0 that stopped the
// ticks earlier no longer holds them once a valid one is typed.
void xunhuan::Command2_Click() {
    const AnimationStart start = animation_start(ss(Text1->text()), ss(Text4->text()));
    if (!start.ok()) {
        refuse_animation(start.problem);
        return;
    }
    timer_interval_ = start.interval_ms;
    timer_enabled_ = true;
    apply_timer();
}

// The timer is stopped before the message shows, so no tick arrives behind it.
void xunhuan::refuse_animation(AnimationProblem problem) {
    timer_enabled_ = false;
    apply_timer();
    ui::refuse_box(is_step_problem(problem) ? Text1 : Text4, qs(animation_message(problem)));
}

void xunhuan::Command3_Click() {
    timer_enabled_ = false;
    apply_timer();
}

void xunhuan::Command4_Click() {
    close();
}

void xunhuan::closeEvent(QCloseEvent* e) {
    timer_enabled_ = false;
    Timer1->stop();
    ui::WorkingWindow::closeEvent(e);
}

// The QTimer runs only while the timer is enabled with a positive interval.
void xunhuan::apply_timer() {
    if (timer_enabled_ && timer_interval_ > 0) {
        if (!Timer1->isActive() || Timer1->interval() != timer_interval_)
            Timer1->start(timer_interval_);
    } else {
        Timer1->stop();
        Timer1->setInterval(timer_interval_);
    }
}

void xunhuan::Timer1_Timer() {
    const CursorTick t = cursor_tick(HScroll1->value(), ss(Text1->text()), ss(Text4->text()));
    switch (t.action) {
        case TickAction::Disable:
            refuse_animation(t.problem);
            return;
        case TickAction::Halt:
            timer_interval_ = 0;
            break;
        case TickAction::Advance:
            timer_interval_ = t.interval_ms;
            break;
    }
    apply_timer();
    if (t.action == TickAction::Advance) HScroll1->set_value(t.angle);
}

void xunhuan::HScroll1_Change(int a) {
    draw::DrawingSurface& s = Picture1->surface();
    s.place_line_element(Line1, a / 2.0, kCursorBottom, a / 2.0, kCursorTop);
    Label1->setText(QString::number(a));
    Label1->move(static_cast<int>(s.to_px_x(a / 2.0 + 5)), Label1->y());
    draw_crank_picture(a);
}

}  // namespace vm
