#include <gtest/gtest.h>

#include "installer/package.h"
#include "installer/program_group.h"
#include "installer/uninstall_entry.h"
#include "installer_fakes.h"

namespace {

using installer::UninstallTarget;
using installer_testing::FakeShell;

TEST(UninstallCommand, ClassicForm) {
  EXPECT_EQ(installer::UninstallCommandLine("C:\\WINDOWS\\svremove.exe", {0, "C:\\WINDOWS\\SYSTEM", "Sunset"}),
            "C:\\WINDOWS\\svremove.exe #0@C:\\WINDOWS\\SYSTEM&Sunset");
  // The directory exactly as typed, trailing "\" and all.
  EXPECT_EQ(installer::UninstallArguments({1, "D:\\Apps\\", "Sunset"}), "#1@D:\\Apps\\&Sunset");
}

TEST(UninstallCommand, EveryRegisteredCommandParsesBackFromTheProcessCommandLine) {
  const std::vector<UninstallTarget> targets = {
      {0, "C:\\WINDOWS\\system32", "Sunset"},
      {1, "C:\\Program Files\\Sunset", "Sunset"},
      {1, "D:\\Tom & Jerry\\", "Show"},
      {1, "C:\\Shows", "Rock & Roll"},
      {7, "C:\\a@b#c", "x.y"},
  };
  for (const auto& target : targets) {
    const std::string command = installer::UninstallCommandLine("C:\\Program Files\\svremove.exe", target);
    // As Windows runs the entry (the string verbatim, unquoted path: up to
    // the first blank), with a quoted program path, and as a shell quotes an
    // argument with blanks.
    for (const std::string& line : {installer::UninstallCommandLine("C:\\WINDOWS\\svremove.exe", target),
                                    "\"C:\\Program Files\\svremove.exe\" " + installer::UninstallArguments(target),
                                    "svremove.exe \"" + installer::UninstallArguments(target) + "\"  "}) {
      const auto readings = installer::ParseUninstallArguments(installer::ArgumentsOfCommandLine(line));
      EXPECT_NE(std::find(readings.begin(), readings.end(), target), readings.end()) << line;
    }
    const auto registered = installer::SplitUninstallString(command);
    ASSERT_TRUE(registered) << command;
    EXPECT_EQ(registered->uninstallerPath, "C:\\Program Files\\svremove.exe");
    EXPECT_EQ(registered->arguments, installer::UninstallArguments(target)) << command;
  }
  for (const char* bad : {"", "#0", "0@C:\\x&y", "#x@C:\\x&y", "#@C:\\x&y", "#+1@C:\\x&y", "#1@C:\\x", "#1@&y",
                          "#1@C:\\x&", "#99999999999@C:\\x&y"})
    EXPECT_TRUE(installer::ParseUninstallArguments(bad).empty()) << bad;
  EXPECT_FALSE(installer::SplitUninstallString("C:\\WINDOWS\\notepad.exe #0@C:\\x&y"));
  EXPECT_FALSE(installer::SplitUninstallString("C:\\WINDOWS\\mysvremove.exe #0@C:\\x&y"));
}

TEST(UninstallEntry, ValuesOfAnInstalledScreensaver) {
  installer_testing::MemoryFiles files;
  installer::CPackage package(files);
  package.ProgramName = "Sunset";
  package.IsProgramExe = 0;
  package.InstallDirectory = "C:\\WINDOWS\\SYSTEM";
  package.UninstallerPath = "C:\\WINDOWS\\svremove.exe";
  package.ProgramSize = 3'000'000;
  package.UninstallerSize = 100'001;
  const installer::UninstallEntry entry = installer::UninstallEntryOf(package);
  EXPECT_EQ(entry.keyPath, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sunset");
  const std::vector<installer::RegistryValue> expected = {
      {"DisplayName", std::string("Sunset")},
      {"UninstallString", std::string("C:\\WINDOWS\\svremove.exe #0@C:\\WINDOWS\\SYSTEM&Sunset")},
      {"DisplayIcon", std::string("C:\\WINDOWS\\SYSTEM\\Sunset.scr")},
      {"InstallLocation", std::string("C:\\WINDOWS\\SYSTEM")},
      {"EstimatedSize", uint32_t{3028}},  // 3,100,001 bytes in KiB, rounded up
      {"NoModify", uint32_t{1}},
      {"NoRepair", uint32_t{1}},
  };
  EXPECT_EQ(entry.values, expected);
}

TEST(DdeCommands, TextsAreWholeAndEmptyArgumentsAreNotSent) {
  EXPECT_EQ(installer::DdeCommandText("CreateGroup", "Sunset"), "[CreateGroup(Sunset)]");
  EXPECT_EQ(installer::DdeCommandText("AddItem", ""), "");
  const std::string deep = "C:\\" + std::string(400, 'd') + "\\Sunset.exe";
  EXPECT_EQ(installer::DdeCommandText("AddItem", deep), "[AddItem(" + deep + ")]");
}

TEST(ProgramGroup, ProgramManagerOfTheNtFamilyGetsGroupAndItem) {
  FakeShell shell;
  EXPECT_EQ(installer::CreateProgramGroup("Sunset", "C:\\Program Files\\Sunset", shell),
            installer::GroupRoute::ProgramManager);
  EXPECT_EQ(shell.commands,
            (std::vector<std::string>{"[CreateGroup(Sunset)]", "[AddItem(C:\\Program Files\\Sunset\\Sunset.exe)]"}));
  EXPECT_EQ(shell.calls, (std::vector<std::string>{"connect Program", "disconnect"}));
  EXPECT_TRUE(shell.links.empty());
}

TEST(ProgramGroup, Windows95FamilyShortcutRule) {
  struct Case {
    const char* name;
    const char* directory;
    bool linksWork;
    const char* link;      // expected shortcut, or null
    const char* addItem;   // expected AddItem command, or null
  };
  const Case cases[] = {
      {"Sunset", "C:\\Program Files\\Sunset", true, "C:\\WINDOWS\\Start Menu\\Programs\\Sunset\\Sunset.lnk", nullptr},
      {"My.Show", "C:\\Program Files\\My", true, "C:\\WINDOWS\\Start Menu\\Programs\\My.Show\\My.Show.lnk", nullptr},
      {"Sunset", "C:\\Apps\\Sunset", true, nullptr, "[AddItem(C:\\Apps\\Sunset\\Sunset.exe)]"},
      {"Sunset", "C:\\Program Files\\Sunset", false, nullptr, "[AddItem(C:\\Program Files\\Sunset\\Sunset.exe)]"},
      // A trailing "\" is kept and another one added, as the item is named.
      {"Sunset", "C:\\Apps\\", true, nullptr, "[AddItem(C:\\Apps\\\\Sunset.exe)]"},
  };
  for (const Case& c : cases) {
    FakeShell shell;
    shell.windows95 = true;
    shell.linksWork = c.linksWork;
    installer::CreateProgramGroup(c.name, c.directory, shell);
    std::vector<std::string> expected = {"[CreateGroup(" + std::string(c.name) + ")]"};
    if (c.addItem) expected.push_back(c.addItem);
    EXPECT_EQ(shell.commands, expected) << c.name << " in " << c.directory;
    EXPECT_EQ(shell.links, c.link ? std::vector<std::string>{c.link} : std::vector<std::string>{})
        << c.name << " in " << c.directory;
    EXPECT_EQ(shell.calls.back(), "disconnect");
  }
}

TEST(ProgramGroup, WithoutProgramManagerTheStartMenuGetsAShortcut) {
  FakeShell shell;
  shell.programManager = false;
  EXPECT_EQ(installer::CreateProgramGroup("Sunset", "C:\\Program Files\\Sunset\\", shell),
            installer::GroupRoute::StartMenuShortcut);
  EXPECT_TRUE(shell.commands.empty());
  const std::string folder = shell.commonPrograms + "\\Sunset";
  EXPECT_EQ(shell.folders, std::vector<std::string>{folder});
  EXPECT_EQ(shell.links, std::vector<std::string>{folder + "\\Sunset.lnk"});
  EXPECT_EQ(shell.targets, std::vector<std::string>{"C:\\Program Files\\Sunset\\Sunset.exe"});

  shell.commonPrograms.clear();
  EXPECT_EQ(installer::CreateProgramGroup("Sunset", "C:\\x", shell), installer::GroupRoute::None);
}

}  // namespace
