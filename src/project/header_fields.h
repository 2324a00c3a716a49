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

// Tags with a rule of their own: each music record appends one file name; the
// dialog image's name is written by the authoring tool from the picture it
// embeds; interface text n has tag kFirstUiTextTag + n.
constexpr uint8_t kMusicFileTag = 1;
constexpr uint8_t kDialogImageFileTag = 31;
constexpr uint8_t kFirstUiTextTag = 42;
constexpr int kUiTextCount = 51;  // tags 42..92

// The interface texts that this program shows, by their entry.
enum UiTextEntry : int {
  kVersionLabelText = 38,
  kMemoryLabelText = 39,
  kFileNotFoundText = 44,
  kMenuSettingCaption = 49,
  kMenuStopCaption = 50,
};

struct NamedUiText {
  std::string_view name;
  UiTextEntry entry;
};
std::span<const NamedUiText> NamedUiTexts();

}  // namespace project
