// Lists of numbers as shows and settings store them: every entry ends with
// ";" ("0;5;17;"); text after the last ";" is no entry. Transition lists,
// background kinds, sources and gradient styles are all read this way.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace project {

// One entry: its text with blanks and control characters around it removed,
// and its value as a decimal integer; no value when the text is not one (the
// empty entry included). What an entry without a value means is the caller's:
// the transition lists refuse it, the picture helpers raise ConversionError
// for it, the settings dialog counts it as 0.
struct ListEntry {
  std::string_view text;
  std::optional<int32_t> value;
};

std::vector<ListEntry> ListEntries(std::string_view text);

}  // namespace project
