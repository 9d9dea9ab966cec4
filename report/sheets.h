// The drawing sheets of the course design: the mechanism diagram, the motion
// and kinetostatic analysis sheet and the cam design drawing, each on a
// landscape A4 or A3 sheet with its border and title block, as vector PDF and SVG.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/course_document.h"
#include "draw/drawing_surface.h"

namespace vm::report {

struct Sheet {
    std::string name;  // the drawing's name, which is also its file name
    double width_mm = 297, height_mm = 210;
    std::unique_ptr<draw::DrawingSurface> surface;  // 96 pixels to the inch
};

// The three sheets of a confirmed design whose force table is filled.
std::vector<Sheet> drawing_sheets(const DesignState& filled, const CourseOptions& options);

// The sheet as a one-page vector PDF of its paper size, and as SVG.
std::string sheet_pdf(const Sheet& sheet);
std::string sheet_svg(const Sheet& sheet);
// The sheet as a PNG picture of `dpi` dots per inch (which it records); empty
// when the picture cannot be encoded.
// Sheets as pictures: 200 dpi holds an A3 sheet's thinnest lines and smallest
// text sharp in print and on screen, at under half the pixels of 300 dpi.
inline constexpr double kSheetPngDpi = 200;
std::string sheet_png(const Sheet& sheet, double dpi = kSheetPngDpi);

}  // namespace vm::report
