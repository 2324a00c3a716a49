// Writes picture files field by field, for the formats and variants that no
// tool here writes: Autodesk CEL, Dr. Halo CUT and its palette file,
// Wavefront RLA, Paint Shop Pro and Photo CD.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "fixtures.h"

namespace imageformats::testing {

class ByteWriter {
 public:
  ByteWriter& U8(uint32_t v);
  ByteWriter& U16(uint32_t v);  // little-endian
  ByteWriter& U32(uint32_t v);
  ByteWriter& U16Be(uint32_t v);
  ByteWriter& U32Be(uint32_t v);
  ByteWriter& Bytes(std::span<const uint8_t> data);
  ByteWriter& Text(std::string_view text);
  ByteWriter& Zeros(size_t count);
  size_t Size() const { return bytes.size(); }
  std::vector<uint8_t> bytes;
};

// Stretches of equal bytes (runs) and of others (literals), at most `maxRun`
// and `maxLiteral` long, as run-length encoders cut their input.
struct Stretch {
  bool run;
  size_t start;
  size_t length;
};
std::vector<Stretch> SplitRuns(std::span<const uint8_t> data, size_t maxRun, size_t maxLiteral);

// Animator CEL: indices into 256 colours of 6-bit levels.
std::vector<uint8_t> CelFile(int width, int height, const std::vector<uint8_t>& indices,
                             const std::vector<std::array<uint8_t, 3>>& palette);

// Dr. Halo CUT of colour indices, and a palette file of colours whose levels
// run from 0 to `maxLevel` (in 512-byte blocks).
std::vector<uint8_t> CutFile(int width, int height, const std::vector<uint8_t>& indices);
std::vector<uint8_t> HaloPalette(const std::vector<std::array<uint16_t, 3>>& colours, uint16_t maxLevel);

// Wavefront RLA of an RGB (or grey, from the red level) picture, with its
// alpha as a matte channel when `matte`. Channels of 16 bits hold each
// level as the high byte of a sample whose low byte varies.
std::vector<uint8_t> RlaFile(const KnownImage& image, bool grey, bool matte, int colourBits = 8, int matteBits = 8);

// A Paint Shop Pro file whose first raster layer holds `layer` (its alpha as
// a transparency mask when `mask`), placed at (left, top) on a picture of
// imageWidth x imageHeight. Grey layers store the red level (its top `bits`
// bits); paletted ones the index of each colour in `palette`.
struct PspLayout {
  int major = 5;        // file format version: 3 has the old block headers
  int compression = 0;  // none, RLE, LZ77
  enum Kind { kRgb, kGrey, kPaletted } kind = kRgb;
  int bits = 8;         // grey and paletted: 8, 4 or 1 bits a pixel, packed from the high bit
  bool mask = false;
  bool padRows = false;  // uncompressed rows padded to 4 bytes
  bool vectorLayerFirst = false;  // a layer without bitmaps before the raster one
  int left = 0;
  int top = 0;
  int imageWidth = 0;
  int imageHeight = 0;
  std::vector<raster::Pixel> palette;
};
std::vector<uint8_t> PspFile(const KnownImage& layer, const PspLayout& layout);

// A Photo CD image pack whose base image has the given luma and chroma at
// every pixel (chroma taken at even x and y), and the rotation code 0..3.
struct Ycc {
  uint8_t luma;
  uint8_t c1;
  uint8_t c2;
};
std::vector<uint8_t> PhotoCdFile(Ycc (*colour)(int x, int y), int rotation);

// An APP1 "Exif" segment (marker included): a TIFF header and IFD0 with
// `entries` entries, the first being the orientation tag of `type` with
// `value`; `cut` bytes are left off its end.
struct Exif {
  bool bigEndian = false;
  uint16_t value = 1;
  uint16_t type = 3;
  uint16_t entries = 1;
  uint32_t ifdOffset = 8;
  size_t cut = 0;
};
std::vector<uint8_t> App1(const Exif& exif);

// `jpeg` with `segment` inserted after its start-of-image marker.
std::vector<uint8_t> WithApp1(std::vector<uint8_t> jpeg, const std::vector<uint8_t>& segment);

}  // namespace imageformats::testing
