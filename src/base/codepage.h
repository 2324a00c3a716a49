// Project texts are stored as single-byte Windows-1252 text; the program works
// in UTF-8. These convert at the two ends: the reader and the authoring tool.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace base {

// Every byte has a meaning: the five bytes that Windows-1252 leaves undefined
// become the control characters of the same number, as Windows maps them.
std::string Utf8FromWindows1252(std::string_view text);

// Nothing when the text holds a character that Windows-1252 cannot write, or
// is not valid UTF-8.
std::optional<std::string> Windows1252FromUtf8(std::string_view text);

// The code points of UTF-8 text; nothing when it is not valid UTF-8.
std::optional<std::u32string> CodePointsFromUtf8(std::string_view text);

}  // namespace base
