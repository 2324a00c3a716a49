#include "installer/package_format.h"

#include <charconv>

#include "base/ascii.h"
#include "base/codepage.h"

namespace installer {
namespace {

std::string Record(char tag, std::string_view value) { return tag + std::string(value) + kRecordEnd; }

}  // namespace

std::optional<std::string> FormatPackageTail(const PackageIndex& index) {
  const auto name = base::Windows1252FromUtf8(index.ProgramName);
  if (!name || name->find(kRecordEnd) != std::string::npos || name->find('\0') != std::string::npos)
    return std::nullopt;
  std::string text = Record(kProgramOffsetTag, std::to_string(index.ProgramOffset)) +
                     Record(kUninstallerOffsetTag, std::to_string(index.UninstallerOffset)) +
                     Record(kProgramNameTag, *name) +
                     Record(kIsProgramExeTag, std::to_string(index.IsProgramExe));
  std::string trailer = std::to_string(text.size());
  trailer.resize(kTrailerSize, ' ');
  return text + trailer;
}

std::optional<int64_t> ParseTrailerLength(std::string_view trailer) {
  const std::string_view digits = base::TrimControls(base::UpToNul(trailer));
  if (digits.empty()) return std::nullopt;
  int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ') return false;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  return true;
}

std::string InstalledFileName(std::string_view programName, bool isProgramExe) {
  return std::string(programName) + std::string(isProgramExe ? kProgramExtension : kScreensaverExtension);
}

std::string JoinPath(std::string_view directory, std::string_view name) {
  std::string path(directory);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path + std::string(name);
}

}  // namespace installer
