// CWizardPage: one modeless dialog that shows the welcome, destination and
// finish pages; the page texts are painted, the controls shown per page.
#include <windows.h>

#include <commctrl.h>

#include "base/win32/utf16.h"
#include "installer/win32/installer_resources.h"
#include "installer/win32/setup_support.h"
#include "installer/win32/setup_windows.h"

namespace installer::win32 {
namespace {

// Where the controls go, in pixels at 96 dpi: the painted texts start at
// x = 140 beside the picture and reach down to y = 214.
struct Place {
  int id, x, y, width, height;
};
constexpr Place kPlaces[] = {
    {IDC_WIZARD_PICTURE, 10, 10, 116, 232},  {IDC_WIZARD_LINE, 10, 250, 500, 2},
    {IDC_DIRECTORY_GROUP, 140, 150, 370, 62}, {IDC_DIRECTORY, 152, 174, 260, 22},
    {IDC_BROWSE, 420, 173, 80, 24},           {IDC_LAUNCH, 140, 76, 370, 20},
    {IDC_BACK, 246, 258, 80, 24},             {IDC_NEXT, 328, 258, 80, 24},
    {IDC_CANCEL, 420, 258, 80, 24},
};
constexpr int kClientWidth = 520;
constexpr int kClientHeight = 292;

constexpr int kDirectoryControls[] = {IDC_DIRECTORY_GROUP, IDC_DIRECTORY, IDC_BROWSE};

void ShowItem(HWND dialog, int id, bool shown) { ShowWindow(GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE); }

void StartProgram(const LaunchCommand& launch) {
  std::wstring commandLine = base::Utf16FromUtf8(launch.commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(launch.restore ? SW_RESTORE : SW_SHOW);
  PROCESS_INFORMATION process{};
  // A program that cannot start brings no message.
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

}  // namespace

CWizardPage::CWizardPage(HWND mainWindow, std::string programName, bool isProgramExe)
    : main_(mainWindow), model_(std::move(programName), isProgramExe, WindowsDirectory(), SystemDirectory()) {}

void CWizardPage::Create() {
  window_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_WIZARD_PAGE), main_,
                               &DialogProcOf<CWizardPage>, reinterpret_cast<LPARAM>(this));
  ShowWindow(window_, SW_SHOW);
}

void CWizardPage::ShowFinish(const InstallOutcome& outcome) {
  model_.SetOutcome(outcome);
  SetPage(kFinishPage);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

INT_PTR CWizardPage::Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      window_ = dialog;
      Layout();
      SetItemTextUtf8(dialog, IDC_DIRECTORY, model_.Directory);
      CheckDlgButton(dialog, IDC_LAUNCH, model_.Launch ? BST_CHECKED : BST_UNCHECKED);
      SetPage(kWelcomePage);
      return TRUE;
    case WM_PAINT:
      Paint();
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_BACK:
          Apply(model_.Back());
          return TRUE;
        case IDC_NEXT:
          Apply(model_.Next());
          return TRUE;
        case IDC_CANCEL:
          OnCancel();
          return TRUE;
        case IDC_BROWSE:
          Browse();
          return TRUE;
        case IDCANCEL:  // Esc, like the close box
          OnClose();
          return TRUE;
      }
      return FALSE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        OnClose();
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

void CWizardPage::Layout() {
  for (const Place& place : kPlaces)
    SetWindowPos(GetDlgItem(window_, place.id), nullptr, Scaled(place.x), Scaled(place.y), Scaled(place.width),
                 Scaled(place.height), SWP_NOZORDER | SWP_NOACTIVATE);
  RECT frame{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWizardPage::Apply(const PageView& view) {
  if (view.startInstall) {
    if (view.readDirectory) {
      model_.Directory = WindowTextUtf8(GetDlgItem(window_, IDC_DIRECTORY));
      // A level that cannot be made shows up as a failed copy.
      MakeDirectoryPath(model_.Directory, files_);
    }
    ShowWindow(window_, SW_HIDE);
    PostMessageW(main_, WM_STARTINSTALL, 0, 0);
    return;
  }
  EnableWindow(GetDlgItem(window_, IDC_BACK), view.backEnabled);
  EnableWindow(GetDlgItem(window_, IDC_NEXT), view.nextEnabled);
  for (const int id : kDirectoryControls) ShowItem(window_, id, view.directoryShown);
  ShowItem(window_, IDC_LAUNCH, view.checkShown);
  if (view.checkShown) SetItemTextUtf8(window_, IDC_LAUNCH, view.checkText);
  SetItemTextUtf8(window_, IDC_CANCEL, view.cancelText);
  if (!view.nextEnabled) SendMessageW(window_, DM_SETDEFID, IDC_CANCEL, 0);
  InvalidateRect(window_, nullptr, TRUE);
}

void CWizardPage::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  for (const PageLine& line : model_.PageTexts()) {
    const std::wstring text = base::Utf16FromUtf8(line.text);
    TextOutW(dc, Scaled(kPageTextX), Scaled(line.y), text.c_str(), static_cast<int>(text.size()));
  }
  SelectObject(dc, oldFont);
  EndPaint(window_, &paint);
}

void CWizardPage::Browse() {
  const std::string current = WindowTextUtf8(GetDlgItem(window_, IDC_DIRECTORY));
  if (const auto chosen = BrowseForFolder(window_, current, "Select a directory"))
    SetItemTextUtf8(window_, IDC_DIRECTORY, *chosen);
}

void CWizardPage::OnCancel() {
  if (!model_.CancelNeedsConfirmation()) {
    Finish(IsDlgButtonChecked(window_, IDC_LAUNCH) == BST_CHECKED);
    return;
  }
  if (!ConfirmExit(window_)) PostQuitMessage(0);
}

void CWizardPage::OnClose() {
  if (model_.CancelNeedsConfirmation()) {
    if (!ConfirmExit(window_)) PostQuitMessage(0);
    return;
  }
  Finish(false);
}

void CWizardPage::Finish(bool launch) {
  model_.Launch = launch;
  if (const auto command = model_.FinishLaunch()) StartProgram(*command);
  PostQuitMessage(0);
}

}  // namespace installer::win32
