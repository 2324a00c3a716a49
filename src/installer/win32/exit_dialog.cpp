// CExitSetupDlg and CAboutDlg: the two small modal boxes of the setup program.
#include "installer/win32/installer_resources.h"
#include "installer/win32/setup_windows.h"

namespace installer::win32 {
namespace {

// Both buttons end the box with their id. The close box resumes: leaving a
// question unanswered must not end the setup.
INT_PTR CALLBACK ButtonsEndBox(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, IDOK);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool ConfirmExit(HWND owner) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_EXIT_SETUP), owner, ButtonsEndBox, 0) == IDOK;
}

void ShowAboutBox(HWND owner) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, ButtonsEndBox, 0);
}

}  // namespace installer::win32
