// Fuzz target for the number rules. Any byte string is read as a text a student
// could type, as two texts split at the first ';', and its first bytes as two
// doubles, and these properties must hold:
//  - a text the number test accepts parses to a finite number, and the
//    leading-number reading of it gives that same number;
//  - the leading-number reading of any text is finite;
//  - every display form of a finite double reads back as a number close to it;
//  - the whole-number rules (CInt, Int, Mod) are defined for every operand.
// The sanitizers catch undefined behaviour; libFuzzer's -timeout catches a slow input.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "core/number_text.h"

namespace {

[[noreturn]] void fail(const char* what, std::string_view detail) {
    std::fprintf(stderr, "number rules: %s: \"%.*s\"\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

void check_reads_back(double x, int decimals = 3, int min_int_digits = 4) {
    if (!std::isfinite(x)) {
        if (!vm::plain(x).empty() || !vm::format_0_00(x).empty()) fail("non-finite printed", "");
        return;
    }
    const std::string p = vm::plain(x);
    const auto back = vm::to_number(p);
    if (!back) fail("plain form refused", p);
    if (std::fabs(x) >= 1e-300 && std::fabs(*back / x - 1.0) > 1e-14) fail("plain form drifts", p);
    const std::string printed = vm::printed_number(x);
    if (vm::to_number(printed) != back) fail("printed number differs", printed);
    const std::string forms[] = {vm::format_0_00(x), vm::format_00_00(x), vm::format_fixed(x, decimals, min_int_digits)};
    const double steps[] = {0.01, 0.01, std::pow(10.0, -decimals)};
    for (int i = 0; i < 3; ++i) {
        const auto v = vm::to_number(forms[i]);
        if (!v) fail("fixed form refused", forms[i]);
        // Off by at most half the last place shown (and the 15-digit rounding).
        if (std::fabs(*v - x) > steps[i] / 2 * (1 + 1e-9) + 1e-14 * std::fabs(x)) fail("fixed form drifts", forms[i]);
    }
}

void check_whole_numbers(double a, double b) {
    (void)vm::cint(a);
    (void)vm::int_floor(a);
    const auto m = vm::vb_mod(a, b);
    if (m && vm::cint(b) != 0) {
        // The remainder is smaller than the divisor and keeps the dividend's sign.
        const long long ib = vm::cint(b), r = *m;
        if (ib != std::numeric_limits<long long>::min() && std::llabs(r) >= std::llabs(ib))
            fail("remainder not below divisor", "");
        if (r != 0 && (r < 0) != (vm::cint(a) < 0)) fail("remainder sign", "");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const auto number = vm::to_number(text);
    if (number.has_value() != vm::is_numeric(text)) fail("number tests disagree", text);
    if (number) {
        if (!std::isfinite(*number)) fail("accepted text is not finite", text);
        if (vm::val(text) != *number) fail("leading reading differs", text);
        check_reads_back(*number);
    }
    if (!std::isfinite(vm::val(text))) fail("leading reading not finite", text);

    double raw[2] = {0, 0};
    std::memcpy(raw, data, std::min(size, sizeof raw));
    // The last two bytes choose the general fixed pattern: 0..6 decimals, 1..5 integer digits.
    const int decimals = size > 0 ? data[size - 1] % 7 : 2;
    const int min_int_digits = size > 1 ? 1 + data[size - 2] % 5 : 1;
    check_reads_back(raw[0], decimals, min_int_digits);
    check_reads_back(raw[1], decimals, min_int_digits);
    check_whole_numbers(raw[0], raw[1]);
    // Two texts separated by ';' are the operands as two boxes would give them.
    if (const auto semi = text.find(';'); semi != std::string_view::npos)
        check_whole_numbers(vm::val(text.substr(0, semi)), vm::val(text.substr(semi + 1)));
    return 0;
}
