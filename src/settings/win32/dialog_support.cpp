#include "settings/win32/dialog_support.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "base/dpi.h"
#include "base/paths.h"
#include "base/win32/module_path.h"
#include "base/win32/utf16.h"
#include "base/win32/window_dpi.h"

namespace settings::win32 {
namespace {

constexpr int kProgramIconId = 1;  // IDI_PROGRAM of the program's resources

// A font's average letter width and cell height, measured as the dialog
// manager measures its dialog units.
SIZE LetterSize(HFONT font) {
  static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE size{0, 0};
  HDC dc = GetDC(nullptr);
  if (!dc) return size;
  const HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  SIZE extent{};
  if (GetTextMetricsW(dc, &metrics) && GetTextExtentPoint32W(dc, kLetters, 52, &extent))
    size = {(extent.cx / 26 + 1) / 2, metrics.tmHeight};
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return size;
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

}  // namespace

std::string WindowTextUtf8(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return base::Utf8FromUtf16(std::wstring_view(buffer.data(), static_cast<size_t>(std::max(got, 0))));
}

void SetWindowTextUtf8(HWND window, std::string_view text) {
  SetWindowTextW(window, base::Utf16FromUtf8(text).c_str());
}

std::string ItemTextUtf8(HWND dialog, int id) { return WindowTextUtf8(GetDlgItem(dialog, id)); }

void SetItemTextUtf8(HWND dialog, int id, std::string_view text) {
  SetWindowTextUtf8(GetDlgItem(dialog, id), text);
}

DialogScale::DialogScale(HWND dialog) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  LOGFONTW face{};
  if (font && GetObjectW(font, sizeof face, &face)) {
    face.lfHeight = base::FontHeightForPoints(kDialogFontPoints, base::kBaseDpi);
    face.lfWidth = 0;
    if (HFONT at96 = CreateFontIndirectW(&face)) {
      const SIZE now = LetterSize(font), then = LetterSize(at96);
      DeleteObject(at96);
      if (now.cx > 0 && now.cy > 0 && then.cx > 0 && then.cy > 0) {
        now_ = now;
        at96_ = then;
        return;
      }
    }
  }
  // No font to measure: the monitor's DPI.
  const LONG dpi = base::WindowDpi(dialog);
  now_ = {dpi, dpi};
  at96_ = {base::kBaseDpi, base::kBaseDpi};
}

int DialogScale::X(int pixelsAt96) const { return base::MulDivRounded(pixelsAt96, now_.cx, at96_.cx); }

int DialogScale::Y(int pixelsAt96) const { return base::MulDivRounded(pixelsAt96, now_.cy, at96_.cy); }

void DialogScale::PlaceChild(HWND child, int x, int y, int width, int height) const {
  SetWindowPos(child, nullptr, X(x), Y(y), X(width), Y(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogScale::SetClientSize(HWND window, int width, int height) const {
  const int wantWidth = X(width);
  const int wantHeight = Y(height);
  RECT frame{0, 0, wantWidth, wantHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), GetMenu(window) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  int outerWidth = frame.right - frame.left;
  int outerHeight = frame.bottom - frame.top;
  SetWindowPos(window, nullptr, 0, 0, outerWidth, outerHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps, or a theme's frame, can differ from the estimate:
  // correct by what the client area really came out as.
  RECT client{};
  GetClientRect(window, &client);
  const int dx = wantWidth - (client.right - client.left);
  const int dy = wantHeight - (client.bottom - client.top);
  if (dx != 0 || dy != 0)
    SetWindowPos(window, nullptr, 0, 0, outerWidth + dx, outerHeight + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreWindow(HWND window, HWND over) {
  RECT own{};
  GetWindowRect(window, &own);
  const RECT work = WorkAreaOf(over ? over : window);
  RECT target = work;
  if (over && IsWindowVisible(over) && !IsIconic(over)) GetWindowRect(over, &target);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  int x = target.left + (target.right - target.left - width) / 2;
  int y = target.top + (target.bottom - target.top - height) / 2;
  x = std::max<int>(work.left, std::min<int>(x, work.right - width));
  y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring ApplicationTitle() {
  const std::string name = base::FileNameOf(base::ProgramPath());
  const auto dot = name.rfind('.');
  return base::Utf16FromUtf8(dot == std::string::npos ? name : name.substr(0, dot));
}

void ShowMessage(HWND owner, std::string_view text, UINT icon) {
  MessageBoxW(owner, base::Utf16FromUtf8(text).c_str(), ApplicationTitle().c_str(), MB_OK | icon);
}

HICON LoadProgramIcon(int size) {
  auto icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, size, size, 0));
  if (!icon) icon = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
  return icon;
}

DialogOwner::DialogOwner(HWND owner) : handle_(owner), created_(false) {
  if (handle_) return;
  // Owned windows get no task bar button; a hidden tool window owns the
  // dialog when the program has no window of its own.
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", ApplicationTitle().c_str(), WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  created_ = handle_ != nullptr;
}

DialogOwner::~DialogOwner() {
  if (created_) DestroyWindow(handle_);
}

void InitSettingsControls() {
  INITCOMMONCONTROLSEX init{};
  init.dwSize = sizeof init;
  init.dwICC = ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&init);
}

}  // namespace settings::win32
