// CPackage: the setup package at the end of the installer's own file. It reads
// the index, checks that the blocks lie in order inside the file, and copies
// the program and the uninstaller out to their places while driving the
// progress bar (0..80 for the program, 80..100 for the uninstaller).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "installer/package_files.h"

namespace installer {

inline constexpr int kCopyChunk = 40960;
inline constexpr int kProgramProgressStart = 0;
inline constexpr int kProgramProgressEnd = 80;
inline constexpr int kUninstallerProgressEnd = 100;

// The one message the reader shows itself: the size of an opened package
// could not be read.
inline constexpr std::string_view kFileSizeFailedText = "Get file size failed";

class CPackage {
 public:
  explicit CPackage(PackageFileSystem& files) : files_(files) {}

  // Remembers the path, reads the trailer and the index and checks the
  // layout. False with an empty ReadError() when the file cannot be opened;
  // false with the reason in ReadError() when it is damaged.
  bool ReadPackageIndex(const std::string& path);
  // Stores the records of the index text by tag; unknown tags are skipped,
  // text after the last 0x80 is ignored.
  void ParsePackageIndex(std::string_view text);

  // Copies the program block to directory\ProgramName.scr (or .exe).
  bool InstallProgram(const std::string& directory);
  // Copies the uninstaller block to windowsDirectory\svremove.exe.
  bool InstallUninstaller(const std::string& windowsDirectory);
  // Copies `length` bytes from `offset` of `source` to a new `destination`
  // in chunks of kCopyChunk bytes, moving the bar from progressStart to
  // progressEnd. A failed copy deletes what it wrote and returns false.
  bool CopyBlock(const std::string& source, const std::string& destination, int progressStart, int progressEnd,
                 int64_t offset, int64_t length);

  const std::string& ReadError() const { return readError_; }
  // The installed program file: InstallDirectory\ProgramName + extension.
  std::string ProgramFilePath() const;

  std::string PackagePath;
  int64_t ProgramOffset = 0;
  int64_t UninstallerOffset = 0;
  std::string ProgramName;  // UTF-8
  int32_t IsProgramExe = 0;

  int64_t IndexStart = 0;
  int64_t IndexLength = 0;
  int64_t ProgramSize = 0;
  int64_t UninstallerSize = 0;

  std::string InstallDirectory;
  std::string UninstallerPath;
  ProgressBar* Progress = nullptr;

 private:
  bool Damaged(const std::string& reason);
  void SetProgress(int position) {
    if (Progress) Progress->SetPos(position);
  }

  PackageFileSystem& files_;
  std::string readError_;
};

}  // namespace installer
