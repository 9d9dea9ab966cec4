// Form1: views, handlers and the hand-over to the force and torque windows.
// The polygon drawings themselves are in form1_draw.cpp.
#include "ui/motion/form1.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <cmath>
#include <utility>

#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/kinematics.h"
#include "core/motion_polygons.h"
#include "core/number_text.h"
#include "core/worked_sheet.h"
#include "draw/surface_widget.h"
#include "figures/motion_figures.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"
#include "ui/common/twips.h"
#include "ui/common/vb_scroll_bar.h"
#include "ui/motion/form1_sheet.h"
#include "ui/motion/form2.h"
#include "ui/motion/form3.h"

namespace vm {

using ui::qs;
using ui::ss;

namespace {
// The analysis procedures of this window work with this pi.
constexpr double kPi = kPiAnalysis;
// The twip sizes of the views count the frame and the caption bar.
constexpr int kFrameWidthPx = 8, kFrameHeightPx = 30;
constexpr int kMenuWidthTw = 3600, kMenuHeightTw = 4400;
constexpr int kAnalysisWidthTw = 10320, kAnalysisHeightTw = 8000, kGridHeightTw = 9000;
// Where the bottom row (first angle and the scales of the fifteen diagrams) sits.
constexpr int kBottomRowY = 508;
}  // namespace

Form1::Form1(DesignState& state, QWidget* parent) : ui::WorkingWindow(parent), state_(state) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    build_analysis_view();
    build_menu_view();
    // Form_Load: the menu view.
    SSTab1->hide();
    set_frame_size(kMenuWidthTw, kMenuHeightTw);
}

Form2* Form1::form2() const { return form2_.data(); }
Form3* Form1::form3() const { return form3_.data(); }

void Form1::build_menu_view() {
    Picture4 = new draw::SurfaceWidget(ui::twips(4000), ui::twips(4000), this);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->move(0, 0);
    draw_cylinder_picture(Picture4->surface());
    CommandButton1 = ui::make_button(Picture4, "CommandButton1", "速度分析");
    CommandButton2 = ui::make_button(Picture4, "CommandButton2", "力分析");
    CommandButton3 = ui::make_button(Picture4, "CommandButton3", "力矩与能量分析");
    ui::place_twips(CommandButton1, 1080, 600, 1815, 615);
    ui::place_twips(CommandButton2, 1080, 1680, 1815, 615);
    ui::place_twips(CommandButton3, 1080, 2640, 1815, 615);
    Picture4->raise();
    connect(CommandButton1, &QPushButton::clicked, this, &Form1::CommandButton1_Click);
    connect(CommandButton2, &QPushButton::clicked, this, &Form1::CommandButton2_Click);
    connect(CommandButton3, &QPushButton::clicked, this, &Form1::CommandButton3_Click);
}

