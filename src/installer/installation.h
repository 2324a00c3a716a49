// The installation that the wizard starts: copy the program, copy the
// uninstaller, write the uninstall entry, and for an ordinary program make
// its program group. A step that fails ends it: what this installation wrote
// is taken away again and the reason goes to the finish page.
#pragma once

#include <string>
#include <string_view>

#include "installer/package.h"
#include "installer/setup_wizard.h"
#include "installer/uninstall_entry.h"

namespace installer {

inline constexpr std::string_view kCopyProgramStatus = "Copy data file...";
inline constexpr std::string_view kCopyUninstallerStatus = "Copy unstall file...";
inline constexpr std::string_view kUninstallEntryStatus = "Create unstall information...";
inline constexpr std::string_view kProgramGroupStatus = "Create program group...";

class SetupPlatform {
 public:
  virtual ~SetupPlatform() = default;
  // The text line of the progress window.
  virtual void ShowStatus(std::string_view text) = 0;
  virtual std::string WindowsDirectory() = 0;
  virtual bool WriteUninstallEntry(const UninstallEntry& entry) = 0;
  // The Start menu group of an ordinary program; its result stops nothing.
  virtual void CreateProgramGroup(const CPackage& package) = 0;
};

InstallOutcome RunInstallation(CPackage& package, const std::string& directory, SetupPlatform& platform,
                               PackageFileSystem& files);

}  // namespace installer
