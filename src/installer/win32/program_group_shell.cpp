#include "installer/win32/program_group_shell.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include "base/win32/utf16.h"
#include "installer/win32/setup_support.h"
#include "installer/win32/win32_files.h"

namespace installer::win32 {
namespace {

template <typename Interface>
class ComPtr {
 public:
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  Interface** out() { return &pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace

bool CreateShellLink(const std::string& target, const std::string& description, const std::string& linkPath) {
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(link.out()))))
    return false;
  if (FAILED(link->SetPath(base::Utf16FromUtf8(target).c_str())) ||
      FAILED(link->SetDescription(base::Utf16FromUtf8(description).c_str())))
    return false;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.out())))) return false;
  return SUCCEEDED(file->Save(base::Utf16FromUtf8(linkPath).c_str(), TRUE));
}

bool Win32ProgramGroupShell::IsWindows95Family() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

std::string Win32ProgramGroupShell::WindowsDirectory() { return win32::WindowsDirectory(); }

std::string Win32ProgramGroupShell::CommonProgramsFolder() {
  PWSTR path = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_CommonPrograms, 0, nullptr, &path))) folder = base::Utf8FromUtf16(path);
  CoTaskMemFree(path);
  return folder;
}

bool Win32ProgramGroupShell::MakeFolder(const std::string& path) { return Win32Files().MakeFolder(path); }

}  // namespace installer::win32
