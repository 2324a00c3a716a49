#include "installer/program_group.h"

#include "base/paths.h"
#include "installer/package_format.h"

namespace installer {

std::string DdeCommandText(std::string_view command, std::string_view argument) {
  if (argument.empty()) return {};
  return "[" + std::string(command) + "(" + std::string(argument) + ")]";
}

std::string ShortcutFileName(std::string_view itemPath) {
  std::string name = base::FileNameOf(itemPath);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name + ".lnk";
}

std::string Windows95ShortcutPath(std::string_view windowsDirectory, std::string_view programName,
                                  std::string_view itemPath) {
  return std::string(windowsDirectory) + "\\Start Menu\\Programs\\" + std::string(programName) + "\\" +
         ShortcutFileName(itemPath);
}

std::string StartMenuGroupFolder(std::string_view commonPrograms, std::string_view programName) {
  return JoinPath(commonPrograms, programName);
}

GroupRoute CreateProgramGroup(std::string_view programName, std::string_view installDirectory,
                              ProgramGroupShell& shell) {
  // The item as the Program Manager is told of it: a "\" is put between the
  // directory and the file name whether or not the directory ends in one.
  const std::string itemPath =
      std::string(installDirectory) + "\\" + InstalledFileName(programName, /*isProgramExe=*/true);

  if (!shell.Connect(kProgmanTopic)) {
    // No Program Manager: the group is a folder of the Start menu.
    const std::string programs = shell.CommonProgramsFolder();
    if (programs.empty()) return GroupRoute::None;
    const std::string folder = StartMenuGroupFolder(programs, programName);
    const std::string target = JoinPath(installDirectory, InstalledFileName(programName, true));
    if (!shell.MakeFolder(folder) || !shell.CreateShellLink(target, "", JoinPath(folder, ShortcutFileName(target))))
      return GroupRoute::None;
    return GroupRoute::StartMenuShortcut;
  }

  shell.Execute(DdeCommandText(kCreateGroupCommand, programName));
  GroupRoute route = GroupRoute::None;
  if (itemPath.find(' ') != std::string::npos && shell.IsWindows95Family() &&
      shell.CreateShellLink(itemPath, "", Windows95ShortcutPath(shell.WindowsDirectory(), programName, itemPath)))
    route = GroupRoute::ProgramManagerShortcut;
  if (route == GroupRoute::None && shell.Execute(DdeCommandText(kAddItemCommand, itemPath)))
    route = GroupRoute::ProgramManager;
  shell.Disconnect();
  return route;
}

}  // namespace installer
