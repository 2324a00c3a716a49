// Single-byte text helpers. Project data and the registry values are ANSI text;
// these helpers change ASCII letters only and leave every other byte as it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

std::string UpperAscii(std::string_view text);
std::string LowerAscii(std::string_view text);

// Removes blanks and control characters (bytes <= 0x20) from both ends.
std::string_view TrimControls(std::string_view text);

// The text before the first NUL byte.
std::string_view UpToNul(std::string_view text);

// `format` with its first "%s" replaced by `argument` (a message text of the
// project or the settings store); a format without "%s" stays as it is.
std::string FormatMessage(std::string_view format, std::string_view argument);

// A signed decimal integer that fills the whole text (an optional sign, at least
// one digit, no blanks) and fits 32 bits; nothing otherwise.
std::optional<int32_t> ParseInt32(std::string_view text);

}  // namespace base
