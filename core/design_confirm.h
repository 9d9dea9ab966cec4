// Confirming a design: the eleven parameter texts checked as the main window
// checks them (numbers, physical limits, a mechanism the synthesis can build)
// and, when all pass, a design state holding them and the derived dimensions.
// The main window, design files, data groups and the command line share it.
#pragma once

#include <array>
#include <string>

#include "core/design_state.h"

namespace vm {

// The main window's default texts, in the order hs_h .. sd_k.
inline constexpr std::array<const char*, 11> kDefaultParameterTexts{
    "225", "170", "50", "1.04", "0.35", "160", "120", "190", "0.16", "620", "0.01"};

struct Confirmation {
    DesignState state;    // confirmed when ok()
    int box = -1;         // index of the box a refusal is about, -1 when none
    std::string message;  // the refusal, in Chinese; empty when ok
    bool ok() const { return message.empty(); }
};

// The first failing check in box order decides the message: a text that is
// not a number gives "请输入数据", a value outside its limits the limit's
// message, then the synthesis.
Confirmation confirm_parameters(const std::array<std::string, 11>& texts);

// The box (index hs_h .. sd_k) a synthesis refusal is about: the stroke, K,
// or else the offset, which with the stroke and K leaves no mechanism.
std::size_t synthesis_box(SynthesisError error);

}  // namespace vm
