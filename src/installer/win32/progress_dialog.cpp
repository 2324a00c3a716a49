// CProgressDlg: the copying status line and bar, shown in the main window's
// lower right corner while the installation runs.
#include <windows.h>

#include <commctrl.h>

#include "installer/win32/installer_resources.h"
#include "installer/win32/setup_support.h"
#include "installer/win32/setup_windows.h"

namespace installer::win32 {
namespace {

constexpr int kCornerInset = 40;  // pixels at 96 dpi

}  // namespace

void CProgressDlg::Create(HWND mainWindow) {
  main_ = mainWindow;
  window_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), mainWindow,
                               &DialogProcOf<CProgressDlg>, reinterpret_cast<LPARAM>(this));
}

HWND CProgressDlg::Bar() const { return GetDlgItem(window_, IDC_PROGRESS_BAR); }

void CProgressDlg::Show(std::string_view text) {
  SetText(text);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

void CProgressDlg::SetText(std::string_view text) {
  SetItemTextUtf8(window_, IDC_PROGRESS_TEXT, text);
  UpdateWindow(GetDlgItem(window_, IDC_PROGRESS_TEXT));
}

void CProgressDlg::MoveToCorner() {
  RECT main{}, own{};
  GetWindowRect(main_, &main);
  GetWindowRect(window_, &own);
  const int inset = Scaled(kCornerInset);
  SetWindowPos(window_, nullptr, main.right - inset - (own.right - own.left), main.bottom - inset - (own.bottom - own.top),
               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CProgressDlg::Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      window_ = dialog;
      SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
      SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
      return TRUE;
    case WM_SHOWWINDOW:
      if (wParam) MoveToCorner();
      return FALSE;
    case WM_COMMAND:
    case WM_CLOSE:
      return TRUE;  // the copy runs to its end
  }
  return FALSE;
}

}  // namespace installer::win32
