// An immediate-mode picture: user scale, current point, lines, boxes, circles,
// arcs, points and text, kept like a painted picture (changing the scale later
// moves nothing already drawn) and recorded as a display list in device pixels.
#pragma once

#include <QFont>
#include <QImage>
#include <QPen>
#include <QRectF>
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vm::draw {

// 0x00BBGGRR, so 255 is red, 0xFF0000 blue.
using Colour = std::uint32_t;
constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
// Colour n (0..15) of the 16-colour QBColor palette; other n are taken mod 16.
Colour qb_color(int n);

enum class PrimitiveKind { Line, Box, FilledBox, Circle, FilledCircle, Arc, Point, Text };

// Line styles, as set_line_style takes them. Centre lines and axes of symmetry
// are drawn dash-dot.
enum LineStyle : int { kSolidLine = 0, kDashedLine = 1, kDottedLine = 2, kDashDotLine = 3 };

// One recorded drawing operation, in device pixels (y down).
struct Primitive {
    PrimitiveKind kind = PrimitiveKind::Line;
    // Line ends or box corners; the centre of a circle, arc or point in x1, y1; for
    // text the top-left corner in x1, y1 and its width and line height in x2, y2.
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double radius = 0;                      // circles and arcs, pixels
    double start = 0, end = 0;              // arcs: radians, counter-clockwise on screen
    Colour colour = 0;
    Colour fill = 0;  // FilledCircle: the fill colour
    int width = 1;    // pixels
    int style = 0;    // a LineStyle
    QString text;     // Text
    double font_size = 9;  // Text: point size
    bool bold = false;     // Text
};

// A line or shape element placed in the picture and drawn above its content;
// moving it erases nothing. Positions are in device pixels.
enum class ShapeKind { Rectangle, Square, Oval, Circle, RoundedRectangle };
struct LineElement {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour colour = 0;
    int width = 1;
    bool visible = true;
};
struct ShapeElement {
    ShapeKind kind = ShapeKind::Circle;
    double left = 0, top = 0, width = 9, height = 9;  // pixels (135 twips = 9 px)
    Colour border = 0;
    Colour fill = 0;
    bool filled = true;
    bool visible = true;
};

class DrawingSurface {
public:
    // A picture of the given inner size in pixels, white background.
    DrawingSurface(int width_px, int height_px, Colour background = 0xFFFFFF);

    int width_px() const { return width_; }
    int height_px() const { return height_; }

    // Erase to the background; the current point goes to the top-left corner.
    void clear();
    Colour background() const { return background_; }
    void set_background(Colour c);

    // User scale: left, top, width, height (negative height: y grows upward).
    void set_scale(double left, double top, double width, double height);
    // Back to pixels (left 0, top 0, width and height in pixels).
    void set_pixel_scale();
    // Proportional scale: `width` units across, the height -Int(width * H / W)
    // so both axes have the same unit on screen, y upward.
    void set_proportional_scale(double left, double top, double width);
    double scale_left() const { return left_; }
    double scale_top() const { return top_; }
    double scale_width() const { return sw_; }
    double scale_height() const { return sh_; }
    void set_scale_left(double v) { left_ = v; }
    void set_scale_top(double v) { top_ = v; }
    void set_scale_width(double v) { if (v != 0) sw_ = v; }
    void set_scale_height(double v) { if (v != 0) sh_ = v; }

    // User units <-> device pixels under the current scale.
    double to_px_x(double x) const;
    double to_px_y(double y) const;
    double from_px_x(double px) const;
    double from_px_y(double py) const;
    // Length of `units` along x (or y) in pixels, always positive.
    double units_to_px_x(double units) const;
    double units_to_px_y(double units) const;

    // Current point, user units.
    double current_x() const { return cx_; }
    double current_y() const { return cy_; }
    void set_current(double x, double y) { cx_ = x; cy_ = y; }

    void set_line_width(int px) { line_width_ = px < 1 ? 1 : px; }
    int line_width() const { return line_width_; }
    void set_line_style(int style) { line_style_ = style; }  // a LineStyle
    int line_style() const { return line_style_; }
    void set_fore_colour(Colour c) { fore_ = c; }
    Colour fore_colour() const { return fore_; }
    // Circles drawn while a fill is set are filled with that colour.
    void set_fill(bool filled, Colour c = 0) { fill_on_ = filled; fill_colour_ = c; }

    void set_font(const QFont& font) { font_ = font; }
    const QFont& font() const { return font_; }

    // Lines and boxes; each leaves the current point at (x2, y2).
    void line(double x1, double y1, double x2, double y2);
    void line(double x1, double y1, double x2, double y2, Colour c);
    void line_to(double x2, double y2);
    void line_to(double x2, double y2, Colour c);
    void box(double x1, double y1, double x2, double y2, Colour c);
    void filled_box(double x1, double y1, double x2, double y2, Colour c);

    // Circle with radius in x units (round on screen), in the default colour or c.
    void circle(double x, double y, double r);
    void circle(double x, double y, double r, Colour c);
    // Arc from start to end (radians, counter-clockwise as seen on the screen).
    void arc(double x, double y, double r, Colour c, double start, double end);
    void point(double x, double y);
    void point(double x, double y, Colour c);

    // Text with its top-left corner at the current point; the current point then
    // goes to the start of the next line (back to the left edge). With
    // newline = false the current point stays on the line, after the text.
    void print(const QString& text, bool newline = true);
    void print(const std::string& utf8, bool newline = true) { print(QString::fromStdString(utf8), newline); }
    void print(const char* utf8, bool newline = true) { print(QString::fromUtf8(utf8), newline); }
    // Height of a text line in user units under the current font and scale.
    double text_height() const;

    // Movable elements, addressed by the index their add_ returns.
    int add_line_element(const LineElement& e = {});
    int add_shape_element(const ShapeElement& e = {});
    LineElement& line_element(int i) { return line_elements_.at(static_cast<size_t>(i)); }
    ShapeElement& shape_element(int i) { return shape_elements_.at(static_cast<size_t>(i)); }
    const std::vector<LineElement>& line_elements() const { return line_elements_; }
    const std::vector<ShapeElement>& shape_elements() const { return shape_elements_; }
    // Set a line element's ends in user units.
    void place_line_element(int i, double x1, double y1, double x2, double y2);
    // Set a shape element's left and top in user units.
    void place_shape_element(int i, double left, double top);
    void set_element_visible_line(int i, bool v) { line_element(i).visible = v; changed(); }
    void set_element_visible_shape(int i, bool v) { shape_element(i).visible = v; changed(); }

    // What was drawn since the last clear, oldest first. When a picture that is
    // never cleared grows past `kListLimit`, the oldest part is kept only as pixels.
    const std::vector<Primitive>& display_list() const { return list_; }
    static constexpr size_t kListLimit = 400000;
    // Primitives and element placements refused for a non-finite coordinate since
    // the surface was made (clear() keeps the count): a last safety net that a
    // correct window never reaches, so any count above 0 is a fault upstream.
    std::size_t dropped_count() const { return dropped_; }

    // Paints the movable elements above whatever `p` has drawn (device units).
    void paint_elements(class QPainter& p) const;

    // The picture as pixels, elements included.
    QImage image() const;
    // Save as PNG or SVG (by the file name's suffix), all or nothing: on failure
    // the old file stays as it was, false is returned and `why` gets the reason.
    bool save(const QString& file_name, QString* why = nullptr) const;

    // Called after every change, so a widget can repaint.
    void set_on_change(std::function<void()> f) { on_change_ = std::move(f); }

private:
    void add(Primitive p);
    Primitive centred(PrimitiveKind kind, double x, double y, double r, Colour c);
    void segment(PrimitiveKind kind, double x1, double y1, double x2, double y2, Colour c);
    void changed() const { if (on_change_) on_change_(); }
    void flush() const;
    void drop();  // counts a refused primitive or placement

    int width_, height_;
    Colour background_;
    double left_ = 0, top_ = 0, sw_, sh_;
    double cx_ = 0, cy_ = 0;
    int line_width_ = 1;
    int line_style_ = 0;
    Colour fore_ = 0;
    bool fill_on_ = false;
    Colour fill_colour_ = 0;
    QFont font_;
    std::vector<Primitive> list_;
    std::vector<LineElement> line_elements_;
    std::vector<ShapeElement> shape_elements_;
    mutable QImage pixels_;           // content painted so far
    mutable size_t painted_ = 0;      // list_ entries already in pixels_
    std::size_t dropped_ = 0;         // see dropped_count()
    std::function<void()> on_change_;
};

// Paints one primitive (shared by the pixel picture and the SVG export) onto a
// picture occupying `picture` (device pixels). Only what can show inside the
// picture is handed to the painter: lines, boxes, circles and arcs reaching far
// beyond it are cut to it first, so a figure millions of pixels across costs no
// more than one that fits, and looks the same inside the picture.
void paint_primitive(class QPainter& p, const Primitive& prim, const QRectF& picture);

// The pen of a primitive: its colour, width, round caps and line style.
QPen primitive_pen(const Primitive& prim);

// The region a primitive of pen width `width` must be painted in so that
// nothing of it inside `picture` is lost: the picture grown by more than the
// pen reaches beyond a point on its outline.
QRectF paint_area(const QRectF& picture, int width);

// Cuts the segment a-b to `r` (Liang-Barsky). False when nothing of it lies in
// `r`; otherwise a and b are moved onto the part inside and `skipped` (if given)
// gets the length cut off at a's end, which keeps dashes in step.
bool clip_segment(QPointF& a, QPointF& b, const QRectF& r, double* skipped = nullptr);

// Writes `bytes` to `file_name` all or nothing: every write is checked and the
// old file stays as it was when any part fails. On failure `why` gets the reason.
bool write_file_whole(const QString& file_name, const QByteArray& bytes, QString* why);

}  // namespace vm::draw
