// The course-design export: the report (设计说明书) as PDF and ODT, the
// tables as CSV and the two text reports, for one confirmed design, written
// into one folder all together or not at all.
#pragma once

#include <string>
#include <vector>

#include "core/course_document.h"

class QTextDocument;

namespace vm::report {

// kPdf writes the report and the drawing sheets as PDF, kSvg the sheets as
// SVG, kPng the sheets as 200 dpi pictures.
enum Format : unsigned {
    kPdf = 1,
    kOdt = 2,
    kCsv = 4,
    kText = 8,
    kSvg = 16,
    kPng = 32,
    kAllFormats = kPdf | kOdt | kCsv | kText | kSvg | kPng
};

// Parses "pdf,odt,svg,csv,png,txt"; `bad` gets the first unknown name. 0 when any is unknown.
unsigned parse_formats(const std::string& list, std::string* bad = nullptr);

struct ExportResult {
    bool ok = false;
    std::string message;              // in Chinese: where the files went, or why nothing was written
    std::vector<std::string> files;   // the files written, full paths
};

// Lays the document out for A4 pages (caller owns the result). With the
// design (its force table filled) and the options, each figure block is
// drawn at its size: painted as lines and text wherever the document is
// painted, and with `pictures` also held as an SVG image resource for the
// ODT writer. Without the design only its caption stands.
QTextDocument* layout_document(const CourseDocument& doc, const DesignState* filled = nullptr,
                               const CourseOptions* options = nullptr, bool pictures = true);

// Pages `doc` (laid out by layout_document) so that no heading stands at the
// foot of a page without its first lines and no figure without its caption:
// such a block starts the next page instead.
void keep_with_next(QTextDocument& doc);

// Everything for `state` (confirmed) into `folder`, which must exist. With
// `parallel`, the sheet pictures are drawn on threads of their own while the
// report is laid out; a batch, which keeps every core busy with designs,
// draws them in turn.
ExportResult export_course_design(const DesignState& state, const CourseOptions& options, unsigned formats,
                                  const std::string& folder, bool parallel = true);

}  // namespace vm::report
