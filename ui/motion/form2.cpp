// Form2: member choice, the force-polygon drawing, its pan and reduction
// scroll bars, and the way back to the motion-analysis window.
#include "ui/motion/form2.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/force_polygon.h"
#include "core/motion_polygons.h"
#include "core/worked_sheet.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "figures/motion_figures.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"
#include "ui/common/twips.h"
#include "ui/common/vb_scroll_bar.h"
#include "ui/motion/form1_sheet.h"

namespace vm {

using ui::qs;
using ui::ss;

namespace {
// The picture is scaled in millimetres: 1440 twips to the inch.
constexpr double kTwipsPerMm = 1440 / 25.4;
constexpr double kPxPerMm = kTwipsPerMm / 15;
constexpr int kDotTw = 135;  // size of an end dot
constexpr int kLineWidthPx = 3;
}  // namespace

Form2::Form2(DesignState& state, QWidget* parent) : ui::WorkingWindow(parent), state_(state) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form1"));
    build_controls();
}

void Form2::build_controls() {
    fpic = new draw::SurfaceWidget(ui::twips(7695), ui::twips(7095), this);
    fpic->setObjectName(QStringLiteral("fpic"));
    fpic->move(0, 0);
    fpic->surface().set_line_width(kLineWidthPx);
    const int pw = fpic->width(), ph = fpic->height();

    VScroll1 = new ui::VbScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setGeometry(pw, 0, 17, ph);
    VScroll1->set_range(100, -100);
    VScroll1->set_value(50);
    HScroll1 = new ui::VbScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(0, ph, pw, 17);
    HScroll1->set_range(200, -100);
    HScroll1->set_value(70);
    for (ui::VbScrollBar* s : {VScroll1, HScroll1}) s->set_steps(1, 10);

    const int rx = pw + 30;
    F_cho = new QGroupBox(QStringLiteral("构件"), this);
    F_cho->setObjectName(QStringLiteral("F_cho"));
    F_cho->setGeometry(rx, 8, 140, 110);
    goujian_group = new QButtonGroup(this);
    const char* names[4] = {"", "曲柄", "连杆", "活塞"};
    for (int i = 1; i <= 3; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(names[i]), F_cho);
        b->setObjectName(QStringLiteral("Goujian(%1)").arg(i));
        b->setGeometry(16, 4 + i * 24, 110, 22);
        goujian_group->addButton(b, i);
        Goujian[static_cast<size_t>(i)] = b;
    }
    Goujian[1]->setChecked(true);

    li_flab2 = ui::at(ui::make_label(this, "li_flab2", "输入度数"), rx, 130, 140, 20);
    f_itxt = ui::at(ui::make_text(this, "f_itxt", "0"), rx, 152, 140, 24);
    f_itxt->setText(qs(state_.force_angle));
    f_draw = ui::at(ui::make_button(this, "f_draw", "绘制力图"), rx, 190, 140, 32);
    f_cls = ui::at(ui::make_button(this, "f_cls", "清除"), rx, 230, 140, 32);

    li_flab1 = ui::at(ui::make_label(this, "li_flab1", "缩小倍数"), rx, 280, 100, 20);
    f_ktxt = ui::at(ui::make_text(this, "f_ktxt", "100"), rx, 302, 100, 24);
    VScroll2 = new ui::VbScrollBar(Qt::Vertical, this);
    VScroll2->setObjectName(QStringLiteral("VScroll2"));
    VScroll2->setGeometry(rx + 112, 280, 17, 150);
    VScroll2->set_range(1, 1000);
    VScroll2->set_value(342);
    VScroll2->set_steps(1, 50);

    back = ui::at(ui::make_button(this, "back", "返回←"), rx, ph - 40, 140, 32);

    legend = new draw::SurfaceWidget(pw, 40, this);
    legend->setObjectName(QStringLiteral("legend"));
    legend->move(0, ph + 20);
    draw_force_legend(*legend);
    // The worked sheet to the right of the controls.
    sheet_page = new SheetPage({{"μF", "N/mm"}}, Qt::Vertical, this);
    sheet_page->setObjectName(QStringLiteral("sheet_page"));
    sheet_page->setGeometry(rx + 160, 8, 440, ph + 48);
    sheet_page->set_hint(QStringLiteral("点击“绘制力图”后，这里列出所画构件的平衡方程与各力。"));
    setFixedSize(rx + 610, ph + 64);

    // The dots start out of sight, as shape elements above the picture's content.
    draw::DrawingSurface& s = fpic->surface();
    const double dot_px = ui::twips(kDotTw);
    auto add_dot = [&](ForceDot dot) {
        draw::ShapeElement e;
        e.kind = draw::ShapeKind::Circle;
        e.width = e.height = dot_px;
        e.border = e.fill = dot_colour(dot);
        e.visible = false;
        return s.add_shape_element(e);
    };
    for (size_t i = 0; i < 3; ++i) {
        s_red[i] = add_dot(ForceDot::Red);
        s_green[i] = add_dot(ForceDot::Green);
        s_yellow[i] = add_dot(ForceDot::Yellow);
        s_blue[i] = add_dot(ForceDot::Blue);
    }
    s_ma = add_dot(ForceDot::Magenta);

    connect(goujian_group, &QButtonGroup::idClicked, this, &Form2::Goujian_Click);
    connect(f_draw, &QPushButton::clicked, this, &Form2::f_draw_Click);
    connect(f_cls, &QPushButton::clicked, this, &Form2::f_cls_Click);
    connect(back, &QPushButton::clicked, this, &Form2::back_Click);
    connect(HScroll1, &ui::VbScrollBar::changed, this, &Form2::HScroll1_Change);
    connect(VScroll1, &ui::VbScrollBar::changed, this, &Form2::VScroll1_Change);
    connect(VScroll2, &ui::VbScrollBar::changed, this, &Form2::VScroll2_Change);
}

