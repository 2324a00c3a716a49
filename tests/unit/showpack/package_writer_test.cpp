#include "package_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "container_writer.h"
#include "installer/installer_fakes.h"
#include "installer/package.h"
#include "installer/package_format.h"
#include "manifest.h"
#include "package_inspect.h"
#include "project/container_fixture.h"

namespace {

// The start of a Windows program for the given machine, and some body.
std::string ProgramImage(uint16_t machine, const std::string& body) {
  std::string image(64, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  image[0x3C] = 64;
  image += std::string("PE\0\0", 4) + static_cast<char>(machine & 0xFF) + static_cast<char>(machine >> 8);
  return image + body;
}

class PackageWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = testing_support::ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    for (const auto& [bits, machine] : {std::pair{32, 0x014C}, std::pair{64, 0x8664}}) {
      const std::string dist = folder + "dist/win" + std::to_string(bits) + "/";
      std::filesystem::create_directories(dist);
      testing_support::WriteFile(dist + "installer.exe", ProgramImage(static_cast<uint16_t>(machine), "setup"));
      testing_support::WriteFile(dist + "svremove.exe", ProgramImage(static_cast<uint16_t>(machine), "remover"));
    }
    testing_support::WriteFile(folder + "player64.scr", ProgramImage(0x8664, "player"));
    // A real picture (1 x 1, 24 bits): showpack refuses what the screensaver cannot read.
    const unsigned char bmp[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                                 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 0x30, 0x20, 0x10, 0};
    testing_support::WriteFile(folder + "a.bmp", std::string(reinterpret_cast<const char*>(bmp), sizeof bmp));
    testing_support::WriteFile(folder + "show.toml", "[project]\nProjectName = \"Sunset Show.scr\"\n[[item]]\nFile = \"a.bmp\"\n");
    show = BuildShow("Sunset.scr");
  }

  std::string BuildShow(const std::string& name) {
    showpack::WriteOptions options{folder + "player64.scr", folder + name, {}};
    showpack::WriteScreensaver(showpack::ReadManifest(folder + "show.toml"), options);
    return folder + name;
  }

  showpack::PackageOptions Options(const std::string& program, bool isProgram = false) {
    return {program, folder + "Setup.exe", isProgram, std::nullopt, folder + "dist"};
  }

  std::string Error(const showpack::PackageOptions& options) {
    try {
      showpack::WritePackage(options);
    } catch (const std::exception& error) {
      return error.what();
    }
    return "no error";
  }

  std::string folder, show;
};

TEST_F(PackageWriterTest, PackageReadsBackThroughTheInstallersReader) {
  for (const bool isProgram : {false, true}) {
    EXPECT_EQ(showpack::WritePackage(Options(show, isProgram)), "Sunset");
    installer_testing::MemoryFiles files;
    files.files["Setup.exe"] = testing_support::ReadFile(folder + "Setup.exe");
    installer::CPackage package(files);
    ASSERT_TRUE(package.ReadPackageIndex("Setup.exe")) << package.ReadError();
    EXPECT_EQ(package.ProgramName, "Sunset");
    EXPECT_EQ(package.IsProgramExe, isProgram ? 1 : 0);
    const std::string& bytes = files.files["Setup.exe"];
    EXPECT_EQ(bytes.substr(0, static_cast<size_t>(package.ProgramOffset)),
              testing_support::ReadFile(folder + "dist/win64/installer.exe"));
    EXPECT_EQ(bytes.substr(static_cast<size_t>(package.ProgramOffset), static_cast<size_t>(package.ProgramSize)),
              testing_support::ReadFile(show));
    EXPECT_EQ(bytes.substr(static_cast<size_t>(package.UninstallerOffset), static_cast<size_t>(package.UninstallerSize)),
              testing_support::ReadFile(folder + "dist/win64/svremove.exe"));
  }
}

TEST_F(PackageWriterTest, InspectShowsThePackageAndTheShowInIt) {
  showpack::WritePackage(Options(show, true));
  std::ostringstream out;
  showpack::InspectFile(folder + "Setup.exe", out);
  const std::string text = out.str();
  EXPECT_NE(text.find("[package]\n"), std::string::npos) << text;
  EXPECT_NE(text.find("ProgramName: \"Sunset\"\nIsProgramExe: 1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("ProjectName: \"Sunset Show.scr\""), std::string::npos) << text;

  // A show alone is still inspected as a show; a damaged package says why.
  std::ostringstream alone;
  showpack::InspectFile(show, alone);
  EXPECT_EQ(alone.str().find("[package]"), std::string::npos);
  installer::PackageIndex reversed{200, 100, "Sunset", 0};
  testing_support::WriteFile(folder + "Damaged.exe", std::string(300, 'x') + *installer::FormatPackageTail(reversed));
  std::ostringstream none;
  EXPECT_THROW(showpack::InspectFile(folder + "Damaged.exe", none), std::runtime_error);
}

TEST_F(PackageWriterTest, RefusesWhatTheInstallerCouldNotUse) {
  auto options = Options(show);
  options.playerBits = 32;
  EXPECT_NE(Error(options).find("is a 64-bit program; --player-bits 32 does not match"), std::string::npos);
  EXPECT_NE(Error(Options(folder + "player64.scr")).find("is no built show"), std::string::npos);
  EXPECT_NE(Error(Options(BuildShow("Euro\xe2\x82\xac.scr"))).find("Windows-1252"), std::string::npos);
  showpack::WritePackage(Options(show));
  testing_support::WriteFile(folder + "dist/win64/installer.exe", testing_support::ReadFile(folder + "Setup.exe"));
  EXPECT_NE(Error(Options(show)).find("already carries something"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder + "Setup.exe.part"));

  EXPECT_EQ(showpack::ProgramBits(folder + "dist/win32/svremove.exe"), 32);
  EXPECT_EQ(showpack::ProgramBits(show), 64);
  EXPECT_EQ(showpack::ProgramBits(folder + "a.bmp"), std::nullopt);
}

}  // namespace
