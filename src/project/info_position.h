// The container index at the end of the program file: where the items, the
// picture records and the header are. Layout, from the end of the file:
//   [10-byte trailer: index length L as decimal text]
//   [index block, L bytes]  [header block]  [picture record block]  [items]
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/program_file.h"

namespace project {

constexpr int kTrailerSize = 10;
constexpr int kMaxIndexBlock = 102400;
constexpr int kMaxHeaderBlock = 102400;

// Index record tags. '1', '2' and '3' each add an item offset (only their
// order counts); the writer uses '1'.
constexpr char kItemTag = '1';
constexpr char kMusicTag = '4';
constexpr char kPictureRecordsTag = '5';
constexpr char kHeaderTag = '6';

class TInfoPosition {
 public:
  std::vector<int32_t> ItemOffsets;
  std::vector<int32_t> MusicOffsets;
  int32_t PictureRecordsStart = 0;
  int32_t HeaderStart = 0;
  int32_t IndexStart = 0;

  // Reads the trailer and the index block and checks that the blocks lie in
  // order inside the file. Throws ContainerError for a damaged or absent
  // container and ConversionError for a value that is not a number.
  void ReadIndex(ProgramFile& file);
  void ParseIndex(std::string_view text);

  // An index without a header record leaves HeaderStart at 0; the program
  // image in front of the items is no header, so such a project has none.
  bool HasHeaderBlock() const { return HeaderStart > 0; }
};

// The trailer's length value: the text up to the first NUL, trimmed of blanks
// and control characters; nothing when it is not a decimal number.
std::optional<int32_t> ParseTrailer(std::string_view trailer);
// The trailer of an index block of `indexLength` bytes: the decimal digits,
// padded with blanks to kTrailerSize.
std::string TrailerText(int32_t indexLength);

}  // namespace project
