// Wraps a built show into a setup package: the installer program, the show's
// program, the uninstaller and the package index, as installer.exe reads them.
#pragma once

#include <optional>
#include <string>

namespace showpack {

struct PackageOptions {
  std::string programPath;  // the built show, NAME.scr; NAME names the program
  std::string outputPath;   // the setup program to write
  bool isProgram = false;   // install as an ordinary program (NAME.exe) instead of a screensaver
  std::optional<int> playerBits;  // 32 or 64; by default that of the show's program
  std::string distFolder;   // holds win32/ and win64/ with installer.exe and svremove.exe
};

// 32 or 64 from a Windows program's header; nothing for another file.
std::optional<int> ProgramBits(const std::string& path);

// Checks everything first (a show inside the program, a name that the
// installer takes, matching builds); the output appears whole or not at all.
// Returns the name the package installs.
std::string WritePackage(const PackageOptions& options);

}  // namespace showpack
