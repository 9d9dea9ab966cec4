// Laying the sheets out: border, title block and the shared figures in their
// boxes; written by painting the sheet's picture onto a PDF page or an SVG.
#include "report/sheets.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "core/cam_motion.h"
#include "core/cam_profile.h"
#include "core/cycle_diagram.h"
#include "core/design_state.h"
#include "core/force_polygon.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "figures/curve_charts.h"
#include "figures/document_figures.h"
#include "figures/mechanism_figures.h"
#include "figures/torque_figure.h"

namespace vm::report {

namespace {
using figures::kPxPerMm;
using figures::PixelBox;

constexpr double kMargin = 10;                 // paper edge to border, mm
constexpr double kTitleW = 150, kTitleH = 32;  // title block, mm
constexpr double kGap = 5;                     // border to figures, mm

double px(double mm) {
    return mm * kPxPerMm;
}
PixelBox box_mm(double l, double t, double r, double b) {
    return {px(l), px(t), px(r), px(b)};
}

Sheet blank_sheet(std::string name, double w, double h) {
    Sheet s{
        std::move(name), w, h,
        std::make_unique<draw::DrawingSurface>(int(std::lround(px(w))), int(std::lround(px(h))))};
    figures::use_figure_font(*s.surface, 9);
    return s;
}

void text_at(draw::DrawingSurface& s, double x_mm, double y_mm, const std::string& t, double pt = 9,
             bool bold = false) {
    QFont f = s.font();
    const QFont keep = f;
    f.setPointSizeF(pt);
    f.setBold(bold);
    s.set_font(f);
    s.set_pixel_scale();
    s.set_current(px(x_mm), px(y_mm));
    s.print(t);
    s.set_font(keep);
}

std::string design_data(const DesignState& st) {
    return "H = " + st.hs_h + " mm，D = " + st.hs_d + " mm，e = " + st.hs_e +
           " mm，K = " + st.hs_k + "，n = " + st.qb_w + " r/min，δ = " + st.sd_k;
}

// Four lines of notes at the bottom left, beside the title block.
void notes_beside_title(Sheet& sheet, const std::string (&notes)[4]) {
    for (int i = 0; i < 4; ++i)
        text_at(*sheet.surface, kMargin + kGap, sheet.height_mm - kMargin - kTitleH + 1 + 7.5 * i, notes[i], 8);
}

// The border and the title block at the bottom right: the drawing's name,
// the design data, the scale and the design's title.
void frame_and_title(Sheet& sheet, const DesignState& st, const std::string& scale) {
    draw::DrawingSurface& s = *sheet.surface;
    s.set_pixel_scale();
    const double w = sheet.width_mm, h = sheet.height_mm;
    s.set_line_width(2);
    s.box(px(kMargin), px(kMargin), px(w - kMargin), px(h - kMargin), 0);
    const double l = w - kMargin - kTitleW, t = h - kMargin - kTitleH, r = w - kMargin,
                 b = h - kMargin;
    s.box(px(l), px(t), px(r), px(b), 0);
    s.set_line_width(1);
    const double row = kTitleH / 4;
    for (int i = 1; i < 4; ++i) s.line(px(l), px(t + i * row), px(r), px(t + i * row), 0);
    s.line(px(l + 28), px(t), px(l + 28), px(b), 0);
    text_at(s, l + 2, t + 1.2, "图名", 9);
    text_at(s, l + 30, t + 0.6, sheet.name, 11, true);
    text_at(s, l + 2, t + row + 1.6, "设计数据", 9);
    text_at(s, l + 30, t + row + 1.6, design_data(st), 8);
    text_at(s, l + 2, t + 2 * row + 1.6, "比例", 9);
    text_at(s, l + 30, t + 2 * row + 1.6, scale, 8);
    text_at(s, l + 2, t + 3 * row + 1.6, "设计", 9);
    text_at(s, l + 30, t + 3 * row + 1.6, "单缸四冲程内燃机机构设计", 9);
}

// The largest area above the title block, inside the border.
PixelBox drawing_area(const Sheet& sheet) {
    return box_mm(kMargin + kGap, kMargin + kGap, sheet.width_mm - kMargin - kGap,
                  sheet.height_mm - kMargin - kTitleH - kGap);
}

Sheet mechanism_sheet(const DesignState& st, const CourseOptions& o) {
    Sheet sheet = blank_sheet("机构运动简图", 420, 297);
    const PixelBox area = drawing_area(sheet);
    const double w = (area.right - area.left) / kPxPerMm, h = (area.bottom - area.top) / kPxPerMm;
    const double mu_l = mechanism_scale(st.qb_r, st.lg_l, val(st.hs_e), w, h);
    figures::draw_mechanism(
        *sheet.surface, area, st,
        figures::mechanism_positions(st, {o.positions.begin(), o.positions.end()}), mu_l);
    const std::string notes[] = {
        "曲柄 r = " + format_0_00(st.qb_r) + " mm，连杆 l = " + format_0_00(st.lg_l) +
            " mm，偏距 e = " + st.hs_e + " mm",
        "外止点 φ外 = " + format_0_00(st.jd_wai) + "°，内止点 φ内 = " + format_0_00(st.jd_nei) +
            "°",
        "A外、B外：外止点；A内、B内：内止点；", "其余为所选位置 n（循环转角 30°×(n − 1)）"};
    notes_beside_title(sheet, notes);
    frame_and_title(sheet, st, length_scale_text(mu_l));
    return sheet;
}

Sheet analysis_sheet(const DesignState& st, const CourseOptions& o) {
    Sheet sheet = blank_sheet("运动分析与动态静力分析图", 420, 297);
    draw::DrawingSurface& s = *sheet.surface;
    const PixelBox area = drawing_area(sheet);
    const int rows = int(o.positions.size()), cols = 5;
    const double cw = (area.right - area.left) / cols, rh = (area.bottom - area.top) / rows;
    const double fit_mm = std::min(cw, rh) / kPxPerMm - 24;
    const char* const members[4] = {"", "曲柄", "连杆", "活塞"};
    for (int i = 0; i < rows; ++i) {
        const int p = o.positions[std::size_t(i)];
        const double top = area.top + i * rh;
        auto cell = [&](int col) {
            return PixelBox{area.left + col * cw + 4, top + 4, area.left + (col + 1) * cw - 4,
                            top + rh - 4};
        };
        auto heading = [&](int col, const std::string& t) {
            const PixelBox c = cell(col);
            text_at(s, c.left / kPxPerMm, c.top / kPxPerMm, t, 10, true);
            s.set_pixel_scale();
            s.set_line_width(1);
            s.box(c.left, c.top - 2, c.right, c.bottom, draw::rgb(190, 190, 190));
            return PixelBox{c.left, c.top + px(6), c.right, c.bottom};
        };
        if (const auto mu = polygon_scales(st, p, fit_mm)) {
            figures::draw_motion_polygon(s, heading(0, "位置 " + std::to_string(p) + " 速度多边形"),
                                         st, p, false, mu->mu_v);
            figures::draw_motion_polygon(s,
                                         heading(1, "位置 " + std::to_string(p) + " 加速度多边形"),
                                         st, p, true, mu->mu_a);
        }
        int col = 2;
        for (int m : {kPiston, kRod, kCrank}) {
            const PixelBox b =
                heading(col++, "位置 " + std::to_string(p) + " " + members[m] + "的力多边形");
            figures::draw_force_figure(s, b, st, m, p, force_scale(st, m, p, fit_mm));
        }
    }
    frame_and_title(sheet, st, "各图的比例尺 μv、μa、μF 标在该图的左上角");
    return sheet;
}

Sheet cam_sheet(const DesignState& st, const CourseOptions& o) {
    Sheet sheet = blank_sheet("凸轮设计图", 420, 297);
    draw::DrawingSurface& s = *sheet.surface;
    const PixelBox area = drawing_area(sheet);
    const double split = area.left + px(215);
    const double mu_cam = cam_scale(o.cam, 215, (area.bottom - area.top) / kPxPerMm - 14);
    figures::draw_cam_figure(s, {area.left, area.top, split, area.bottom}, o.cam, mu_cam);
    // The follower's displacement, velocity and acceleration over the turn.
    const FollowerMotion m{o.cam.h};
    figures::Chart charts[3] = {{{}, {}, "δ/(°)", "位移 s/mm", 0, 360, 30},
                                {{}, {}, "δ/(°)", "速度 v/(mm/s)", 0, 360, 30},
                                {{}, {}, "δ/(°)", "加速度 a/(mm/s²)", 0, 360, 30}};
    for (int k = 0; k <= 720; ++k) {
        const double d = k / 2.0;
        const double v[3] = {m.lift(d), m.velocity(d), m.acceleration(d)};
        for (int i = 0; i < 3; ++i) charts[i].x.push_back(d), charts[i].y.push_back(v[i]);
    }
    const double chart_top = area.top + px(16);
    text_at(s, split / kPxPerMm + 8, area.top / kPxPerMm,
            "推程 0°～60° 等速上升 h = " + plain(o.cam.h) +
                " mm，远休止 60°～70°，回程 70°～140° 摆线运动，近休止 140°～360°",
            8);
    text_at(s, split / kPxPerMm + 8, area.top / kPxPerMm + 5,
            "基圆半径 r0 = " + plain(o.cam.r0) + " mm，偏距 e = " + plain(o.cam.e) +
                " mm，滚子半径 rr = " + plain(o.cam.rr) + " mm；运动线图按凸轮角速度 ω = 1 rad/s",
            8);
    figures::draw_motion_charts(s, {split + px(8), chart_top, area.right, area.bottom}, charts, px(4));
    frame_and_title(sheet, st, "凸轮 " + length_scale_text(mu_cam) + "；运动线图的比例见其坐标轴");
    return sheet;
}

// The torque diagram over the whole drawing area, with the mean resisting
// torque, the work surplus and deficit and the flywheel in the notes.
Sheet torque_sheet(const DesignState& st, const TorqueFigures& t) {
    Sheet sheet = blank_sheet("力矩变化曲线图", 420, 297);
    draw::DrawingSurface& s = *sheet.surface;
    const PixelBox area = drawing_area(sheet);
    const double w = (area.right - area.left) / kPxPerMm, h = (area.bottom - area.top) / kPxPerMm;
    const TorqueChartScales sc = torque_chart_scales(t, w, h);
    figures::draw_torque_chart(s, area, t, sc);
    const std::string notes[] = {
        "平均阻力矩 Mr = " + format_0_00(t.m_mean) + " N·m，发动机功率 P = " + format_0_00(t.p_eng) + " W",
        "最大盈功 " + format_0_00(t.energy.e_max) + " J，最大亏功 " + format_0_00(t.energy.e_min) +
            " J，最大盈亏功 ΔWmax = " + format_0_00(t.energy.dw_max) + " J",
        "飞轮转动惯量 J_F = ΔWmax/(δω²) = " + format_0_00(t.j_fly) + " kg·m²（δ = " + st.sd_k +
            "，ω = " + format_0_00(t.w_crank) + " rad/s）",
        "横轴：曲柄转角 φ（一个循环 0～4π）；绿线为极值点，轴旁数字为其转角（°），曲线旁数字为其力矩（N·m）；红线为平均阻力矩"};
    notes_beside_title(sheet, notes);
    frame_and_title(sheet, st,
                    "μφ = " + plain(sc.mu_phi) + " rad/mm，μM = " + plain(sc.mu_m) + " (N·m)/mm");
    return sheet;
}

// The work-cycle diagram on the left, its reading on the right.
Sheet cycle_sheet(const DesignState& st, const CycleDiagram& d) {
    Sheet sheet = blank_sheet("工作循环图", 420, 297);
    draw::DrawingSurface& s = *sheet.surface;
    const PixelBox area = drawing_area(sheet);
    const double split = area.left + px(230);
    figures::draw_cycle_chart(s, {area.left, area.top, split, area.bottom}, d);
    const double x = split / kPxPerMm + 10, y = area.top / kPxPerMm + 10;
    const std::string notes[] = {
        "行程速比系数 K = " + st.hs_k + "，极位夹角 θ = 180°(K − 1)/(K + 1) = " + format_0_00(d.theta) + "°",
        "以活塞外止点为循环起点，曲柄转两转（720°）完成一个工作循环",
        "每条下方的数字为该段终了时的曲柄转角（°）",
        "凸轮轴转速为曲柄转速的一半"};
    for (int i = 0; i < 4; ++i) text_at(s, x, y + 8 * i, notes[i], 10);
    frame_and_title(sheet, st, "横向 1 格 = 2° 曲柄转角；不按长度比例");
    return sheet;
}

}  // namespace

std::vector<Sheet> drawing_sheets(const DesignState& filled, const CourseOptions& options) {
    std::vector<Sheet> out;
    out.push_back(mechanism_sheet(filled, options));
    out.push_back(analysis_sheet(filled, options));
    if (check_cam_inputs(options.cam) == CamInputError::None)
        out.push_back(cam_sheet(filled, options));
    if (const auto t = torque_figures(filled))
        out.push_back(torque_sheet(filled, *t));
    if (const CycleDiagram d = cycle_diagram(filled.hs_k); d.ok()) out.push_back(cycle_sheet(filled, d));
    return out;
}

std::string sheet_pdf(const Sheet& sheet) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QSizeF(sheet.width_mm, sheet.height_mm), QPageSize::Millimeter),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        // 96 dots per inch: one dot is one pixel of the sheet's picture, and
        // its texts keep their point sizes.
        pdf.setResolution(96);
        pdf.setTitle(QString::fromStdString(sheet.name));
        pdf.setCreator(QStringLiteral("Velmarion"));
        QPainter p(&pdf);
        draw::paint_picture(p, *sheet.surface);
    }
    return std::string(buffer.data().constData(), std::size_t(buffer.data().size()));
}

std::string sheet_svg(const Sheet& sheet) {
    const QByteArray b = draw::picture_svg(*sheet.surface);
    return std::string(b.constData(), std::size_t(b.size()));
}

}  // namespace vm::report

namespace vm::report {

std::string sheet_png(const Sheet& sheet, double dpi) {
    const QByteArray bytes = draw::picture_png(*sheet.surface, dpi);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace vm::report
