// The setup package appended to installer.exe, as the authoring tool writes
// it and the installer reads it:
//   [installer program] [program block] [uninstaller block]
//   [index text, L bytes] [10-byte trailer: L as decimal text, blank padded]
// The index text is a run of records, each one tag character, the value as
// Windows-1252 text and the byte 0x80. Everything about the layout is defined
// here once; the reader (CPackage) and showpack both use it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace installer {

inline constexpr int kTrailerSize = 10;
inline constexpr char kRecordEnd = '\x80';
// The installer reads the index into a buffer of this size; a larger index is
// a damaged package (the four records need a few dozen bytes).
inline constexpr int kMaxIndexText = 1024;

inline constexpr char kProgramOffsetTag = '1';
inline constexpr char kUninstallerOffsetTag = '2';
inline constexpr char kProgramNameTag = '4';
inline constexpr char kIsProgramExeTag = '5';

inline constexpr std::string_view kUninstallerFileName = "svremove.exe";
inline constexpr std::string_view kScreensaverExtension = ".scr";
inline constexpr std::string_view kProgramExtension = ".exe";

// The index fields. Offsets are absolute positions in the package file; the
// program name is UTF-8 here and Windows-1252 in the file.
struct PackageIndex {
  int64_t ProgramOffset = 0;
  int64_t UninstallerOffset = 0;
  std::string ProgramName;
  int32_t IsProgramExe = 0;
};

// The index text and the trailer that follow the uninstaller block. Nothing
// when the program name cannot be written in Windows-1252 or holds 0x80.
std::optional<std::string> FormatPackageTail(const PackageIndex& index);

// The trailer's value: the text before the first NUL, without the blanks and
// control characters around it, as a decimal number; nothing otherwise.
std::optional<int64_t> ParseTrailerLength(std::string_view trailer);

// A program name is the base name of the installed file, a registry key name
// and a folder name: it must be a plain Windows file name (no separators, no
// wildcards or other reserved characters, not "." or "..", no trailing dot or
// blank).
bool IsPlainFileName(std::string_view name);

// ProgramName + ".scr" for a screensaver, + ".exe" for an ordinary program.
std::string InstalledFileName(std::string_view programName, bool isProgramExe);

// directory + name, with a "\" between them unless the directory ends in one.
std::string JoinPath(std::string_view directory, std::string_view name);

}  // namespace installer
