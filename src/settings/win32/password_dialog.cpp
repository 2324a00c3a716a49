// TfGetpassword: the modal password question of a running show.
#include <windows.h>

#include "settings/win32/dialog_support.h"
#include "settings/win32/settings_resources.h"
#include "settings/win32/settings_ui.h"

namespace settings {
namespace {

constexpr int kClientWidth = 259;
constexpr int kClientHeight = 82;
constexpr UINT kTakeFocus = WM_APP + 1;

class TfGetpassword {
 public:
  // True when closed with OK; the typed text is then in `password`.
  bool ShowModal(HWND owner, std::string& password) {
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PASSWORD), owner,
                                           &TfGetpassword::DialogProc, reinterpret_cast<LPARAM>(this));
    if (result != IDOK) return false;
    password = typed_;
    return true;
  }

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<TfGetpassword*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? win32::Guarded(dialog, [&] { return self->Handle(dialog, message, wParam); }) : FALSE;
  }

  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
    switch (message) {
      case WM_INITDIALOG: {
        win32::DialogScale(dialog).SetClientSize(dialog, kClientWidth, kClientHeight);
        win32::CentreWindow(dialog, nullptr);
        HWND edit = GetDlgItem(dialog, IDC_EDTPASSWORD_PROMPT);
        SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
        SetFocus(edit);
        // Once visible, take the keyboard from the full-screen show.
        PostMessageW(dialog, kTakeFocus, 0, 0);
        return FALSE;  // the focus is set
      }
      case kTakeFocus:
        SetForegroundWindow(dialog);
        SetFocus(GetDlgItem(dialog, IDC_EDTPASSWORD_PROMPT));
        return TRUE;
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case IDOK:  // also Enter: the default button
            typed_ = win32::ItemTextUtf8(dialog, IDC_EDTPASSWORD_PROMPT);
            EndDialog(dialog, IDOK);
            return TRUE;
          case IDCANCEL:  // also Esc and the close box
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
  }

  std::string typed_;
};

}  // namespace

bool InputPassword(HWND owner, std::string& password) {
  win32::InitSettingsControls();
  win32::DialogOwner dialogOwner(owner);
  TfGetpassword prompt;
  return prompt.ShowModal(dialogOwner.Handle(), password);
}

}  // namespace settings
