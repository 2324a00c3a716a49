#include "field_tables.h"

#include <array>

#include "project/header_fields.h"
#include "project/picture_info.h"

namespace showpack {
namespace {

using enum FieldType;

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
std::optional<FieldSpec> PictureFieldSpec(std::string_view name) {
  for (const project::PictureField& field : project::PictureFields()) {
    // The record's number and size are written by showpack itself.
    if (field.name != name || field.tag == 1 || field.tag == 3) continue;
    constexpr FieldType kTypes[] = {Integer, Integer, Boolean, Text};
    const auto* text = std::get_if<project::PictureTextField>(&field.member);
    return FieldSpec{field.name, field.tag, kTypes[field.member.index()], text ? text->limit : 0};
  }
  return std::nullopt;
}
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
