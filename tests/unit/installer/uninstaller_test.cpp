#include "installer/uninstaller.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "installer_fakes.h"

namespace {

using installer::RegistryRoot;
using installer::RemoveResult;

const std::string kSelf = "C:\\WINDOWS\\svremove.exe";
const std::string kPrograms = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";

// A machine with installed shows: uninstall entries, settings keys, files.
class FakeMachine : public installer::UninstallPlatform {
 public:
  std::map<std::string, std::string> entries;  // key name -> UninstallString
  std::set<std::string> machineKeys{"Software\\Halberline"}, userKeys;
  std::set<std::string> files, folders;
  std::map<std::string, std::string> projectNames;  // program file -> ProjectName inside it
  std::vector<std::string> scheduled;
  std::vector<std::string> questions, reports;
  bool answer = true;
  bool lastReportFailed = false;
  installer_testing::FakeShell shell;

  FakeMachine() {
    shell.programManager = false;
    shell.commonPrograms = kPrograms;
  }

  std::vector<installer::RegisteredUninstall> UninstallEntries() override {
    std::vector<installer::RegisteredUninstall> list;
    for (const auto& [name, command] : entries) list.push_back({name, command});
    return list;
  }
  bool DeleteUninstallEntry(const std::string& keyName) override { return entries.erase(keyName) > 0; }
  // As in the registry, a trailing "\\" names the same key, and the key goes
  // with everything below it.
  RemoveResult DeleteKeyTree(RegistryRoot root, const std::string& keyPath) override {
    std::string path = keyPath;
    if (path.ends_with("\\")) path.pop_back();
    auto& keys = Keys(root);
    if (!keys.count(path)) return RemoveResult::Absent;
    std::erase_if(keys, [&](const std::string& key) { return key == path || key.starts_with(path + "\\"); });
    return RemoveResult::Removed;
  }
  void DeleteKeyIfEmpty(RegistryRoot root, const std::string& keyPath) override {
    auto& keys = Keys(root);
    for (const auto& key : keys)
      if (key.starts_with(keyPath + "\\")) return;
    keys.erase(keyPath);
  }
  RemoveResult RemoveFile(const std::string& path) override {
    return files.erase(path) ? RemoveResult::Removed : RemoveResult::Absent;
  }
  void RemoveFolderIfEmpty(const std::string& path) override {
    std::string folder = path;
    if (folder.ends_with("\\")) folder.pop_back();
    for (const auto& file : files)
      if (file.starts_with(folder + "\\")) return;
    folders.erase(folder);
  }
  std::optional<std::string> ProjectNameOf(const std::string& programFile) override {
    if (!files.count(programFile) || !projectNames.count(programFile)) return std::nullopt;
    return projectNames[programFile];
  }
  std::string OwnPath() override { return kSelf; }
  bool ScheduleRemovalAtRestart(const std::string& path) override {
    scheduled.push_back(path);
    return true;
  }
  installer::ProgramGroupShell& Shell() override { return shell; }
  bool Confirm(const std::string& question) override {
    questions.push_back(question);
    return answer;
  }
  void Report(const std::string& text, bool failed) override {
    reports.push_back(text);
    lastReportFailed = failed;
  }

  std::set<std::string>& Keys(RegistryRoot root) { return root == RegistryRoot::LocalMachine ? machineKeys : userKeys; }

