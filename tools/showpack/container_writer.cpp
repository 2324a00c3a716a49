#include "container_writer.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>

#include "base/codepage.h"
#include "base/paths.h"
#include "field_tables.h"
#include "flash_items.h"
#include "picture_check.h"
#include "project/header_fields.h"
#include "project/info_position.h"
#include "project/picture_info.h"
#include "project/picture_type.h"
#include "project/record_text.h"

namespace showpack {
namespace {

using project::kPictureEnd;
using project::kValueEnd;
using project::RecordText;

constexpr int64_t kProgressEvery = 16 * 1024 * 1024;

[[noreturn]] void Fail(const std::string& where, const std::string& field, const std::string& message) {
  throw ManifestError(where + ": " + field + ": " + message);
}

void CheckValue(const RecordValue& value, bool inPicture) {
  if (value.text.find(kValueEnd) != std::string::npos)
    Fail(value.where, value.field, "the byte 0x80 (the euro sign) cannot be stored in a show");
  if (value.text.find('\0') != std::string::npos) Fail(value.where, value.field, "a NUL byte cannot be stored");
  if (inPicture && value.text.find(kPictureEnd) != std::string::npos)
    Fail(value.where, value.field, "the byte 0x7F cannot be stored in an item");
}

void CheckLimit(const RecordValue& value, std::size_t limit) {
  if (limit && value.text.size() > limit)
    Fail(value.where, value.field,
         "is " + std::to_string(value.text.size()) + " characters long; at most " + std::to_string(limit) + " fit");
}

const RecordValue* FindValue(const std::vector<RecordValue>& values, uint8_t tag) {
  const RecordValue* found = nullptr;
  for (const auto& value : values)
    if (value.tag == tag) found = &value;  // the last one wins, as when reading
  return found;
}

int64_t FileSize(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(base::PathFromUtf8(path), ec);
  return ec ? -1 : static_cast<int64_t>(size);
}

// The output file, with offsets checked against the format's 32-bit limit.
class Output {
 public:
  Output(const std::string& path, const WriteOptions& options)
      : stream_(base::PathFromUtf8(path), std::ios::binary | std::ios::trunc), options_(options) {
    if (!stream_) throw ManifestError("cannot write " + path);
  }

  int32_t Position() const {
    if (written_ > std::numeric_limits<int32_t>::max())
      throw ManifestError("the show is larger than 2 GiB, which a screensaver cannot carry");
    return static_cast<int32_t>(written_);
  }

  void Write(const std::string& bytes) {
    stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Advance(static_cast<int64_t>(bytes.size()));
  }

  void CopyFile(const std::string& path) {
    std::ifstream in(base::PathFromUtf8(path), std::ios::binary);
    if (!in) throw ManifestError("cannot read " + path);
    std::vector<char> buffer(1 << 20);
    while (in) {
      in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      stream_.write(buffer.data(), in.gcount());
      Advance(in.gcount());
    }
  }

  void Close(const std::string& path) {
    stream_.close();
    if (!stream_) throw ManifestError("cannot write " + path);
  }

 private:
  void Advance(int64_t count) {
    written_ += count;
    if (options_.progress && written_ / kProgressEvery != (written_ - count) / kProgressEvery)
      options_.progress("written " + std::to_string(written_ >> 20) + " MiB");
    Position();
  }

