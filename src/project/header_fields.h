// The named fields of the project header, with the record tag of each: read by
// the program, written and printed by the authoring tool.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace project {

class TProjectInfo;

struct HeaderField {
  uint8_t tag;
  std::string_view name;
  std::variant<bool TProjectInfo::*, int32_t TProjectInfo::*, std::string TProjectInfo::*> member;
};

// Every field but the music list (tag 1) and the interface texts (42..92).
std::span<const HeaderField> HeaderFields();
const HeaderField* FindHeaderField(std::string_view name);

constexpr uint8_t kMusicFileTag = 1;
constexpr uint8_t kFirstUiTextTag = 42;

}  // namespace project
