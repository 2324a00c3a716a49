// A show as a person writes it: a TOML manifest with the project's header
// fields, its music, an optional dialog image and a list of items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace showpack {

// A fault in the manifest or its files; the message names the file, the line
// and the field.
class ManifestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One record value, already in the text form of the container.
struct RecordValue {
  uint8_t tag = 0;
  std::string text;
  std::string field;  // the manifest's name for it, for messages
  std::string where;  // "file:line"
  std::size_t maxLength = 0;  // the longest text that can be stored; 0: no limit
};

struct MusicEntry {
  std::string source;  // the file to embed, or to name for external music
  std::string stored;  // the name written into the header
  std::string where;
};

struct ManifestItem {
  std::string source;  // the item's file
  std::string where;
  std::string fileWhere;  // the line of its File
  std::vector<RecordValue> values;
};

struct Manifest {
  std::string path;
  std::vector<RecordValue> header;
  std::vector<MusicEntry> music;
  std::optional<std::string> dialogImage;
  std::string dialogImageWhere;
  bool picturesEmbedded = true;
  bool mediaEmbedded = true;
  std::vector<ManifestItem> items;
};

Manifest ReadManifest(const std::string& path);

}  // namespace showpack
