// Shared ground of the motion-window tests: the default design as the main
// window confirms it, a window opened on its filled force table, and the lines
// and texts a picture holds.
#pragma once

#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "core/design_state.h"
#include "core/force_analysis.h"
#include "draw/drawing_surface.h"
#include "tests/core/force_design_fixture.h"

namespace vm::test {

inline std::unique_ptr<DesignState> default_design() {
    return std::make_unique<DesignState>(confirmed_state(kDesigns[0]));
}

// Window W shown on the default design after the force-table fill, as the
// motion-analysis window hands over to it; deleted with the fixture.
template <class W>
struct FilledWindow {
    FilledWindow() : state(default_design()) {
        fill_force_table(*state);
        w = new W(*state);
        w->show();
    }
    ~FilledWindow() { delete w.data(); }
    std::unique_ptr<DesignState> state;
    QPointer<W> w;
};

inline std::vector<draw::Primitive> primitives(const draw::DrawingSurface& s, draw::PrimitiveKind kind) {
    std::vector<draw::Primitive> out;
    for (const draw::Primitive& p : s.display_list())
        if (p.kind == kind) out.push_back(p);
    return out;
}
inline std::vector<draw::Primitive> lines(const draw::DrawingSurface& s) {
    return primitives(s, draw::PrimitiveKind::Line);
}
inline std::vector<QString> texts(const draw::DrawingSurface& s) {
    std::vector<QString> out;
    for (const draw::Primitive& p : primitives(s, draw::PrimitiveKind::Text)) out.push_back(p.text);
    return out;
}

// The first label printed over another label, struck through by a line or
// covering a visible dot of `s`, described; empty when every label is clear.
inline QString label_clash(const draw::DrawingSurface& s) {
    struct Box {
        double l, t, r, b;
        QString text;
    };
    std::vector<Box> boxes;
    for (const draw::Primitive& p : primitives(s, draw::PrimitiveKind::Text)) {
        // Blanks around a name take no ink.
        if (p.text.trimmed().isEmpty()) continue;
        boxes.push_back({p.x1, p.y1, p.x1 + p.x2, p.y1 + p.y2, p.text});
    }
    auto overlap = [](const Box& a, double l, double t, double r, double b) {
        return a.l < r && l < a.r && a.t < b && t < a.b;
    };
    // Whether the segment passes through the inside of the box (sampled finely).
    auto crosses = [](const Box& a, const draw::Primitive& p) {
        const int n = 400;
        for (int i = 0; i <= n; ++i) {
            const double x = p.x1 + (p.x2 - p.x1) * i / n, y = p.y1 + (p.y2 - p.y1) * i / n;
            if (x > a.l && x < a.r && y > a.t && y < a.b) return true;
        }
        return false;
    };
    for (size_t i = 0; i < boxes.size(); ++i) {
        for (size_t j = 0; j < i; ++j)
            if (overlap(boxes[i], boxes[j].l, boxes[j].t, boxes[j].r, boxes[j].b))
                return QStringLiteral("\"%1\" over \"%2\"").arg(boxes[i].text, boxes[j].text);
        for (const draw::Primitive& p : lines(s))
            if (crosses(boxes[i], p))
                return QStringLiteral("\"%1\" struck by a line (%2,%3)-(%4,%5)")
                    .arg(boxes[i].text)
                    .arg(p.x1)
                    .arg(p.y1)
                    .arg(p.x2)
                    .arg(p.y2);
        for (const draw::ShapeElement& e : s.shape_elements())
            if (e.visible && overlap(boxes[i], e.left, e.top, e.left + e.width, e.top + e.height))
                return QStringLiteral("\"%1\" over a dot").arg(boxes[i].text);
    }
    return {};
}

}  // namespace vm::test
