#include "installer/installation.h"

#include <gtest/gtest.h>

#include "installer/package_format.h"
#include "installer_fakes.h"

namespace {

using installer_testing::MemoryFiles;

const std::string kSetup = "C:\\Temp\\Setup.exe";
const std::string kUninstaller = "C:\\WINDOWS\\svremove.exe";

class FakeSetup : public installer::SetupPlatform {
 public:
  std::vector<std::string> statuses;
  std::vector<installer::UninstallEntry> entries;
  bool registryWorks = true;
  int groups = 0;

  void ShowStatus(std::string_view text) override { statuses.emplace_back(text); }
  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
  bool WriteUninstallEntry(const installer::UninstallEntry& entry) override {
    if (registryWorks) entries.push_back(entry);
    return registryWorks;
  }
  void CreateProgramGroup(const installer::CPackage&) override { ++groups; }
};

class Installation : public ::testing::Test {
 protected:
  void Load(int isExe) {
    installer::PackageIndex index{100, 150, "Sunset", isExe};
    files.files[kSetup] = std::string(100, 'I') + std::string(50, 'P') + std::string(30, 'U') +
                          installer::FormatPackageTail(index).value();
    ASSERT_TRUE(package.ReadPackageIndex(kSetup));
  }
  installer::InstallOutcome Run(const std::string& directory) {
    return installer::RunInstallation(package, directory, setup, files);
  }

  MemoryFiles files;
  installer::CPackage package{files};
  FakeSetup setup;
};

TEST_F(Installation, ScreensaverStepsInOrder) {
  Load(0);
  const auto outcome = Run("C:\\WINDOWS\\SYSTEM");
  EXPECT_TRUE(outcome.installed);
  EXPECT_EQ(setup.statuses,
            (std::vector<std::string>{"Copy data file...", "Copy unstall file...", "Create unstall information..."}));
  EXPECT_EQ(files.files["C:\\WINDOWS\\SYSTEM\\Sunset.scr"], std::string(50, 'P'));
  EXPECT_EQ(files.files[kUninstaller], std::string(30, 'U'));
  ASSERT_EQ(setup.entries.size(), 1u);
  EXPECT_EQ(setup.groups, 0);
}

TEST_F(Installation, OrdinaryProgramAlsoGetsItsGroup) {
  Load(1);
  EXPECT_TRUE(Run("C:\\Program Files\\Sunset").installed);
  EXPECT_EQ(setup.statuses.back(), "Create program group...");
  EXPECT_EQ(setup.groups, 1);
  EXPECT_TRUE(files.Exists("C:\\Program Files\\Sunset\\Sunset.exe"));
}

TEST_F(Installation, AFailedStepTakesBackWhatThisInstallationWrote) {
  Load(1);
  files.refuseCreate.insert("C:\\Program Files\\Sunset\\Sunset.exe");
  auto outcome = Run("C:\\Program Files\\Sunset");
  EXPECT_FALSE(outcome.installed);
  EXPECT_EQ(outcome.failure, "Setup could not copy the program to C:\\Program Files\\Sunset\\Sunset.exe.");
  EXPECT_FALSE(files.Exists(kUninstaller));
  EXPECT_TRUE(setup.entries.empty());

  files.refuseCreate = {kUninstaller};
  outcome = Run("C:\\Apps");
  EXPECT_FALSE(outcome.installed);
  EXPECT_EQ(outcome.failure, "Setup could not copy the uninstaller to C:\\WINDOWS\\svremove.exe.");
  EXPECT_FALSE(files.Exists("C:\\Apps\\Sunset.exe"));
  EXPECT_EQ(setup.groups, 0);

  // The entry cannot be written: the program goes, and the uninstaller too
  // unless it was there before (other programs use it then).
  files.refuseCreate.clear();
  setup.registryWorks = false;
  EXPECT_FALSE(Run("C:\\Apps").installed);
  EXPECT_FALSE(files.Exists("C:\\Apps\\Sunset.exe"));
  EXPECT_FALSE(files.Exists(kUninstaller));
  files.files[kUninstaller] = "older uninstaller";
  outcome = Run("C:\\Apps");
  EXPECT_NE(outcome.failure.find("could not register Sunset"), std::string::npos);
  EXPECT_TRUE(files.Exists(kUninstaller));
  EXPECT_EQ(setup.groups, 0);
}

}  // namespace
