// The tagged record text shared by the index, the header and the picture
// records: each record is one tag byte, the value as text and the byte 0x80.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace project {

constexpr char kValueEnd = '\x80';
constexpr char kPictureEnd = '\x7F';

// One record as it is stored: the tag byte, the value and 0x80.
std::string RecordText(uint8_t tag, std::string_view value);

// Calls `apply(tag, value)` for each record in text order; text after the last
// 0x80 is ignored. An empty record (0x80 alone) has tag 0 and an empty value.
void ForEachRecord(std::string_view text, const std::function<void(uint8_t tag, std::string_view value)>& apply);

// Decimal integer value; throws ConversionError otherwise.
int32_t IntegerValue(std::string_view value);
// Only the exact text "1" is true.
inline bool BooleanValue(std::string_view value) { return value == "1"; }

}  // namespace project
