// The reports: tab-stop layout, the 30 analysed positions, the exact header
// lines and column places of both files, GBK with CR LF, and the
// all-or-nothing write.
#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/gas_pressure.h"
#include "core/kinematics.h"
#include "core/number_text.h"
#include "core/report.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

namespace fs = std::filesystem;

ReportParameters default_parameters() {
    ReportParameters p;
    p.H = 225, p.D = 170, p.e = 50, p.K = 1.04, p.ak = 0.35;
    p.G1 = 160, p.G2 = 120, p.G3 = 190, p.rk = 0.16, p.n = 620;
    return p;
}

std::vector<std::string> crlf_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2)
        lines.push_back(text.substr(start, pos - start));
    EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
    return lines;
}

std::optional<std::string> from_gbk(const std::string& gbk) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    std::string in = gbk, out(gbk.size() * 2 + 16, '\0');
    char* src = in.data();
    char* dst = out.data();
    size_t src_left = in.size(), dst_left = out.size();
    const bool ok = iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - dst_left);
    return out;
}

std::string read_file(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// A fresh folder per test, removed afterwards.
class ReportFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vm-report-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        return names;
    }
    fs::path dir;
};

TEST(TabText, PadsBreaksAndCountsEveryCharacterOnce) {
    struct Case {
        const char* before;
        int stop;
        const char* expected;
    };
    const Case cases[] = {
        {"", 1, ""},                 // already at column 1
        {"ab", 5, "ab  "},           // to column 5: two blanks
        {"abcd", 5, "abcd"},         // exactly at column 5
        {"abcdef", 5, "abcdef\r\n    "},  // past it: next line, column 5
        {"位置", 7, "位置    "},      // two Chinese characters take two columns
        {"连杆角加速度", 7, "连杆角加速度"},
        {"连杆角加速度x", 7, "连杆角加速度x\r\n      "},
    };
    for (const Case& c : cases) {
        TabText t;
        t.put(c.before).tab(c.stop);
        EXPECT_EQ(t.text(), c.expected) << c.before << " Tab(" << c.stop << ")";
    }
    TabText t;
    t.put("x").end_line().put("ab").tab(4).put("c");
    EXPECT_EQ(t.text(), "x\r\nab c");
}

TEST(Report, PositionsOfTheDefaultDesign) {
    const ReportResult r = compute_report(default_parameters());
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.data.rows.size(), 30u);
    EXPECT_TRUE(test::near(r.data.jd_wai, 84.82, 0.01 / 84.82));
    EXPECT_TRUE(test::near(r.data.jd_nei, 261.29, 0.01 / 261.29));
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(r.data.rows[i].label, "A " + std::to_string(i));
        EXPECT_TRUE(test::near(r.data.rows[i].cycle_angle, 30.0 * i, 1e-9)) << i;
    }
    const char* labels[6] = {"A2'", "A6'", "A9'", "A14'", "A18'", "A21'"};
    const double cycle[6] = {76.9, 183.5, 285.3, 436.9, 543.5, 645.3};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(r.data.rows[24 + k].label, labels[k]);
        EXPECT_NEAR(r.data.rows[24 + k].cycle_angle, cycle[k], 0.05) << labels[k];
    }
    // The folded dead centres: the piston stands still.
    EXPECT_NEAR(r.data.rows[25].kin[0], 0, 1e-6);
    EXPECT_NEAR(r.data.rows[28].kin[0], 0, 1e-6);
    // Row 0 is the extended dead centre, intake at -1; row 12 the gas peak.
    EXPECT_NEAR(r.data.rows[0].kin[0], 0, 1e-6);
    const double area = kPiAnalysis * 17 * 17 / 4;
    EXPECT_TRUE(test::near(r.data.rows[0].force[7], 2 * -1 * area, 1e-12));
    EXPECT_TRUE(test::near(r.data.rows[12].force[7], 2 * 140 * area, 1e-12));
    for (const ReportRow& row : r.data.rows)
        for (int c : {0, 1, 3, 4, 5}) EXPECT_GE(row.force[c], 0) << row.label << " column " << c;
}

