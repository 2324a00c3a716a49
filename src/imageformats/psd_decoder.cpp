// Photoshop documents: the composite image that follows the layers, raw or
// PackBits-compressed, in bitmap (1 bit, 1 is black), grey and duotone (shown
// as grey), indexed, RGB and CMYK modes at 8 or 16 bits a sample. The first
// channel beyond the colour ones is the alpha channel; the composite's partly
// transparent colours are stored blended with white, and are taken back to
// their own colour. Every section length, channel count and row byte count is
// checked against the file.
#include <algorithm>
#include <vector>

#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

constexpr Format kPsd = Format::Psd;
constexpr int kMaxChannels = 56;

enum Mode : uint16_t { kBitmap = 0, kGrey = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kDuotone = 8 };

int ColourChannels(uint16_t mode) {
  switch (mode) {
    case kBitmap: case kGrey: case kIndexed: case kDuotone: return 1;
    case kRgb: return 3;
    case kCmyk: return 4;
    default: Fail(kPsd, "unsupported colour mode " + std::to_string(mode));
  }
}

// One row of PackBits: n of 0..127 copies n + 1 bytes, -1..-127 repeats the
// next byte 1 - n times, -128 does nothing.
void UnpackRow(ByteReader packed, std::vector<uint8_t>& out) {
  size_t x = 0;
  while (x < out.size()) {
    const auto n = static_cast<int8_t>(packed.U8("RLE row"));
    if (n == -128) continue;
    const size_t count = n >= 0 ? size_t(n) + 1 : size_t(1 - n);
    if (count > out.size() - x) Fail(kPsd, "RLE run passes the end of the row");
    if (n >= 0) {
      for (uint8_t b : packed.Bytes(count, "RLE row")) out[x++] = b;
    } else {
      const uint8_t value = packed.U8("RLE row");
      for (size_t i = 0; i < count; ++i) out[x++] = value;
    }
  }
}

// The colour under `alpha` before it was blended with white.
uint8_t WithoutWhiteMatte(uint8_t stored, uint8_t alpha) {
  if (alpha == 0 || alpha == 255) return stored;
  const int white = 255 - alpha;
  return static_cast<uint8_t>(std::clamp((stored - white) * 255 / alpha, 0, 255));
}

struct PsdLayout {
  int channels = 0;  // in the file
  int width = 0;
  int height = 0;
  int depth = 0;
  uint16_t mode = 0;
  Palette palette;
};

}  // namespace