void Form1::build_analysis_view() {
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(0, 0, 684, 502);

    // Tab 0: one position, its two polygons and the seven magnitudes.
    auto* tab0 = new QWidget;
    Picture3 = new draw::SurfaceWidget(ui::twips(7000), ui::twips(6000), tab0);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->move(4, 4);
    // Its proportions in twips as laid out, so that the drawing units are square
    // on the screen and a polygon shows its true angles and lengths.
    Picture3->surface().set_scale(0, 0, Picture3->width() * 15.0, Picture3->height() * 15.0);
    VScroll1 = new ui::VbScrollBar(Qt::Vertical, tab0);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setGeometry(4 + Picture3->width(), 4, 17, Picture3->height());
    HScroll1 = new ui::VbScrollBar(Qt::Horizontal, tab0);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(4, 4 + Picture3->height(), Picture3->width(), 17);
    for (ui::VbScrollBar* s : {HScroll1, VScroll1}) {
        s->set_range(-10, 10);
        s->set_value(0);
        s->set_steps(1, 2);
    }
    const char* value_names[7][3] = {{"Label5", "vA", "Text3"},   {"Label6", "vB", "Text4"},
                                     {"Label7", "vAB", "Text5"},  {"Label8", "aA", "Text6"},
                                     {"Label9", "aB", "Text7"},   {"Label10", "aABn", "Text8"},
                                     {"Label11", "aABt", "Text9"}};
    for (int i = 0; i < 7; ++i) {
        const int x = 4 + i * 95;
        const size_t k = static_cast<size_t>(i);
        value_labels[k] = ui::at(ui::make_label(tab0, value_names[i][0], value_names[i][1]), x, 428, 90, 16);
        value_texts[k] = ui::at(ui::make_text(tab0, value_names[i][2], "0"), x, 444, 92, 22);
    }
    const int rx = 500;
    Label2 = ui::at(ui::make_label(tab0, "Label2", "曲柄转角"), rx, 6, 170, 20);
    Text2 = ui::at(ui::make_text(tab0, "Text2", "0"), rx, 28, 170, 24);
    Label12 = ui::at(ui::make_label(tab0, "Label12", "(活塞最高时曲柄的角度为零，顺时针转动)"), rx, 56, 170, 40);
    Label12->setWordWrap(true);
    Label3 = ui::at(ui::make_label(tab0, "Label3", "速度图比例尺"), rx, 104, 170, 20);
    txt_sudu = ui::at(ui::make_text(tab0, "txt_sudu", "20"), rx, 126, 170, 24);
    Label4 = ui::at(ui::make_label(tab0, "Label4", "加速度图比例尺"), rx, 160, 170, 20);
    txt_jiasudu = ui::at(ui::make_text(tab0, "txt_jiasudu", "0.7"), rx, 182, 170, 24);
    Command4 = ui::at(ui::make_button(tab0, "Command4", "确定"), rx, 224, 170, 34);
    lblFit = ui::at(ui::make_label(tab0, "lblFit", ""), rx, 264, 170, 80);
    lblFit->setWordWrap(true);
    SSTab1->addTab(tab0, QStringLiteral("速度，加速度的数值"));

    // Tabs 1 and 2: fifteen positions each, in units 500 wide from 0 at the bottom.
    auto* tab1 = new QWidget;
    Picture1 = new draw::SurfaceWidget(ui::twips(10000), ui::twips(7000), tab1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(2, 2);
    Picture1->surface().set_scale(0, 0, 1.12875, 1);
    SSTab1->addTab(tab1, QStringLiteral("速度图"));
    auto* tab2 = new QWidget;
    Picture2 = new draw::SurfaceWidget(ui::twips(10000), ui::twips(7000), tab2);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->move(2, 2);
    Picture2->surface().set_scale(0, 0, 1.09875, 1);
    SSTab1->addTab(tab2, QStringLiteral("加速度图"));
    // Tab 3: the worked calculation of the first tab's position, selectable text.
    sheet_page = new SheetPage({{"μv", "(m/s)/mm"}, {"μa", "(m/s^2)/mm"}}, Qt::Horizontal);
    sheet_page->setObjectName(QStringLiteral("sheet_page"));
    sheet = sheet_page->text;
    sheet_page->set_hint(QStringLiteral("在第一页点击“确定”后，这里列出该位置的计算过程。"));
    SSTab1->addTab(sheet_page, QStringLiteral("计算过程"));

    // Bottom row below the tabs, seen only with the taller window of tabs 1 and 2.
    Label1 = ui::at(ui::make_label(this, "Label1", "A1的角度"), 8, kBottomRowY + 2, 70, 22);
    Text1 = ui::at(ui::make_text(this, "Text1", "0"), 80, kBottomRowY, 70, 24);
    lbluv = ui::at(ui::make_label(this, "lbluv", "速度比例尺"), 166, kBottomRowY + 2, 84, 22);
    Text16 = ui::at(ui::make_text(this, "Text16", "11"), 252, kBottomRowY, 70, 24);
    lblua = ui::at(ui::make_label(this, "lblua", "加速度比例尺"), 166, kBottomRowY + 32, 84, 22);
    Text17 = ui::at(ui::make_text(this, "Text17", "0.15"), 252, kBottomRowY + 30, 70, 24);
    Command1 = ui::at(ui::make_button(this, "Command1", "画速度与加速度图"), 340, kBottomRowY - 2, 170, 30);
    // Beside the tab captions, so it is reachable from every tab.
    Command2 = ui::at(ui::make_button(this, "Command2", "返回←"), 590, 0, 90, 24);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(HScroll1, &ui::VbScrollBar::changed, this, &Form1::HScroll1_Change);
    connect(VScroll1, &ui::VbScrollBar::changed, this, &Form1::VScroll1_Change);
    connect(SSTab1, &QTabWidget::currentChanged, this, &Form1::SSTab1_Click);
}

void Form1::set_frame_size(int width_tw, int height_tw) {
    setFixedSize(ui::twips(width_tw) - kFrameWidthPx, ui::twips(height_tw) - kFrameHeightPx);
}

void Form1::centre_on_screen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const int w = width() + kFrameWidthPx, h = height() + kFrameHeightPx;
    move(area.x() + (area.width() - w) / 2, area.y() + (area.height() - h) / 2);
}

