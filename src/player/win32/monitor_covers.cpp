#include "player/win32/monitor_covers.h"

#include <windowsx.h>

#include "base/win32/utf16.h"

namespace player {
namespace {

constexpr wchar_t kCoverClass[] = L"TfRunCover";

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(handle, &info)) {
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<Monitor>*>(data)->push_back(
        {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  }
  return TRUE;
}

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL; }

}  // namespace

std::vector<Monitor> SystemMonitors() {
  // Tests of the covers on a single screen describe the monitors themselves.
  wchar_t test[256];
  const DWORD length = GetEnvironmentVariableW(L"SLIDESHOW_TEST_MONITORS", test, static_cast<DWORD>(std::size(test)));
  if (length > 0 && length < std::size(test))
    if (auto listed = ParseMonitorList(base::Utf8FromUtf16(std::wstring_view(test, length)))) return *listed;
  std::vector<Monitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

bool MonitorCovers::Create(HINSTANCE instance, HWND show, const ScreenLayout& layout) {
  Destroy();
  show_ = show;
  layout_ = layout;
  if (layout.covers.empty()) return true;
  WNDCLASSW windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = CoverProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kCoverClass;
  if (!RegisterClassW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  bool all = true;
  for (const raster::Rect& area : layout.covers) {
    HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, L"", WS_POPUP,
                                 area.left, area.top, area.Width(), area.Height(), show, nullptr, instance, this);
    if (!cover) {
      all = false;
      continue;
    }
    windows_.push_back(cover);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
  }
  return all;
}

void MonitorCovers::Raise() {
  for (HWND cover : windows_)
    SetWindowPos(cover, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MonitorCovers::Destroy() {
  // Owned windows go with their owner; those still there go now.
  for (HWND cover : windows_)
    if (IsWindow(cover)) DestroyWindow(cover);
  windows_.clear();
}

LRESULT CALLBACK MonitorCovers::CoverProc(HWND cover, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(cover, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<MonitorCovers*>(GetWindowLongPtrW(cover, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(cover, GWLP_USERDATA, 0);
  if (!self) return DefWindowProcW(cover, message, wParam, lParam);
  return self->Forward(cover, message, wParam, lParam);
}

LRESULT MonitorCovers::Forward(HWND cover, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsMouseMessage(message) && IsWindow(show_)) {
    // The point in the cover's client area, on the virtual screen, in the show's coordinates.
    RECT bounds{};
    GetWindowRect(cover, &bounds);
    const raster::Point at =
        layout_.ToShow({bounds.left + GET_X_LPARAM(lParam), bounds.top + GET_Y_LPARAM(lParam)});
    return SendMessageW(show_, message, wParam, MAKELPARAM(at.x, at.y));
  }
  switch (message) {
    case WM_SETCURSOR:
      // The show decides: hidden between transitions, the arrow after a movement.
      if (IsWindow(show_)) return SendMessageW(show_, WM_SETCURSOR, reinterpret_cast<WPARAM>(show_), lParam);
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the keyboard stays with the show
    case WM_SYSCOMMAND:
    case WM_CLOSE:
      return 0;  // no system menu, no Alt+F4, no screensaver over the show
  }
  return DefWindowProcW(cover, message, wParam, lParam);
}

}  // namespace player
