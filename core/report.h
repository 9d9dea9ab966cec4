// The two reports of the results window: the kinematics and forces of 30 crank
// positions, laid out by tab stops as "速度.txt" and "力.txt", in GBK with CR LF,
// each written whole or not at all.
#pragma once

#include "core/atomic_file.h"
#include "core/kinematics.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

// The results window's boxes as numbers (lengths mm, weights N, speed r/min).
struct ReportParameters {
    double H = 0, D = 0, e = 0, K = 0;
    double ak = 0, G1 = 0, G2 = 0, G3 = 0, rk = 0, n = 0;
};

struct ReportRow {
    std::string label;              // "A 0" .. "A 23", then "A2'" .. "A21'"
    std::array<double, 4> kin{};    // v_b m/s, a_b m/s^2, omega2 rad/s, alpha2 rad/s^2
    std::array<double, 8> force{};  // |FI1|, |FI2|, FI3, |R41|, |R12|, |R32|, Mb, f_gas
    double cycle_angle = 0;         // jd_wai - phi, degrees
};

struct ReportData {
    double jd_wai = 0, jd_nei = 0;  // dead-centre crank angles of the synthesis, degrees
    std::vector<ReportRow> rows;    // 24 positions 30 degrees apart, then the six special ones
};

struct ReportResult {
    std::string error;  // message for the user; empty when the data are complete
    SynthesisError synthesis_error = SynthesisError::None;  // when the synthesis refused
    ReportData data;
    bool ok() const { return error.empty(); }
};

// Synthesis from H, K, e, then kinematics and forces at cycle angles 0, 30, ...,
// 690 and at the special positions: the crank-perpendicular positions and the
// folded dead centre of each turn.
ReportResult compute_report(const ReportParameters& p);

// Tab-stop layout: Tab(n) pads with blanks to column n (1-based), or starts a
// new line first when the line is already past n. Every character, Chinese or
// not, takes one column.
class TabText {
public:
    TabText& put(std::string_view utf8);
    TabText& tab(int n);
    // The stop after a value in a data line: like tab(n), but a value that
    // already reaches column n gets one blank and the row goes on in the same
    // line, so that neighbouring values never touch and every row keeps one
    // line however wide its figures are.
    TabText& value_tab(int n);
    TabText& end_line();
    const std::string& text() const { return text_; }

private:
    std::string text_;
    int column_ = 1;
};

// Report texts in UTF-8 with CR LF line ends.
std::string speed_report_text(const ReportData& data);
std::string force_report_text(const ReportData& data);

// UTF-8 to GBK by iconv; nothing when a character has no GBK form.
std::optional<std::string> to_gbk(std::string_view utf8);

inline constexpr const char* kSpeedReportName = "速度.txt";
inline constexpr const char* kForceReportName = "力.txt";

// Writes both reports into `folder` under unique temporary names, then renames
// both into place: the pair ends both new or both old, never one of each. On
// failure the result names the file and the reason, including which state the
// two reports were left in.
// The two reports' paths in `folder` and their GBK bytes, appended to `files`;
// fails (nothing appended) when a character has no GBK form.
WriteResult report_files(const std::string& folder, const ReportData& data,
                         std::vector<std::pair<std::string, std::string>>& files);
WriteResult write_reports(const std::string& folder, const ReportData& data);

}  // namespace vm
