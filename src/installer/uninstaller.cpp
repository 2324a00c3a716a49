#include "installer/uninstaller.h"

#include "base/ascii.h"
#include "base/paths.h"
#include "installer/package_format.h"
#include "installer/uninstall_entry.h"
#include "settings/rw_setting.h"

namespace installer {
namespace {

constexpr std::string_view kSettingsParent = "Software\\Halberline";

bool SamePath(std::string_view a, std::string_view b) { return base::LowerAscii(a) == base::LowerAscii(b); }

std::string ProgramFileOf(const UninstallTarget& target) {
  return JoinPath(target.Directory, InstalledFileName(target.ProgramName, target.IsProgramExe != 0));
}

// The entry this command line belongs to: its name is one of the readings'
// program names and it registers exactly these arguments.
std::optional<UninstallTarget> RegisteredTarget(const std::vector<UninstallTarget>& readings,
                                                const std::vector<RegisteredUninstall>& entries) {
  for (const UninstallTarget& target : readings) {
    if (!IsPlainFileName(target.ProgramName)) continue;
    for (const RegisteredUninstall& entry : entries) {
      const auto registered = SplitUninstallString(entry.uninstallString);
      if (entry.keyName == target.ProgramName && registered && registered->arguments == UninstallArguments(target))
        return target;
    }
  }
  return std::nullopt;
}

// Lines of the closing report.
struct Report {
  std::vector<std::string> removed;
  std::vector<std::string> failed;
  std::vector<std::string> notes;

