// The cam design window: profile drawing, base circle, precision adjusters,
// the follower curve plots and the quality check of the accepted cam.
#include "ui/cam/tulun.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "core/cam_profile.h"
#include "core/design_state.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "ui/cam/cam_drawing.h"
#include "ui/cam/cam_quality_tab.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"
#include "ui/common/twips.h"
#include "ui/common/vb_scroll_bar.h"

namespace vm {

namespace {
using ui::qs;
using ui::ss;
// The tab captions take this much of the tab control's height; control
// positions are given from the control's top edge, pages start below the captions.
constexpr int kTabHeader = 360;

void place(QWidget* w, int left, int top, int width, int height) {
    ui::place_twips(w, left, top - kTabHeader, width, height);
}

}  // namespace

tulun::tulun(DesignState& state, QWidget* parent) : ui::WorkingWindow(parent), state_(state) {
    setObjectName(QStringLiteral("tulun"));
    setWindowTitle(QStringLiteral("凸轮"));
    setFixedSize(ui::twips(10440), ui::twips(8700));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(0, 0, width(), height());
    auto* profile_page = new QWidget;
    auto* curve_page = new QWidget;
    SSTab1->addTab(profile_page, QStringLiteral("凸轮轮廓曲线绘制"));
    SSTab1->addTab(curve_page, QStringLiteral("凸轮分析曲线"));
    build_profile_tab(profile_page);
    build_curve_tab(curve_page);
    quality = new cam::QualityTab;
    SSTab1->addTab(quality, QStringLiteral("凸轮质量检查"));
    connect(quality, &cam::QualityTab::check_requested, this, [this] {
        CamInputs in;
        if (read_cam(in)) check_quality(in, true);
    });

    plot_timer = new QTimer(this);
    plot_timer->setObjectName(QStringLiteral("plot_timer"));
    plot_timer->setInterval(0);
    connect(plot_timer, &QTimer::timeout, this, &tulun::plot_timer_Timer);
    plot_ = std::make_unique<cam::CurvePlot>(cpic->surface(), process->surface());
    HIGH->setText(qs(state_.cam_high));
    BASE->setText(qs(state_.cam_base));
    OFFSET->setText(qs(state_.cam_offset));
    roll->setText(qs(state_.cam_roll));
}

tulun::~tulun() = default;

void tulun::build_profile_tab(QWidget* page) {
    tpic = new draw::SurfaceWidget(ui::twips(7935), ui::twips(7815), page);
    tpic->setObjectName(QStringLiteral("tpic"));
    place(tpic, 360, 480, 7935, 7815);

    const int column = 8700, column_width = 1500;
    thigh = ui::make_label(page, "thigh", "上升高度");
    HIGH = ui::make_text(page, "HIGH", "10");
    tbase = ui::make_label(page, "tbase", "基圆半径");
    BASE = ui::make_text(page, "BASE", "60");
    toffset = ui::make_label(page, "toffset", "偏心距");
    OFFSET = ui::make_text(page, "OFFSET", "5");
    trool = ui::make_label(page, "trool", "滚子半径");
    roll = ui::make_text(page, "roll", "10");
    QLabel* labels[] = {thigh, tbase, toffset, trool};
    QLineEdit* boxes[] = {HIGH, BASE, OFFSET, roll};
    for (int i = 0; i < 4; ++i) {
        place(labels[i], column, 600 + i * 780, column_width, 300);
        place(boxes[i], column, 900 + i * 780, column_width, 345);
    }

    theory = ui::make_button(page, "theory", "理论轮廓");
    real = ui::make_button(page, "real", "实际轮廓");
    base_tulun = ui::make_button(page, "base_tulun", "显示基圆");
    cls = ui::make_button(page, "cls", "清屏");
    t_close = ui::make_button(page, "t_close", "退出");
    QPushButton* buttons[] = {theory, real, base_tulun, cls, t_close};
    for (int i = 0; i < 5; ++i) place(buttons[i], column, 4080 + i * 660, column_width, 480);
    jinggao = cam::make_warning_label(page, "jinggao");
    place(jinggao, 8340, 7230, 2070, 1440);

    const int row = 8340, row_height = 270;
    Lst2text = ui::make_label(page, "Lst2text", "近休精度调节");
    place(Lst2text, 360, row, 1260, row_height);
    set2 = new ui::VbScrollBar(Qt::Horizontal, page);
    set2->setObjectName(QStringLiteral("set2"));
    set2->set_range(-5, 5);
    place(set2, 1620, row, 1980, row_height);
    lst2 = ui::make_label(page, "lst2", "0");
    place(lst2, 3660, row, 480, row_height);
    Lst1text = ui::make_label(page, "Lst1text", "远休精度调节");
    place(Lst1text, 4440, row, 1260, row_height);
    set1 = new ui::VbScrollBar(Qt::Horizontal, page);
    set1->setObjectName(QStringLiteral("set1"));
    set1->set_range(-10, 10);
    place(set1, 5700, row, 1980, row_height);
    lst1 = ui::make_label(page, "lst1", "0");
    place(lst1, 7740, row, 480, row_height);
    set1->set_value(0);
    set2->set_value(0);

    connect(theory, &QPushButton::clicked, this, &tulun::theory_Click);
    connect(real, &QPushButton::clicked, this, &tulun::real_Click);
    connect(base_tulun, &QPushButton::clicked, this, &tulun::base_tulun_Click);
    connect(cls, &QPushButton::clicked, this, &tulun::cls_Click);
    connect(t_close, &QPushButton::clicked, this, &tulun::t_close_Click);
    connect(set1, &ui::VbScrollBar::changed, this, &tulun::set1_Change);
    connect(set2, &ui::VbScrollBar::changed, this, &tulun::set2_Change);
}

void tulun::build_curve_tab(QWidget* page) {
    cpic = new draw::SurfaceWidget(ui::twips(9015), ui::twips(6615), page);
    cpic->setObjectName(QStringLiteral("cpic"));
    place(cpic, 120, 1320, 9015, 6615);

    drawcurve = ui::make_button(page, "drawcurve", "升程曲线");
    speed = ui::make_button(page, "speed", "速度曲线");
    aspeed = ui::make_button(page, "aspeed", "加速度曲线");
    cur_cls = ui::make_button(page, "cur_cls", "清屏");
    QPushButton* buttons[] = {drawcurve, speed, aspeed, cur_cls};
    for (int i = 0; i < 4; ++i) place(buttons[i], 9270, 1320 + i * 660, 1080, 480);

    la_proce = ui::make_label(page, "la_proce", "计算进度：");
    place(la_proce, 360, 8010, 1260, 315);
    process = new draw::SurfaceWidget(ui::twips(7215), ui::twips(255), page);
    process->setObjectName(QStringLiteral("process"));
    place(process, 1680, 8040, 7215, 255);

    connect(drawcurve, &QPushButton::clicked, this, &tulun::drawcurve_Click);
    connect(speed, &QPushButton::clicked, this, &tulun::speed_Click);
    connect(aspeed, &QPushButton::clicked, this, &tulun::aspeed_Click);
    connect(cur_cls, &QPushButton::clicked, this, &tulun::cur_cls_Click);
}

bool tulun::plotting() const { return plot_->running(); }

void tulun::set_cam_scale() { cam::set_millimetre_scale(tpic->surface(), -70, -65); }

bool tulun::read_cam(CamInputs& in) {
    in = {val(ss(HIGH->text())), val(ss(BASE->text())), val(ss(OFFSET->text())), val(ss(roll->text()))};
    // An offset of 0 is a valid cam, so a text that is no number must not
    // silently read as 0 there; the other boxes fail their ranges at 0 anyway.
    if (!to_number(ss(OFFSET->text()))) {
        ui::refuse_box(OFFSET, qs(cam_input_message(CamInputError::Offset)), ui::kTitleDataError);
        return false;
    }
    const CamInputError error = check_cam_inputs(in);
    if (error != CamInputError::None) {
        // The focus goes to the box the check is about (the radius for the pair checks).
        QLineEdit* box = error == CamInputError::Lift                                            ? HIGH
                         : error == CamInputError::BaseRadius || error == CamInputError::BaseNotAboveOffset ? BASE
                         : error == CamInputError::Offset                                                    ? OFFSET
                                                                                                              : roll;
        ui::refuse_box(box, qs(cam_input_message(error)), ui::kTitleDataError);
        return false;
    }
    return true;
}

// The quality figures are warnings, not refusals: the cam is drawn either way.
void tulun::check_quality(const CamInputs& in, bool refuse_limits) {
    const std::optional<PressureAngleLimits> limits = quality->limits(refuse_limits);
    if (!limits && refuse_limits) return;
    cam::show_warning(jinggao, quality->show_cam(in, limits));
}

void tulun::draw_profile(bool actual) {
    set_cam_scale();
    CamInputs in;
    if (!read_cam(in)) return;
    state_.cam_high = ss(HIGH->text()), state_.cam_base = ss(BASE->text());
    state_.cam_offset = ss(OFFSET->text()), state_.cam_roll = ss(roll->text());
    cam::draw_profile(tpic->surface(), CamProfile(in), actual);
    check_quality(in, false);
}

void tulun::theory_Click() { draw_profile(false); }

void tulun::real_Click() { draw_profile(true); }

void tulun::base_tulun_Click() {
    set_cam_scale();
    const double r0 = val(ss(BASE->text()));
    // A circle needs a positive radius; anything else would draw nonsense.
    if (r0 <= 0) {
        ui::refuse_box(BASE, qs(cam_input_message(CamInputError::BaseRadius)), ui::kTitleDataError);
        return;
    }
    cam::draw_base_circle(tpic->surface(), r0);
}

void tulun::cls_Click() { tpic->surface().clear(); }

void tulun::t_close_Click() { close(); }

void tulun::set1_Change(int value) { lst1->setText(qs(plain(value))); }

void tulun::set2_Change(int value) { lst2->setText(qs(plain(value))); }

void tulun::enable_plot_buttons(bool enabled) {
    for (QPushButton* b : {drawcurve, speed, aspeed}) b->setEnabled(enabled);
}

void tulun::plot(cam::Curve curve) {
    if (plot_->running()) return;
    enable_plot_buttons(false);
    plot_->start(curve, val(ss(HIGH->text())));
    plot_timer->start();
}

void tulun::plot_timer_Timer() {
    if (plot_->advance(cam::CurvePlot::kSamplesPerDegree)) return;
    plot_timer->stop();
    enable_plot_buttons(true);
}

void tulun::drawcurve_Click() { plot(cam::Curve::Lift); }

void tulun::speed_Click() { plot(cam::Curve::Velocity); }

void tulun::aspeed_Click() { plot(cam::Curve::Acceleration); }

void tulun::cur_cls_Click() { plot_->clear(); }

void tulun::closeEvent(QCloseEvent* e) {
    // A plot still running ends with the window; no tick reaches it afterwards.
    plot_timer->stop();
    ui::WorkingWindow::closeEvent(e);
}

}  // namespace vm
