// pingmian: controls, "绘图" with its check of the entries, the timer tick and
// the buttons that start, stop and clear the animation.
#include "ui/animation/pingmian.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <initializer_list>

#include "core/design_state.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "ui/animation/pingmian_draw.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"
#include "ui/common/twips.h"
#include "ui/common/vb_scroll_bar.h"

namespace vm {

namespace {
// Client area and picture areas, twips.
constexpr int kClientW = 11310, kClientH = 10335;
constexpr int kTextW = 1095, kTextH = 495;
constexpr int kLabelW = 1080, kLabelH = 540;
constexpr int kTickMs = 30;
constexpr int kSpeedInitial = 3;
// Frame, inner margins and cursor of a text box, left and right together (px).
constexpr int kBoxFramePx = 14;

// Captions sit on white, top left. A caption too long for its place carries
// its own line break between two words; the label never breaks by itself, so
// no word is cut in two.
QLabel* label(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
              int height) {
    QLabel* l = ui::make_label(parent, name, caption);
    l->setWordWrap(false);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setStyleSheet(QStringLiteral("background: white;"));
    ui::place_twips(l, left, top, width, height);
    return l;
}

QLineEdit* text_box(QWidget* parent, const char* name, int left, int top) {
    QLineEdit* t = ui::make_text(parent, name, "");
    ui::place_twips(t, left, top, kTextW, kTextH);
    return t;
}

// An output box wide enough for the longest plain number a length can take.
QLineEdit* output_box(QWidget* parent, const char* name, int left, int top) {
    QLineEdit* t = text_box(parent, name, left, top);
    t->setReadOnly(true);
    const int text_px = QFontMetrics(t->font()).horizontalAdvance(pingmian::kLongestLength);
    t->resize(std::max(t->width(), text_px + kBoxFramePx), t->height());
    return t;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int left, int top,
                    int width, int height) {
    QPushButton* b = ui::make_button(parent, name, caption);
    ui::place_twips(b, left, top, width, height);
    return b;
}
}  // namespace

pingmian::pingmian(DesignState& state, QWidget* parent) : ui::WorkingWindow(parent) {
    setObjectName(QStringLiteral("pingmian"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(ui::twips(kClientW), ui::twips(kClientH));
    build_controls();
    Text1->setText(ui::qs(state.hs_h));
    Text2->setText(ui::qs(state.hs_d));
    Text3->setText(ui::qs(state.hs_e));
    Text4->setText(ui::qs(state.hs_k));
    animation::set_animation_scale(Picture2->surface());
    for (QWidget* w : std::initializer_list<QWidget*>{Command4, Command5, HScroll1, Label11, Label12,
                                                      Label13})
        w->hide();
}

void pingmian::build_controls() {
    auto* background = new draw::SurfaceWidget(ui::twips(kClientW), ui::twips(kClientH), this);
    background->setObjectName(QStringLiteral("Background"));
    background->move(0, 0);
    animation::draw_window_background(background->surface());

    Label6 = label(this, "Label6", "可修改参数：", 120, 1200, 2200, 360);
    Label6->setFont(ui::cjk_font(12, true));
    Label2 = label(this, "Label2", "活塞行程：", 120, 1680, kLabelW, kLabelH);
    Text1 = text_box(this, "Text1", 1200, 1560);
    Label3 = label(this, "Label3", "活塞直径：", 120, 2400, kLabelW, kLabelH);
    Text2 = text_box(this, "Text2", 1200, 2280);
    Label4 = label(this, "Label4", "导路与曲柄\n中心距离：", 120, 3120, kLabelW, kLabelH);
    Text3 = text_box(this, "Text3", 1200, 3000);
    Label5 = label(this, "Label5", "行程速比\n系数：", 120, 3720, kLabelW, kLabelH);
    Text4 = text_box(this, "Text4", 1200, 3720);
    Label10 = label(this, "Label10", "曲柄位置\n（角度）：", 120, 4440, kLabelW, kLabelH);
    Text7 = text_box(this, "Text7", 1200, 4440);
    Text7->setText(QStringLiteral("0"));

    Label7 = label(this, "Label7", "输出参数：", 360, 6000, 2200, 360);
    Label7->setFont(ui::cjk_font(12, true));
    Label9 = label(this, "Label9", "曲柄长度：", 360, 6480, kLabelW, kLabelH);
    Text6 = output_box(this, "Text6", 1440, 6360);
    Label8 = label(this, "Label8", "连杆长度：", 360, 7080, kLabelW, kLabelH);
    Text5 = output_box(this, "Text5", 1440, 6960);

    // The 14.25 pt title is a little wider than the gap before the schematic:
    // it stays on one line and its last cell (the colon's blank half) passes
    // under the picture, which is created after it and so lies on top.
    Label1 = label(this, "Label1", "示意图：", 1320, 480, 1320, 720);
    Label1->setFont(ui::cjk_font(14.25, true));
    Picture1 = new draw::SurfaceWidget(ui::twips(3015), ui::twips(4455), this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(ui::twips(2400), ui::twips(480));
    animation::draw_engine_schematic(Picture1->surface());

    Picture2 = new draw::SurfaceWidget(ui::twips(5775), ui::twips(kClientH), this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->move(ui::twips(5520), 0);

    Command1 = button(this, "Command1", "绘图", 240, 7680, 975, 495);
    Command2 = button(this, "Command2", "清屏", 1440, 7680, 975, 495);
    Command4 = button(this, "Command4", "运转", 2640, 7680, 975, 495);
    Command5 = button(this, "Command5", "停转", 3840, 7680, 975, 495);
    Command3 = button(this, "Command3", "显示活塞极限位置", 360, 8640, 1935, 735);
    return_ = button(this, "return", "退出", 3120, 8640, 1335, 735);
    Command3->hide();

    HScroll1 = new ui::VbScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->set_range(1, 5);
    HScroll1->set_value(kSpeedInitial);
    ui::place_twips(HScroll1, 3120, 7080, 1335, 255);
    Label12 = label(this, "Label12", "慢", 3120, 6840, 360, 240);
    Label11 = label(this, "Label11", "快", 4320, 6840, 360, 240);
    Label13 = label(this, "Label13", "", 3600, 6600, 600, 240);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    connect(Command1, &QPushButton::clicked, this, &pingmian::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &pingmian::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &pingmian::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &pingmian::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &pingmian::Command5_Click);
    connect(return_, &QPushButton::clicked, this, &pingmian::return_Click);
    connect(HScroll1, &ui::VbScrollBar::changed, this, &pingmian::HScroll1_Change);
    connect(Timer1, &QTimer::timeout, this, &pingmian::Timer1_Timer);
}

void pingmian::write_dimensions() {
    Text5->setText(ui::qs(plain(model_.dims.rod_len)));
    Text5->setCursorPosition(0);
    Text6->setText(ui::qs(plain(model_.dims.crank_len)));
    Text6->setCursorPosition(0);
}

bool pingmian::entries_are_numbers() {
    // The crank position is read by its leading number (an empty text is 0);
    // the four parameters must be numbers. Nothing changes on a refusal.
    for (QLineEdit* box : {Text1, Text2, Text3, Text4}) {
        if (is_numeric(ui::ss(box->text()))) continue;
        ui::refuse_box(box, QStringLiteral("请输入数字"), ui::kTitleError);
        return false;
    }
    return true;
}

void pingmian::Command1_Click() {
    if (!entries_are_numbers()) return;
    Timer1->stop();
    draw::DrawingSurface& s = Picture2->surface();
    s.clear();
    limits_drawn_ = false;
    s.set_line_style(0);
    if (!anim::anim_setup(model_, ui::ss(Text1->text()), ui::ss(Text2->text()),
                          ui::ss(Text3->text()), ui::ss(Text4->text()), ui::ss(Text7->text()),
                          s.width_px(), s.height_px())) {
        // No mechanism to move: back to the state after loading.
        model_.ready = false;
        Text5->clear();
        Text6->clear();
        for (QPushButton* b : {Command3, Command4, Command5}) b->hide();
        ui::show_message(this, QStringLiteral("该参数无法构成曲柄滑块机构"), ui::kTitleError);
        return;
    }
    for (QPushButton* b : {Command3, Command4, Command5}) b->show();
    HScroll1->hide();
    write_dimensions();
    Timer1->setInterval(kTickMs);
    animation::set_animation_scale(s, model_.layout);
    animation::setup_picture(s, model_);
}

void pingmian::Command2_Click() {
    Picture2->surface().clear();
    limits_drawn_ = false;
}

void pingmian::Command3_Click() {
    if (!model_.ready) return;
    draw::DrawingSurface& s = Picture2->surface();
    // Once on a frame: drawn again over themselves the dashed lines would thicken.
    if (limits_drawn_ && s.display_list().size() == limits_list_size_) return;
    s.set_line_style(1);
    animation::limit_positions(s, model_, s.fore_colour());
    s.set_line_style(0);
    limits_drawn_ = true;
    limits_list_size_ = s.display_list().size();
}

void pingmian::Command4_Click() {
    if (!model_.ready) return;
    Label13->setText(QString::number(HScroll1->value()));
    model_.step_angle = anim::step_for_speed(HScroll1->value());
    Timer1->start(kTickMs);
}

void pingmian::Command5_Click() {
    Timer1->stop();
}

void pingmian::return_Click() {
    close();
}

void pingmian::HScroll1_Change(int value) {
    Label13->setText(QString::number(value));
    model_.step_angle = anim::step_for_speed(value);
}

void pingmian::Timer1_Timer() {
    if (!model_.ready) return;
    draw::DrawingSurface& s = Picture2->surface();
    s.clear();
    limits_drawn_ = false;
    anim::anim_advance(model_);
    animation::tick_picture(s, model_);
    write_dimensions();
}

}  // namespace vm
