#include "base/win32/window_dpi.h"

#include "base/dpi.h"

namespace base {
namespace {

// Looked up at run time: the program also runs on systems that lack them.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <class Fn>
Fn Lookup(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  if (!handle) handle = LoadLibraryW(module);
  return handle ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto forWindow = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  static const auto forMonitor = Lookup<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  int dpi = 0;
  if (window && forWindow) dpi = static_cast<int>(forWindow(window));
  if (dpi <= 0 && forMonitor) {
    const POINT origin{0, 0};
    HMONITOR monitor =
        window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY) : MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
    UINT x = 0, y = 0;
    if (monitor && SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &x, &y))) dpi = static_cast<int>(y);
  }
  if (dpi <= 0) dpi = ScreenDpi();
  return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace base
