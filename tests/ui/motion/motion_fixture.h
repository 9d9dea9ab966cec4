// Shared ground of the motion-window tests: the default design as the main
// window confirms it, and the lines and texts a picture holds.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "core/design_state.h"
#include "draw/drawing_surface.h"
#include "tests/core/force_design_fixture.h"

namespace vm::test {

inline std::unique_ptr<DesignState> default_design() {
    return std::make_unique<DesignState>(confirmed_state(kDesigns[0]));
}

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
