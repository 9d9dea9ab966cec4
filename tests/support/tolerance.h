// The suite's one tolerance helper: absolute or relative closeness, whichever
// is looser, with both values in the failure message.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vm::test {

inline ::testing::AssertionResult near(double actual, double expected, double tol = 1e-9) {
    const double diff = std::fabs(actual - expected);
    const double bound = tol * std::max(1.0, std::fabs(expected));
    if (std::isfinite(actual) && diff <= bound) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not within " << tol << " (relative above 1) of "
                                         << expected << " (difference " << diff << ")";
}

}  // namespace vm::test
