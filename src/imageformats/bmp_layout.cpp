#include "imageformats/bmp_layout.h"

#include <bit>
#include <string>

#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

bool IsKnownHeaderSize(uint32_t size) {
  switch (size) {
    case 12: case 40: case 52: case 56: case 64: case 108: case 124: return true;
    default: return false;
  }
}

void CheckDepthAndCompression(const BmpLayout& l) {
  switch (l.bitCount) {
    case 1: case 2: case 4: case 8: case 16: case 24: case 32: break;
    default: Fail(Format::Bmp, "unsupported bit depth " + std::to_string(l.bitCount));
  }
  const bool ok = l.compression == kBmpRgb ||
                  (l.compression == kBmpRle8 && l.bitCount == 8) ||
                  (l.compression == kBmpRle4 && l.bitCount == 4) ||
                  ((l.compression == kBmpBitFields || l.compression == kBmpAlphaBitFields) &&
                   (l.bitCount == 16 || l.bitCount == 32));
  if (!ok)
    Fail(Format::Bmp, "unsupported compression " + std::to_string(l.compression) + " at " +
                          std::to_string(l.bitCount) + " bits");
}

void SetMasks(BmpLayout& l, uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  l.channels = {BmpChannel::FromMask(r), BmpChannel::FromMask(g), BmpChannel::FromMask(b),
                BmpChannel::FromMask(a)};
  l.hasAlpha = a != 0;
}

}  // namespace

BmpChannel BmpChannel::FromMask(uint32_t mask) {
  BmpChannel c;
  if (mask == 0) return c;
  c.mask = mask;
  c.shift = std::countr_zero(mask);
  c.max = mask >> c.shift;
  return c;
}

BmpLayout ReadBmpLayout(std::span<const uint8_t> data, const DecodeOptions& options) {
  ByteReader in(data, Format::Bmp);
  BmpLayout l;
  size_t headerStart = 0;
  uint32_t fileOffset = 0;
  if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') {
    in.Skip(10, "file header");
    fileOffset = in.U32("file header");
    headerStart = kFileHeaderSize;
  } else if (data.size() < 4 || !IsKnownHeaderSize(in.U32("header"))) {
    Fail(Format::Bmp, "not a bitmap file");
  }
  in.Seek(headerStart, "header");
  const uint32_t headerSize = in.U32("info header");
  // Checked before any offset is computed from it: a huge size would wrap
  // the palette's position in a 32-bit program.
  if (headerSize > data.size() - headerStart) Fail(Format::Bmp, "info header ends early");
  int64_t width = 0;
  int64_t height = 0;
  uint64_t paletteEntries = 0;  // colours used; 0 = all 2^bits
  bool core = false;
  if (headerSize == kCoreHeaderSize) {
    core = true;
    width = in.U16("info header");
    height = in.U16("info header");
    in.Skip(2, "info header");
    l.bitCount = in.U16("info header");
  } else if (headerSize >= kInfoHeaderSize) {
    width = in.I32("info header");
    height = in.I32("info header");
    in.Skip(2, "info header");
    l.bitCount = in.U16("info header");
    l.compression = in.U32("info header");
    in.Skip(12, "info header");
    paletteEntries = in.U32("info header");
    in.Skip(4, "info header");
  } else {
    Fail(Format::Bmp, "unsupported header size " + std::to_string(headerSize));
  }
  if (height < 0) {
    l.topDown = true;
    height = -height;
  }
  CheckPictureSize(Format::Bmp, width, height, options);
  l.width = static_cast<int>(width);
  l.height = static_cast<int>(height);
  CheckDepthAndCompression(l);

  // Bit-field masks: inside a V2 or later header, else just after the 40 bytes.
  size_t tableStart = headerStart + headerSize;
  if (l.compression == kBmpBitFields || l.compression == kBmpAlphaBitFields) {
    const bool withAlpha = l.compression == kBmpAlphaBitFields || headerSize >= 56;
    in.Seek(headerStart + kInfoHeaderSize, "colour masks");
    const uint32_t r = in.U32("colour masks");
    const uint32_t g = in.U32("colour masks");
    const uint32_t b = in.U32("colour masks");
    const uint32_t a = withAlpha ? in.U32("colour masks") : 0;
    if ((r | g | b) == 0) Fail(Format::Bmp, "bad colour masks");
    SetMasks(l, r, g, b, a);
    if (headerSize == kInfoHeaderSize) tableStart = in.Position();
  } else if (l.bitCount == 16) {
    SetMasks(l, 0x7C00, 0x03E0, 0x001F, 0);
  } else {
    SetMasks(l, 0xFF0000, 0xFF00, 0xFF, 0);
  }

  // The palette: colorsUsed entries (all 2^bits when 0), of which at most
  // 2^bits matter. Entries the file leaves out stay black.
  if (l.bitCount <= 8) {
    const uint32_t full = 1u << l.bitCount;
    if (paletteEntries == 0) paletteEntries = full;
    l.palette.assign(full, raster::MakePixel(0, 0, 0));
    const size_t entrySize = core ? 3 : 4;
    in.Seek(tableStart, "palette");
    const uint64_t used = std::min<uint64_t>(paletteEntries, full);
    for (uint64_t i = 0; i < used; ++i) {
      auto e = in.Bytes(entrySize, "palette");
      l.palette[i] = raster::MakePixel(e[2], e[1], e[0]);
    }
  }
  const uint64_t afterTables = tableStart + paletteEntries * (core ? 3 : 4);
  const uint64_t offset = fileOffset != 0 ? fileOffset : afterTables;
  if (offset > data.size()) Fail(Format::Bmp, "pixel data offset beyond the end of the data");
  l.pixelOffset = static_cast<size_t>(offset);
  return l;
}

}  // namespace imageformats
