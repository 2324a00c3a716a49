// The fields a manifest may set, by name, with the record tag and value type of
// the container format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace showpack {

enum class FieldType { Boolean, Integer, Text };

struct FieldSpec {
  std::string_view name;
  uint8_t tag;
  FieldType type;
  std::size_t maxLength = 0;  // 0: no limit of its own
};

// A header field of the program's own table, as the manifest sets it.
std::optional<FieldSpec> HeaderFieldSpec(std::string_view name);
// A picture-record field of the program's own table (not Number, Size or the
// fonts), as the manifest sets it.
std::optional<FieldSpec> PictureFieldSpec(std::string_view name);
// The five parts of a font: charset, colour, height, name, style; tags follow
// the font's first tag in this order.
std::span<const FieldSpec> FontFields();

// The interface texts (header tags 42..92) that have names of their own.
std::optional<int> NamedUiText(std::string_view name);

const FieldSpec* FindField(std::span<const FieldSpec> table, std::string_view name);

}  // namespace showpack
