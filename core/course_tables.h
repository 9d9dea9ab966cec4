// The course design's tables for spreadsheets: kinematics per degree of the
// cycle, the force table, the torque and energy curve, the follower motion
// and the cam profile coordinates. Each is a header row with units and rows
// of numbers in the plain form (15 significant digits), as CSV text in UTF-8
// with a byte-order mark and CR LF, so spreadsheet programs show the Chinese
// headers.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vm {

struct DesignState;
struct TorqueFigures;
struct FollowerMotion;
class ForceTable;
class CamProfile;
struct CamQuality;

struct CsvTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// RFC 4180 text: fields with a comma, quote or line break are quoted.
std::string csv_text(const CsvTable& table);

// Piston and rod per degree of cycle angle 0..719 of a confirmed design, the
// positions the force table is filled at. Nothing when a position has no answer.
std::optional<CsvTable> kinematics_table(const DesignState& confirmed);
// The filled force table, rows 0..719, the cycle angle first, then the 14 columns.
CsvTable force_table_csv(const ForceTable& table);
// Driving torque, mean resisting torque, excess torque and running energy, 0..720 degrees.
CsvTable torque_energy_table(const TorqueFigures& figures);
// Follower lift, velocity and acceleration per degree of cam angle 0..360.
CsvTable follower_motion_table(const FollowerMotion& motion);
// Theoretical and actual profile points per degree of cam angle 0..359 (mm).
CsvTable cam_profile_table(const CamProfile& profile);
// Pressure angle, radii of curvature and jerk along the whole cam turn, at the
// quality check's own points (both sides of every joint of the motion law).
// A radius is left empty where the profile is straight (no curvature), and the
// actual profile's where the theoretical one is concave.
CsvTable cam_quality_table(const CamQuality& quality, double roller_radius);

}  // namespace vm
