// Report data (30 positions through the shared kinematics and force analysis),
// the tab-stop text of both files, GBK encoding and the all-or-nothing write.
#include "core/report.h"

#include <iconv.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/force_analysis.h"
#include "core/kinematics.h"
#include "core/number_text.h"

namespace vm {

namespace {

constexpr int kRegularPositions = 24;

const char* const kSpecialLabels[6] = {"A2'", "A6'", "A9'", "A14'", "A18'", "A21'"};
const char* const kUndefined = "该组数据无法完成运动与受力计算，请检查输入数据";
// Below this smallest transmission angle (degrees) a failed position is put
// down to the rod lying flat, not to the data as a whole.
constexpr double kFlatRodAngle = 1.0;

bool finite_row(const ReportRow& row) {
    for (double v : row.kin)
        if (!std::isfinite(v)) return false;
    for (double v : row.force)
        if (!std::isfinite(v)) return false;
    return true;
}

// One character per column: count the bytes that start a UTF-8 sequence.
int columns_of(std::string_view utf8) {
    int n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

void data_lines(TabText& t, const ReportData& data, bool forces) {
    for (const ReportRow& row : data.rows) {
        t.put(row.label).tab(9);
        const int columns = forces ? 8 : 4;
        for (int j = 1; j <= columns; ++j) {
            const double v = forces ? row.force[j - 1] : row.kin[j - 1];
            t.put(format_0_00(v)).value_tab(12 * j + 9);
        }
        t.end_line();
    }
}

}  // namespace

ReportResult compute_report(const ReportParameters& p) {
    ReportResult out;
    const SynthesisResult syn = dimension_synthesis(p.H, p.K, p.e);
    if (!syn.ok()) {
        out.error = synthesis_message(syn.error);
        out.synthesis_error = syn.error;
        return out;
    }
    ForceInputs in;
    in.r = syn.value.r / 1000;
    in.l = syn.value.l / 1000;
    in.e = p.e / 1000;
    in.D = p.D;
    in.G1 = p.G1;
    in.G2 = p.G2;
    in.G3 = p.G3;
    in.ak = p.ak;
    in.rk = p.rk;
    in.jd_wai = syn.value.jd_wai;
    in.jd_nei = syn.value.jd_nei;
    out.data.jd_wai = in.jd_wai;
    out.data.jd_nei = in.jd_nei;

    // Refused until every position has its answer. A rod that lies almost
    // flat at a dead centre is the one geometric cause; it is named with the
    // mechanism's smallest transmission angle.
    out.error = kUndefined;
    if (const auto g = minimum_transmission_angle(in.r, in.l, in.e); g && *g < kFlatRodAngle)
        out.error = "连杆在死点附近几乎水平（最小传动角" + format_0_00(*g) +
                    "°），无法计算该位置的运动与受力，请减小偏距或行程速比系数";
    const auto perp = perpendicular_angles(in.r, in.l, in.e);
    if (!perp) return out;

    // The regular positions 30 degrees apart from the extended dead centre,
    // then the special ones.
    struct Position {
        double phi;
        std::string label;
    };
    std::vector<Position> positions;
    const double step = (kTwoPiAnalysis / 360) * 30;
    double phi = kPiAnalysis * in.jd_wai / 180;
    for (int i = 0; i < kRegularPositions; ++i, phi -= step) positions.push_back({phi, "A " + std::to_string(i)});
    const double folded = (in.jd_nei - 360) * kPiAnalysis / 180;
    const double special[6] = {perp->first,
                               folded,
                               perp->second - kTwoPiAnalysis,
                               perp->first - kTwoPiAnalysis,
                               folded - kTwoPiAnalysis,
                               perp->second - kTwoPiAnalysis - kTwoPiAnalysis};
    for (int k = 0; k < 6; ++k) positions.push_back({special[k], kSpecialLabels[k]});

    const double omega1 = p.n * (-2) * kPiAnalysis / 60;
    double p_gas = 0;
    for (Position& pos : positions) {
        const auto kin = jisuan(in.r, in.l, in.e, pos.phi, omega1);
        const auto f = kin ? force_analysis(*kin, pos.phi, in, p_gas) : std::nullopt;
        if (!f) return out;
        p_gas = f->p_gas;
        ReportRow row;
        row.label = std::move(pos.label);
        row.kin = {kin->v_b, kin->a_b, kin->omega2, kin->alpha2};
        row.force = report_force_row(*f);
        row.cycle_angle = in.jd_wai - pos.phi * 180 / kPiAnalysis;
        if (!finite_row(row)) return out;
        out.data.rows.push_back(std::move(row));
    }
    out.error.clear();
    return out;
}

TabText& TabText::put(std::string_view utf8) {
    text_.append(utf8);
    column_ += columns_of(utf8);
    return *this;
}

TabText& TabText::tab(int n) {
    if (column_ > n) end_line();
    while (column_ < n) {
        text_.push_back(' ');
        ++column_;
    }
    return *this;
}

TabText& TabText::value_tab(int n) {
    if (column_ >= n) return put(" ");
    return tab(n);
}

TabText& TabText::end_line() {
    text_.append("\r\n");
    column_ = 1;
    return *this;
}

std::string speed_report_text(const ReportData& data) {
    TabText t;
    t.put("位置").tab(7).put("B点速度").tab(15).put("B点加速度").tab(23).put("连杆角速度").tab(31);
    t.put("连杆角加速度").end_line();
    t.put("    ").tab(9).put("(m/s)").tab(21).put("(m/s^2)").tab(33).put("(rad/s)").tab(45);
    t.put("(rad/s^2)").end_line();
    data_lines(t, data, false);
    return t.text();
}

std::string force_report_text(const ReportData& data) {
    TabText t;
    t.put("位置").tab(7).put("曲柄受到").tab(15).put("连杆受到").tab(23).put("活塞受到").tab(31);
    t.put("支架对曲").tab(39).put("曲柄对连").tab(47).put("连杆对活").tab(55).put("曲柄受到").tab(63);
    t.put("气体").end_line();
    t.put("    ").tab(9).put("的惯性力").tab(17).put("的惯性力").tab(25).put("的惯性力").tab(33);
    t.put("柄的反力").tab(41).put("杆的反力").tab(49).put("塞的反力").tab(57).put("的阻力矩").tab(65);
    t.put("压力").end_line();
    data_lines(t, data, true);
    return t.text();
}

std::optional<std::string> to_gbk(std::string_view utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(utf8);
    std::string out;
    out.resize(in.size() * 2 + 16);  // GBK never needs more bytes than UTF-8 for a character
    char* src = in.data();
    size_t src_left = in.size();
    char* dst = out.data();
    size_t dst_left = out.size();
    const size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
    const bool ok = rc != static_cast<size_t>(-1) && src_left == 0 &&
                    iconv(cd, nullptr, nullptr, &dst, &dst_left) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - dst_left);
    return out;
}

WriteResult report_files(const std::string& folder, const ReportData& data,
                         std::vector<std::pair<std::string, std::string>>& files) {
    const std::string dir = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    const std::string targets[2] = {dir + kSpeedReportName, dir + kForceReportName};
    const std::optional<std::string> bytes[2] = {to_gbk(speed_report_text(data)),
                                                 to_gbk(force_report_text(data))};
    for (int i = 0; i < 2; ++i)
        if (!bytes[i]) return {false, "报告中有无法用GBK编码表示的字符：" + targets[i], targets[i]};
    for (int i = 0; i < 2; ++i) files.emplace_back(targets[i], *bytes[i]);
    return {};
}

WriteResult write_reports(const std::string& folder, const ReportData& data) {
    std::vector<std::pair<std::string, std::string>> files;
    if (WriteResult r = report_files(folder, data, files); !r.ok) return r;
    // Both files end new or both keep their old content; the reason says which.
    return write_files_atomically(files);
}

}  // namespace vm
