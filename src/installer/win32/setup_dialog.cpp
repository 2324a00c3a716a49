// CSetupDlg: the maximised main window in its solid colour with the program's
// name as a shadowed title. It reads the package, owns the wizard page and the
// progress window, and runs the installation when the page asks for it.
#include <windows.h>

#include "base/win32/module_path.h"
#include "base/win32/utf16.h"
#include "installer/installation.h"
#include "installer/win32/installer_resources.h"
#include "installer/win32/program_group_shell.h"
#include "installer/win32/setup_support.h"
#include "installer/win32/setup_windows.h"
#include "installer/win32/uninstall_registry.h"

namespace installer::win32 {
namespace {

constexpr COLORREF kBackground = RGB(0, 128, 128);

// The title: black at (105, 25), then white at (100, 20), pixels at 96 dpi.
void DrawTitle(HDC dc, const std::wstring& title) {
  HFONT font = CreateFontW(Scaled(40), 0, 0, 0, 956, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_ROMAN, L"Times New Roman");
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutW(dc, Scaled(105), Scaled(25), title.c_str(), static_cast<int>(title.size()));
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutW(dc, Scaled(100), Scaled(20), title.c_str(), static_cast<int>(title.size()));
  SelectObject(dc, old);
  DeleteObject(font);
}

// The installation's view of the setup window and of Windows.
class SetupSteps : public SetupPlatform {
 public:
  explicit SetupSteps(CProgressDlg& progress) : progress_(progress) {}
  void ShowStatus(std::string_view text) override { progress_.SetText(text); }
  std::string WindowsDirectory() override { return win32::WindowsDirectory(); }
  bool WriteUninstallEntry(const UninstallEntry& entry) override { return win32::WriteUninstallEntry(entry); }
  void CreateProgramGroup(const CPackage& package) override {
    Win32ProgramGroupShell shell;
    installer::CreateProgramGroup(package.ProgramName, package.InstallDirectory, shell);
  }

 private:
  CProgressDlg& progress_;
};

}  // namespace

CSetupDlg::CSetupDlg() = default;

CSetupDlg::~CSetupDlg() {
  if (icon_) DestroyIcon(icon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

void CSetupDlg::Run() {
  window_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETUP_DIALOG), nullptr,
                               &DialogProcOf<CSetupDlg>, reinterpret_cast<LPARAM>(this));
  if (!window_) return;
  // The modal loop of the main window; the quit message ends it. Keyboard
  // navigation goes to whichever of the windows has the focus.
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    const HWND dialogs[] = {page_ ? page_->Window() : nullptr, progress_.Window(), window_};
    bool handled = false;
    for (HWND dialog : dialogs)
      if (!handled && dialog && IsDialogMessageW(dialog, &msg)) handled = true;
    if (!handled) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  DestroyWindow(window_);
}

INT_PTR CSetupDlg::Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      window_ = dialog;
      if (OnInitDialog())
        FirstShow();
      else
        PostQuitMessage(0);
      return TRUE;
    case WM_PAINT:
      Paint();
      return TRUE;
    case WM_ERASEBKGND:
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);  // Paint fills the whole window
      return TRUE;
    case WM_SIZE:
      InvalidateRect(dialog, nullptr, FALSE);
      return FALSE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon_);
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam);
    case WM_COMMAND:
      return TRUE;  // Enter and Esc do not close the main window
    case WM_STARTINSTALL:
      OnStartInstall();
      return TRUE;
  }
  return FALSE;
}

bool CSetupDlg::OnInitDialog() {
  wchar_t about[256] = L"";
  if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 256) > 0) {
    HMENU menu = GetSystemMenu(window_, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about);
  }
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SETUP), IMAGE_ICON,
                                        GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SETUP), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  FilesInstalled = false;

  ShowPrepareBox(window_);
  if (!ReadPackage()) return false;
  progress_.Create(window_);
  return true;
}

bool CSetupDlg::ReadPackage() {
  const std::string path = PackagePathFromCommandLine(base::Utf8FromUtf16(GetCommandLineW()));
  // A path that opens is the package, damaged or not. Otherwise (started
  // without quotes, or with further quoted arguments) the program's own file
  // is: it carries the package.
  if (!package_.ReadPackageIndex(path) && package_.ReadError().empty()) package_.ReadPackageIndex(base::ProgramPath());
  if (!package_.ReadError().empty()) ShowMessage(window_, package_.ReadError(), MB_OK | MB_ICONERROR);
  return package_.ReadError().empty() && !package_.ProgramName.empty();
}

void CSetupDlg::FirstShow() {
  // The restored size covers the work area too: where no window manager
  // carries out the maximising (an X display without one), the window still
  // fills the screen.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor))
    SetWindowPos(window_, nullptr, monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right - monitor.rcWork.left,
                 monitor.rcWork.bottom - monitor.rcWork.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_, SW_SHOWMAXIMIZED);
  UpdateWindow(window_);
  page_ = std::make_unique<CWizardPage>(window_, package_.ProgramName, package_.IsProgramExe != 0);
  page_->Create();
}

void CSetupDlg::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT client{};
  GetClientRect(window_, &client);
  if (IsIconic(window_)) {
    const int size = GetSystemMetrics(SM_CXICON);
    DrawIconEx(dc, (client.right - size) / 2, (client.bottom - size) / 2, icon_, size, size, 0, nullptr, DI_NORMAL);
  } else {
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    DrawTitle(dc, base::Utf16FromUtf8(package_.ProgramName));
  }
  EndPaint(window_, &paint);
}

bool CSetupDlg::OnSysCommand(WPARAM command) {
  switch (command & 0xFFF0) {
    case IDM_ABOUTBOX:
      ShowAboutBox(window_);
      return true;
    case SC_CLOSE:
      // Before the files are installed, closing asks first.
      if (FilesInstalled || !ConfirmExit(window_)) PostQuitMessage(0);
      return true;
  }
  return false;
}

void CSetupDlg::OnStartInstall() {
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
  progress_.Show(kCopyProgramStatus);
  ProgressBarControl bar(progress_.Bar());
  package_.Progress = &bar;
  SetupSteps steps(progress_);
  const InstallOutcome outcome = RunInstallation(package_, page_->Directory(), steps, files_);
  package_.Progress = nullptr;
  FilesInstalled = true;
  if (!outcome.installed) ShowMessage(window_, outcome.failure, MB_OK | MB_ICONERROR);
  progress_.Hide();
  page_->ShowFinish(outcome);
}

}  // namespace installer::win32
