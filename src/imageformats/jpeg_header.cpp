#include "imageformats/jpeg_header.h"

#include <algorithm>

#include "imageformats/byte_reader.h"
#include "imageformats/orientation.h"

namespace imageformats {
namespace {

constexpr uint8_t kApp1 = 0xE1;
constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;
constexpr size_t kIfdEntrySize = 12;

bool IsStartOfFrame(uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Reads IFD0 of the TIFF structure inside an EXIF segment; offsets count from
// the start of the TIFF header. Any read outside the segment ends the search.
int OrientationInTiff(std::span<const uint8_t> tiff) {
  ByteReader in(tiff, Format::Jpeg);
  const auto order = in.Bytes(2, "EXIF");
  bool bigEndian = false;
  if (order[0] == 'M' && order[1] == 'M') bigEndian = true;
  else if (order[0] != 'I' || order[1] != 'I') return 1;
  const auto u16 = [&] { return bigEndian ? in.U16Be("EXIF") : in.U16("EXIF"); };
  const auto u32 = [&] { return bigEndian ? in.U32Be("EXIF") : in.U32("EXIF"); };
  if (u16() != 42) return 1;
  in.Seek(u32(), "EXIF");
  const uint16_t entries = u16();
  // A count that claims more entries than the segment holds marks it damaged.
  if (uint64_t{entries} * kIfdEntrySize > in.Remaining()) return 1;
  for (uint16_t i = 0; i < entries; ++i) {
    const uint16_t tag = u16();
    const uint16_t type = u16();
    const uint32_t count = u32();
    const uint16_t value = u16();  // a SHORT sits in the first two bytes of the field
    in.Skip(2, "EXIF");
    if (tag == kOrientationTag) return type == kShortType && count >= 1 && value >= 1 && value <= 8 ? value : 1;
  }
  return 1;
}

}  // namespace

int JpegHeader::UprightWidth() const { return OrientationSwapsSides(orientation) ? height : width; }
int JpegHeader::UprightHeight() const { return OrientationSwapsSides(orientation) ? width : height; }

int ExifOrientation(std::span<const uint8_t> app1) {
  static constexpr uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0};
  if (app1.size() < sizeof kExif || !std::equal(std::begin(kExif), std::end(kExif), app1.begin())) return 1;
  try {
    return OrientationInTiff(app1.subspan(sizeof kExif));
  } catch (const DecodeError&) {
    return 1;  // the segment ends inside the structure: the picture stays as stored
  }
}

std::optional<JpegHeader> ReadJpegHeader(std::span<const uint8_t> bytes) {
  const size_t n = bytes.size();
  if (n < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
  JpegHeader header;
  bool sawExif = false;
  size_t pos = 2;
  while (pos < n) {
    if (bytes[pos] != 0xFF) return std::nullopt;
    while (pos < n && bytes[pos] == 0xFF) ++pos;  // fill bytes
    if (pos >= n) return std::nullopt;
    const uint8_t marker = bytes[pos++];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
    if (marker == 0xD9 || marker == 0xDA || n - pos < 2) return std::nullopt;
    const size_t length = (size_t{bytes[pos]} << 8) | bytes[pos + 1];
    if (length < 2) return std::nullopt;
    if (IsStartOfFrame(marker)) {
      if (length < 7 || n - pos < 7) return std::nullopt;
      header.height = (bytes[pos + 3] << 8) | bytes[pos + 4];
      header.width = (bytes[pos + 5] << 8) | bytes[pos + 6];
      return header;
    }
    // The first EXIF segment counts; others (XMP also uses APP1) are skipped.
    if (marker == kApp1 && !sawExif && length <= n - pos) {
      const auto payload = bytes.subspan(pos + 2, length - 2);
      sawExif = payload.size() >= 4 && std::equal(payload.begin(), payload.begin() + 4, "Exif");
      if (sawExif) header.orientation = ExifOrientation(payload);
    }
    pos += length;
  }
  return std::nullopt;
}

}  // namespace imageformats
