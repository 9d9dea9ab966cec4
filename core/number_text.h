// The number rules every window shares: which texts are numbers, how a leading
// number is read, and how numbers are shown ("#0.00", "#00.00", plain form).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vm {

// Whole-text number test: an optional sign, digits with at most one decimal
// point (".5" and "5." count), an optional exponent, surrounding blanks allowed.
// Thousands separators, hex forms, "inf", "nan" and values that overflow to a
// non-finite double are not numbers.
bool is_numeric(std::string_view text);

// The value of a text that passes is_numeric; nothing otherwise.
std::optional<double> to_number(std::string_view text);

// Leading-number reading: blanks are skipped, then the longest number at the
// front is taken ("12abc" -> 12, "abc" -> 0, "" -> 0). A value that would not be
// finite reads as 0.
double val(std::string_view text);

// "#0.00": at least one integer digit, two decimals, halves away from zero,
// decided on the 15-significant-digit decimal form of x. A result that rounds to
// zero carries no minus sign. Non-finite input gives "".
std::string format_0_00(double x);
// A length as "12.34 mm".
std::string mm_text(double mm);
// "#00.00": as above with at least two integer digits ("05.30").
std::string format_00_00(double x);
// Fixed number of decimals and minimum integer digits, the general form of the two above.
std::string format_fixed(double x, int decimals, int min_int_digits = 1);

// Plain form with up to 15 significant digits and no trailing zeros
// ("511.529411764706", "508", "-0.25", "1E+16", "1.5E-07"). Non-finite gives "".
std::string plain(double x);
// The scale of a picture widened to fit its window: "μl = 0.451 mm/px",
// to the thousandth.
std::string screen_scale_text(double mm_per_px);

// What printing a number on a drawing shows: the sign place (a blank, or the
// minus sign), the plain form, and a blank behind.
std::string printed_number(double x);

// CInt: round half to even to a whole number. CInt and Int hold values beyond
// the range of long long at its ends and read NaN as 0.
long long cint(double x);
// Int: the greatest whole number not above x.
long long int_floor(double x);
// a Mod b: both operands rounded half to even first, the remainder takes the
// sign of a. Nothing when b rounds to 0.
std::optional<long long> vb_mod(double a, double b);

}  // namespace vm
