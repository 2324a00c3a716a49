// The private window messages of the run window and the Flash window.
#pragma once

#include <cstdint>

namespace player {

constexpr uint32_t kWmUser = 0x0400;
constexpr uint32_t UM_FLASHENDED = kWmUser + 133;
constexpr uint32_t UM_FLASHFRAME = kWmUser + 134;
constexpr uint32_t UM_ENDSHOW = kWmUser + 369;
constexpr uint32_t UM_STARTMUSIC = kWmUser + 370;
constexpr uint32_t UM_STOPMUSIC = kWmUser + 371;
constexpr uint32_t UM_PAUSEMUSIC = kWmUser + 372;
constexpr uint32_t UM_RESUMEMUSIC = kWmUser + 373;
constexpr uint32_t UM_SETTINGSCHANGED = kWmUser + 374;

}  // namespace player
