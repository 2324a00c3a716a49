#include "manifest.h"

#include <toml++/toml.h>

#include <filesystem>
#include <limits>

#include "base/codepage.h"
#include "base/paths.h"
#include "field_tables.h"
#include "project/header_fields.h"
#include "project/project_info.h"

namespace showpack {
namespace {

class Reader {
 public:
  explicit Reader(std::string path) : path_(std::move(path)), folder_(base::FolderOf(path_)) {}

  std::string Where(const toml::node& node) const {
    return path_ + ":" + std::to_string(node.source().begin.line);
  }

  [[noreturn]] void Fail(const toml::node& node, std::string_view field, const std::string& message) const {
    throw ManifestError(Where(node) + ": " + std::string(field) + ": " + message);
  }

  // A path in the manifest is relative to the manifest's folder.
  std::string Resolve(const std::string& file) const {
    const auto path = base::PathFromUtf8(file);
    return path.is_absolute() ? file : folder_ + file;
  }

  std::string File(const toml::node& node, std::string_view field) const {
    const auto* text = node.as_string();
    if (!text) Fail(node, field, "expected a file name in quotes");
    const std::string resolved = Resolve(text->get());
    if (!base::FileExists(resolved)) Fail(node, field, "file not found: " + resolved);
    return resolved;
  }

