// TfSettingAbout: the about box of the settings dialog.
#include <windows.h>

#include "settings/about_box_texts.h"
#include "settings/win32/dialog_support.h"
#include "settings/win32/settings_resources.h"
#include "settings/win32/settings_ui.h"

namespace settings {
namespace {

constexpr int kPanelLeft = 8;
constexpr int kPanelTop = 8;

uint64_t TotalPhysicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

class TfSettingAbout {
 public:
  explicit TfSettingAbout(const project::TProjectInfo& project) : project_(project) {}
  ~TfSettingAbout() {
    if (icon_) DestroyIcon(icon_);
  }
  TfSettingAbout(const TfSettingAbout&) = delete;
  TfSettingAbout& operator=(const TfSettingAbout&) = delete;

  void ShowModal(HWND owner) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, &TfSettingAbout::DialogProc,
                    reinterpret_cast<LPARAM>(this));
  }

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<TfSettingAbout*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? win32::Guarded(dialog, [&] { return self->Handle(dialog, message, wParam, lParam); }) : FALSE;
  }

  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_INITDIALOG:
        FormShow(dialog);
        return TRUE;
      case WM_DRAWITEM:
        if (wParam == IDC_PANEL1) {
          DrawPanel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
          return TRUE;
        }
        break;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {  // OK, Esc or the close box
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        break;
    }
    return FALSE;
  }

  void FormShow(HWND dialog) {
    const AboutBoxTexts texts = AboutTextsOf(project_, TotalPhysicalMemory());
    win32::SetWindowTextUtf8(dialog, texts.caption);
    win32::SetItemTextUtf8(dialog, IDC_LBPROJECTNAME, texts.lbProjectName);
    win32::SetItemTextUtf8(dialog, IDC_LBVERSION, texts.lbVersion);
    win32::SetItemTextUtf8(dialog, IDC_LBCOPYRIGHT, texts.lbCopyright);
    win32::SetItemTextUtf8(dialog, IDC_LBMEMORY, texts.lbMemory);
    // ApplyCaptions: the two label texts come from the project.
    win32::SetItemTextUtf8(dialog, IDC_LABELVERSION, texts.labelversion);
    win32::SetItemTextUtf8(dialog, IDC_LBAVAILMEMORY, texts.lbavailmemory);

    const win32::DialogScale scale(dialog);
    scale.PlaceChild(GetDlgItem(dialog, IDC_PANEL1), kPanelLeft, kPanelTop, kAboutPanelWidth, kAboutPanelHeight);
    iconSize_ = scale.Y(kAboutIconSize);
    icon_ = win32::LoadProgramIcon(iconSize_);
    scale.SetClientSize(dialog, kAboutClientWidth, kAboutClientHeight);
    win32::CentreWindow(dialog, GetWindow(dialog, GW_OWNER));
  }

  // A lowered square in the desktop colour with the program icon centred in it.
  void DrawPanel(const DRAWITEMSTRUCT& item) const {
    RECT panel = item.rcItem;
    FillRect(item.hDC, &panel, GetSysColorBrush(COLOR_DESKTOP));
    DrawEdge(item.hDC, &panel, BDR_SUNKENOUTER, BF_RECT);
    if (!icon_) return;
    const int left = CentredOffset(panel.right - panel.left, iconSize_);
    const int top = CentredOffset(panel.bottom - panel.top, iconSize_);
    DrawIconEx(item.hDC, panel.left + left, panel.top + top, icon_, iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
  }

  const project::TProjectInfo& project_;
  HICON icon_ = nullptr;
  int iconSize_ = kAboutIconSize;
};

}  // namespace

void ShowAboutBox(HWND owner, const project::TProjectInfo& project) {
  win32::InitSettingsControls();
  win32::DialogOwner dialogOwner(owner);
  TfSettingAbout box(project);
  box.ShowModal(dialogOwner.Handle());
}

}  // namespace settings
