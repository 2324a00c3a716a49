// Transition numbers as shows and settings store them: 0..160 name the effects
// in the order of the settings dialog's list, -1 means no transition.
#pragma once

#include <string>

namespace project {

inline constexpr int kTransitionCount = 161;
inline constexpr int kNoTransition = -1;

// "0;1;2;...;160;": every transition in order, the default list of a picture
// record and of the user's settings.
std::string AllTransitionsList();

}  // namespace project
