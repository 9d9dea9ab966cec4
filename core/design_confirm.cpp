#include "core/design_confirm.h"

#include "core/design_limits.h"
#include "core/kinematics.h"
#include "core/number_text.h"

namespace vm {

Confirmation confirm_parameters(const std::array<std::string, 11>& texts) {
    Confirmation c;
    std::array<double, 11> v{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto n = to_number(texts[i]);
        if (!n) {
            c.box = int(i);
            c.message = "请输入数据";
            return c;
        }
        v[i] = *n;
    }
    if (const auto bad = first_out_of_limits(v)) {
        c.box = int(*bad);
        c.message = std::string(kParameterLimits[*bad].message);
        return c;
    }
    const SynthesisResult s = dimension_synthesis(v[0], v[3], v[2]);
    if (!s.ok()) {
        c.box = s.error == SynthesisError::StrokeNotPositive ? 0 : s.error == SynthesisError::OffsetNotPositive ? 2 : 3;
        c.message = synthesis_message(s.error);
        return c;
    }
    DesignState& st = c.state;
    std::string* fields[11] = {&st.hs_h, &st.hs_d, &st.hs_e, &st.hs_k, &st.lg_ak, &st.qb_g,
                               &st.lg_g, &st.hs_g, &st.lg_rk, &st.qb_w, &st.sd_k};
    for (std::size_t i = 0; i < texts.size(); ++i) *fields[i] = texts[i];
    st.lg_l = s.value.l;
    st.qb_r = s.value.r;
    st.jd_wai = s.value.jd_wai;
    st.jd_nei = s.value.jd_nei;
    st.confirmed = true;
    return c;
}

}  // namespace vm
