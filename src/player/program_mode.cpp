#include "player/program_mode.h"

#include <charconv>

#include "base/ascii.h"

namespace player {
namespace {

// Only the first two characters of the switch count: "/s", "/S" and "/Sxyz"
// are the same switch, and "/c:1234" is "/C".
std::string SwitchOf(const std::string& arg) { return base::UpperAscii(std::string_view(arg).substr(0, 2)); }

bool ParseWindowHandle(const std::string& text, uint64_t& handle) {
  const std::string_view digits = base::TrimControls(text);
  if (digits.empty()) return false;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), handle);
  return error == std::errc() && end == digits.data() + digits.size() && handle != 0;
}

}  // namespace

StartRequest SelectProgramMode(std::string_view upperProgramPath, const std::vector<std::string>& args) {
  if (args.empty()) {
    const bool isScr = upperProgramPath.find(".SCR") != std::string_view::npos;
    return {isScr ? ProgramMode::Settings : ProgramMode::FullScreen};
  }
  const std::string sw = SwitchOf(args[0]);
  if (sw == "/C") return {ProgramMode::Settings};
  if (sw == "/S") return {ProgramMode::FullScreen};
  if (sw == "/P") {
    // Some hosts write the handle right after a colon ("/p:4660"); the usual
    // form is a second argument.
    uint64_t handle = 0;
    if (args.size() >= 2 && ParseWindowHandle(args[1], handle)) return {ProgramMode::Preview, handle};
    if (args[0].size() > 3 && args[0][2] == ':' && ParseWindowHandle(args[0].substr(3), handle))
      return {ProgramMode::Preview, handle};
  }
  return {ProgramMode::Quit};
}

}  // namespace player
