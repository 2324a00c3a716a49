#include "field_tables.h"

#include <array>

#include "project/header_fields.h"
#include "project/picture_info.h"

namespace showpack {
namespace {

using enum FieldType;

// Tags are offsets from the font's first tag. A face name longer than 255
// characters or a style of more than ten digits serves no font.
constexpr uint8_t Part(project::FontPart part) { return static_cast<uint8_t>(part); }
constexpr std::array kFont = {
    FieldSpec{"Charset", Part(project::FontPart::Charset), Integer},
    FieldSpec{"Color", Part(project::FontPart::Color), Integer},
    FieldSpec{"Height", Part(project::FontPart::Height), Integer},
    FieldSpec{"Name", Part(project::FontPart::Name), Text, 255},
    FieldSpec{"Style", Part(project::FontPart::Style), Text, 10},
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
    if (field.name != name || field.tag == project::kNumberTag || field.tag == project::kSizeTag) continue;
    constexpr FieldType kTypes[] = {Integer, Integer, Boolean, Text};
    const auto* text = std::get_if<project::PictureTextField>(&field.member);
    return FieldSpec{field.name, field.tag, kTypes[field.member.index()], text ? text->limit : 0};
  }
  return std::nullopt;
}
std::span<const FieldSpec> FontFields() { return kFont; }

std::optional<int> NamedUiText(std::string_view name) {
  for (const project::NamedUiText& text : project::NamedUiTexts())
    if (text.name == name) return text.entry;
  return std::nullopt;
}

const FieldSpec* FindField(std::span<const FieldSpec> table, std::string_view name) {
  for (const FieldSpec& fieldSpec : table)
    if (fieldSpec.name == name) return &fieldSpec;
  return nullptr;
}

}  // namespace showpack
