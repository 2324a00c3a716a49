// BrowseForFolder: the shell's folder picker with a status line that names
// the folder under the selection.
#include <windows.h>

#include <shlobj.h>

#include "base/win32/utf16.h"
#include "installer/win32/setup_windows.h"

namespace installer::win32 {
namespace {

std::wstring PathOf(PCIDLIST_ABSOLUTE item) {
  wchar_t path[MAX_PATH] = L"";
  return item && SHGetPathFromIDListW(item, path) ? path : L"";
}

int CALLBACK BrowseCallback(HWND picker, UINT message, LPARAM lParam, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, data);
  } else if (message == BFFM_SELCHANGED) {
    const std::wstring path = PathOf(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
    SendMessageW(picker, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path.c_str()));
  }
  return 0;
}

}  // namespace

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& initial, const std::string& title) {
  const std::wstring start = base::Utf16FromUtf8(initial);
  const std::wstring caption = base::Utf16FromUtf8(title);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return std::nullopt;
  const std::wstring path = PathOf(chosen);
  CoTaskMemFree(chosen);
  if (path.empty()) return std::nullopt;
  return base::Utf8FromUtf16(path);
}

}  // namespace installer::win32
