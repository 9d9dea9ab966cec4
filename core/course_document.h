// The course-design report (设计说明书) as a document model: headings,
// paragraphs, worked equations, numbered tables with units and numbered
// figures, built from the core's own results for one confirmed design. The
// writers (PDF, ODT) only lay it out; the tests read it directly.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/cam_profile.h"
#include "core/torque_energy.h"

namespace vm {

struct DesignState;

struct DocTable {
    std::vector<std::string> header;  // each with its unit
    std::vector<std::vector<std::string>> rows;
};

// What a figure block shows and at which scale; the writers draw it from the
// core's results with the shared figures, at this size on the page.
struct DocFigure {
    enum class Kind { None, Mechanism, Velocity, Acceleration, Force, PistonCurves, GasForce, CamCurves, CamProfile, Torque, WorkCycle };
    Kind kind = Kind::None;
    int position = 0;                    // report position 1..24 of a polygon
    int member = 0;                      // force polygon: 1 crank, 2 rod, 3 piston
    double scale = 0;                    // drawing scale per mm: m, m/s, m/s², N (0 for curves with axes)
    double width_mm = 150, height_mm = 90;  // size on the page
    double scale2 = 0;                   // the torque diagram's angle scale, rad per mm
};

struct DocBlock {
    enum class Kind { Heading, Paragraph, Equations, Table, Figure };
    Kind kind = Kind::Paragraph;
    std::string text;       // heading or paragraph text; equations one per line; caption of a table or figure
    DocTable table;         // Table only
    DocFigure figure;       // Figure only
    int number = 0;         // the table's or figure's number ("表 3", "图 5")
};

struct CourseDocument {
    std::string title;
    std::vector<DocBlock> blocks;
    std::string error;  // set when the design cannot be analysed; then there are no blocks
    bool ok() const { return error.empty(); }
    // Every text of the document, blocks in order, for searching and for tests.
    std::string plain_text() const;
};

// The report works out in full two of the positions 1 .. 24 (A 0 .. A 23).
inline constexpr int kReportPositions = 24;
inline bool is_report_position(double p) { return p >= 1 && p <= kReportPositions && p == std::floor(p); }

struct CourseOptions {
    std::array<int, 2> positions{1, 7};  // report positions 1..24 worked out in full
    CamInputs cam;                       // the valve cam
    double balancing_radius_cm = 10;     // radius of the balancing mass, cm
};

// A drawing scale of 1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a power of
// ten (value per mm) under
// which the largest magnitude is drawn at most `mm` long; 1 when there is
// nothing to draw.
double drawing_scale(double largest, double mm);

// The scales of the polygons of report position p (1..24, every 30 degrees of
// cycle angle from the outer dead centre) drawn at most `mm` long: velocity
// (m/s)/mm, acceleration (m/s²)/mm. Nothing when the position has no answer.
struct PolygonScales {
    double mu_v = 0, mu_a = 0;
};
std::optional<PolygonScales> polygon_scales(const DesignState& confirmed, int position, double mm);
// Crank angle (rad) of report position p.
double position_angle(const DesignState& confirmed, int position);
// The scale of member's force polygon at position p (N/mm) from a filled table.
double force_scale(const DesignState& filled, int member, int position, double mm);
// The smallest standard reduction (1, 1.5, 2, 2.5, 3, 4, 5 times a power of
// ten, real mm per mm of drawing) not below the given one.
double standard_length_scale(double real_mm_per_mm);
// A length scale as the captions write it: "μl = 0.005 m/mm（1:5）".
std::string length_scale_text(double mu_l);
// Length scale μl (m/mm) of the cam with its rollers in a w x h mm drawing.
double cam_scale(const CamInputs& cam, double w_mm, double h_mm);
// Length scale μl (m/mm) under which the mechanism, all its positions and its
// slider, fit a drawing of w x h mm.
double mechanism_scale(double r_mm, double l_mm, double e_mm, double w_mm, double h_mm);

// The torque diagram's scales for a drawing of at most w x h mm: μφ in rad/mm
// and μM in (N·m)/mm, standard steps; and the user extent the drawing needs
// (the axes, the curve with its values and the labels right of the cycle's end).
struct TorqueChartScales {
    double mu_phi = 1, mu_m = 1;
    double x_left = 0, x_right = 0, y_bottom = 0, y_top = 0;
    double width_mm() const { return (x_right - x_left) / mu_phi; }
    double height_mm() const { return (y_top - y_bottom) / mu_m; }
};
TorqueChartScales torque_chart_scales(const TorqueFigures& t, double w_mm, double h_mm);

// The whole report for a confirmed design (parameters and derived dimensions
// stored, as the main window's confirmation leaves them).
CourseDocument course_document(const DesignState& confirmed, const CourseOptions& options);

}  // namespace vm
