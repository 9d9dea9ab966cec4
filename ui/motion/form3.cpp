// Form3: the figures of the torque diagram and the flywheel, the balancing
// mass, and the way back to the motion-analysis window.
#include "ui/motion/form3.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "core/design_limits.h"
#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/number_text.h"
#include "core/torque_energy.h"
#include "draw/surface_widget.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"
#include "ui/common/twips.h"
#include "ui/common/vb_scroll_bar.h"

namespace vm {

using ui::qs;
using ui::ss;

namespace {
// Rows of the side panel: labels 20 px, text boxes 24 px, buttons 32 px high.
QLabel* make_label(const char* name, const char* text, QWidget* parent, int x, int y, int w) {
    return ui::at(ui::make_label(parent, name, text), x, y, w, 20);
}
QLineEdit* make_text(const char* name, const char* text, QWidget* parent, int x, int y, int w) {
    return ui::at(ui::make_text(parent, name, text), x, y, w, 24);
}
QPushButton* make_button(const char* name, const char* text, QWidget* parent, int x, int y, int w) {
    return ui::at(ui::make_button(parent, name, text), x, y, w, 32);
}
}  // namespace

Form3::Form3(DesignState& state, QWidget* parent) : ui::WorkingWindow(parent), state_(state) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form1"));
    build_controls();
    // Form_Load: the allowed speed fluctuation the student entered.
    Text6->setText(qs(state_.sd_k));
}

void Form3::build_controls() {
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    auto* tab0 = new QWidget;
    Picture1 = new draw::SurfaceWidget(ui::twips(6495), ui::twips(6975), tab0);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(4, 4);
    const int pw = Picture1->width(), ph = Picture1->height();
    VScroll1 = new ui::VbScrollBar(Qt::Vertical, tab0);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setGeometry(4 + pw, 4, 17, ph);
    VScroll1->set_range(-10, -1);
    VScroll1->set_value(-5);
    VScroll1->set_steps(1, 1);

    const int rx = pw + 32, tw = 170;
    Command1 = make_button("Command1", "力矩图", tab0, rx, 4, tw);
    Label7 = make_label("Label7", "许用不均匀系数", tab0, rx, 44, tw);
    Text6 = make_text("Text6", "0.02", tab0, rx, 64, tw);
    struct Row {
        QLabel** label;
        const char* label_name;
        const char* caption;
        QLineEdit** text;
        const char* text_name;
    };
    const Row rows[6] = {{&Label1, "Label1", "最大盈功(J)", &Text1, "Text1"},
                         {&Label2, "Label2", "最大亏功(J)", &Text2, "Text2"},
                         {&Label3, "Label3", "能量损失(J)", &Text3, "Text3"},
                         {&Label4, "Label4", "最大盈亏功(J)", &Text4, "Text4"},
                         {&Label5, "Label5", "所需飞轮转动惯量", &Text8, "Text8"},
                         {&Label9, "Label9", "发动机功率(w)", &Text9, "Text9"}};
    for (int i = 0; i < 6; ++i) {
        const int y = 96 + i * 48;
        *rows[i].label = make_label(rows[i].label_name, rows[i].caption, tab0, rx, y, tw);
        *rows[i].text = make_text(rows[i].text_name, " ", tab0, rx, y + 20, tw);
        (*rows[i].text)->setReadOnly(true);
    }
    Label10 = make_label("Label10", "Y轴比例", tab0, rx, 392, tw);
    HScroll1 = new ui::VbScrollBar(Qt::Horizontal, tab0);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(rx, 414, tw, 17);
    HScroll1->set_range(-50, -1);
    HScroll1->set_value(-20);
    HScroll1->set_steps(1, 5);
    SSTab1->addTab(tab0, QStringLiteral("力矩参数"));

    auto* tab1 = new QWidget;
    Label8 = make_label("Label8", "飞轮的添加半径(cm)", tab1, 20, 20, 200);
    Text7 = make_text("Text7", "10", tab1, 20, 42, 160);
    Label6 = make_label("Label6", "不平衡质量(kg)", tab1, 20, 84, 200);
    Text5 = make_text("Text5", " ", tab1, 20, 106, 160);
    Text5->setReadOnly(true);
    Command2 = make_button("Command2", "设计飞轮所需参数", tab1, 20, 150, 160);
    SSTab1->addTab(tab1, QStringLiteral("飞轮平衡"));

    const int tab_w = rx + tw + 16, tab_h = ph + 40;
    SSTab1->setGeometry(0, 0, tab_w, tab_h);
    back = make_button("back", "返回←", this, tab_w - 110, tab_h + 6, 100);
    setFixedSize(tab_w, tab_h + 46);

    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(HScroll1, &ui::VbScrollBar::changed, this, &Form3::HScroll1_Change);
    connect(VScroll1, &ui::VbScrollBar::changed, this, &Form3::VScroll1_Change);
    connect(back, &QPushButton::clicked, this, &Form3::back_Click);
}