  // The container text of a value of the given type.
  std::string ValueText(const toml::node& node, const FieldSpec& fieldSpec, std::string_view field) const {
    switch (fieldSpec.type) {
      case FieldType::Boolean:
        if (const auto* b = node.as_boolean()) return b->get() ? "1" : "0";
        Fail(node, field, "expected true or false");
      case FieldType::Integer:
        if (const auto* i = node.as_integer()) {
          const int64_t v = i->get();
          if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<uint32_t>::max())
            Fail(node, field, "the number does not fit 32 bits");
          return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(v)));
        }
        if (const auto* s = node.as_string(); s && field.find("Color") != std::string_view::npos)
          return std::to_string(ColorFromHex(node, s->get(), field));
        Fail(node, field, "expected a whole number");
      case FieldType::Text:
        if (const auto* s = node.as_string()) return StoredText(node, s->get(), field);
        if (const auto* a = node.as_array(); a && fieldSpec.name == "Transitions") return NumberList(*a, field);
        Fail(node, field, "expected text in quotes");
    }
    Fail(node, field, "unsupported value");
  }

  RecordValue Value(const toml::node& node, const FieldSpec& fieldSpec, std::string_view field, uint8_t tag) const {
    return {tag, ValueText(node, fieldSpec, field), std::string(field), Where(node), fieldSpec.maxLength};
  }

  void ReadProject(const toml::table& table, Manifest& manifest) const {
    for (const auto& [key, node] : table) {
      const std::string_view name = key.str();
      if (name == "MusicFiles") {
        const auto* list = node.as_array();
        if (!list) Fail(node, name, "expected a list of file names");
        for (const auto& entry : *list) {
          const auto* text = entry.as_string();
          if (!text) Fail(entry, name, "expected a file name in quotes");
          const std::string resolved = Resolve(text->get());
          manifest.music.push_back({resolved, StoredText(entry, text->get(), name), Where(entry)});
        }
      } else if (name == "DialogImage") {
        manifest.dialogImage = File(node, name);
        manifest.dialogImageWhere = Where(node);
      } else if (const auto entry = NamedUiText(name)) {
        manifest.header.push_back(Value(node, {name, 0, FieldType::Text}, name, UiTag(*entry)));
      } else if (name.starts_with("UiText")) {
        const std::string digits(name.substr(6));
        int entryNo = -1;
        try {
          entryNo = std::stoi(digits);
        } catch (const std::exception&) {
        }
        if (entryNo < 0 || entryNo >= project::kUiTextCount || std::to_string(entryNo) != digits)
          Fail(node, name, "interface texts are UiText0 to UiText50");
        manifest.header.push_back(Value(node, {name, 0, FieldType::Text}, name, UiTag(entryNo)));
      } else if (const auto fieldSpec = HeaderFieldSpec(name)) {
        manifest.header.push_back(Value(node, *fieldSpec, name, fieldSpec->tag));
        if (name == "PicturesEmbedded") manifest.picturesEmbedded = manifest.header.back().text == "1";
        if (name == "MediaEmbedded") manifest.mediaEmbedded = manifest.header.back().text == "1";
      } else {
        Fail(node, name, "unknown project field");
      }
    }
  }

  ManifestItem ReadItem(const toml::table& table) const {
    ManifestItem item;
    item.where = Where(table);
    const toml::node* file = table.get("File");
    if (!file) Fail(table, "File", "every item needs a File");
    item.source = File(*file, "File");
    item.fileWhere = Where(*file);
    for (const auto& [key, node] : table) {
      const std::string_view name = key.str();
      if (name == "File") continue;
      if (name == "CaptionFont" || name == "TextFont") {
        ReadFont(node, name, name == "CaptionFont" ? project::kCaptionFontTag : project::kTextFontTag, item.values);
      } else if (const auto fieldSpec = PictureFieldSpec(name)) {
        item.values.push_back(Value(node, *fieldSpec, name, fieldSpec->tag));
      } else {
        Fail(node, name, "unknown item field");
      }
    }
    return item;
  }

 private:
  static uint8_t UiTag(int entry) { return static_cast<uint8_t>(project::kFirstUiTextTag + entry); }

  void ReadFont(const toml::node& node, std::string_view field, uint8_t firstTag,
                std::vector<RecordValue>& values) const {
    const auto* font = node.as_table();
    if (!font) Fail(node, field, "expected a table such as { Name = \"Arial\", Height = -24 }");
    for (const auto& [key, part] : *font) {
      const FieldSpec* fieldSpec = FindField(FontFields(), key.str());
      const std::string name = std::string(field) + "." + std::string(key.str());
      if (!fieldSpec) Fail(part, name, "unknown font field (Charset, Color, Height, Name, Style)");
      values.push_back(Value(part, *fieldSpec, name, static_cast<uint8_t>(firstTag + fieldSpec->tag)));
    }
  }

  // Shows store their texts as Windows-1252.
  std::string StoredText(const toml::node& node, std::string_view text, std::string_view field) const {
    auto stored = base::Windows1252FromUtf8(text);
    if (!stored) Fail(node, field, "holds a character that the Windows-1252 character set cannot write");
    return *stored;
  }

  uint32_t ColorFromHex(const toml::node& node, std::string_view text, std::string_view field) const {
    // "#RRGGBB" as people write colours; stored as a Windows colour 0x00BBGGRR.
    if (text.size() != 7 || text[0] != '#') Fail(node, field, "expected a number or \"#RRGGBB\"");
    uint32_t rgb = 0;
    for (char c : text.substr(1)) {
      const int digit = std::isxdigit(static_cast<unsigned char>(c)) ? std::stoi(std::string(1, c), nullptr, 16) : -1;
      if (digit < 0) Fail(node, field, "expected a number or \"#RRGGBB\"");
      rgb = rgb * 16 + static_cast<uint32_t>(digit);
    }
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
  }

  std::string NumberList(const toml::array& list, std::string_view field) const {
    std::string text;
    for (const auto& entry : list) {
      const auto* number = entry.as_integer();
      if (!number) Fail(entry, field, "expected transition numbers");
      text += std::to_string(number->get()) + ";";
    }
    return text;
  }

  std::string path_;
  std::string folder_;
};

}  // namespace

Manifest ReadManifest(const std::string& path) {
  toml::table root;
  try {
    root = toml::parse_file(path);
  } catch (const toml::parse_error& error) {
    const auto line = error.source().begin.line;
    throw ManifestError(path + ":" + std::to_string(line) + ": " + std::string(error.description()));
  }
  Reader reader(path);
  Manifest manifest;
  manifest.path = path;
  for (const auto& [key, node] : root) {
    const std::string_view name = key.str();
    if (name == "project") {
      const auto* table = node.as_table();
      if (!table) reader.Fail(node, name, "expected a [project] table");
      reader.ReadProject(*table, manifest);
    } else if (name == "item") {
      const auto* list = node.as_array();
      if (!list) reader.Fail(node, name, "items are written as [[item]] tables");
      for (const auto& entry : *list) {
        const auto* table = entry.as_table();
        if (!table) reader.Fail(entry, name, "items are written as [[item]] tables");
        manifest.items.push_back(reader.ReadItem(*table));
      }
    } else {
      reader.Fail(node, name, "unknown section (expected [project] and [[item]])");
    }
  }
  return manifest;
}

}  // namespace showpack
