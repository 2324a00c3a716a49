// The uninstall entry that lists an installed program in Windows' list of
// installed programs, and the command line it registers for svremove.exe:
//   C:\WINDOWS\svremove.exe #0@C:\WINDOWS\SYSTEM&Sunset
// "#" kind (IsProgramExe in decimal) "@" install directory "&" program name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace installer {

class CPackage;

inline constexpr std::string_view kUninstallKeyRoot = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// What one uninstall command line names.
struct UninstallTarget {
  int32_t IsProgramExe = 0;
  std::string Directory;  // exactly as it was given to the installer
  std::string ProgramName;
  bool operator==(const UninstallTarget&) const = default;
};

std::string UninstallArguments(const UninstallTarget& target);
std::string UninstallCommandLine(std::string_view uninstallerPath, const UninstallTarget& target);

// Every reading of an argument text "#kind@directory&name": a directory or
// a name may itself hold "&", so each "&" after the "@" is a possible end of
// the directory (the uninstall entry decides which one was registered).
// Empty when the text does not have the form.
std::vector<UninstallTarget> ParseUninstallArguments(std::string_view text);

// The arguments of a process's command line: what follows the program path
// (quoted, or up to the first blank), without the blanks before it and
// without one pair of double quotes around the whole.
std::string ArgumentsOfCommandLine(std::string_view commandLine);

// A registered UninstallString split into the uninstaller's path and the
// arguments after it ("...\svremove.exe ARGS"; the path may hold blanks);
// nothing when it does not start with a path to svremove.exe.
struct RegisteredCommand {
  std::string uninstallerPath;
  std::string arguments;
};
std::optional<RegisteredCommand> SplitUninstallString(std::string_view uninstallString);

// One value of a registry key: a string (REG_SZ) or a number (REG_DWORD).
struct RegistryValue {
  std::string name;
  std::variant<std::string, uint32_t> data;
  bool operator==(const RegistryValue&) const = default;
};

struct UninstallEntry {
  std::string keyPath;  // below HKEY_LOCAL_MACHINE
  std::vector<RegistryValue> values;
};

// The entry for an installed package: DisplayName and UninstallString in the
// classic form, and what the current list of installed programs shows
// (icon, location, size in KiB; no publisher, which a package does not name;
// neither modify nor repair).
UninstallEntry UninstallEntryOf(const CPackage& package);

}  // namespace installer
