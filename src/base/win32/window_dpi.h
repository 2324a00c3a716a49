// The DPI of the monitor a window is on.
#pragma once

#include <windows.h>

namespace base {

// The DPI of the monitor that shows `window` (or the primary's, for a null
// window). Per monitor on Windows 8.1 and later; on earlier systems the one
// DPI of the screen.
int WindowDpi(HWND window);

}  // namespace base
