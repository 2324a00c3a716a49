#include "field_tables.h"

#include <array>

#include "project/header_fields.h"

namespace showpack {
namespace {

using enum FieldType;

constexpr std::array kPicture = {
    FieldSpec{"FileName", 2, Text, 255},
    FieldSpec{"TypeCode", 45, Integer},
    FieldSpec{"Kind", 52, Integer},
    FieldSpec{"Transparent", 5, Boolean},
    FieldSpec{"PlayMusic", 6, Boolean},
    FieldSpec{"ShowCaption", 7, Boolean},
    FieldSpec{"Caption", 8, Text, 100},
    FieldSpec{"CaptionPosition", 14, Integer},
    FieldSpec{"CaptionX", 15, Integer},
    FieldSpec{"CaptionY", 16, Integer},
    FieldSpec{"ShowText", 17, Boolean},
    FieldSpec{"Text", 24, Text, 4095},
    FieldSpec{"TextPosition", 25, Integer},
    FieldSpec{"TextX", 26, Integer},
    FieldSpec{"TextY", 27, Integer},
    FieldSpec{"RandomTransition", 34, Boolean},
    FieldSpec{"TransitionSpeed", 35, Integer},
    FieldSpec{"Transitions", 36, Text, 1024},
    FieldSpec{"BackgroundKinds", 46, Text, 10},
    FieldSpec{"BackgroundColor", 47, Integer},
    FieldSpec{"RandomBackgroundColor", 60, Boolean},
    FieldSpec{"GradientColor1", 48, Integer},
    FieldSpec{"GradientColor2", 49, Integer},
    FieldSpec{"RandomGradientColors", 59, Boolean},
    FieldSpec{"GradientStyles", 50, Text, 50},
    FieldSpec{"BackgroundSources", 57, Text, 10},
    FieldSpec{"BackgroundPictures", 58, Text, 300},
    FieldSpec{"BackgroundPictureMode", 61, Integer},
    FieldSpec{"TileCount", 62, Integer},
    FieldSpec{"RandomTileCount", 64, Boolean},
    FieldSpec{"BackgroundOnly", 63, Boolean},
    FieldSpec{"VideoSize", 53, Integer},
    FieldSpec{"FlashBackgroundColor", 56, Integer},
    FieldSpec{"FlashAlignMode", 54, Integer},
    FieldSpec{"FlashScaleMode", 55, Integer},
    FieldSpec{"FlashStopMode", 65, Integer},
    FieldSpec{"FlashStopFrame", 66, Integer},
    FieldSpec{"FlashStopOnWrap", 67, Boolean},
    FieldSpec{"FlashNeverStop", 68, Boolean},
    FieldSpec{"FlashStopTicks", 69, Integer},
    FieldSpec{"FlashGetsMoves", 70, Boolean},
    FieldSpec{"FlashGetsClicks", 71, Boolean},
};

constexpr std::array kFont = {
    FieldSpec{"Charset", 0, Integer}, FieldSpec{"Color", 1, Integer}, FieldSpec{"Height", 2, Integer},
    FieldSpec{"Name", 3, Text, 255},  FieldSpec{"Style", 4, Text, 10},
};

struct NamedText {
  std::string_view name;
  int entry;
};
constexpr std::array kNamedUiTexts = {
    NamedText{"VersionLabelText", 38}, NamedText{"MemoryLabelText", 39}, NamedText{"FileNotFoundText", 44},
    NamedText{"MenuSettingCaption", 49}, NamedText{"MenuStopCaption", 50},
};

}  // namespace

std::optional<FieldSpec> HeaderFieldSpec(std::string_view name) {
  const project::HeaderField* field = project::FindHeaderField(name);
  if (!field) return std::nullopt;
  // The member's type decides the value's: bool, int32_t or text.
  constexpr FieldType kTypes[] = {Boolean, Integer, Text};
  return FieldSpec{field->name, field->tag, kTypes[field->member.index()]};
}
std::span<const FieldSpec> PictureFields() { return kPicture; }
std::span<const FieldSpec> FontFields() { return kFont; }

std::optional<int> NamedUiText(std::string_view name) {
  for (const auto& text : kNamedUiTexts)
    if (text.name == name) return text.entry;
  return std::nullopt;
}

const FieldSpec* FindField(std::span<const FieldSpec> table, std::string_view name) {
  for (const FieldSpec& fieldSpec : table)
    if (fieldSpec.name == name) return &fieldSpec;
  return nullptr;
}

}  // namespace showpack
