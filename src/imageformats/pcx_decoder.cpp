// ZSoft PCX: 1 bit in 1 to 4 planes, 2 or 4 bits in one plane (colours from
// the header's 16-colour table), 8 bits in one plane (the 256-colour table at
// the end of the file, after the byte 12), 8 bits in 3 or 4 planes (RGB,
// RGBA). Each scan line holds every plane's bytes per line in turn; RLE runs
// may continue into the next line, but not past the last one.
#include <vector>

#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

constexpr Format kPcx = Format::Pcx;
constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteSize = 769;  // marker byte and 256 RGB entries
constexpr uint8_t kPaletteMarker = 12;

struct PcxHeader {
  bool rle = false;
  int bits = 0;
  int planes = 0;
  int64_t width = 0;
  int64_t height = 0;
  uint32_t bytesPerLine = 0;
  Palette colours;  // the header's 16 entries

  bool Indexed() const { return planes == 1 || bits == 1; }
};

PcxHeader ReadHeader(ByteReader& in) {
  PcxHeader h;
  if (in.U8("header") != 0x0A) Fail(kPcx, "not a PCX file");
  in.Skip(1, "header");  // version
  const uint8_t encoding = in.U8("header");
  if (encoding > 1) Fail(kPcx, "unknown encoding " + std::to_string(encoding));
  h.rle = encoding == 1;
  h.bits = in.U8("header");
  const uint16_t xmin = in.U16("header");
  const uint16_t ymin = in.U16("header");
  const uint16_t xmax = in.U16("header");
  const uint16_t ymax = in.U16("header");
  in.Skip(4, "header");  // resolution
  for (int i = 0; i < 16; ++i) {
    const auto rgb = in.Bytes(3, "header");
    h.colours.push_back(raster::MakePixel(rgb[0], rgb[1], rgb[2]));
  }
  in.Skip(1, "header");
  h.planes = in.U8("header");
  h.bytesPerLine = in.U16("header");
  in.Seek(kHeaderSize, "header");
  h.width = int64_t{xmax} - xmin + 1;
  h.height = int64_t{ymax} - ymin + 1;
  const bool known = (h.bits == 1 && h.planes >= 1 && h.planes <= 4) ||
                     ((h.bits == 2 || h.bits == 4) && h.planes == 1) ||
                     (h.bits == 8 && (h.planes == 1 || h.planes == 3 || h.planes == 4));
  if (!known)
    Fail(kPcx, "unsupported layout of " + std::to_string(h.planes) + " planes at " + std::to_string(h.bits) + " bits");
  return h;
}

// The decompressed bytes, one scan line at a time.
class LineReader {
 public:
  LineReader(ByteReader in, bool rle) : in_(in), rle_(rle) {}

  void Next(std::vector<uint8_t>& line) {
    for (uint8_t& byte : line) {
      if (!rle_) {
        byte = in_.U8("pixel data");
        continue;
      }
      if (repeat_ == 0) {
        const uint8_t code = in_.U8("pixel data");
        if ((code & 0xC0) == 0xC0) {
          repeat_ = code & 0x3F;
          value_ = in_.U8("pixel data");
        } else {
          repeat_ = 1;
          value_ = code;
        }
        if (repeat_ == 0) continue;  // a run of nothing
      }
      byte = value_;
      --repeat_;
    }
  }

  // A run that still has bytes left after the last line passes the picture.
  bool RunPending() const { return repeat_ > 0; }

 private:
  ByteReader in_;
  bool rle_;
  uint32_t repeat_ = 0;
  uint8_t value_ = 0;
};

}  // namespace

raster::Bitmap DecodePcx(std::span<const uint8_t> data, const DecodeOptions& options) {
  ByteReader in(data, kPcx);
  const PcxHeader h = ReadHeader(in);
  CheckPictureSize(kPcx, h.width, h.height, options);
  const auto width = static_cast<int>(h.width);
  const auto height = static_cast<int>(h.height);
  if (uint64_t{h.bytesPerLine} * 8 < static_cast<uint64_t>(width) * h.bits)
    Fail(kPcx, "bytes per line too few for the width");

  Palette palette = h.colours;
  size_t dataEnd = data.size();
  if (h.bits == 8 && h.planes == 1) {
    if (data.size() < kHeaderSize + kPaletteSize || data[data.size() - kPaletteSize] != kPaletteMarker)
      Fail(kPcx, "256-colour palette missing");
    dataEnd = data.size() - kPaletteSize;
    palette = Palette();
    for (size_t i = dataEnd + 1; i < data.size(); i += 3) palette.push_back(raster::MakePixel(data[i], data[i + 1], data[i + 2]));
  } else if (h.bits == 1 && h.planes == 1) {
    palette = Palette({raster::MakePixel(0, 0, 0), raster::MakePixel(255, 255, 255)});
  }
  const uint64_t lineBytes = uint64_t{h.bytesPerLine} * h.planes;
  // A run of two bytes gives at most 63.
  CheckDataCovers(kPcx, dataEnd - kHeaderSize, lineBytes * static_cast<uint64_t>(height), h.rle ? 32 : 1);

  LineReader lines(ByteReader(data.subspan(kHeaderSize, dataEnd - kHeaderSize), kPcx), h.rle);
  std::vector<uint8_t> line(static_cast<size_t>(lineBytes));
  raster::Bitmap bitmap(width, height);
  const auto planeByte = [&](int plane, int offset) { return line[plane * size_t{h.bytesPerLine} + static_cast<size_t>(offset)]; };
  for (int y = 0; y < height; ++y) {
    lines.Next(line);
    raster::Pixel* row = bitmap.Row(y);
    for (int x = 0; x < width; ++x) {
      if (!h.Indexed()) {
        row[x] = raster::MakePixel(planeByte(0, x), planeByte(1, x), planeByte(2, x), h.planes == 4 ? planeByte(3, x) : 255);
        continue;
      }
      uint32_t index = 0;
      if (h.bits == 1) {
        for (int p = 0; p < h.planes; ++p) index |= ((planeByte(p, x / 8) >> (7 - x % 8)) & 1u) << p;
      } else {
        const int perByte = 8 / h.bits;
        const int shift = 8 - h.bits * (x % perByte + 1);
        index = (planeByte(0, x / perByte) >> shift) & ((1u << h.bits) - 1);
      }
      row[x] = palette[index];
    }
  }
  if (lines.RunPending()) Fail(kPcx, "RLE run passes the end of the picture");
  return bitmap;
}

}  // namespace imageformats