TEST(Report, EachRowCarriesTheGasForceOfItsCycleAngle) {
    // Regular rows are whole degrees reached by stepping; special rows fall
    // between degrees and read the degree below.
    const ReportResult r = compute_report(default_parameters());
    ASSERT_TRUE(r.ok());
    const SynthesisResult syn = dimension_synthesis(225, 1.04, 50);
    const auto bp = gas_break_points(syn.value.r / 1000, syn.value.l / 1000, 0.05, syn.value.jd_wai, syn.value.jd_nei);
    ASSERT_TRUE(bp.has_value());
    const double area = kPiAnalysis * 17 * 17 / 4;
    for (const ReportRow& row : r.data.rows) {
        const double p = *gas_pressure_at(std::floor(row.cycle_angle + 1e-6), *bp);
        EXPECT_TRUE(test::near(row.force[7], 2 * p * area, 1e-12)) << row.label;
    }
}

TEST(Report, InputsWithoutAMechanismAreRefused) {
    struct Case {
        const char* what;
        double H, K, e;
        SynthesisError error;
    };
    const Case cases[] = {
        {"K of 1", 225, 1, 50, SynthesisError::RatioNotAboveOne},
        {"K below 1", 225, 0.9, 50, SynthesisError::RatioNotAboveOne},
        {"no offset", 225, 1.04, 0, SynthesisError::OffsetNotPositive},
        {"no stroke", 0, 1.04, 50, SynthesisError::StrokeNotPositive},
        {"offset far beyond the stroke", 225, 1.04, 5000, SynthesisError::NoMechanism},
    };
    for (const Case& c : cases) {
        ReportParameters p = default_parameters();
        p.H = c.H, p.K = c.K, p.e = c.e;
        const ReportResult r = compute_report(p);
        EXPECT_EQ(r.error, synthesis_message(c.error)) << c.what;
        EXPECT_TRUE(r.data.rows.empty()) << c.what;
    }
    ReportParameters huge = default_parameters();
    huge.D = 1e300;
    const ReportResult r = compute_report(huge);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.error.empty());
}

TEST(Report, SpeedFileLayout) {
    const ReportResult r = compute_report(default_parameters());
    ASSERT_TRUE(r.ok());
    const std::vector<std::string> lines = crlf_lines(speed_report_text(r.data));
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "位置    B点速度    B点加速度   连杆角速度   连杆角加速度");
    EXPECT_EQ(lines[1], "        (m/s)       (m/s^2)     (rad/s)     (rad/s^2)");
    for (int i = 0; i < 30; ++i) {
        const std::string& line = lines[2 + i];
        const ReportRow& row = r.data.rows[i];
        EXPECT_EQ(line.size(), 56u) << line;
        EXPECT_EQ(line.substr(0, row.label.size()), row.label);
        for (int j = 0; j < 4; ++j) {
            // Value j starts at column 12 j + 9 and is padded to the next stop.
            const std::string field = line.substr(8 + 12 * j, 12);
            EXPECT_EQ(field, format_0_00(row.kin[j]) + std::string(12 - format_0_00(row.kin[j]).size(), ' '))
                << row.label << " column " << j;
        }
    }
    EXPECT_EQ(lines[2].substr(0, 13), "A 0     0.00 ");  // no "-0.00" at the dead centre
    EXPECT_EQ(lines[31].substr(0, 4), "A21'");
}

