// Checks on what a picture shows, read from its display list and from a
// rendering: text boxes free of strokes, texts apart and inside the picture.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cmath>
#include <vector>

#include "draw/drawing_surface.h"

namespace vm::test {

struct TextBox {
    QString text;
    double l, t, r, b;  // pixels
};

inline std::vector<TextBox> text_boxes(const draw::DrawingSurface& s) {
    std::vector<TextBox> out;
    for (const draw::Primitive& p : s.display_list())
        if (p.kind == draw::PrimitiveKind::Text)
            out.push_back({p.text, p.x1, p.y1, p.x1 + p.x2, p.y1 + p.y2});
    return out;
}

// Everything but the texts, painted on the background.
inline QImage strokes_only(const draw::DrawingSurface& s) {
    QImage img(s.width_px(), s.height_px(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (const draw::Primitive& prim : s.display_list())
        if (prim.kind != draw::PrimitiveKind::Text) draw::paint_primitive(p, prim, QRectF(img.rect()));
    p.end();
    return img;
}

// The texts some line, circle, arc or fill runs through: a pixel of the
// strokes-only picture inside the text box (less a pixel of air at its edge)
// that is not the background.
inline QStringList crossed_texts(const draw::DrawingSurface& s) {
    const QImage img = strokes_only(s);
    QStringList crossed;
    for (const TextBox& t : text_boxes(s)) {
        bool hit = false;
        for (int y = static_cast<int>(std::ceil(t.t + 1)); y <= static_cast<int>(t.b - 1) && !hit;
             ++y)
            for (int x = static_cast<int>(std::ceil(t.l + 1));
                 x <= static_cast<int>(t.r - 1) && !hit; ++x) {
                if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) continue;
                const QColor c = img.pixelColor(x, y);
                hit = c.red() + c.green() + c.blue() < 3 * 250;
            }
        if (hit) crossed << t.text;
    }
    return crossed;
}

// Pairs of texts whose boxes overlap by more than half a pixel.
inline QStringList overlapping_texts(const draw::DrawingSurface& s) {
    const std::vector<TextBox> boxes = text_boxes(s);
    QStringList out;
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            const TextBox &a = boxes[i], &b = boxes[j];
            if (a.l + 0.5 < b.r && b.l + 0.5 < a.r && a.t + 0.5 < b.b && b.t + 0.5 < a.b)
                out << a.text + QStringLiteral(" / ") + b.text;
        }
    return out;
}

// Texts not wholly inside the picture.
inline QStringList texts_outside(const draw::DrawingSurface& s) {
    QStringList out;
    for (const TextBox& t : text_boxes(s))
        if (t.l < 0 || t.t < 0 || t.r > s.width_px() || t.b > s.height_px()) out << t.text;
    return out;
}

}  // namespace vm::test
