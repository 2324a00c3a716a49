// Small Windows pieces that the setup program and the uninstaller share: the
// Windows folders, texts of windows and message boxes, and lengths at the
// screen's DPI.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace installer::win32 {

std::string WindowsDirectory();
std::string SystemDirectory();

// Text in the ANSI code page, for the interfaces that take only that (DDE
// string handles, the ANSI shell link).
std::string AnsiFromUtf8(std::string_view text);

std::string WindowTextUtf8(HWND window);
void SetItemTextUtf8(HWND dialog, int id, std::string_view text);

// A length in pixels at 96 dpi, at the screen's DPI.
int Scaled(int pixelsAt96);

// A message box with the program's title.
int ShowMessage(HWND owner, std::string_view text, UINT flags);

// Makes a dialog's window procedure call `Handle` on the object whose pointer
// came with WM_INITDIALOG.
template <typename Dialog>
INT_PTR CALLBACK DialogProcOf(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  return self ? self->Handle(dialog, message, wParam, lParam) : FALSE;
}

}  // namespace installer::win32