raster::Bitmap DecodePsd(std::span<const uint8_t> data, const DecodeOptions& options) {
  ByteReader in(data, kPsd);
  const auto signature = in.Bytes(4, "header");
  if (signature[0] != '8' || signature[1] != 'B' || signature[2] != 'P' || signature[3] != 'S')
    Fail(kPsd, "not a Photoshop file");
  if (in.U16Be("header") != 1) Fail(kPsd, "unsupported version");
  in.Skip(6, "header");
  PsdLayout l;
  l.channels = in.U16Be("header");
  const uint32_t height = in.U32Be("header");
  const uint32_t width = in.U32Be("header");
  l.depth = in.U16Be("header");
  l.mode = in.U16Be("header");
  if (l.channels < 1 || l.channels > kMaxChannels) Fail(kPsd, "bad channel count " + std::to_string(l.channels));
  const int colours = ColourChannels(l.mode);
  if (l.channels < colours) Fail(kPsd, std::to_string(l.channels) + " channels are too few for the colour mode");
  if (l.depth != 1 && l.depth != 8 && l.depth != 16)
    Fail(kPsd, "unsupported depth " + std::to_string(l.depth));
  if ((l.mode == kBitmap) != (l.depth == 1)) Fail(kPsd, "1 bit a sample is for bitmap mode only");
  if (l.mode == kIndexed && l.depth != 8) Fail(kPsd, "indexed colour needs 8 bits a sample");
  CheckPictureSize(kPsd, width, height, options);
  l.width = static_cast<int>(width);
  l.height = static_cast<int>(height);

  ByteReader modeData = in.Section(in.U32Be("colour mode data"), "colour mode data");
  if (l.mode == kIndexed) {
    // 256 reds, then 256 greens, then 256 blues; a short table leaves black.
    const auto table = modeData.Rest();
    const size_t entries = table.size() / 3;
    for (size_t i = 0; i < entries; ++i)
      l.palette.push_back(raster::MakePixel(table[i], table[entries + i], table[2 * entries + i]));
  }
  in.Skip(in.U32Be("image resources"), "image resources");
  in.Skip(in.U32Be("layer section"), "layer section");
  const uint16_t compression = in.U16Be("compression");
  if (compression > 1) Fail(kPsd, "unsupported compression " + std::to_string(compression));

  // The channels that make the picture: the colour ones and one alpha.
  const int used = l.channels > colours && l.mode != kIndexed && l.mode != kBitmap ? colours + 1 : colours;
  const uint64_t rowBytes = l.depth == 1 ? (width + 7) / 8 : uint64_t{width} * (l.depth / 8);
  const uint64_t rows = uint64_t{height} * static_cast<uint64_t>(l.channels);
  // Where each row of each channel starts, and its length.
  std::vector<std::span<const uint8_t>> rowData(static_cast<size_t>(uint64_t{height} * used));
  if (compression == 0) {
    CheckDataCovers(kPsd, in.Remaining(), rowBytes * height * used, 1);
    for (auto& row : rowData) row = in.Bytes(static_cast<size_t>(rowBytes), "pixel data");
  } else {
    CheckDataCovers(kPsd, in.Remaining(), rows * 2, 1);
    ByteReader counts = in.Section(static_cast<size_t>(rows * 2), "row byte counts");
    CheckDataCovers(kPsd, in.Remaining(), rowBytes * height * used, 64);
    for (auto& row : rowData) row = in.Bytes(counts.U16Be("row byte counts"), "pixel data");
  }

  raster::Bitmap bitmap(l.width, l.height);
  std::vector<std::vector<uint8_t>> samples(static_cast<size_t>(used), std::vector<uint8_t>(static_cast<size_t>(rowBytes)));
  const auto sample = [&](int channel, int x) -> uint8_t {
    const std::vector<uint8_t>& s = samples[static_cast<size_t>(channel)];
    if (l.depth == 16) return ScaleToByte((s[2 * size_t(x)] << 8) | s[2 * size_t(x) + 1], 65535);
    return s[static_cast<size_t>(x)];
  };
  for (int y = 0; y < l.height; ++y) {
    for (int c = 0; c < used; ++c) {
      const auto source = rowData[static_cast<size_t>(c) * height + static_cast<size_t>(y)];
      auto& out = samples[static_cast<size_t>(c)];
      if (compression == 0) out.assign(source.begin(), source.end());
      else UnpackRow(ByteReader(source, kPsd), out);
    }
    raster::Pixel* row = bitmap.Row(y);
    for (int x = 0; x < l.width; ++x) {
      const uint8_t alpha = used > colours ? sample(colours, x) : 255;
      switch (l.mode) {
        case kBitmap: {
          const bool black = ((samples[0][static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1) != 0;
          row[x] = black ? raster::MakePixel(0, 0, 0) : raster::MakePixel(255, 255, 255);
          break;
        }
        case kIndexed: row[x] = l.palette[samples[0][static_cast<size_t>(x)]]; break;
        case kRgb:
          row[x] = raster::MakePixel(WithoutWhiteMatte(sample(0, x), alpha), WithoutWhiteMatte(sample(1, x), alpha),
                                     WithoutWhiteMatte(sample(2, x), alpha), alpha);
          break;
        case kCmyk: {
          // Stored inverted: 255 is no ink.
          const unsigned k = sample(3, x);
          const auto mix = [&](int c) { return static_cast<uint8_t>((sample(c, x) * k + 127) / 255); };
          row[x] = raster::MakePixel(mix(0), mix(1), mix(2), alpha);
          break;
        }
        default: {
          const uint8_t v = WithoutWhiteMatte(sample(0, x), alpha);
          row[x] = raster::MakePixel(v, v, v, alpha);
          break;
        }
      }
    }
  }
  return bitmap;
}

}  // namespace imageformats