// The diagram is drawn on a cleared picture: drawn again over itself its
// numbers would thicken into blots.
void Form3::Command1_Click() { draw_and_compute(true); }
void Form3::HScroll1_Change(int) { draw_and_compute(true); }
void Form3::VScroll1_Change(int) { draw_and_compute(true); }

void Form3::draw_and_compute(bool clear_first) {
    // The allowed speed fluctuation obeys the same limits as in the main window.
    const auto delta = to_number(ss(Text6->text()));
    if (!delta || !(*delta > 0)) {
        ui::refuse_box(Text6, qs(torque_error_message(TorqueError::DeltaNotPositive)), ui::kTitleError);
        return;
    }
    if (!within_limits(kSdK, *delta)) {
        ui::refuse_box(Text6, qs(std::string(limit_message(kSdK, *delta))), ui::kTitleError);
        return;
    }
    const double n = val(state_.qb_w);
    const TorqueOutcome out = compute_torque_figures(state_.force_table, n, *delta);
    if (!out.ok()) {
        const QString text = qs(torque_error_message(out.error));
        const bool about_delta = out.error == TorqueError::DeltaNotPositive ||
                                 out.error == TorqueError::FlywheelOverflow ||
                                 out.error == TorqueError::FlywheelVanishes;
        if (about_delta)
            ui::refuse_box(Text6, text, ui::kTitleError);
        else
            ui::show_message(this, text, ui::kTitleError);
        return;
    }
    const TorqueFigures& t = out.figures;
    // Figures that do not balance the gas work over the cycle are refused
    // whole: the curve, the mean and the flywheel all come from the same
    // unresolved samples.
    const auto balance = cycle_balance(state_, t.m_mean);
    if (!balance) {
        ui::show_message(this, QStringLiteral("设计数据无法完成整个循环的计算，请先确认设计数据"), ui::kTitleError);
        return;
    }
    if (!balance->holds()) {
        ui::show_message(this, qs(cycle_balance_message(*balance)), ui::kTitleError);
        return;
    }
    draw::DrawingSurface& s = Picture1->surface();
    if (clear_first) s.clear();
    const TorqueScale sc = torque_scale(HScroll1->value(), VScroll1->value(), s.width_px(), s.height_px());
    s.set_scale(sc.left, sc.top, sc.width, sc.height);
    draw_torque_diagram(s, t);
    Text1->setText(qs(format_0_00(t.energy.e_max)));
    Text2->setText(qs(format_0_00(t.energy.e_min)));
    Text3->setText(qs(format_0_00(t.energy.e_run)));
    Text4->setText(qs(format_0_00(t.energy.dw_max)));
    Text8->setText(qs(plain(t.j_fly)));
    Text9->setText(qs(plain(t.p_eng)));
}

void Form3::Command2_Click() {
    const auto radius_cm = to_number(ss(Text7->text()));
    if (!radius_cm) {
        ui::refuse_box(Text7, qs(mass_error_message(MassError::RadiusNotPositive)), ui::kTitleError);
        return;
    }
    const double m1 = val(state_.qb_g) / kGravity, m2 = val(state_.lg_g) / kGravity;
    const double m3 = val(state_.hs_g) / kGravity;
    const double r = state_.qb_r / 1000, l = state_.lg_l / 1000;
    const double R = *radius_cm * 10 / 1000;  // cm to m
    const MassOutcome mass = compute_balancing_mass(m1, m2, val(state_.lg_ak), r, l, R);
    if (mass.error != MassError::None) {
        ui::refuse_box(Text7, qs(mass_error_message(mass.error)), ui::kTitleError);
        return;
    }
    state_.force.m1 = m1;
    state_.force.m2 = m2;
    state_.force.m3 = m3;
    Text5->setText(qs(plain(mass.mass)));
}

void Form3::back_Click() {
    back_flag = true;
    emit returned();
    close();
}

}  // namespace vm
