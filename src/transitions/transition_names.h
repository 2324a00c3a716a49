// The names of the 161 transitions, in the order of the settings dialog's list.
// A transition number 0..160 is the position of its name here; -1 means none.
#pragma once

#include <array>
#include <string_view>

#include "project/transition_numbers.h"

namespace transitions {

using project::kNoTransition;
using project::kTransitionCount;

extern const std::array<std::string_view, kTransitionCount> kTransitionNames;

// The list entry of `number`; an empty view for a number outside 0..160.
std::string_view TransitionName(int number);

}  // namespace transitions
