// The package's file services on Windows: the package opened for shared
// reading, targets created over any existing file, folders, the pause between
// chunks, and the progress bar control.
#pragma once

#include <windows.h>

#include "installer/package_files.h"
#include "installer/setup_wizard.h"

namespace installer::win32 {

class Win32Files : public PackageFileSystem, public DirectoryMaker {
 public:
  std::unique_ptr<SourceFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<TargetFile> Create(const std::string& path) override;
  bool Exists(const std::string& path) override;
  void Delete(const std::string& path) override;
  void Pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
  bool FolderExists(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
};

// A progress bar control that repaints at once: the copy runs inside one
// message handler, so no paint message would reach it before the end.
class ProgressBarControl : public ProgressBar {
 public:
  explicit ProgressBarControl(HWND bar) : bar_(bar) {}
  void SetPos(int position) override;

 private:
  HWND bar_;
};

}  // namespace installer::win32
