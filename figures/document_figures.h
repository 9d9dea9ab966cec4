// The report's figures: each figure block of the document drawn on a surface
// of its size on the page (96 pixels to the inch), from the design's results.
#pragma once

#include <memory>

#include "core/course_document.h"

namespace vm::draw {
class DrawingSurface;
}

namespace vm::figures {

// The font of every figure's names, numbers and captions.
void use_figure_font(draw::DrawingSurface& s, double point_size = 8);

// The figure of `f` for a confirmed design whose force table is filled;
// nothing when the figure kind has no drawing yet.
std::unique_ptr<draw::DrawingSurface> document_figure(const DocFigure& f, const DesignState& filled,
                                                      const CourseOptions& options);

}  // namespace vm::figures
