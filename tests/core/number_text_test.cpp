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

TEST(NumberText, ModIsTotalAtTheEndsOfTheWholeNumberRange) {
    // Operands beyond the long long range are held at its ends before the
    // remainder is taken; a divisor that rounds to -1 leaves nothing over.
    constexpr long long kMin = std::numeric_limits<long long>::min();
    constexpr long long kMax = std::numeric_limits<long long>::max();
    struct Case {
        double a, b;
        long long remainder;
    };
    const Case cases[] = {
        {-1e300, -1, 0},          {-1e300, -0.6, 0},       {-1e300, -1.4, 0},
        {-9.3e18, -1, 0},         {1e300, -1, 0},          {-7, -1, 0},
        {-1e300, 1e300, kMin % kMax}, {1e300, -1e300, kMax}, {-1e300, -1e300, 0},
        {-1e300, 2, 0},           {-1e300, 3, kMin % 3},   {1e300, 7, kMax % 7},
        {-std::numeric_limits<double>::infinity(), -1, 0},
        {std::nan(""), -1, 0},    {5, -1e300, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " Mod " << c.b);
        auto r = vb_mod(c.a, c.b);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(*r, c.remainder);
    }
    for (double b : {0.0, 0.49, -0.5, std::nan("")}) EXPECT_FALSE(vb_mod(-1e300, b).has_value()) << b;
}

TEST(NumberText, PlainFormAtTheTopOfTheRangeReadsBack) {
    const double top = std::numeric_limits<double>::max();
    struct Case {
        double x;
        const char* text;
    };
    const Case cases[] = {
        {top, "1.79769313486231E+308"},
        {-top, "-1.79769313486231E+308"},
        {1.797693134862315e308, "1.79769313486231E+308"},
        {1.7976931348623149e308, "1.79769313486231E+308"},
        {1.79769313486231e308, "1.79769313486231E+308"},
        {1.7976931348623e308, "1.7976931348623E+308"},
        {1e308, "1E+308"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(plain(c.x), c.text);
        auto back = to_number(plain(c.x));
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(*back / c.x, 1.0, 1e-14);
    }
    // The fixed patterns print all 309 integer digits and must read back too.
    for (double x : {top, -top, 1.797693134862315e308}) {
        SCOPED_TRACE(x);
        auto back = to_number(format_0_00(x));
        ASSERT_TRUE(back.has_value());
        EXPECT_NEAR(*back / x, 1.0, 1e-14);
        EXPECT_TRUE(to_number(format_00_00(x)).has_value());
    }
}

// Every format of every finite double reads back as a number close to it: a grid
// over the whole exponent range with mantissas that round up, down and to nines.
TEST(NumberText, EveryFormatReadsBackOverTheWholeRange) {
    const double mantissas[] = {1.0, 1.5, 2.675, 4.999999999999995, 9.99999999999999,
                                9.999999999999999, 1.797693134862315, 1.7976931348623157};
    int checked = 0;
    for (int e = -324; e <= 308; ++e) {
        for (double m : mantissas) {
            for (double sign : {1.0, -1.0}) {
                const double x = sign * m * std::pow(10.0, e);
                if (!std::isfinite(x) || x == 0) continue;
                SCOPED_TRACE(testing::Message() << x);
                auto p = to_number(plain(x));
                ASSERT_TRUE(p.has_value()) << plain(x);
                if (std::fabs(x) >= 1e-300) {
                    EXPECT_NEAR(*p / x, 1.0, 1e-14);
                }
                auto pn = to_number(printed_number(x));
                ASSERT_TRUE(pn.has_value());
                EXPECT_EQ(*pn, *p);
                for (const std::string& f : {format_0_00(x), format_00_00(x), format_fixed(x, 4, 3)}) {
                    auto v = to_number(f);
                    ASSERT_TRUE(v.has_value()) << f;
                    EXPECT_LE(std::fabs(*v - x), 0.005 + 1e-14 * std::fabs(x)) << f;
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 9000);
}

}  // namespace
}  // namespace vm
