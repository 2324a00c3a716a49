#include "installer/uninstall_entry.h"

#include <algorithm>
#include <limits>

#include "base/ascii.h"
#include "installer/package.h"
#include "installer/package_format.h"

namespace installer {

std::string UninstallArguments(const UninstallTarget& target) {
  return "#" + std::to_string(target.IsProgramExe) + "@" + target.Directory + "&" + target.ProgramName;
}

std::string UninstallCommandLine(std::string_view uninstallerPath, const UninstallTarget& target) {
  return std::string(uninstallerPath) + " " + UninstallArguments(target);
}

std::vector<UninstallTarget> ParseUninstallArguments(std::string_view text) {
  std::vector<UninstallTarget> targets;
  const auto at = text.find('@');
  if (text.empty() || text.front() != '#' || at == std::string_view::npos) return targets;
  const auto kind = base::ParseInt32(text.substr(1, at - 1));
  if (!kind || text[1] == '+') return targets;
  const std::string_view rest = text.substr(at + 1);
  for (auto amp = rest.find('&'); amp != std::string_view::npos; amp = rest.find('&', amp + 1)) {
    if (amp == 0 || amp + 1 == rest.size()) continue;
    targets.push_back({*kind, std::string(rest.substr(0, amp)), std::string(rest.substr(amp + 1))});
  }
  return targets;
}

std::string ArgumentsOfCommandLine(std::string_view commandLine) {
  size_t pos = 0;
  if (!commandLine.empty() && commandLine.front() == '"') {
    const auto close = commandLine.find('"', 1);
    pos = close == std::string_view::npos ? commandLine.size() : close + 1;
  } else {
    pos = std::min(commandLine.find_first_of(" \t"), commandLine.size());
  }
  std::string_view rest = commandLine.substr(pos);
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
  return std::string(rest);
}

std::optional<RegisteredCommand> SplitUninstallString(std::string_view uninstallString) {
  const std::string lower = base::LowerAscii(uninstallString);
  const std::string name = std::string(kUninstallerFileName) + " ";
  const auto pos = lower.find(name);
  if (pos == std::string::npos) return std::nullopt;
  if (pos > 0 && std::string_view("\\/:").find(lower[pos - 1]) == std::string_view::npos) return std::nullopt;
  const size_t end = pos + name.size() - 1;
  return RegisteredCommand{std::string(uninstallString.substr(0, end)), std::string(uninstallString.substr(end + 1))};
}

UninstallEntry UninstallEntryOf(const CPackage& package) {
  const UninstallTarget target{package.IsProgramExe, package.InstallDirectory, package.ProgramName};
  const int64_t kib = (package.ProgramSize + package.UninstallerSize + 1023) / 1024;
  const auto estimatedSize =
      static_cast<uint32_t>(std::clamp<int64_t>(kib, 0, std::numeric_limits<uint32_t>::max()));
  return {std::string(kUninstallKeyRoot) + package.ProgramName,
          {
              {"DisplayName", package.ProgramName},
              {"UninstallString", UninstallCommandLine(package.UninstallerPath, target)},
              {"DisplayIcon", package.ProgramFilePath()},
              {"InstallLocation", package.InstallDirectory},
              {"EstimatedSize", estimatedSize},
              {"NoModify", 1u},
              {"NoRepair", 1u},
          }};
}

}  // namespace installer
