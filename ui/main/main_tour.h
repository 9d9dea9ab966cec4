// The tour: every window opened through its real buttons with the default
// data, each view saved as a PNG into a folder, with controls.json.
#pragma once

#include <QString>

namespace vm {
struct DesignState;

// Runs the whole tour into `dir`; false when a picture or file could not be written.
bool run_tour(const QString& dir, DesignState& state);
}  // namespace vm
