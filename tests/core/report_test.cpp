// The reports: tab-stop layout, the 30 analysed positions, exact header lines
// and column places of both files, GBK with CR LF, the all-or-nothing write.
#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/kinematics.h"
#include "core/number_text.h"
#include "core/report.h"

namespace vm {
namespace {

namespace fs = std::filesystem;

const ReportParameters kDefaults{225, 170, 50, 1.04, 0.35, 160, 120, 190, 0.16, 620};

std::vector<std::string> crlf_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2)
        lines.push_back(text.substr(start, pos - start));
    EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
    return lines;
}

std::string from_gbk(std::string in) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    std::string out(in.size() * 2 + 16, '\0');
    char *src = in.data(), *dst = out.data();
    size_t src_left = in.size(), dst_left = out.size();
    const bool ok = iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<size_t>(-1);
    iconv_close(cd);
    out.resize(out.size() - dst_left);
    return ok ? out : "(not GBK)";
}

std::string read_file(const fs::path& p) {
    std::ostringstream s;
    s << std::ifstream(p, std::ios::binary).rdbuf();
    return s.str();
}

TEST(TabText, PadsBreaksAndCountsEveryCharacterOnce) {
    const char* cases[][3] = {
        {"ab", "5", "ab  "},       {"abcd", "5", "abcd"},           {"abcdef", "5", "abcdef\r\n    "},
        {"位置", "7", "位置    "}, {"连杆角加速度", "7", "连杆角加速度"}, {"连杆角加速度x", "7", "连杆角加速度x\r\n      "},
    };
    for (const auto& c : cases) EXPECT_EQ(TabText().put(c[0]).tab(std::stoi(c[1])).text(), c[2]) << c[0];
}

TEST(Report, PositionsOfTheDefaultDesign) {
    const ReportResult r = compute_report(kDefaults);
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.data.rows.size(), 30u);
    for (int i = 0; i < 24; ++i) EXPECT_NEAR(r.data.rows[i].cycle_angle, 30.0 * i, 1e-9) << i;
    const double special[6] = {76.9, 183.5, 285.3, 436.9, 543.5, 645.3};
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(r.data.rows[24 + k].cycle_angle, special[k], 0.05) << k;
    // Dead centres: the piston stands still; rows 0 and 12 read -1 and 140.
    for (int row : {0, 12, 25, 28}) EXPECT_NEAR(r.data.rows[row].kin[0], 0, 1e-6) << row;
    const double area = kPiAnalysis * 17 * 17 / 4;
    EXPECT_DOUBLE_EQ(r.data.rows[0].force[7], 2 * -1 * area);
    EXPECT_DOUBLE_EQ(r.data.rows[12].force[7], 2 * 140 * area);
    for (const ReportRow& row : r.data.rows)
        for (int c : {0, 1, 3, 4, 5}) EXPECT_GE(row.force[c], 0) << row.label << " column " << c;
}

TEST(Report, ResultsThatWouldNotBeFiniteAreRefused) {
    ReportParameters huge = kDefaults;
    huge.D = 1e300;
    const ReportResult r = compute_report(huge);
    EXPECT_TRUE(!r.ok() && !r.error.empty());
}