  std::ofstream stream_;
  const WriteOptions& options_;
  int64_t written_ = 0;
};

struct PreparedItem {
  const ManifestItem* item;
  int kind;
  bool embedded;
  int64_t size;
  std::string record;
};

PreparedItem PrepareItem(const ManifestItem& item, int number, const Manifest& manifest) {
  for (const auto& value : item.values) {
    CheckValue(value, true);
    CheckLimit(value, value.maxLength);
  }
  const RecordValue* kindValue = FindValue(item.values, project::kKindTag);
  const int kind = kindValue ? std::stoi(kindValue->text) : project::kPictureItem;
  const bool embedded = manifest.picturesEmbedded && (kind == project::kPictureItem || manifest.mediaEmbedded);
  if (kind == project::kFlashItem) CheckFlashMovie(item);
  const int64_t size = FileSize(item.source);
  if (size < 0) Fail(item.where, "File", "cannot read " + item.source);
  if (embedded && size > std::numeric_limits<int32_t>::max()) Fail(item.where, "File", "larger than 2 GiB");
  if (kind == project::kPictureItem) {
    const RecordValue* typeValue = FindValue(item.values, project::kTypeCodeTag);
    CheckPicture(item.source, embedded && typeValue ? std::stoi(typeValue->text) : project::PictureTypeCode(item.source),
                 item.fileWhere, "File");
  }

  std::string record = RecordText(project::kNumberTag, std::to_string(number));
  if (!FindValue(item.values, project::kFileNameTag)) {
    const RecordValue name{project::kFileNameTag,
                           base::Windows1252FromUtf8(base::FileNameOf(item.source)).value_or("?"), "FileName",
                           item.where, project::kFileNameLimit};
    CheckValue(name, true);
    CheckLimit(name, name.maxLength);
    record += RecordText(project::kFileNameTag, name.text);
  }
  record += RecordText(project::kSizeTag, std::to_string(embedded ? size : 0));
  if (!FindValue(item.values, project::kTypeCodeTag))
    record += RecordText(project::kTypeCodeTag, std::to_string(project::PictureTypeCode(item.source)));
  for (const auto& value : item.values) record += RecordText(value.tag, value.text);
  return {&item, kind, embedded, size, record + kPictureEnd};
}

}  // namespace

void WriteScreensaver(const Manifest& manifest, const WriteOptions& options) {
  // Everything is checked before the first byte is written.
  const int64_t playerSize = FileSize(options.playerPath);
  if (playerSize < 0) throw ManifestError("cannot read the screensaver program " + options.playerPath);
  {
    std::ifstream player(base::PathFromUtf8(options.playerPath), std::ios::binary);
    std::string tail(project::kTrailerSize, '\0');
    if (playerSize >= project::kTrailerSize) {
      player.seekg(playerSize - project::kTrailerSize);
      player.read(tail.data(), project::kTrailerSize);
      if (project::ParseTrailer(tail))
        throw ManifestError(options.playerPath + " already carries a show; use the bare screensaver program");
    }
  }
  std::string header;
  for (const auto& value : manifest.header) {
    CheckValue(value, false);
    header += RecordText(value.tag, value.text);
  }
  for (const auto& music : manifest.music) {
    const RecordValue name{project::kMusicFileTag, music.stored, "MusicFiles", music.where};
    CheckValue(name, false);
    if (manifest.mediaEmbedded && !base::FileExists(music.source))
      Fail(music.where, "MusicFiles", "file not found: " + music.source);
    header += RecordText(project::kMusicFileTag, music.stored);
  }
  if (manifest.dialogImage) {
    // The screensaver takes the type from the stored name.
    const RecordValue* stored = FindValue(manifest.header, project::kDialogImageFileTag);
    CheckPicture(*manifest.dialogImage, project::PictureTypeCode(stored ? stored->text : *manifest.dialogImage),
                 manifest.dialogImageWhere, "DialogImage");
  }
  if (manifest.dialogImage && !FindValue(manifest.header, project::kDialogImageFileTag)) {
    const RecordValue name{project::kDialogImageFileTag,
                           base::Windows1252FromUtf8(base::FileNameOf(*manifest.dialogImage)).value_or("?"),
                           "DialogImageFile", manifest.dialogImageWhere};
    CheckValue(name, false);
    header += RecordText(project::kDialogImageFileTag, name.text);
  }
  if (header.size() > project::kMaxHeaderBlock)
    throw ManifestError(manifest.path + ": the project fields take more than 102,400 bytes");
  std::vector<PreparedItem> items;
  for (size_t k = 0; k < manifest.items.size(); ++k)
    items.push_back(PrepareItem(manifest.items[k], static_cast<int>(k), manifest));

  const std::string partial = options.outputPath + ".part";
  try {
    Output out(partial, options);
    out.CopyFile(options.playerPath);
    std::string index;
    for (size_t k = 0; k < items.size(); ++k) {
      index += RecordText(project::kItemTag, std::to_string(out.Position()));
      if (items[k].embedded) out.CopyFile(items[k].item->source);
      if (options.progress && items.size() >= 20 && (k + 1) % 10 == 0)
        options.progress("item " + std::to_string(k + 1) + " of " + std::to_string(items.size()));
    }
    index += RecordText(project::kItemTag, std::to_string(out.Position()));
    if (manifest.dialogImage) out.CopyFile(*manifest.dialogImage);
    index += RecordText(project::kItemTag, std::to_string(out.Position()));
    for (const auto& music : manifest.music) {
      index += RecordText(project::kMusicTag, std::to_string(out.Position()));
      if (manifest.mediaEmbedded) out.CopyFile(music.source);
    }
    index += RecordText(project::kPictureRecordsTag, std::to_string(out.Position()));
    for (const auto& item : items) out.Write(item.record);
    index += RecordText(project::kHeaderTag, std::to_string(out.Position()));
    out.Write(header);
    if (index.size() > project::kMaxIndexBlock) throw ManifestError("the show has too many items for its index");
    out.Write(index);
    out.Write(project::TrailerText(static_cast<int32_t>(index.size())));
    out.Close(partial);
    std::filesystem::rename(base::PathFromUtf8(partial), base::PathFromUtf8(options.outputPath));
    for (const auto& item : items)
      if (!item.embedded && item.kind == project::kFlashItem) CopyBesideOutput(*item.item, options.outputPath);
  } catch (...) {
    base::DeleteFileQuietly(partial);
    throw;
  }
}

}  // namespace showpack
