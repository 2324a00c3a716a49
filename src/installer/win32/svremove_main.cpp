// svremove.exe: removes an installed show as its uninstall entry names it.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "base/win32/module_path.h"
#include "base/win32/utf16.h"
#include "installer/uninstaller.h"
#include "installer/win32/program_group_shell.h"
#include "installer/win32/setup_support.h"
#include "installer/win32/uninstall_registry.h"
#include "project/program_file.h"
#include "project/project_info.h"

namespace installer::win32 {
namespace {

HKEY RootKey(RegistryRoot root) { return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

class Win32Uninstall : public UninstallPlatform {
 public:
  std::vector<RegisteredUninstall> UninstallEntries() override { return ReadUninstallEntries(); }
  bool DeleteUninstallEntry(const std::string& keyName) override { return win32::DeleteUninstallEntry(keyName); }
  RemoveResult DeleteKeyTree(RegistryRoot root, const std::string& keyPath) override {
    return win32::DeleteKeyTree(RootKey(root), keyPath);
  }
  void DeleteKeyIfEmpty(RegistryRoot root, const std::string& keyPath) override {
    win32::DeleteKeyIfEmpty(RootKey(root), keyPath);
  }
  RemoveResult RemoveFile(const std::string& path) override {
    const std::wstring wide = base::Utf16FromUtf8(path);
    if (GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) return RemoveResult::Absent;
    return DeleteFileW(wide.c_str()) ? RemoveResult::Removed : RemoveResult::Failed;
  }
  void RemoveFolderIfEmpty(const std::string& path) override { RemoveDirectoryW(base::Utf16FromUtf8(path).c_str()); }
  std::optional<std::string> ProjectNameOf(const std::string& programFile) override {
    try {
      project::StdProjectServices services;
      project::TProjectInfo project(programFile, services);
      if (!project.HasProgramFile()) return std::nullopt;
      project.ReadHeader();
      if (project.ProjectName.empty()) return std::nullopt;
      return project.ProjectName;
    } catch (const std::exception&) {
      return std::nullopt;  // no readable show: no settings key to name
    }
  }
  std::string OwnPath() override { return base::ProgramPath(); }
  bool ScheduleRemovalAtRestart(const std::string& path) override {
    return MoveFileExW(base::Utf16FromUtf8(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
  }
  ProgramGroupShell& Shell() override { return shell_; }
  bool Confirm(const std::string& question) override {
    return ShowMessage(nullptr, question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
  }
  void Report(const std::string& text, bool failed) override {
    ShowMessage(nullptr, text, MB_OK | (failed ? MB_ICONERROR : MB_ICONINFORMATION));
  }

 private:
  Win32ProgramGroupShell shell_;
};

}  // namespace
}  // namespace installer::win32

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int exitCode = 0;
  {
    installer::win32::Win32Uninstall platform;
    exitCode = installer::RunUninstaller(base::Utf8FromUtf16(GetCommandLineW()), platform);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
