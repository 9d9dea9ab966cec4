// Number parsing and formatting shared by every window (see number_text.h).
#include "core/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vm {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Length of the number at the front of s (sign, mantissa, optional exponent);
// 0 when s does not start with one.
size_t number_prefix(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t exp_digits = 0;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j, ++exp_digits;
        if (exp_digits > 0) i = j;
    }
    return i;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

double parse_prefix(std::string_view s, size_t n) {
    std::string copy(s.substr(0, n));
    return std::strtod(copy.c_str(), nullptr);
}

// Decimal digits and exponent of x rounded to 15 significant digits:
// x = 0.d1d2...d15 * 10^(exp10+1), digits without the point.
struct Decimal {
    bool negative = false;
    std::string digits;  // 15 digits
    int exp10 = 0;       // exponent of the first digit
};

Decimal decimal_15(double x) {
    char buf[64];
    // Correctly rounded like printf's "%.14e", several times faster.
    const auto end = std::to_chars(buf, buf + sizeof buf - 1, x, std::chars_format::scientific, 14).ptr;
    *end = '\0';
    Decimal d;
    const char* p = buf;
    if (*p == '-') d.negative = true, ++p;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') d.digits.push_back(*p);
    if (*p == 'e') d.exp10 = std::atoi(p + 1);
    // Near the top of the range the nearest 15-digit decimal can lie above the
    // largest double (1.797693134862315e308 rounds to 1.79769313486232e308, which
    // reads back as infinity). Take the 15-digit decimal just below instead, so
    // every form built from it reads back as a finite number.
    if (d.exp10 >= 308 && std::isinf(std::strtod(buf, nullptr))) {
        int i = static_cast<int>(d.digits.size()) - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '0') d.digits[static_cast<size_t>(i--)] = '9';
        if (i >= 0) --d.digits[static_cast<size_t>(i)];
    }
    return d;
}

}  // namespace

bool is_numeric(std::string_view text) { return to_number(text).has_value(); }

std::optional<double> to_number(std::string_view text) {
    std::string_view s = trim(text);
    if (s.empty()) return std::nullopt;
    size_t n = number_prefix(s);
    if (n == 0 || n != s.size()) return std::nullopt;
    double v = parse_prefix(s, n);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

double val(std::string_view text) {
    std::string compact;
    for (char c : text)
        if (!is_blank(c)) compact.push_back(c);
    size_t n = number_prefix(compact);
    if (n == 0) return 0.0;
    double v = parse_prefix(compact, n);
    return std::isfinite(v) ? v : 0.0;
}

std::string format_fixed(double x, int decimals, int min_int_digits) {
    if (!std::isfinite(x)) return "";
    // Round on the 15-digit decimal form, so that 2.675 (stored as 2.67499999...)
    // shows as 2.68, the way the figure reads to the student.
    Decimal d = decimal_15(x);
    std::string digits = d.digits;
    int point = d.exp10 + 1;  // digits before the decimal point
    if (point < 0) {
        digits.insert(0, static_cast<size_t>(-point), '0');
        point = 0;
    }
    int keep = point + decimals;
    std::string kept = digits.substr(0, static_cast<size_t>(std::max(keep, 0)));
    kept.resize(static_cast<size_t>(std::max(keep, 0)), '0');
    bool round_up = keep >= 0 && static_cast<size_t>(keep) < digits.size() && digits[keep] >= '5';
    if (keep < 0) round_up = false;
    if (round_up) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9') kept[i--] = '0';
        if (i >= 0)
            ++kept[i];
        else
            kept.insert(0, "1"), ++point;
    }
    std::string int_part = kept.substr(0, static_cast<size_t>(point));
    std::string frac_part = kept.substr(static_cast<size_t>(point));
    size_t nz = int_part.find_first_not_of('0');
    int_part = nz == std::string::npos ? "" : int_part.substr(nz);
    while (static_cast<int>(int_part.size()) < min_int_digits) int_part.insert(0, "0");
    bool all_zero = kept.find_first_not_of('0') == std::string::npos;
    std::string out = (d.negative && !all_zero) ? "-" : "";
    out += int_part;
    if (decimals > 0) out += "." + frac_part;
    return out;
}

std::string format_0_00(double x) { return format_fixed(x, 2, 1); }
std::string format_00_00(double x) { return format_fixed(x, 2, 2); }

std::string mm_text(double mm) { return format_0_00(mm) + " mm"; }

std::string screen_scale_text(double mm_per_px) {
    return "μl = " + plain(std::round(mm_per_px * 1000) / 1000) + " mm/px";
}

std::string plain(double x) {
    if (!std::isfinite(x)) return "";
    if (x == 0.0) return "0";
    Decimal d = decimal_15(x);
    std::string digits = d.digits;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string sign = d.negative ? "-" : "";
    int e = d.exp10;
    if (e >= 15 || e < -10) {
        std::string m = digits.substr(0, 1);
        if (digits.size() > 1) m += "." + digits.substr(1);
        char buf[16];
        std::snprintf(buf, sizeof buf, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
        return sign + m + buf;
    }
    if (e < 0) return sign + "0." + std::string(static_cast<size_t>(-e - 1), '0') + digits;
    size_t point = static_cast<size_t>(e) + 1;
    if (digits.size() <= point) return sign + digits + std::string(point - digits.size(), '0');
    return sign + digits.substr(0, point) + "." + digits.substr(point);
}

std::string printed_number(double x) {
    std::string p = plain(x);
    if (p.empty()) return "";
    if (p.front() == '-') return p + " ";
    return " " + p + " ";
}

namespace {
// A whole double as a long long, held at the type's ends instead of overflowing
// (NaN reads as 0), so absurd inputs give absurd but defined numbers.
long long saturate(double whole) {
    if (std::isnan(whole)) return 0;
    if (whole >= 9.2e18) return std::numeric_limits<long long>::max();
    if (whole <= -9.2e18) return std::numeric_limits<long long>::min();
    return static_cast<long long>(whole);
}
}  // namespace

long long cint(double x) { return saturate(std::nearbyint(x)); }

long long int_floor(double x) { return saturate(std::floor(x)); }

std::optional<long long> vb_mod(double a, double b) {
    long long ia = cint(a), ib = cint(b);
    if (ib == 0) return std::nullopt;
    // Every whole number is a multiple of -1; asking the machine for the
    // remainder of the smallest long long by -1 would overflow.
    if (ib == -1) return 0;
    return ia % ib;
}

}  // namespace vm
