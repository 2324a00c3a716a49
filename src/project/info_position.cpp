#include "project/info_position.h"

#include <string>

#include "base/ascii.h"
#include "project/project_errors.h"
#include "project/record_text.h"

namespace project {

std::optional<int32_t> ParseTrailer(std::string_view trailer) {
  return base::ParseInt32(base::TrimControls(base::UpToNul(trailer)));
}

std::string TrailerText(int32_t indexLength) {
  std::string trailer = std::to_string(indexLength);
  trailer.resize(kTrailerSize, ' ');
  return trailer;
}

void TInfoPosition::ParseIndex(std::string_view text) {
  ForEachRecord(text, [this](uint8_t tag, std::string_view value) {
    switch (tag) {
      case kItemTag: case kItemTag + 1: case kItemTag + 2: ItemOffsets.push_back(IntegerValue(value)); break;
      case kMusicTag: MusicOffsets.push_back(IntegerValue(value)); break;
      case kPictureRecordsTag: PictureRecordsStart = IntegerValue(value); break;
      case kHeaderTag: HeaderStart = IntegerValue(value); break;
      default: break;  // unknown tags are skipped
    }
  });
}

void TInfoPosition::ReadIndex(ProgramFile& file) {
  const int64_t fileLength = file.Length();
  if (fileLength < 0) throw ContainerError("The program file's length cannot be read.");
  if (fileLength < kTrailerSize)
    throw ContainerError("This screensaver holds no show: the program file is too short to carry one.");

  char trailer[kTrailerSize];
  if (file.ReadAt(fileLength - kTrailerSize, trailer, kTrailerSize) != kTrailerSize)
    throw ContainerError("The end of the program file cannot be read.");
  const auto indexLength = ParseTrailer(std::string_view(trailer, kTrailerSize));
  if (!indexLength)
    throw ContainerError("This screensaver holds no show: the end of its program file is not a project.");
  if (*indexLength < 0 || *indexLength > kMaxIndexBlock || *indexLength > fileLength - kTrailerSize)
    throw ContainerError("The show's index is damaged: its length " + std::to_string(*indexLength) +
                         " does not fit the program file.");

  IndexStart = static_cast<int32_t>(fileLength - *indexLength - kTrailerSize);
  std::string block(static_cast<size_t>(*indexLength), '\0');
  if (file.ReadAt(IndexStart, block.data(), block.size()) != static_cast<int64_t>(block.size()))
    throw ContainerError("The show's index cannot be read.");
  ParseIndex(base::UpToNul(block));

  // The blocks must lie in order: items, picture records, header, index.
  if (PictureRecordsStart < 0 || PictureRecordsStart > HeaderStart || HeaderStart > IndexStart)
    throw ContainerError("The show's index is damaged: its blocks are out of order.");
  if (HasHeaderBlock() && IndexStart - HeaderStart > kMaxHeaderBlock)
    throw ContainerError("The show's header is damaged: it is longer than 102,400 bytes.");
  for (const int32_t offset : ItemOffsets)
    if (offset < 0 || offset > IndexStart)
      throw ContainerError("The show's index is damaged: an item lies outside the program file.");
  int32_t previous = 0;
  for (const int32_t offset : MusicOffsets) {
    if (offset < previous || offset > PictureRecordsStart)
      throw ContainerError("The show's index is damaged: a music item lies outside its place.");
    previous = offset;
  }
}

}  // namespace project
