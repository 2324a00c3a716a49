// TfSetting: the settings dialog. Its controls are bound to the portable
// SettingDialogModel, which decides what they show and what is stored.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "base/ascii.h"
#include "base/win32/utf16.h"
#include "project/win32/win32_project_services.h"
#include "settings/dialog_picture.h"
#include "settings/setting_dialog_model.h"
#include "settings/setting_dialog_view.h"
#include "settings/win32/dialog_support.h"
#include "settings/win32/registry_backend.h"
#include "settings/win32/settings_resources.h"
#include "settings/win32/settings_ui.h"

namespace settings {
namespace {

// Frame layout in pixels at 96 dpi, right of the picture panel.
constexpr int kPanelLeft = 10;   // the picture's lowered frame, in the strip left of the pages
constexpr int kPanelTop = 6;
constexpr int kPanelWidth = 100;
constexpr int kPanelHeight = 250;
constexpr int kImageInset = 2;   // the picture (96 x 246) inside that frame
constexpr int kMargin = 4;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;

enum Page { kNormal, kAdvance, kTransition, kAuthInfo, kDesc, kPageCount };

constexpr std::array<int, kPageCount> kPageTemplates = {IDD_PAGE_NORMAL, IDD_PAGE_ADVANCE, IDD_PAGE_TRANSITION,
                                                        IDD_PAGE_AUTHINFO, IDD_PAGE_DESC};

struct CheckBinding {
  int id;
  bool SettingControls::*field;
};
constexpr CheckBinding kCheckBoxes[] = {
    {IDC_CKBENABLEDPASSWORD, &SettingControls::ckbEnabledPassword},
    {IDC_CKBMOUSEMOVE, &SettingControls::ckbMouseMove},
    {IDC_CKBMOUSELEFTCLICK, &SettingControls::ckbMouseLeftClick},
    {IDC_CKBMOUSERIGHTCLICK, &SettingControls::ckbMouseRightClick},
    {IDC_CKBMOUSEDOUBLECLICK, &SettingControls::ckbMouseDoubleClick},
    {IDC_CKBESCKEY, &SettingControls::ckbEscKey},
    {IDC_CKBENTERKEY, &SettingControls::ckbEnterkey},
    {IDC_CKBSPECIFYKEY, &SettingControls::ckbSpecifyKey},
    {IDC_CKBENABLEDMUSIC, &SettingControls::ckbEnabledMusic},
    {IDC_CKBMAXRUNTIME, &SettingControls::ckbMaxRuntime},
    {IDC_CKBTRANSITIONUSED, &SettingControls::ckbtransitionused},
    {IDC_CKBRANDOMINEFFECT, &SettingControls::ckbRandomInEffect},
};

struct EditBinding {
  int id;
  std::string SettingControls::*field;
  int limit;  // characters, 0 for none
  bool masked;
};
constexpr EditBinding kEdits[] = {
    {IDC_EDTPASSWORD, &SettingControls::edtPassword, 0, true},
    {IDC_EDTCONFORM, &SettingControls::edtConform, 0, true},
    {IDC_EDTKEYVALUE, &SettingControls::edtKeyValue, kKeyValueLength, false},
};

struct TrackBinding {
  int id;
  int SettingControls::*field;
  int min;
  int max;
  int lineSize;
};
constexpr TrackBinding kTrackBars[] = {
    {IDC_TBMOUSESENSITIVITY, &SettingControls::tbMouseSensitivity, kSensitivityMin, kSensitivityMax,
     kSensitivityLineSize},
    {IDC_TBINSPEED, &SettingControls::tbInSpeed, kSpeedMin, kSpeedMax, 1},
};

// The controls whose enabled state follows ckbtransitionused.
constexpr int kTransitionChoice[] = {IDC_CLBINEFFECT, IDC_BTNINSELECTALL, IDC_BTNINCLEARALL, IDC_CKBRANDOMINEFFECT,
                                     IDC_TBINSPEED};

// Rows of the author page from the top; a hidden row gives its place to the
// rows below it, and the description fills what is left.
struct AuthorRow {
  std::array<int, 3> ids;  // 0 where a row has fewer controls
};
constexpr AuthorRow kAuthorRows[] = {
    {{IDC_LB_AUTHORNAME, IDC_LBAUTHOR, 0}},
    {{IDC_LB_OURWEBSITE, IDC_LBAUTHWEBSITE, IDC_BTNVISIT}},
    {{IDC_LB_EMAIL, IDC_LBEMAIL, 0}},
};
constexpr int kAuthorRowStep = 16;  // dialog units

class DialogServices : public project::Win32ProjectServices {
 public:
  explicit DialogServices(HWND owner) : owner_(owner) {}
  void ShowMessage(const std::string& text) override { win32::ShowMessage(owner_, text); }