void Form1::CommandButton1_Click() {
    // The tab still selected from an earlier visit gets its own height: a tab
    // that is shown again reports no change, and the fifteen-position diagrams
    // would otherwise come back with their bottom row cut off.
    SSTab1_Click(SSTab1->currentIndex());
    centre_on_screen();
    SSTab1->show();
    Command2->raise();
    Picture4->hide();
}

void Form1::Command2_Click() {
    set_frame_size(kMenuWidthTw, kMenuHeightTw);
    centre_on_screen();
    Picture4->show();
    Picture4->raise();
    SSTab1->hide();
}

void Form1::SSTab1_Click(int tab) {
    if (tab == 1) {
        set_frame_size(kAnalysisWidthTw, kGridHeightTw);
        lbluv->show();
        Text16->show();
        lblua->hide();
        Text17->hide();
    } else if (tab == 2) {
        set_frame_size(kAnalysisWidthTw, kGridHeightTw);
        lblua->show();
        Text17->show();
        lbluv->hide();
        Text16->hide();
        // The scale box of the diagram shown takes the same place.
        lblua->move(lblua->x(), lbluv->y());
        Text17->move(Text17->x(), Text16->y());
    } else {
        set_frame_size(kAnalysisWidthTw, kAnalysisHeightTw);
    }
}

void Form1::prelude() {
    state_.qb_r_k = state_.qb_r / 1000;
    state_.lg_l_k = state_.lg_l / 1000;
    state_.hs_e_k = val(state_.hs_e) / 1000;
    state_.omega1 = -val(state_.qb_w) * 2 * kPi / 60;
}

bool Form1::fill_table() {
    prelude();
    if (fill_force_table(state_)) return true;
    ui::show_message(this, QStringLiteral("该机构无法进行力分析，请检查设计数据"), ui::kTitleError);
    return false;
}