TEST(Report, ForceFileLayout) {
    const ReportResult r = compute_report(default_parameters());
    ASSERT_TRUE(r.ok());
    const std::vector<std::string> lines = crlf_lines(force_report_text(r.data));
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0],
              "位置    曲柄受到    连杆受到    活塞受到    支架对曲    曲柄对连    连杆对活    曲柄受到    气体");
    EXPECT_EQ(lines[1],
              "        的惯性力    的惯性力    的惯性力    柄的反力    杆的反力    塞的反力    的阻力矩    压力");
    for (int i = 0; i < 30; ++i) {
        const std::string& line = lines[2 + i];
        const ReportRow& row = r.data.rows[i];
        EXPECT_EQ(line.size(), 104u) << line;
        for (int j = 0; j < 8; ++j) {
            const std::string text = format_0_00(row.force[j]);
            EXPECT_EQ(line.substr(8 + 12 * j, 12), text + std::string(12 - text.size(), ' ')) << row.label << " " << j;
        }
    }
    EXPECT_EQ(lines[14].substr(92, 8), "63554.42");
    EXPECT_EQ(lines[2].substr(92, 7), "-453.96");
}

TEST(Report, GbkEncoding) {
    EXPECT_EQ(to_gbk("位置"), std::string("\xCE\xBB\xD6\xC3"));
    EXPECT_EQ(to_gbk("A 0  1.25\r\n"), std::string("A 0  1.25\r\n"));
    EXPECT_FALSE(to_gbk("\xF0\x9F\x98\x80").has_value());  // no GBK form
    EXPECT_FALSE(to_gbk("\xFF\xFE").has_value());          // not UTF-8
    const ReportResult r = compute_report(default_parameters());
    ASSERT_TRUE(r.ok());
    for (const std::string& text : {speed_report_text(r.data), force_report_text(r.data)}) {
        const auto gbk = to_gbk(text);
        ASSERT_TRUE(gbk.has_value());
        EXPECT_EQ(from_gbk(*gbk), text);
    }
}

TEST_F(ReportFolder, WritesBothFilesAndOverwritesThem) {
    ReportResult r = compute_report(default_parameters());
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(write_reports(dir.string(), r.data).has_value());
    const std::string speed = read_file(dir / kSpeedReportName), force = read_file(dir / kForceReportName);
    EXPECT_EQ(from_gbk(speed), speed_report_text(r.data));
    EXPECT_EQ(from_gbk(force), force_report_text(r.data));
    EXPECT_EQ(entries().size(), 2u);

    ReportParameters other = default_parameters();
    other.D = 100;
    other.n = 900;
    const ReportResult r2 = compute_report(other);
    ASSERT_TRUE(r2.ok());
    EXPECT_FALSE(write_reports(dir.string(), r2.data).has_value());
    EXPECT_EQ(from_gbk(read_file(dir / kSpeedReportName)), speed_report_text(r2.data));
    EXPECT_EQ(from_gbk(read_file(dir / kForceReportName)), force_report_text(r2.data));
    EXPECT_NE(read_file(dir / kForceReportName), force);
    EXPECT_EQ(entries().size(), 2u);
}

TEST_F(ReportFolder, UnwritablePlacesLeaveNoFileBehind) {
    const ReportResult r = compute_report(default_parameters());
    ASSERT_TRUE(r.ok());
    // A folder where the force report belongs.
    fs::create_directory(dir / kForceReportName);
    const auto failed = write_reports(dir.string(), r.data);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(*failed, (dir / kForceReportName).string());
    EXPECT_EQ(entries(), std::vector<std::string>{kForceReportName});
    fs::remove(dir / kForceReportName);

    // A folder where the speed report belongs.
    fs::create_directory(dir / kSpeedReportName);
    EXPECT_EQ(write_reports(dir.string(), r.data), (dir / kSpeedReportName).string());
    EXPECT_EQ(entries(), std::vector<std::string>{kSpeedReportName});
    fs::remove(dir / kSpeedReportName);

    // A target folder that does not exist, and a file in its place.
    EXPECT_TRUE(write_reports((dir / "missing").string(), r.data).has_value());
    std::ofstream(dir / "plain").put('x');
    EXPECT_TRUE(write_reports((dir / "plain").string(), r.data).has_value());
    EXPECT_EQ(entries(), std::vector<std::string>{"plain"});
}

}  // namespace
}  // namespace vm
