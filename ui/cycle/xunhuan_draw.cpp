// xunhuan's pictures: the work-cycle diagram with its bars, the crank picture
// that follows the cursor, and the window's backdrop.
#include <QLabel>
#include <QLineEdit>

#include "core/cycle_diagram.h"
#include "core/design_state.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "figures/torque_figure.h"
#include "ui/common/messages.h"
#include "ui/cycle/xunhuan.h"

namespace vm {

using ui::qs;
using ui::ss;

void xunhuan::drawing_pic1_xuhuantu() {
    const CycleDiagram d = cycle_diagram(ss(Text2->text()));
    if (!d.ok()) {
        ui::refuse_box(Text2, qs(cycle_diagram_message(d.error)));
        return;
    }
    theta_ = d.theta;
    Text3->setText(qs(plain(d.theta)));
    Text3->show();
    Label5->show();

    // The picture is cleared first: a diagram drawn over an earlier one would
    // leave the old bars' ends visible and run the old end angles into the new
    // ones. The cursor is a movable element and stays where it is.
    draw::DrawingSurface& s = Picture1->surface();
    s.clear();
    figures::draw_cycle_items(s, d);
}

// The dial (crank circle, centre, top-dead-centre ray and its caption) depends
// only on jd_wai, so it is drawn when the picture first shows the crank and
// again only if the top dead centre moved: painting it over itself on every
// step of the animation would thicken its smoothed edges and smear the caption.
// The crank itself is the movable Line2, so no trail builds up.
void xunhuan::draw_crank_picture(int a) {
    draw::DrawingSurface& s = Picture2->surface();
    s.set_line_width(2);
    const CrankPicture c = crank_picture(a, state_.jd_wai);
    if (dial_jd_wai_ != state_.jd_wai) {
        dial_jd_wai_ = state_.jd_wai;
        s.circle(0, 0, kCrankRadius, draw::rgb(100, 150, 100));
        s.circle(0, 0, 2, draw::rgb(255, 5, 0));
        s.line(0, 0, c.tdc_x, c.tdc_y, draw::rgb(255, 5, 0));
        s.set_current(c.caption_x, c.caption_y);
        s.print(QStringLiteral("活塞最高点"));
    }

    s.place_line_element(Line2, 0, 0, c.pin_x, c.pin_y);
    s.place_shape_element(Shape1, c.marker_left, c.marker_top);
    Picture1->surface().set_element_visible_line(Line1, true);
    s.set_element_visible_line(Line2, true);
    s.set_element_visible_shape(Shape1, true);
}

// A quiet backdrop: a vertical wash from steel blue to near white, a frame
// around the control column and the window's title under it.
void xunhuan::draw_background() {
    draw::DrawingSurface& s = background->surface();
    s.set_pixel_scale();
    const int w = s.width_px(), h = s.height_px();
    constexpr int kBands = 73;
    for (int i = 0; i < kBands; ++i) {
        const double t = static_cast<double>(i) / (kBands - 1);
        const int r = static_cast<int>(198 + 50 * t), g = static_cast<int>(214 + 36 * t);
        const double y0 = h * static_cast<double>(i) / kBands,
                     y1 = h * static_cast<double>(i + 1) / kBands;
        s.filled_box(0, y0, w, y1 + 1, draw::rgb(r, g, 252));
    }
    const draw::Colour frame = draw::rgb(70, 90, 130);
    s.set_line_width(2);
    s.box(605, 10, w - 10, 535, frame);
    s.box(12, 12, 588, 718, frame);
    s.set_line_width(1);
    s.box(605, 548, w - 10, 718, frame);

    s.set_font(ui::cjk_font(16, true));
    s.set_fore_colour(draw::rgb(40, 60, 110));
    s.set_current(630, 585);
    s.print(QStringLiteral("四冲程内燃机"));
    s.set_current(630, 625);
    s.print(QStringLiteral("工作循环图与配气定时"));
    s.set_font(ui::cjk_font(9));
    s.set_fore_colour(draw::rgb(70, 90, 130));
    s.set_current(630, 675);
    s.print(QStringLiteral("吸气 · 压缩 · 做功 · 排气"));
}

}  // namespace vm
