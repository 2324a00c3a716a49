// The stand-in movie player's window: a child of the Flash window that plays
// the movie with StandInFlashPlayer, ticking its frames on a window timer and
// painting each frame from a bitmap of the window's size.
#pragma once

#include <windows.h>

#include <memory>

#include "player/flash_control.h"

namespace player {

// Creates the window over the whole client area of `parent`; `window`
// receives its handle. Null when the window cannot be created.
std::unique_ptr<FlashControl> CreateStandInFlash(HWND parent, HWND& window);

}  // namespace player
