// The setup program's windows: the maximised main window CSetupDlg, the
// modeless wizard page and progress window it owns, and the modal boxes.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "installer/package.h"
#include "installer/setup_wizard.h"
#include "installer/win32/win32_files.h"

namespace installer::win32 {

// Posted by the wizard page to the main window to start the installation.
inline constexpr UINT WM_STARTINSTALL = WM_USER + 168;

// CPrepareDlg: the start-up box with its rising percentage; returns when it
// reaches 100.
void ShowPrepareBox(HWND owner);
// CExitSetupDlg: true when the user chose "Resume".
bool ConfirmExit(HWND owner);
// CAboutDlg.
void ShowAboutBox(HWND owner);
// The shell's folder picker, opened at `initial`; the chosen folder or nothing.
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& initial, const std::string& title);

// CProgressDlg: hidden until the installation runs.
class CProgressDlg {
 public:
  void Create(HWND mainWindow);
  void Show(std::string_view text);
  void SetText(std::string_view text);
  void Hide() { ShowWindow(window_, SW_HIDE); }
  HWND Window() const { return window_; }
  HWND Bar() const;
  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void MoveToCorner();
  HWND window_ = nullptr;
  HWND main_ = nullptr;
};

// CWizardPage: welcome, destination and finish pages over one dialog.
class CWizardPage {
 public:
  CWizardPage(HWND mainWindow, std::string programName, bool isProgramExe);
  void Create();
  // The installation has run: the finish page.
  void ShowFinish(const InstallOutcome& outcome);
  const std::string& Directory() const { return model_.Directory; }
  HWND Window() const { return window_; }
  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void SetPage(int page) { Apply(model_.SetPage(page)); }
  void Apply(const PageView& view);
  void Layout();
  void Paint();
  void Browse();
  void OnCancel();
  void OnClose();
  void Finish(bool launch);

  HWND main_;
  HWND window_ = nullptr;
  WizardModel model_;
  Win32Files files_;
};

// CSetupDlg: the main window. Run() shows it (the start-up box first) and
// returns when the program is to end.
class CSetupDlg {
 public:
  CSetupDlg();
  ~CSetupDlg();
  CSetupDlg(const CSetupDlg&) = delete;
  CSetupDlg& operator=(const CSetupDlg&) = delete;
  void Run();
  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool OnInitDialog();
  bool ReadPackage();
  void FirstShow();
  void Paint();
  bool OnSysCommand(WPARAM command);
  void OnStartInstall();

  HWND window_ = nullptr;
  Win32Files files_;
  CPackage package_{files_};
  CProgressDlg progress_;
  std::unique_ptr<CWizardPage> page_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  bool FilesInstalled = false;
};

}  // namespace installer::win32
