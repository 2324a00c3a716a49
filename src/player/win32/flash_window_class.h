// The window classes of the Flash window and its stand-in control: double
// clicks reported, the arrow cursor, no background brush (each window paints
// all of itself). Registering a class twice does nothing.
#pragma once

#include <windows.h>

namespace player {

inline HINSTANCE RegisterFlashClass(const wchar_t* name, WNDPROC proc) {
  WNDCLASSW windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassW(&windowClass);
  return windowClass.hInstance;
}

}  // namespace player
