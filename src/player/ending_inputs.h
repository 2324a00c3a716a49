// The end user's rules for ending the show by mouse and keyboard, shared by
// the run window and the Flash window.
#pragma once

#include <cstdint>
#include <string_view>

#include "settings/rw_setting.h"

namespace player {

// The movement reference point before the first movement has been seen.
constexpr int32_t kMouseUnset = -10;

// The distance, in pixels and in either direction, from which a movement counts.
inline int32_t MouseThreshold(const settings::TRWSetting& setting) {
  return setting.MouseSensitivity == 0 ? 10 : setting.MouseSensitivity * 10;
}

// Esc or Enter, where the settings let that key end the show.
inline bool KeyEndsShow(const settings::TRWSetting& setting, int virtualKey) {
  constexpr int kVkReturn = 13;
  constexpr int kVkEscape = 27;
  return (setting.EscKey && virtualKey == kVkEscape) || (setting.EnterKey && virtualKey == kVkReturn);
}

// The typed character (UTF-8) is the chosen key, case and all.
inline bool CharacterEndsShow(const settings::TRWSetting& setting, std::string_view character) {
  return setting.SpecifiedKey && setting.KeyValue == character;
}

}  // namespace player