 private:
  HWND owner_;
};

class TfSetting {
 public:
  TfSetting(project::TProjectInfo& project, TRWSetting& setting)
      : FProjectInfo(project), FSetting(setting), view_(ViewOfProject(project)), model_(project.RightClickMenu) {}

  void ShowModal(HWND owner) {
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTING), owner, &TfSetting::DialogProc,
                    reinterpret_cast<LPARAM>(this));
  }

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      reinterpret_cast<TfSetting*>(lParam)->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<TfSetting*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? win32::Guarded(dialog, [&] { return self->Handle(message, wParam, lParam); }) : FALSE;
  }

  // The pages pass their controls' notifications to the dialog.
  static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(page, DWLP_USER, lParam);
      EnableThemeDialogTexture(page, ETDT_ENABLETAB);
      return FALSE;
    }
    auto* self = reinterpret_cast<TfSetting*>(GetWindowLongPtrW(page, DWLP_USER));
    if (self && message == WM_COMMAND)
      return win32::Guarded(page, [&] { return self->Command(LOWORD(wParam), HIWORD(wParam)); });
    return FALSE;
  }

  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_INITDIALOG:
        FormShow();
        return FALSE;  // the focus is set
      case WM_COMMAND:
        return Command(LOWORD(wParam), HIWORD(wParam));
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_PCTL || header->code != TCN_SELCHANGE) break;
        ShowSelectedPage();
        return TRUE;
      }
      case WM_DRAWITEM:
        if (wParam == IDC_IMGDLG) {
          DrawDialogPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
          return TRUE;
        }
        break;
      case WM_DESTROY:
        DestroyPages();
        break;
    }
    return FALSE;
  }

  INT_PTR Command(int id, int code) {
    switch (id) {
      case IDOK: btnOKClick(); return TRUE;
      case IDCANCEL: EndDialog(dialog_, IDCANCEL); return TRUE;  // Cancel, Esc or the close box
      case IDM_SAVE1: Save1Click(); return TRUE;
      case IDM_EXIT1: EndDialog(dialog_, IDCANCEL); return TRUE;
      case IDM_VISITOURWEBSITE:
      case IDC_BTNVISIT: mmVisitourwebsiteClick(); return TRUE;
      case IDM_ABOUT1: ShowAboutBox(dialog_, FProjectInfo); return TRUE;
      case IDC_CKBTRANSITIONUSED:
        if (code == BN_CLICKED) {
          ReadControls();
          model_.ckbtransitionusedClick(model_.controls.ckbtransitionused);
          ShowControls();
        }
        return TRUE;
      case IDC_BTNINSELECTALL:
      case IDC_BTNINCLEARALL:
        ReadControls();
        if (id == IDC_BTNINSELECTALL) model_.btnInSelectAllClick();
        else model_.btnInClearAllClick();
        ShowControls();
        return TRUE;
    }
    return FALSE;
  }

  // Project and settings are read before the dialog exists; this shows them.
  void FormShow() {
    CreatePages();
    ApplyMenus();
    LayOutFrame();
    LoadPicture();
    FillAuthorPages();
    SetUpControls();
    model_.DisplaySetting(FSetting);
    ShowControls();
    ShowSelectedPage();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    // The show may have hidden the cursor.
    while (ShowCursor(TRUE) < 0) {
    }
    HICON small = win32::LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
    HICON large = win32::LoadProgramIcon(GetSystemMetrics(SM_CXICON));
    icons_ = {small, large};
    SendMessageW(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageW(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    SetForegroundWindow(dialog_);
    SetFocus(GetDlgItem(dialog_, IDC_PCTL));
  }

  void CreatePages() {
    HWND tabs = GetDlgItem(dialog_, IDC_PCTL);
    for (int page = 0; page < kPageCount; ++page)
      pages_[page] = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kPageTemplates[page]), dialog_,
                                        &TfSetting::PageProc, reinterpret_cast<LPARAM>(this));
    // The "Normal" page has no tab; the last tab is the author page or the
    // description.
    const Page shown[] = {kAdvance, kTransition, view_.showAuthorPage ? kAuthInfo : kDesc};
    const wchar_t* captions[kPageCount] = {L"Normal", L"Setting", L"Transitions", L"Author Infomation",
                                           L"Description"};
    for (Page page : shown) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(captions[page]);
      TabCtrl_InsertItem(tabs, static_cast<int>(tabPages_.size()), &item);
      tabPages_.push_back(page);
    }
    TabCtrl_SetCurSel(tabs, 0);
  }

  void DestroyPages() {
    for (HWND& page : pages_) {
      if (page) DestroyWindow(page);
      page = nullptr;
    }
    for (HICON icon : icons_)
      if (icon) DestroyIcon(icon);
    icons_ = {};
  }

  void ApplyMenus() {
    HMENU menu = GetMenu(dialog_);
    // From the right, so that the positions stay valid.
    if (!view_.helpMenuVisible) DeleteMenu(menu, 2, MF_BYPOSITION);
    if (!view_.actionMenuVisible) DeleteMenu(menu, 1, MF_BYPOSITION);
    DrawMenuBar(dialog_);
  }

  void LayOutFrame() {
    scale_.emplace(dialog_);
    const win32::DialogScale& scale = *scale_;
    const int left = view_.showDialogImage ? kImagePanelWidth : 0;
    const int width = view_.clientWidth - left;
    HWND image = GetDlgItem(dialog_, IDC_IMGDLG);
    ShowWindow(image, view_.showDialogImage ? SW_SHOW : SW_HIDE);
    scale.PlaceChild(image, kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
    scale.PlaceChild(GetDlgItem(dialog_, IDC_PCTL), left + kMargin, kMargin, width - 2 * kMargin,
                      kPageControlHeight - kMargin);
    const int buttonTop = kPageControlHeight + kButtonGap;
    const int cancelLeft = left + width - kMargin - kButtonWidth;
    scale.PlaceChild(GetDlgItem(dialog_, IDCANCEL), cancelLeft, buttonTop, kButtonWidth, kButtonHeight);
    scale.PlaceChild(GetDlgItem(dialog_, IDOK), cancelLeft - kButtonGap - kButtonWidth, buttonTop, kButtonWidth,
                      kButtonHeight);
    scale.SetClientSize(dialog_, view_.clientWidth, kDialogClientHeight);
    win32::CentreWindow(dialog_, nullptr);

    // Every page fills the display area of the page control, above it.
    HWND tabs = GetDlgItem(dialog_, IDC_PCTL);
    RECT area{};
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&area), 2);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    for (HWND page : pages_)
      SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOACTIVATE);
  }

  void LoadPicture() {
    if (!view_.showDialogImage) return;
    picture_ = LoadDialogPicture(FProjectInfo);
    if (!picture_.error.empty()) win32::ShowMessage(dialog_, picture_.error);
    if (picture_.loaded && picture_.bitmap.StrideBytes() != picture_.bitmap.Width() * 4)
      picture_.bitmap = raster::Bitmap(picture_.bitmap);  // an owned copy has packed rows
  }

  // The lowered frame with the picture stretched inside it.
  void DrawDialogPicture(const DRAWITEMSTRUCT& item) const {
    RECT panel = item.rcItem;
    FillRect(item.hDC, &panel, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &panel, BDR_SUNKENOUTER, BF_RECT);
    if (!picture_.loaded) return;
    const int inset = scale_ ? scale_->X(kImageInset) : kImageInset;
    const raster::Bitmap& bitmap = picture_.bitmap;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bitmap.Width();
    info.bmiHeader.biHeight = -bitmap.Height();  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(item.hDC, HALFTONE);
    SetBrushOrgEx(item.hDC, 0, 0, nullptr);
    StretchDIBits(item.hDC, panel.left + inset, panel.top + inset, panel.right - panel.left - 2 * inset,
                  panel.bottom - panel.top - 2 * inset, 0, 0, bitmap.Width(), bitmap.Height(), bitmap.Row(0), &info,
                  DIB_RGB_COLORS, SRCCOPY);
  }

  void FillAuthorPages() {
    HWND author = pages_[kAuthInfo];
    win32::SetItemTextUtf8(author, IDC_LBAUTHOR, view_.lbAuthor);
    win32::SetItemTextUtf8(author, IDC_LBAUTHWEBSITE, view_.lbAuthWebSite);
    win32::SetItemTextUtf8(author, IDC_LBEMAIL, view_.lbEMail);
    win32::SetItemTextUtf8(author, IDC_EDTDESC, WithCrLf(view_.edtDesc));
    win32::SetItemTextUtf8(pages_[kDesc], IDC_MEMDESC, WithCrLf(view_.memdesc));

    const bool rowVisible[] = {true, view_.plAuthwebVisible, view_.plAuthEMailVisible};
    int shownRows = 0;
    for (size_t row = 0; row < std::size(kAuthorRows); ++row) {
      RECT shift{0, 0, 0, kAuthorRowStep * (shownRows - static_cast<int>(row))};
      MapDialogRect(author, &shift);
      for (int id : kAuthorRows[row].ids) {
        if (!id) continue;
        HWND control = GetDlgItem(author, id);
        ShowWindow(control, rowVisible[row] ? SW_SHOW : SW_HIDE);
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, author, reinterpret_cast<POINT*>(&place), 2);
        SetWindowPos(control, nullptr, place.left, place.top + shift.bottom, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      if (rowVisible[row]) ++shownRows;
    }
    HWND description = GetDlgItem(author, IDC_EDTDESC);
    ShowWindow(description, view_.edtDescVisible ? SW_SHOW : SW_HIDE);
    RECT page{};
    GetClientRect(author, &page);
    RECT edges{4, kAuthorRowStep * shownRows + 4, 4, 4};
    MapDialogRect(author, &edges);
    SetWindowPos(description, nullptr, edges.left, edges.top, page.right - 2 * edges.left,
                 page.bottom - edges.top - edges.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND memo = GetDlgItem(pages_[kDesc], IDC_MEMDESC);
    GetClientRect(pages_[kDesc], &page);
    SetWindowPos(memo, nullptr, edges.left, edges.bottom, page.right - 2 * edges.left,
                 page.bottom - 2 * edges.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  HWND Control(int id) const {
    for (HWND page : pages_)
      if (HWND control = GetDlgItem(page, id)) return control;
    return GetDlgItem(dialog_, id);
  }

  void SetUpControls() {
    for (const EditBinding& edit : kEdits) {
      if (edit.limit) SendMessageW(Control(edit.id), EM_LIMITTEXT, static_cast<WPARAM>(edit.limit), 0);
      if (edit.masked) SendMessageW(Control(edit.id), EM_SETPASSWORDCHAR, L'*', 0);
    }
    for (const TrackBinding& track : kTrackBars) {
      HWND bar = Control(track.id);
      SendMessageW(bar, TBM_SETRANGEMIN, FALSE, track.min);
      SendMessageW(bar, TBM_SETRANGEMAX, TRUE, track.max);
      SendMessageW(bar, TBM_SETLINESIZE, 0, track.lineSize);
    }
    SendMessageW(Control(IDC_EDTMAXRUNTIME), EM_LIMITTEXT, kMaxRunTimeDigits, 0);
    SendMessageW(Control(IDC_UDMAXRUNTIME), UDM_SETRANGE32, kMaxRunTimeMin, kMaxRunTimeMax);

    HWND list = Control(IDC_CLBINEFFECT);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    RECT client{};
    GetClientRect(list, &client);
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    ListView_InsertColumn(list, 0, &column);
    for (int i = 0; i < transitions::kTransitionCount; ++i) {
      std::wstring name = base::Utf16FromUtf8(transitions::kTransitionNames[static_cast<size_t>(i)]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = name.data();
      ListView_InsertItem(list, &item);
    }
    ListView_SetColumnWidth(list, 0, LVSCW_AUTOSIZE_USEHEADER);
  }

  // Copies the model into the controls.
  void ShowControls() {
    const SettingControls& c = model_.controls;
    for (const CheckBinding& check : kCheckBoxes)
      SendMessageW(Control(check.id), BM_SETCHECK, c.*check.field ? BST_CHECKED : BST_UNCHECKED, 0);
    for (const EditBinding& edit : kEdits) win32::SetWindowTextUtf8(Control(edit.id), c.*edit.field);
    for (const TrackBinding& track : kTrackBars) SendMessageW(Control(track.id), TBM_SETPOS, TRUE, c.*track.field);
    SendMessageW(Control(IDC_UDMAXRUNTIME), UDM_SETPOS32, 0, c.udMaxRunTime);
    HWND list = Control(IDC_CLBINEFFECT);
    for (int i = 0; i < transitions::kTransitionCount; ++i)
      ListView_SetCheckState(list, i, c.clbInEffect[static_cast<size_t>(i)] ? TRUE : FALSE);
    EnableWindow(Control(IDC_CKBMOUSEMOVE), c.mouseMoveEnabled);
    EnableWindow(Control(IDC_CKBMOUSERIGHTCLICK), c.mouseRightClickEnabled);
    for (int id : kTransitionChoice) EnableWindow(Control(id), c.transitionChoiceEnabled);
  }

  // Copies the controls into the model.
  void ReadControls() {
    SettingControls& c = model_.controls;
    for (const CheckBinding& check : kCheckBoxes) c.*check.field = SendMessageW(Control(check.id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    for (const EditBinding& edit : kEdits) c.*edit.field = win32::WindowTextUtf8(Control(edit.id));
    for (const TrackBinding& track : kTrackBars)
      c.*track.field = static_cast<int>(SendMessageW(Control(track.id), TBM_GETPOS, 0, 0));
    c.udMaxRunTime = MaxRunTimePosition();
    HWND list = Control(IDC_CLBINEFFECT);
    for (int i = 0; i < transitions::kTransitionCount; ++i)
      c.clbInEffect[static_cast<size_t>(i)] = ListView_GetCheckState(list, i) != 0;
  }

  // The up-down position; text typed into its edit that is no number in range
  // leaves the nearest valid position.
  int MaxRunTimePosition() const {
    BOOL failed = FALSE;
    const auto position =
        static_cast<int>(SendMessageW(Control(IDC_UDMAXRUNTIME), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    if (!failed) return position;
    const auto typed = base::ParseInt32(win32::WindowTextUtf8(Control(IDC_EDTMAXRUNTIME)));
    const int value = typed ? *typed : model_.controls.udMaxRunTime;
    return std::clamp(value, kMaxRunTimeMin, kMaxRunTimeMax);
  }

  void ShowSelectedPage() {
    const int selected = TabCtrl_GetCurSel(GetDlgItem(dialog_, IDC_PCTL));
    const Page shown = selected >= 0 && selected < static_cast<int>(tabPages_.size())
                           ? tabPages_[static_cast<size_t>(selected)]
                           : kAdvance;
    for (int page = 0; page < kPageCount; ++page) ShowWindow(pages_[page], page == shown ? SW_SHOW : SW_HIDE);
  }

  bool ApplySetting() {
    ReadControls();
    const ApplyResult result = model_.ApplySetting(FSetting);
    if (!result.saved && !result.message.empty())
      win32::ShowMessage(dialog_, result.message,
                         FSetting.LastWriteFailure() == KeyFailure::None ? 0 : MB_ICONWARNING);
    return result.saved;
  }

  void btnOKClick() {
    if (ApplySetting()) EndDialog(dialog_, IDOK);
  }

  void Save1Click() { ApplySetting(); }

  void mmVisitourwebsiteClick() {
    const std::string_view site = base::TrimControls(FProjectInfo.AuthorWebSite);
    if (site.empty()) return;  // the shell would open a folder window instead
    ShellExecuteW(dialog_, L"open", base::Utf16FromUtf8(site).c_str(), nullptr, nullptr, SW_SHOW);
  }

  project::TProjectInfo& FProjectInfo;
  TRWSetting& FSetting;
  SettingDialogView view_;
  SettingDialogModel model_;
  DialogPicture picture_;
  HWND dialog_ = nullptr;
  std::optional<win32::DialogScale> scale_;  // measured when the frame is laid out
  std::array<HWND, kPageCount> pages_{};
  std::vector<Page> tabPages_;
  std::array<HICON, 2> icons_{};
};

}  // namespace

void ShowSettingDialog(HWND owner, const std::string& programPath) {
  win32::InitSettingsControls();
  win32::DialogOwner dialogOwner(owner);
  DialogServices services(dialogOwner.Handle());
  std::unique_ptr<project::TProjectInfo> project;
  try {
    project = std::make_unique<project::TProjectInfo>(programPath, services);
    project->ReadHeader();
  } catch (const std::exception& error) {
    win32::ShowMessage(dialogOwner.Handle(), error.what());
    return;
  }
  RegistrySettingsBackend backend;
  TRWSetting setting(project->ProjectName, backend);
  try {
    setting.ReadSetting();
  } catch (const SettingsError& error) {
    // The values read so far stay; "OK" writes a whole key again.
    win32::ShowMessage(dialogOwner.Handle(), error.what());
  }
  TfSetting dialog(*project, setting);
  dialog.ShowModal(dialogOwner.Handle());
}

}  // namespace settings
