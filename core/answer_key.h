// The figures a teacher checks for one design: the dimensions, the largest
// gas force and balancing torque, the torque and flywheel figures, the
// balancing mass and the cam mounting angles, printed as the windows print them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vm {

struct DesignState;

// Column titles with units, in the order of answer_key_cells.
std::vector<std::string> answer_key_header();

// The cells for a confirmed design, with the balancing mass at `radius_cm`;
// nothing when the analysis has no answer for it.
std::optional<std::vector<std::string>> answer_key_cells(const DesignState& confirmed, double radius_cm = 10);

}  // namespace vm