void Form1::Command4_Click() {
    draw::DrawingSurface& s = Picture3->surface();
    s.clear();
    const double aspect = std::fabs(s.scale_height() / s.scale_width());
    s.set_scale(100.0 * HScroll1->value(), aspect * 700 - 100.0 * VScroll1->value(), 700, -aspect * 700);
    prelude();
    const auto angle = to_number(ss(Text2->text()));
    const auto scale_v = to_number(ss(txt_sudu->text()));
    const auto scale_a = to_number(ss(txt_jiasudu->text()));
    if (!angle || !scale_v || !scale_a) {
        ui::refuse_box(!angle ? Text2 : !scale_v ? txt_sudu : txt_jiasudu, QStringLiteral("请输入数字"), ui::kTitleError);
        return;
    }
    // Whole turns carry no meaning for one position: 1e12 degrees is 280.
    for (auto [box, v] : {std::pair{txt_sudu, *scale_v}, std::pair{txt_jiasudu, *scale_a}}) {
        if (!(v > 0) || v > kMaxPolygonScale) {
            ui::refuse_box(box, QStringLiteral("比例尺应在0～%1之间（不含0）").arg(qs(plain(kMaxPolygonScale))),
                           ui::kTitleError);
            return;
        }
    }
    const double phi = (state_.jd_wai - std::fmod(*angle, 360.0)) * kPi / 180;
    PolygonScale poly = state_.poly;
    poly.scale_v = *scale_v;
    poly.scale_a = *scale_a;
    poly.centre_v_x = 400;
    poly.centre_v_y = 450;
    poly.centre_a_x = 400;
    poly.centre_a_y = 150;
    // Each polygon keeps the typed scale when it fits its half of the picture
    // (velocity above, acceleration below, label room at the edges), else the
    // largest scale that fits is used and shown.
    const PolygonScale unit{};
    if (const auto u = jisuan(state_.qb_r_k, state_.lg_l_k, state_.hs_e_k, phi, state_.omega1, &unit)) {
        const PolygonOffsets o = polygon_offsets(*u);
        constexpr double kLabelRoom = 40;
        const FittedScale fv = fit_scale(o.vx, o.vy, poly.centre_v_x, poly.centre_v_y, {0, 300, 700, 600},
                                         kLabelRoom, poly.scale_v);
        const FittedScale fa = fit_scale(o.ax, o.ay, poly.centre_a_x, poly.centre_a_y, {0, 0, 700, 300},
                                         kLabelRoom, poly.scale_a);
        if (fv.scale > 0) poly.scale_v = fv.scale;
        if (fa.scale > 0) poly.scale_a = fa.scale;
        QString note;
        if (fv.fitted) note += QStringLiteral("速度图按比例尺 %1 画出以完整显示\n").arg(qs(plain(poly.scale_v)));
        if (fa.fitted) note += QStringLiteral("加速度图按比例尺 %1 画出以完整显示").arg(qs(plain(poly.scale_a)));
        lblFit->setText(note);
    }
    const auto k = jisuan(state_.qb_r_k, state_.lg_l_k, state_.hs_e_k, phi, state_.omega1, &poly);
    if (!k) {
        ui::show_message(this, QStringLiteral("该位置无法计算，请检查设计数据"), ui::kTitleError);
        return;
    }
    const double values[7] = {k->v_a, k->v_b, k->v_ba, k->a_a, k->a_b, k->a_ba_n, k->a_ba_t};
    for (double v : values)
        if (format_0_00(v).empty()) {
            ui::show_message(this, QStringLiteral("该位置无法计算，请检查设计数据"), ui::kTitleError);
            return;
        }
    state_.phi = phi;
    state_.poly = poly;
    state_.kin = *k;
    draw::DrawingSurface& pic = Picture3->surface();
    std::vector<figures::PointName> names = figures::single_velocity_polygon(pic, *k, poly.scale_v);
    for (figures::PointName& n : figures::single_acceleration_polygon(pic, *k, poly.scale_a))
        names.push_back(std::move(n));
    figures::print_names(pic, names, {});
    // The size of a drawing unit on the screen (15 twips to a pixel).
    const double mm_per_unit = Picture3->surface().units_to_px_x(1) * 15 * 25.4 / 1440;
    const auto plain_k = jisuan(state_.qb_r_k, state_.lg_l_k, state_.hs_e_k, phi, state_.omega1);
    if (plain_k) {
        const WorkedSheet ws = motion_sheet(*plain_k, *angle, state_.qb_r_k, state_.lg_l_k, state_.omega1,
                                            poly.scale_v, poly.scale_a, mm_per_unit);
        sheet_page->set_sheet(ws, {0, 0, 0, 1, 1, 1, 1}, {ws.mu, ws.mu2});
    }
    for (size_t i = 0; i < 7; ++i)
        value_texts[i]->setText(qs(format_0_00(values[i]) + (i < 3 ? "m/s" : "m/s^2")));
}