  void Note(RemoveResult result, const std::string& what) {
    if (result == RemoveResult::Removed) removed.push_back(what);
    if (result == RemoveResult::Failed) failed.push_back(what);
  }
  std::string Text(const std::string& programName) const {
    std::string text = failed.empty() ? programName + " has been removed." : programName + " has not been removed completely.";
    auto list = [&](const char* title, const std::vector<std::string>& lines) {
      if (lines.empty()) return;
      text += "\n\n";
      text += title;
      for (const auto& line : lines) text += "\n    " + line;
    };
    list("Removed:", removed);
    list("Could not remove:", failed);
    for (const auto& note : notes) text += "\n\n" + note;
    return text;
  }
};

void RemoveStartMenuShortcut(const std::string& folder, const std::string& programFile, UninstallPlatform& platform,
                             Report& report) {
  const std::string link = JoinPath(folder, ShortcutFileName(programFile));
  report.Note(platform.RemoveFile(link), link);
  platform.RemoveFolderIfEmpty(folder);
}

void RemoveProgramGroup(const UninstallTarget& target, const std::string& programFile, UninstallPlatform& platform,
                        Report& report) {
  ProgramGroupShell& shell = platform.Shell();
  if (shell.Connect(kProgmanTopic)) {
    if (shell.Execute(DdeCommandText(kDeleteGroupCommand, target.ProgramName)))
      report.removed.push_back("the program group " + target.ProgramName);
    shell.Disconnect();
  }
  const std::string programs = shell.CommonProgramsFolder();
  if (!programs.empty())
    RemoveStartMenuShortcut(StartMenuGroupFolder(programs, target.ProgramName), programFile, platform, report);
  const std::string itemPath = target.Directory + "\\" + InstalledFileName(target.ProgramName, true);
  const std::string windows95Link = Windows95ShortcutPath(shell.WindowsDirectory(), target.ProgramName, itemPath);
  report.Note(platform.RemoveFile(windows95Link), windows95Link);
  platform.RemoveFolderIfEmpty(base::FolderOf(windows95Link));
}

// Another installed show whose project has the same name shares the
// settings key; it stays then.
bool SettingsShared(const std::string& keyPath, const UninstallTarget& self,
                    const std::vector<RegisteredUninstall>& entries, UninstallPlatform& platform) {
  for (const RegisteredUninstall& entry : entries) {
    if (entry.keyName == self.ProgramName) continue;
    const auto registered = SplitUninstallString(entry.uninstallString);
    if (!registered) continue;
    for (const UninstallTarget& other : ParseUninstallArguments(registered->arguments)) {
      if (other.ProgramName != entry.keyName) continue;
      const auto name = platform.ProjectNameOf(ProgramFileOf(other));
      if (name && settings::KeyPathForProject(*name) == keyPath) return true;
    }
  }
  return false;
}

void RemoveSettings(const std::string& projectName, const UninstallTarget& target,
                    const std::vector<RegisteredUninstall>& entries, UninstallPlatform& platform, Report& report) {
  const std::string keyPath = settings::KeyPathForProject(projectName);
  // A name that is all extension would name the parent of every show's key.
  if (keyPath.size() <= settings::kKeyRoot.size() || keyPath.back() == '\\') return;
  if (SettingsShared(keyPath, target, entries, platform)) {
    report.notes.push_back("The settings under " + keyPath + " stay: another installed show uses them.");
    return;
  }
  report.Note(platform.DeleteKeyTree(RegistryRoot::LocalMachine, keyPath), "the settings HKEY_LOCAL_MACHINE\\" + keyPath);
  report.Note(platform.DeleteKeyTree(RegistryRoot::CurrentUser, keyPath), "the settings HKEY_CURRENT_USER\\" + keyPath);
  platform.DeleteKeyIfEmpty(RegistryRoot::LocalMachine, std::string(kSettingsParent));
  platform.DeleteKeyIfEmpty(RegistryRoot::CurrentUser, std::string(kSettingsParent));
}

void RemoveSelf(UninstallPlatform& platform, Report& report) {
  const std::string self = platform.OwnPath();
  int users = 0;
  for (const RegisteredUninstall& entry : platform.UninstallEntries()) {
    const auto registered = SplitUninstallString(entry.uninstallString);
    if (registered && SamePath(registered->uninstallerPath, self)) ++users;
  }
  if (users > 0)
    report.notes.push_back(base::FileNameOf(self) + " stays: " + std::to_string(users) +
                           " other installed program" + (users == 1 ? " uses" : "s use") + " it.");
  else if (platform.ScheduleRemovalAtRestart(self))
    report.notes.push_back(base::FileNameOf(self) + " itself is removed when Windows restarts.");
}

}  // namespace

int RunUninstaller(std::string_view commandLine, UninstallPlatform& platform) {
  const std::string arguments = ArgumentsOfCommandLine(commandLine);
  const std::vector<UninstallTarget> readings = ParseUninstallArguments(arguments);
  if (readings.empty()) {
    platform.Report("\"" + arguments + "\" is not an uninstall command.\n\nThe uninstaller is started from the list of "
                    "installed programs with a command of the form #kind@directory&name.",
                    true);
    return 1;
  }
  const std::vector<RegisteredUninstall> entries = platform.UninstallEntries();
  const auto target = RegisteredTarget(readings, entries);
  if (!target) {
    platform.Report("No installed program is registered with the command \"" + arguments + "\".\n\nNothing was removed.",
                    true);
    return 1;
  }
  if (!platform.Confirm("Remove " + target->ProgramName + " and all of its components?")) return 0;

  Report report;
  const std::string programFile = ProgramFileOf(*target);
  // The settings key is named by the project inside the program file, which
  // must be read before the file goes.
  const auto projectName = platform.ProjectNameOf(programFile);
  report.Note(platform.RemoveFile(programFile), programFile);
  if (target->IsProgramExe != 0) {
    RemoveProgramGroup(*target, programFile, platform, report);
    platform.RemoveFolderIfEmpty(target->Directory);
  }
  if (projectName) RemoveSettings(*projectName, *target, entries, platform, report);
  if (platform.DeleteUninstallEntry(target->ProgramName))
    report.removed.push_back("the entry in the list of installed programs");
  else
    report.failed.push_back("the entry in the list of installed programs");
  RemoveSelf(platform, report);

  platform.Report(report.Text(target->ProgramName), !report.failed.empty());
  return report.failed.empty() ? 0 : 2;
}

}  // namespace installer
