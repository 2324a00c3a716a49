#include "installer/win32/setup_support.h"

#include <algorithm>
#include <vector>

#include "base/paths.h"
#include "base/win32/module_path.h"
#include "base/win32/utf16.h"

namespace installer::win32 {
namespace {

// Calls `get(buffer, size)` with a growing buffer until the text fits.
template <typename Get>
std::string GrowingText(Get get) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const UINT length = get(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return base::Utf8FromUtf16(std::wstring_view(buffer.data(), length));
    buffer.resize(std::max<size_t>(buffer.size() * 2, length + 1));
  }
}

}  // namespace

std::string WindowsDirectory() {
  return GrowingText([](wchar_t* buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); });
}

std::string SystemDirectory() {
  return GrowingText([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
}

std::string AnsiFromUtf8(std::string_view text) {
  const std::wstring wide = base::Utf16FromUtf8(text);
  if (wide.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::string WindowTextUtf8(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return base::Utf8FromUtf16(std::wstring_view(buffer.data(), static_cast<size_t>(got > 0 ? got : 0)));
}

void SetItemTextUtf8(HWND dialog, int id, std::string_view text) {
  SetDlgItemTextW(dialog, id, base::Utf16FromUtf8(text).c_str());
}

int Scaled(int pixelsAt96) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return MulDiv(pixelsAt96, dpi > 0 ? dpi : 96, 96);
}

int ShowMessage(HWND owner, std::string_view text, UINT flags) {
  std::string title = base::FileNameOf(base::ProgramPath());
  if (const auto dot = title.rfind('.'); dot != std::string::npos) title.erase(dot);
  return MessageBoxW(owner, base::Utf16FromUtf8(text).c_str(), base::Utf16FromUtf8(title).c_str(), flags);
}

}  // namespace installer::win32
