#include "installer/setup_wizard.h"

#include <gtest/gtest.h>

#include <set>

#include "base/random.h"

namespace {

using installer::WizardModel;

WizardModel Model(bool isExe) { return WizardModel("Sunset", isExe, "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM"); }

TEST(Wizard, ScreensaverGoesFromWelcomeStraightToTheInstallation) {
  WizardModel model = Model(false);
  EXPECT_EQ(model.Directory, "C:\\Program Files\\Sunset");
  EXPECT_TRUE(model.Launch);
  const installer::PageView welcome = model.SetPage(installer::kWelcomePage);
  EXPECT_FALSE(welcome.backEnabled);
  EXPECT_FALSE(welcome.directoryShown);
  EXPECT_FALSE(welcome.checkShown);
  EXPECT_FALSE(welcome.startInstall);
  EXPECT_EQ(welcome.cancelText, "Cancel");

  const installer::PageView next = model.Next();
  EXPECT_TRUE(next.startInstall);
  EXPECT_FALSE(next.readDirectory);
  EXPECT_FALSE(next.directoryShown);
  EXPECT_EQ(model.Directory, "C:\\WINDOWS\\SYSTEM");

  model.SetOutcome({true, {}});
  const installer::PageView finish = model.SetPage(installer::kFinishPage);
  EXPECT_FALSE(finish.backEnabled);
  EXPECT_FALSE(finish.nextEnabled);
  EXPECT_TRUE(finish.checkShown);
  EXPECT_EQ(finish.checkText, "Yes,Launch the screen saver setting program file.");
  EXPECT_EQ(finish.cancelText, "Finish");
  EXPECT_FALSE(model.CancelNeedsConfirmation());
  const auto launch = model.FinishLaunch();
  ASSERT_TRUE(launch);
  EXPECT_EQ(launch->commandLine, "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,1");
  EXPECT_TRUE(launch->restore);
  model.Launch = false;
  EXPECT_FALSE(model.FinishLaunch());
}

TEST(Wizard, OrdinaryProgramChoosesItsDirectoryAndBackKeepsIt) {
  WizardModel model = Model(true);
  model.SetPage(installer::kWelcomePage);
  EXPECT_TRUE(model.CancelNeedsConfirmation());
  const installer::PageView destination = model.Next();
  EXPECT_EQ(model.CurrentPage, installer::kDestinationPage);
  EXPECT_TRUE(destination.backEnabled);
  EXPECT_TRUE(destination.directoryShown);
  EXPECT_FALSE(destination.checkShown);
  EXPECT_FALSE(destination.startInstall);
  model.Directory = "D:\\Games\\Sunset";
  model.Back();
  EXPECT_EQ(model.CurrentPage, installer::kWelcomePage);
  model.Next();
  EXPECT_EQ(model.Directory, "D:\\Games\\Sunset");
  const installer::PageView install = model.Next();
  EXPECT_TRUE(install.startInstall);
  EXPECT_TRUE(install.readDirectory);

  model.SetOutcome({true, {}});
  const installer::PageView finish = model.SetPage(installer::kFinishPage);
  EXPECT_EQ(finish.checkText, "Yes,Launch the program file.");
  EXPECT_EQ(model.FinishLaunch()->commandLine, "\"D:\\Games\\Sunset\\Sunset.exe\"");
  EXPECT_FALSE(model.FinishLaunch()->restore);
}

TEST(Wizard, PageTextsAtTheirLines) {
  WizardModel model = Model(true);
  model.SetPage(1);
  const auto welcome = model.PageTexts();
  ASSERT_EQ(welcome.size(), 7u);
  EXPECT_EQ(welcome[0].y, 20);
  EXPECT_EQ(welcome[0].text, "Welcom to Sunset Setup Program.");
  EXPECT_EQ(welcome[5].y, 125);
  EXPECT_EQ(welcome[5].text, "Click Cancel to quit Setup and then close any programs you have  ");
  model.SetPage(2);
  const auto destination = model.PageTexts();
  EXPECT_EQ(destination[0].text, "Setup will install Sunset in the folllowing directory.");
  EXPECT_EQ(destination[4].y, 110);
  EXPECT_EQ(destination[4].text, "You can choose not to install Sunset by clicking ");
  model.SetPage(3);
  EXPECT_TRUE(model.PageTexts().empty());

  model.SetOutcome({true, {}});
  model.SetPage(4);
  const auto finish = model.PageTexts();
  EXPECT_EQ(finish[0].text, "Setup has finished copying files to your computer.");
  EXPECT_EQ(finish[1].text, "Setup will now launch the program.");
  EXPECT_EQ(finish.back().y, 200);
  EXPECT_EQ(finish.back().text, "Click Finish to complete Setup.");
}

TEST(Wizard, FinishPageOfAFailedInstallationSaysSoAndLaunchesNothing) {
  WizardModel model = Model(false);
  model.SetOutcome({false, "Setup could not copy the program to C:\\WINDOWS\\SYSTEM\\Sunset.scr."});
  const installer::PageView finish = model.SetPage(installer::kFinishPage);
  EXPECT_FALSE(finish.checkShown);
  EXPECT_EQ(finish.cancelText, "Finish");
  const auto lines = model.PageTexts();
  for (const auto& line : lines) EXPECT_EQ(line.text.find("finished copying"), std::string::npos) << line.text;
  EXPECT_EQ(lines[1].text, "Sunset has not been installed.");
  EXPECT_EQ(lines[2].text, "Setup could not copy the program to C:\\WINDOWS\\SYSTEM\\Sunset.scr.");
  EXPECT_FALSE(model.FinishLaunch());
}

TEST(Wizard, DefaultDestinationOnTheWindowsDrive) {
  EXPECT_EQ(installer::DefaultDestination("D:\\WINNT", "Show"), "D:\\Program Files\\Show");
  EXPECT_EQ(installer::DefaultDestination("C:\\", "Show"), "C:\\Program Files\\Show");
  EXPECT_EQ(installer::DefaultDestination("\\\\server\\win", "Show"), "C:\\Program Files\\Show");
}

TEST(Wizard, PackagePathIsBetweenTheFirstAndTheLastQuote) {
  EXPECT_EQ(installer::PackagePathFromCommandLine("\"C:\\Temp\\Setup.exe\""), "C:\\Temp\\Setup.exe");
  EXPECT_EQ(installer::PackagePathFromCommandLine("\"  C:\\Temp\\Setup.exe \" "), "C:\\Temp\\Setup.exe");
  EXPECT_EQ(installer::PackagePathFromCommandLine("C:\\Temp\\Setup.exe"), "");
  EXPECT_EQ(installer::PackagePathFromCommandLine("\"C:\\a b\\Setup.exe"), "");
  // Further quoted arguments run the path up to the last quote.
  EXPECT_EQ(installer::PackagePathFromCommandLine("\"C:\\Setup.exe\" \"x\""), "C:\\Setup.exe\" \"x");
}

TEST(Wizard, PreparingPercentageOnlyRisesAndEndsAtHundred) {
  // The worked rule: a tick adds rand() * 10 / 32767.
  installer::PrepareCounter fixed;
  EXPECT_EQ(fixed.Tick(32767).percent, 10);
  EXPECT_EQ(fixed.Tick(3276).percent, 10);
  EXPECT_EQ(fixed.Tick(3277).percent, 11);

  for (uint64_t seed = 1; seed <= 50; ++seed) {
    base::SeededRandom random(seed);
    installer::PrepareCounter counter;
    int last = 0, ticks = 0;
    for (;;) {
      const auto shown = counter.Tick(random.Next(installer::PrepareCounter::kRandMax + 1));
      ASSERT_GE(shown.percent, last);
      ASSERT_LE(shown.percent - last, 10);
      last = shown.percent;
      ++ticks;
      if (shown.finished) break;
      ASSERT_LT(ticks, 100000);
    }
    EXPECT_EQ(last, 100) << seed;
    EXPECT_EQ(installer::PercentText(last), "100%");
  }
}

class FakeDirectories : public installer::DirectoryMaker {
 public:
  std::set<std::string> existing{"C:\\"};
  std::set<std::string> refused;
  std::vector<std::string> made;
  bool FolderExists(const std::string& path) override { return existing.count(path) > 0; }
  bool MakeFolder(const std::string& path) override {
    if (refused.count(path)) return false;
    made.push_back(path);
    existing.insert(path);
    return true;
  }
};

TEST(Wizard, MakeDirectoryPathCreatesEveryMissingLevelInOrder) {
  FakeDirectories directories;
  directories.existing.insert("C:\\Program Files\\");
  EXPECT_TRUE(installer::MakeDirectoryPath("C:\\Program Files\\Shows\\Sunset", directories));
  EXPECT_EQ(directories.made,
            (std::vector<std::string>{"C:\\Program Files\\Shows\\", "C:\\Program Files\\Shows\\Sunset\\"}));
  EXPECT_TRUE(installer::MakeDirectoryPath("C:\\Program Files\\Shows\\Sunset\\", directories));
  EXPECT_EQ(directories.made.size(), 2u);

  FakeDirectories refusing;
  refusing.refused.insert("D:\\");
  EXPECT_FALSE(installer::MakeDirectoryPath("D:\\a\\b", refusing));
  EXPECT_TRUE(refusing.made.empty());
}

}  // namespace