TEST(Report, FileLayouts) {
    const ReportResult r = compute_report(kDefaults);
    ASSERT_TRUE(r.ok());
    struct File {
        std::string text, header1, header2;
        size_t columns, width;
        bool forces;
    };
    const File files[] = {
        {speed_report_text(r.data), "位置    B点速度    B点加速度   连杆角速度   连杆角加速度",
         "        (m/s)       (m/s^2)     (rad/s)     (rad/s^2)", 4, 56, false},
        {force_report_text(r.data),
         "位置    曲柄受到    连杆受到    活塞受到    支架对曲    曲柄对连    连杆对活    曲柄受到    气体",
         "        的惯性力    的惯性力    的惯性力    柄的反力    杆的反力    塞的反力    的阻力矩    压力", 8, 104, true},
    };
    for (const File& f : files) {
        const std::vector<std::string> lines = crlf_lines(f.text);
        ASSERT_EQ(lines.size(), 32u);
        EXPECT_EQ(lines[0], f.header1);
        EXPECT_EQ(lines[1], f.header2);
        for (int i = 0; i < 30; ++i) {
            const std::string& line = lines[2 + i];
            const ReportRow& row = r.data.rows[i];
            EXPECT_EQ(line.size(), f.width) << line;
            EXPECT_EQ(line.substr(0, 8), row.label + std::string(8 - row.label.size(), ' '));
            // Value j starts at column 12 j + 9 and is padded to the next stop.
            for (size_t j = 0; j < f.columns; ++j) {
                const std::string v = format_0_00(f.forces ? row.force[j] : row.kin[j]);
                EXPECT_EQ(line.substr(8 + 12 * j, 12), v + std::string(12 - v.size(), ' ')) << row.label << j;
            }
        }
        EXPECT_EQ(lines[31].substr(0, 4), "A21'");
        EXPECT_EQ(f.text.find("-0.00"), std::string::npos);  // dead centres give -0 and -3e-7
        EXPECT_EQ(from_gbk(to_gbk(f.text).value()), f.text);
    }
    EXPECT_EQ(crlf_lines(files[0].text)[2].substr(0, 12), "A 0     0.00");  // never "-0.00"
    EXPECT_EQ(crlf_lines(files[1].text)[14].substr(92, 8), "63554.42");
    EXPECT_EQ(to_gbk("位置"), std::string("\xCE\xBB\xD6\xC3"));
    EXPECT_FALSE(to_gbk("\xF0\x9F\x98\x80").has_value());  // no GBK form
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

TEST(Report, ValuesNeverRunTogetherWhateverTheirWidth) {
    // Figures as wide as the analysis can give, negative ones included: each
    // row stays one line, and read word by word gives back every value.
    const double widths[] = {0,     -1,        12345678.9,  -12345678.9,   123456789.01, -123456789.01,
                             1e15,  -1e15,     1e100,       -1e300,        99999999.995, -0.004};
    ReportData data;
    for (int i = 0; i < 30; ++i) {
        ReportRow row;
        row.label = i < 24 ? "A " + std::to_string(i) : std::string("A") + std::to_string(i) + "'";
        for (size_t j = 0; j < 4; ++j) row.kin[j] = widths[(i + j) % 12];
        for (size_t j = 0; j < 8; ++j) row.force[j] = widths[(i * 3 + j) % 12] * (j % 2 ? -1 : 1);
        data.rows.push_back(row);
    }
    for (bool forces : {false, true}) {
        const std::vector<std::string> lines = crlf_lines(forces ? force_report_text(data) : speed_report_text(data));
        ASSERT_EQ(lines.size(), 32u);
        for (int i = 0; i < 30; ++i) {
            const ReportRow& row = data.rows[i];
            const std::string& line = lines[2 + i];
            ASSERT_EQ(line.substr(0, row.label.size()), row.label);
            std::vector<std::string> expected;
            const size_t columns = forces ? 8 : 4;
            for (size_t j = 0; j < columns; ++j) expected.push_back(format_0_00(forces ? row.force[j] : row.kin[j]));
            EXPECT_EQ(words(line.substr(row.label.size())), expected) << line;
            // Values that fit keep their columns.
            const std::string first = format_0_00(forces ? row.force[0] : row.kin[0]);
            EXPECT_EQ(line.substr(8, first.size()), first);
        }
    }
}

TEST(Report, WritesBothFilesWholeOrNotAtAll) {
    const fs::path dir = fs::temp_directory_path() / ("vm-report-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    auto names = [&] {
        std::vector<std::string> n;
        for (const auto& e : fs::directory_iterator(dir)) n.push_back(e.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    };
    ReportParameters other = kDefaults;
    other.D = 100;
    for (const ReportParameters& p : {kDefaults, other}) {  // the second report overwrites the first
        const ReportResult r = compute_report(p);
        EXPECT_TRUE(write_reports(dir.string(), r.data).ok);
        EXPECT_EQ(from_gbk(read_file(dir / kSpeedReportName)), speed_report_text(r.data));
        EXPECT_EQ(from_gbk(read_file(dir / kForceReportName)), force_report_text(r.data));
        EXPECT_EQ(names().size(), 2u);
    }
    const ReportData data = compute_report(kDefaults).data;
    for (const char* blocked : {kForceReportName, kSpeedReportName}) {  // a folder in a report's place
        fs::remove_all(dir);
        fs::create_directories(dir / blocked);
        const WriteResult w = write_reports(dir.string(), data);
        EXPECT_FALSE(w.ok);
        EXPECT_EQ(w.failed_path, (dir / blocked).string());
        EXPECT_NE(w.reason.find((dir / blocked).string()), std::string::npos) << w.reason;
        EXPECT_EQ(names(), std::vector<std::string>{blocked});
    }
    EXPECT_FALSE(write_reports((dir / "missing").string(), data).ok);
    std::ofstream(dir / "plain").put('x');
    EXPECT_FALSE(write_reports((dir / "plain").string(), data).ok);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace vm
