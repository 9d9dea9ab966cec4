// Design files (*.vmdesign): a student's inputs kept between runs. The file is
// a small JSON object with a format name and a schema version:
//
//   {
//     "format": "velmarion-design",
//     "schema": 1,
//     "parameters": { "hs_h": "225", "hs_d": "170", ... all eleven, as typed },
//     "cam": { "HIGH": "10", "BASE": "60", "OFFSET": "5", "roll": "10" },
//     "force_angle": "0",
//     "export_positions": [1, 7]
//   }
//
// Texts are kept as typed (the main window's own reading rules apply when the
// design is confirmed). Reading checks the whole file before anything is
// returned, so a bad file changes nothing.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/atomic_file.h"

namespace vm::io {

inline constexpr int kDesignSchema = 1;
inline constexpr std::string_view kDesignFormat = "velmarion-design";
inline constexpr std::string_view kDesignExtension = ".vmdesign";
// Names of the cam window's four boxes, in the order of `DesignInputs::cam`.
inline constexpr std::array<std::string_view, 4> kCamBoxes{"HIGH", "BASE", "OFFSET", "roll"};

struct DesignInputs {
    std::array<std::string, 11> parameters;                   // main-window boxes hs_h .. sd_k, as typed
    std::array<std::string, 4> cam{"10", "60", "5", "10"};    // lift, base radius, offset, roller radius (mm)
    std::string force_angle = "0";                            // crank angle of the force polygons, degrees
    std::array<int, 2> export_positions{1, 7};                // the two report positions worked out, 1..24
};

struct DesignRead {
    std::optional<DesignInputs> inputs;  // set when the whole file is a valid design
    std::string error;                   // otherwise what is wrong, in Chinese
};

std::string design_to_json(const DesignInputs& inputs);
DesignRead design_from_json(std::string_view bytes);

// All-or-nothing save (temporary name, then rename); the old file stays on failure.
WriteResult save_design(const std::string& path, const DesignInputs& inputs);
DesignRead open_design(const std::string& path);

}  // namespace vm::io
