// Design states for the force-analysis tests, the results and motion windows'
// tests and their benchmarks: the default design and others, confirmed as the
// main window does (parameter texts plus synthesis).
#pragma once

#include <ostream>

#include "core/design_state.h"
#include "core/kinematics.h"
#include "core/number_text.h"

namespace vm::test {

// H, D, e, K, ak, G1, G2, G3, rk, n as typed.
struct DesignTexts {
    const char *name, *H, *D, *e, *K, *ak, *G1, *G2, *G3, *rk, *n;
};
inline void PrintTo(const DesignTexts& d, std::ostream* os) { *os << d.name; }

// The defaults, then designs that differ in every parameter (one without weights).
inline const DesignTexts kDesigns[] = {
    {"defaults", "225", "170", "50", "1.04", "0.35", "160", "120", "190", "0.16", "620"},
    {"long_stroke", "300", "120", "30", "1.1", "0.3", "80", "95", "140", "0.2", "1500"},
    {"no_weights", "225", "170", "50", "1.04", "0.35", "0", "0", "0", "0.16", "620"},
    {"large_offset", "150", "90", "70", "1.2", "0.5", "40", "60", "55", "0.1", "300"},
};

inline DesignState confirmed_state(const DesignTexts& d) {
    DesignState s;
    s.hs_h = d.H, s.hs_d = d.D, s.hs_e = d.e, s.hs_k = d.K, s.lg_ak = d.ak, s.qb_g = d.G1;
    s.lg_g = d.G2, s.hs_g = d.G3, s.lg_rk = d.rk, s.qb_w = d.n, s.sd_k = "0.01";
    const SynthesisResult syn = dimension_synthesis(val(s.hs_h), val(s.hs_k), val(s.hs_e));
    s.lg_l = syn.value.l, s.qb_r = syn.value.r, s.jd_wai = syn.value.jd_wai, s.jd_nei = syn.value.jd_nei;
    s.confirmed = syn.ok();
    return s;
}

}  // namespace vm::test
