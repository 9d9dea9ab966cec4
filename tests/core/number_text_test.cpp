// The number rules: which texts are numbers, the leading-number reading and
// the display patterns, on the texts students actually type.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/number_text.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

struct NumericCase {
    const char* text;
    bool numeric;
    double value;    // whole-text value when numeric
    double leading;  // Val
};

TEST(NumberText, WholeTextTestAndLeadingReading) {
    const NumericCase cases[] = {
        {" 12 ", true, 12, 12},     {"1e3", true, 1000, 1000},  {"1E-2", true, 0.01, 0.01},
        {"1,5", false, 0, 1},       {"", false, 0, 0},          {"-", false, 0, 0},
        {".5", true, 0.5, 0.5},     {"5.", true, 5, 5},         {"12abc", false, 0, 12},
        {"inf", false, 0, 0},       {"nan", false, 0, 0},       {"1e999", false, 0, 0},
        {"-3.25", true, -3.25, -3.25}, {"+7", true, 7, 7},      {"1.2.3", false, 0, 1.2},
        {"abc", false, 0, 0},       {"\t8\t", true, 8, 8},      {"1 2", false, 0, 12},
        {"0x10", false, 0, 0},      {"1e", false, 0, 1},        {"   ", false, 0, 0},
    };
    for (const NumericCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(is_numeric(c.text), c.numeric);
        auto v = to_number(c.text);
        EXPECT_EQ(v.has_value(), c.numeric);
        if (v) {
            EXPECT_DOUBLE_EQ(*v, c.value);
        }
        EXPECT_DOUBLE_EQ(val(c.text), c.leading);
    }
}

TEST(NumberText, FixedPatternsRoundHalfAwayFromZero) {
    struct Case {
        double x;
        const char* p0;
        const char* p00;
    };
    const Case cases[] = {
        {0, "0.00", "00.00"},         {5.3, "5.30", "05.30"},        {2.675, "2.68", "02.68"},
        {-2.675, "-2.68", "-02.68"},  {0.005, "0.01", "00.01"},      {-0.004, "0.00", "00.00"},
        {63554.4213, "63554.42", "63554.42"}, {99.995, "100.00", "100.00"}, {1e-20, "0.00", "00.00"},
        {123456789.125, "123456789.13", "123456789.13"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(format_0_00(c.x), c.p0);
        EXPECT_EQ(format_00_00(c.x), c.p00);
    }
    EXPECT_EQ(format_0_00(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(format_0_00(std::nan("")), "");
}

TEST(NumberText, PlainFormKeepsFifteenSignificantDigits) {
    struct Case {
        double x;
        const char* text;
    };
    const Case cases[] = {
        {508, "508"},
        {8696.0 / 17, "511.529411764706"},
        {-0.25, "-0.25"},
        {180 * 0.04 / 2.04, "3.52941176470588"},
        {0.1 + 0.2, "0.3"},
        {1e16, "1E+16"},
        {1.5e-12, "1.5E-12"},
        {0.000123, "0.000123"},
        {0, "0"},
        {-1234567.5, "-1234567.5"},
    };
    for (const Case& c : cases) EXPECT_EQ(plain(c.x), c.text) << c.x;
    EXPECT_EQ(plain(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(printed_number(5), " 5 ");
    EXPECT_EQ(printed_number(-5), "-5 ");
}

TEST(NumberText, WholeNumberRules) {
    // CInt rounds halves to even; Int floors; Mod rounds first and keeps the dividend's sign.
    EXPECT_EQ(cint(2.5), 2);
    EXPECT_EQ(cint(3.5), 4);
    EXPECT_EQ(cint(-2.5), -2);
    EXPECT_EQ(cint(367.9), 368);
    EXPECT_EQ(int_floor(-0.5), -1);
    EXPECT_EQ(int_floor(359.999999), 359);
    EXPECT_EQ(vb_mod(725, 360), 5);
    EXPECT_EQ(vb_mod(-725, 360), -5);
    EXPECT_EQ(vb_mod(10.5, 4), 2);  // 10.5 rounds to 10
    EXPECT_EQ(vb_mod(11.5, 4), 0);  // 11.5 rounds to 12
    EXPECT_FALSE(vb_mod(5, 0.4).has_value());
    // Beyond the whole-number range: held at the ends, never undefined.
    EXPECT_EQ(cint(1e300), std::numeric_limits<long long>::max());
    EXPECT_EQ(int_floor(-1e300), std::numeric_limits<long long>::min());
    EXPECT_EQ(cint(std::nan("")), 0);
}

}  // namespace
}  // namespace vm
