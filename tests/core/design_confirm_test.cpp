#include <gtest/gtest.h>

#include "core/design_confirm.h"
#include "core/design_limits.h"
#include "core/kinematics.h"

using namespace vm;

namespace {
std::array<std::string, 11> defaults() {
    std::array<std::string, 11> t;
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = kDefaultParameterTexts[i];
    return t;
}
}  // namespace

// The first failing box decides, in box order: not a number, out of limits, no mechanism.
TEST(DesignConfirm, RefusalsNameTheirBox) {
    struct Case {
        std::size_t box;
        const char* text;
        int refused_box;
        const char* message_part;
    } cases[] = {
        {0, "abc", 0, "请输入数据"},        {1, "", 1, "请输入数据"},
        {10, "1e999", 10, "请输入数据"},     {1, "-170", 1, "活塞直径"},
        {9, "-620", 9, "曲柄转速"},         {9, "0", 9, "曲柄转速"},
        {4, "1.5", 4, "0到1"},                {3, "2e6", 3, "不能超过"},              {7, "-1", 7, "活塞重量"},
        {10, "0", 10, "不均匀系数"},        {3, "0.9", 3, "必须大于1"},
        {2, "0", 2, "偏距"},                {2, "5000", 2, "无法构成"},
    };
    for (const Case& c : cases) {
        auto texts = defaults();
        texts[c.box] = c.text;
        const Confirmation r = confirm_parameters(texts);
        EXPECT_FALSE(r.ok()) << c.box << " " << c.text;
        EXPECT_EQ(r.box, c.refused_box) << c.text;
        EXPECT_NE(r.message.find(c.message_part), std::string::npos) << c.text << ": " << r.message;
        EXPECT_FALSE(r.state.confirmed);
    }
}

TEST(DesignConfirm, AcceptedDesignHoldsItsTextsAndDimensions) {
    auto texts = defaults();
    texts[3] = " 1.040";
    const Confirmation r = confirm_parameters(texts);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_TRUE(r.state.confirmed);
    EXPECT_EQ(r.state.hs_k, " 1.040");
    EXPECT_EQ(r.state.sd_k, "0.01");
    const SynthesisResult s = dimension_synthesis(225, 1.04, 50);
    EXPECT_EQ(r.state.lg_l, s.value.l);
    EXPECT_EQ(r.state.qb_r, s.value.r);
    EXPECT_EQ(r.state.jd_wai, s.value.jd_wai);
    EXPECT_EQ(r.state.jd_nei, s.value.jd_nei);
}
