#include "installer/installation.h"

#include "installer/package_format.h"

namespace installer {

InstallOutcome RunInstallation(CPackage& package, const std::string& directory, SetupPlatform& platform,
                               PackageFileSystem& files) {
  platform.ShowStatus(kCopyProgramStatus);
  if (!package.InstallProgram(directory))
    return {false, "Setup could not copy the program to " + package.ProgramFilePath() + "."};

  platform.ShowStatus(kCopyUninstallerStatus);
  const std::string windowsDirectory = platform.WindowsDirectory();
  // svremove.exe may already serve other installed programs: it stays then.
  const bool uninstallerWasThere = files.Exists(JoinPath(windowsDirectory, kUninstallerFileName));
  if (!package.InstallUninstaller(windowsDirectory)) {
    files.Delete(package.ProgramFilePath());
    return {false, "Setup could not copy the uninstaller to " + package.UninstallerPath + "."};
  }

  platform.ShowStatus(kUninstallEntryStatus);
  if (!platform.WriteUninstallEntry(UninstallEntryOf(package))) {
    files.Delete(package.ProgramFilePath());
    if (!uninstallerWasThere) files.Delete(package.UninstallerPath);
    return {false, "Setup could not register " + package.ProgramName + " in the list of installed programs."};
  }

  if (package.IsProgramExe != 0) {
    platform.ShowStatus(kProgramGroupStatus);
    platform.CreateProgramGroup(package);
  }
  return {true, {}};
}

}  // namespace installer
