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

}  // namespace vm::test
