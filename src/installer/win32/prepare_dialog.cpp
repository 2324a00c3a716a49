// CPrepareDlg: "Setup program is preparing ..." with a percentage that rises by
// a random step every 100 ms and closes the box shortly after reaching 100.
#include <windows.h>

#include <commctrl.h>

#include <ctime>

#include "base/random.h"
#include "installer/win32/installer_resources.h"
#include "installer/win32/setup_support.h"
#include "installer/win32/setup_windows.h"

namespace installer::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;

class CPrepareDlg {
 public:
  CPrepareDlg() : random_(static_cast<uint64_t>(std::time(nullptr)) ^ GetTickCount64()) {}

  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
      case WM_INITDIALOG:
        SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
        Show(dialog, 0);
        SetTimer(dialog, kTimerId, PrepareCounter::kTickMilliseconds, nullptr);
        return TRUE;
      case WM_TIMER:
        if (wParam == kTimerId) OnTimer(dialog);
        return TRUE;
      case WM_COMMAND:
        return TRUE;  // neither Enter nor Esc ends the box early
      case WM_DESTROY:
        KillTimer(dialog, kTimerId);
        return FALSE;
    }
    return FALSE;
  }

 private:
  static void Show(HWND dialog, int percent) {
    SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    SetItemTextUtf8(dialog, IDC_PREPARE_PERCENT, PercentText(percent));
  }

  void OnTimer(HWND dialog) {
    const auto shown = counter_.Tick(random_.Next(PrepareCounter::kRandMax + 1));
    Show(dialog, shown.percent);
    if (!shown.finished) return;
    KillTimer(dialog, kTimerId);
    UpdateWindow(dialog);
    Sleep(PrepareCounter::kCloseDelayMilliseconds);
    EndDialog(dialog, IDOK);
  }

  base::SeededRandom random_;
  PrepareCounter counter_;
};

}  // namespace

void ShowPrepareBox(HWND owner) {
  CPrepareDlg box;
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PREPARE), owner, &DialogProcOf<CPrepareDlg>,
                  reinterpret_cast<LPARAM>(&box));
}

}  // namespace installer::win32
