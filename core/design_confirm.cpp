#include "core/design_confirm.h"

#include "core/design_limits.h"
#include "core/kinematics.h"

namespace vm {

Confirmation confirm_parameters(const std::array<std::string, 11>& texts) {
    Confirmation c;
    std::array<double, 11> v{};
    if (const auto refusal = check_parameters(texts, &v)) {
        c.box = int(refusal->index);
        c.message = refusal->message;
        return c;
    }
    const SynthesisResult s = dimension_synthesis(v[kHsH], v[kHsK], v[kHsE]);
    if (!s.ok()) {
        c.box = int(synthesis_box(s.error));
        c.message = synthesis_message(s.error);
        return c;
    }
    DesignState& st = c.state;
    for (std::size_t i = 0; i < texts.size(); ++i) st.*kParameterFields[i] = texts[i];
    st.lg_l = s.value.l;
    st.qb_r = s.value.r;
    st.jd_wai = s.value.jd_wai;
    st.jd_nei = s.value.jd_nei;
    st.confirmed = true;
    return c;
}

std::size_t synthesis_box(SynthesisError error) {
    switch (error) {
        case SynthesisError::StrokeNotPositive: return kHsH;
        case SynthesisError::RatioNotAboveOne: return kHsK;
        default: return kHsE;
    }
}

}  // namespace vm
