// The program group's platform side on Windows: the Program Manager DDE
// conversation, the shell link object and the Start menu's folders.
#pragma once

#include "installer/program_group.h"
#include "installer/win32/progman_dde.h"

namespace installer::win32 {

// Saves a shortcut to `target` at `linkPath` through the shell link object
// (COM must be initialised on the thread).
bool CreateShellLink(const std::string& target, const std::string& description, const std::string& linkPath);

class Win32ProgramGroupShell : public ProgramGroupShell {
 public:
  bool Connect(std::string_view topic) override { return dde_.Connect("", topic); }
  bool Execute(const std::string& commandText) override { return dde_.Execute(commandText); }
  void Disconnect() override { dde_.Disconnect(); }
  bool IsWindows95Family() override;
  std::string WindowsDirectory() override;
  std::string CommonProgramsFolder() override;
  bool MakeFolder(const std::string& path) override;
  bool CreateShellLink(const std::string& target, const std::string& description,
                       const std::string& linkPath) override {
    return win32::CreateShellLink(target, description, linkPath);
  }

 private:
  CProgmanDde dde_;
};

}  // namespace installer::win32
