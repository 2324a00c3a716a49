// svremove.exe, the uninstaller that every package carries: started with the
// command line of an uninstall entry ("svremove.exe #kind@directory&name"),
// it checks that command against the entry, asks the user, and removes the
// installed program file, its Start menu group, the show's settings (named by
// the project inside the program file) and the entry; itself it leaves for
// removal at the next restart, unless other entries still use it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installer/program_group.h"

namespace installer {

enum class RegistryRoot { LocalMachine, CurrentUser };
enum class RemoveResult { Removed, Absent, Failed };

// One uninstall entry: its key name and its UninstallString.
struct RegisteredUninstall {
  std::string keyName;
  std::string uninstallString;
};

class UninstallPlatform {
 public:
  virtual ~UninstallPlatform() = default;
  virtual std::vector<RegisteredUninstall> UninstallEntries() = 0;
  virtual bool DeleteUninstallEntry(const std::string& keyName) = 0;
  // Deletes a key with everything below it.
  virtual RemoveResult DeleteKeyTree(RegistryRoot root, const std::string& keyPath) = 0;
  // Deletes a key that holds neither values nor keys.
  virtual void DeleteKeyIfEmpty(RegistryRoot root, const std::string& keyPath) = 0;

  virtual RemoveResult RemoveFile(const std::string& path) = 0;
  virtual void RemoveFolderIfEmpty(const std::string& path) = 0;
  // The ProjectName inside a built show's program file; nothing when the file
  // holds no readable project.
  virtual std::optional<std::string> ProjectNameOf(const std::string& programFile) = 0;
  virtual std::string OwnPath() = 0;
  virtual bool ScheduleRemovalAtRestart(const std::string& path) = 0;
  virtual ProgramGroupShell& Shell() = 0;

  virtual bool Confirm(const std::string& question) = 0;
  virtual void Report(const std::string& text, bool failed) = 0;
};

// Runs the whole removal for a command line; the process's exit code.
int RunUninstaller(std::string_view commandLine, UninstallPlatform& platform);

}  // namespace installer
