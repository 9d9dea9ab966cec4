// The course-design report (设计说明书) as a document model: headings,
// paragraphs, worked equations, numbered tables with units and numbered
// figures, built from the core's own results for one confirmed design. The
// writers (PDF, ODT) only lay it out; the tests read it directly.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/cam_profile.h"

namespace vm {

struct DesignState;

struct DocTable {
    std::vector<std::string> header;  // each with its unit
    std::vector<std::vector<std::string>> rows;
};

struct DocBlock {
    enum class Kind { Heading, Paragraph, Equations, Table, Figure };
    Kind kind = Kind::Paragraph;
    std::string text;       // heading or paragraph text; equations one per line; caption of a table or figure
    DocTable table;         // Table only
    std::string figure;     // Figure only: which figure the writer draws ("torque", "cycle", ...)
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

struct CourseOptions {
    std::array<int, 2> positions{1, 7};  // report positions 1..24 worked out in full
    CamInputs cam;                       // the valve cam
    double balancing_radius_cm = 10;     // radius of the balancing mass, cm
};

// The whole report for a confirmed design (parameters and derived dimensions
// stored, as the main window's confirmation leaves them).
CourseDocument course_document(const DesignState& confirmed, const CourseOptions& options);

}  // namespace vm