void Form1::HScroll1_Change(int) { Command4_Click(); }
void Form1::VScroll1_Change(int) { Command4_Click(); }

void Form1::Command1_Click() {
    // Units 500 wide and as high as the picture's proportions give, 0 at the
    // bottom edge; the aspect is read back, so a second drawing matches the first.
    for (draw::SurfaceWidget* p : {Picture1, Picture2}) {
        draw::DrawingSurface& s = p->surface();
        s.clear();
        const double aspect = std::fabs(s.scale_height() / s.scale_width());
        s.set_scale(s.scale_left(), aspect * 500, 500, -aspect * 500);
    }
    PolygonScale poly = state_.poly;
    poly.scale_v = val(ss(Text16->text()));
    poly.scale_a = val(ss(Text17->text()));
    // The grid scales are read by their leading number (0 draws the positions
    // as points); one beyond the range the polygons can be drawn at would turn
    // every arrow into nothing.
    for (auto [box, v] : {std::pair{Text16, poly.scale_v}, std::pair{Text17, poly.scale_a}}) {
        if (std::fabs(v) > kMaxPolygonScale) {
            ui::refuse_box(box, QStringLiteral("比例尺不能超过%1").arg(qs(plain(kMaxPolygonScale))), ui::kTitleError);
            return;
        }
    }
    if (!fill_table()) return;
    // Every arrow of the grid first, then the point names and the captions,
    // so that a polygon reaching into the row above moves the caption there
    // rather than printing over it.
    std::vector<figures::PointName> v_names, a_names;
    std::vector<figures::Caption> v_captions, a_captions;
    for (const GridPosition& p : fifteen_positions(state_.jd_wai, val(ss(Text1->text())))) {
        poly.centre_v_x = p.centre_v_x;
        poly.centre_v_y = p.centre_v_y;
        poly.centre_a_x = p.centre_a_x;
        poly.centre_a_y = p.centre_a_y;
        const auto k = jisuan(state_.qb_r_k, state_.lg_l_k, state_.hs_e_k, p.phi, state_.omega1, &poly);
        if (!k) continue;
        state_.phi = p.phi;
        state_.poly = poly;
        state_.kin = *k;
        for (figures::PointName& n : figures::grid_velocity_polygon(Picture1->surface(), *k, poly.scale_v))
            v_names.push_back(std::move(n));
        for (figures::PointName& n : figures::grid_acceleration_polygon(Picture2->surface(), *k, poly.scale_a))
            a_names.push_back(std::move(n));
        v_captions.push_back({p.centre_v_x - 50, p.centre_v_y + 65, velocity_grid_label(p)});
        a_captions.push_back({p.centre_a_x - 50, p.centre_a_y + 65, acceleration_grid_label(p)});
    }
    figures::print_names(Picture1->surface(), v_names, v_captions);
    figures::print_names(Picture2->surface(), a_names, a_captions);
}

template <class Child>
void Form1::hand_over(Child* child) {
    child->setParent(this, Qt::Window);
    connect(child, &Child::returned, this, [this] { show(); });
    connect(child, &ui::WorkingWindow::closed, this, [this] {
        if (!isVisible()) close();
    });
    child->show();
    hide();
}

void Form1::CommandButton2_Click() {
    if (!fill_table()) return;
    form2_ = new Form2(state_);
    hand_over(form2_.data());
}

void Form1::CommandButton3_Click() {
    if (!fill_table()) return;
    form3_ = new Form3(state_);
    hand_over(form3_.data());
}

}  // namespace vm