void Form2::Goujian_Click(int index) { member = index; }

void Form2::f_draw_Click() { fdrawClick(); }
void Form2::HScroll1_Change(int) { fdrawClick(); }
void Form2::VScroll1_Change(int) { fdrawClick(); }
void Form2::VScroll2_Change(int) { fdrawClick(); }

void Form2::f_cls_Click() {
    draw::DrawingSurface& s = fpic->surface();
    for (size_t i = 0; i < 3; ++i)
        for (int dot : {s_red[i], s_green[i], s_yellow[i], s_blue[i]}) s.set_element_visible_shape(dot, false);
    s.set_element_visible_shape(s_ma, false);
    s.clear();
}

void Form2::back_Click() {
    back_flag = true;
    emit returned();
    close();
}

void Form2::set_scale() {
    draw::DrawingSurface& s = fpic->surface();
    const double w_mm = s.width_px() / kPxPerMm, h_mm = s.height_px() / kPxPerMm;
    s.set_scale(-HScroll1->value(), VScroll1->value(), w_mm, -h_mm);
}

int Form2::dot_for(ForceDot kind, int index) const {
    const size_t i = static_cast<size_t>(index);
    switch (kind) {
        case ForceDot::Red: return s_red[i];
        case ForceDot::Green: return s_green[i];
        case ForceDot::Yellow: return s_yellow[i];
        case ForceDot::Blue: return s_blue[i];
        case ForceDot::Magenta: return s_ma;
    }
    return s_ma;
}

void Form2::fdrawClick() {
    draw::DrawingSurface& s = fpic->surface();
    s.clear();
    set_scale();
    const AngleRow angle = angle_row(ss(f_itxt->text()));
    if (angle.error == AngleRowError::NotNumber || !is_numeric(ss(f_ktxt->text()))) {
        ui::refuse_box(angle.error == AngleRowError::NotNumber ? f_itxt : f_ktxt, QStringLiteral("请输入数字"),
                       ui::kTitleError);
        return;
    }
    if (angle.error == AngleRowError::OutOfRange) {
        ui::refuse_box(f_itxt, QStringLiteral("请输入-720～720之间的角度"), ui::kTitleError);
        return;
    }
    state_.force_angle = ss(f_itxt->text());
    f_k = VScroll2->value();
    f_ktxt->setText(qs(plain(f_k)));
    // Each force F is drawn as F / f_k millimetres, from the tip of the one before.
    const std::vector<ForceStep> steps = force_polygon(state_.force_table, member, angle.row, state_.force);
    const auto tips = figures::force_polygon_lines(s, steps, 0, 0, f_k);
    for (size_t i = 0; i < steps.size(); ++i) {
        const int dot = dot_for(steps[i].dot, member - 1);
        s.place_shape_element(dot, tips[i].first - 1, tips[i].second + 1);
        s.set_element_visible_shape(dot, true);
    }
    cur_x = tips.empty() ? 0 : tips.back().first;
    cur_y = tips.empty() ? 0 : tips.back().second;
    // Each name beside its dot, clear of every line, every dot shown and the
    // names already printed: short forces end close together.
    std::vector<figures::PixelBox> dots;
    for (const draw::ShapeElement& e : s.shape_elements())
        if (e.visible) dots.push_back({e.left, e.top, e.left + e.width, e.top + e.height});
    figures::print_force_names(s, steps, tips, dots);
    const double typed = to_number(ss(f_itxt->text())).value_or(angle.row);
    const WorkedSheet ws = force_sheet(steps, member, typed, angle.row, state_.force_table.at(angle.row, kMb), f_k);
    sheet_page->set_sheet(ws, std::vector<int>(ws.vectors.size(), 0), {f_k});
}

// A short thick line with a black dot at its end, the red bold "代表：", and
// the arrow it stands for.
void draw_force_legend(draw::SurfaceWidget& legend) {
    draw::DrawingSurface& s = legend.surface();
    s.set_pixel_scale();
    const double y = 20;
    s.set_line_width(3);
    s.line(20, y, 80, y, 0);
    s.set_line_width(1);
    s.set_fill(true, 0);
    s.circle(82, y, 4.5, 0);
    s.set_fill(false);
    QFont f = s.font();
    f.setBold(true);
    f.setPointSizeF(11);
    s.set_font(f);
    s.set_fore_colour(255);
    s.set_current(104, y - 10);
    s.print("代表：");
    s.set_fore_colour(0);
    s.set_line_width(2);
    // Pixel scale is y down, so the barbs mirror; they stay symmetric about the shaft.
    figures::draw_arrow(s, 180, y, 70, 0, 0, 10);
}

}  // namespace vm
