// Exports for a teacher's whole table of data groups: each group's files in
// a folder of its own and one summary of the figures to check, 答案汇总.csv.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/course_document.h"
#include "io/data_groups.h"

namespace vm::report {

struct GroupOutcome {
    std::string name;
    bool ok = false;
    std::string reason;  // why the group was not exported
};

struct BatchResult {
    std::vector<GroupOutcome> groups;  // in table order
    bool all_ok = false;               // every group exported and the summary written
    std::string message;               // in Chinese: what happened overall
};

inline constexpr const char* kSummaryName = "答案汇总.csv";

// Called after each group (any thread, serialised): groups done, total, name.
using BatchProgress = std::function<void(int done, int total, const std::string& name)>;

// Workers for a batch: one per core, each writing its designs on one thread.
// Measured against two per core with every design's sheet pictures drawn in
// parallel, it is as fast and holds a quarter of the memory (230 MB against
// over 1 GB at the peak on two cores).
int batch_workers();

// Exports every group into `folder`/<方案>/ (created), using `workers` threads,
// then writes the summary. A group the synthesis refuses gets its reason in the
// summary and no folder; the others go on.
BatchResult export_groups(const std::vector<io::DataGroup>& groups, const CourseOptions& options, unsigned formats,
                          const std::string& folder, int workers, const BatchProgress& progress = {});

}  // namespace vm::report