  // An installed show as the installer leaves it.
  void Install(const std::string& name, int kind, const std::string& directory, const std::string& projectName) {
    const std::string args = "#" + std::to_string(kind) + "@" + directory + "&" + name;
    entries[name] = kSelf + " " + args;
    const std::string file = directory + (directory.ends_with("\\") ? "" : "\\") + name + (kind ? ".exe" : ".scr");
    files.insert(file);
    projectNames[file] = projectName;
    if (kind) {
      folders.insert(directory);
      folders.insert(kPrograms + "\\" + name);
      files.insert(kPrograms + "\\" + name + "\\" + name + ".lnk");
    }
  }
};

TEST(Uninstaller, RemovesAScreensaverItsSettingsItsEntryAndItself) {
  FakeMachine machine;
  machine.Install("Sunset", 0, "C:\\WINDOWS\\system32", "Sunset Show.scr");
  machine.machineKeys.insert("Software\\Halberline\\Sunset Show");
  machine.userKeys = {"Software\\Halberline", "Software\\Halberline\\Sunset Show"};
  machine.files.insert("C:\\WINDOWS\\system32\\other.scr");

  EXPECT_EQ(installer::RunUninstaller(kSelf + " #0@C:\\WINDOWS\\system32&Sunset", machine), 0);
  EXPECT_EQ(machine.questions, std::vector<std::string>{"Remove Sunset and all of its components?"});
  EXPECT_EQ(machine.files, std::set<std::string>{"C:\\WINDOWS\\system32\\other.scr"});
  EXPECT_TRUE(machine.entries.empty());
  // The key is named by the project inside the file, not by the package.
  EXPECT_TRUE(machine.machineKeys.empty());
  EXPECT_TRUE(machine.userKeys.empty());
  EXPECT_EQ(machine.scheduled, std::vector<std::string>{kSelf});
  ASSERT_EQ(machine.reports.size(), 1u);
  EXPECT_FALSE(machine.lastReportFailed);
  const std::string& report = machine.reports[0];
  EXPECT_NE(report.find("Sunset has been removed."), std::string::npos) << report;
  EXPECT_NE(report.find("C:\\WINDOWS\\system32\\Sunset.scr"), std::string::npos) << report;
  EXPECT_NE(report.find("HKEY_LOCAL_MACHINE\\Software\\Halberline\\Sunset Show"), std::string::npos) << report;
  EXPECT_NE(report.find("when Windows restarts"), std::string::npos) << report;
  EXPECT_TRUE(machine.shell.calls.empty());  // a screensaver has no group
}

TEST(Uninstaller, OrdinaryProgramLosesItsGroupAndItsFolder) {
  FakeMachine machine;
  machine.Install("Sunset", 1, "C:\\Program Files\\Sunset", "Sunset.scr");
  machine.shell.programManager = true;
  // Started with the registered command line, quoted by a shell, or verbatim.
  EXPECT_EQ(installer::RunUninstaller("svremove.exe \"#1@C:\\Program Files\\Sunset&Sunset\"", machine), 0);
  EXPECT_EQ(machine.shell.commands, std::vector<std::string>{"[DeleteGroup(Sunset)]"});
  EXPECT_TRUE(machine.files.empty());
  EXPECT_TRUE(machine.folders.empty());
  EXPECT_TRUE(machine.entries.empty());
}

TEST(Uninstaller, SharedThingsStay) {
  FakeMachine machine;
  machine.Install("Sunset", 0, "C:\\WINDOWS\\system32", "Show.scr");
  machine.Install("Dawn", 1, "D:\\Tom & Jerry", "Show.scr");  // same settings key
  machine.machineKeys.insert("Software\\Halberline\\Show");
  EXPECT_EQ(installer::RunUninstaller(kSelf + " #1@D:\\Tom & Jerry&Dawn", machine), 0);
  EXPECT_FALSE(machine.files.count("D:\\Tom & Jerry\\Dawn.exe"));
  EXPECT_TRUE(machine.files.count("C:\\WINDOWS\\system32\\Sunset.scr"));
  EXPECT_TRUE(machine.machineKeys.count("Software\\Halberline\\Show"));
  EXPECT_EQ(machine.entries.count("Sunset"), 1u);
  EXPECT_TRUE(machine.scheduled.empty());
  EXPECT_NE(machine.reports[0].find("svremove.exe stays: 1 other installed program uses it."), std::string::npos)
      << machine.reports[0];
}

TEST(Uninstaller, RefusesWhatTheEntriesDoNotName) {
  for (const std::string& command : {kSelf, kSelf + " Sunset", kSelf + " #0@C:\\WINDOWS&Sunset",
                                     kSelf + " #1@C:\\WINDOWS\\system32&Sunset", kSelf + " #0@C:\\WINDOWS\\system32&Dusk",
                                     kSelf + " #0@C:\\WINDOWS\\system32\\..\\..&Sunset"}) {
    FakeMachine machine;
    machine.Install("Sunset", 0, "C:\\WINDOWS\\system32", "Sunset.scr");
    machine.entries["Dusk"] = "C:\\WINDOWS\\notepad.exe #0@C:\\WINDOWS\\system32&Dusk";
    const auto before = machine.files;
    EXPECT_EQ(installer::RunUninstaller(command, machine), 1) << command;
    EXPECT_TRUE(machine.questions.empty()) << command;
    EXPECT_TRUE(machine.lastReportFailed) << command;
    EXPECT_EQ(machine.files, before) << command;
    EXPECT_EQ(machine.entries.size(), 2u) << command;
  }
}

TEST(Uninstaller, AProjectNameWithoutAStemNamesNoSettingsKey) {
  FakeMachine machine;
  machine.Install("Sunset", 0, "C:\\WINDOWS\\system32", ".scr");
  machine.machineKeys.insert("Software\\Halberline\\Other");
  EXPECT_EQ(installer::RunUninstaller(kSelf + " #0@C:\\WINDOWS\\system32&Sunset", machine), 0);
  EXPECT_EQ(machine.machineKeys, (std::set<std::string>{"Software\\Halberline", "Software\\Halberline\\Other"}));
}

TEST(Uninstaller, NoMeansNothingChanges) {
  FakeMachine machine;
  machine.Install("Sunset", 0, "C:\\WINDOWS\\system32", "Sunset.scr");
  machine.answer = false;
  const auto files = machine.files;
  EXPECT_EQ(installer::RunUninstaller(kSelf + " #0@C:\\WINDOWS\\system32&Sunset", machine), 0);
  EXPECT_EQ(machine.files, files);
  EXPECT_EQ(machine.entries.size(), 1u);
  EXPECT_TRUE(machine.reports.empty());
}

}  // namespace
