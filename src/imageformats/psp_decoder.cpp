// Paint Shop Pro images (file format versions 3 and later): the first raster
// layer of the layer bank, placed on a transparent picture of the image's
// size. Layers are 24-bit (red, green and blue channels), grey or paletted
// (one channel of 8, 4 or 1 bits a pixel, packed from the high bit down),
// with an optional 8-bit transparency mask; channels are stored uncompressed
// (rows padded to 4 bytes or not), run-length encoded or LZ77 (zlib)
// compressed. Blocks start "~BK\0" with their type and length; from
// version 4 on every information chunk begins with its own length.
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include <zlib.h>

#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

constexpr Format kPsp = Format::Psp;
constexpr char kSignature[] = "Paint Shop Pro Image File\n\x1a";
constexpr size_t kSignatureSize = 32;  // the text above, padded with zeros

enum BlockId : uint16_t { kImageBlock = 0, kPaletteBlock = 2, kLayerBankBlock = 3, kLayerBlock = 4, kChannelBlock = 5 };
enum Compression : uint16_t { kNone = 0, kRle = 1, kLz77 = 2 };
enum BitmapType : uint16_t { kImageBitmap = 0, kTransparencyMask = 1 };
enum ChannelType : uint16_t { kComposite = 0, kRed = 1, kGreen = 2, kBlue = 3 };

struct Block {
  uint16_t id = 0;
  uint32_t initialLength = 0;  // version 3: the information chunk's length
  ByteReader body;
};

struct ImageAttributes {
  int64_t width = 0;
  int64_t height = 0;
  uint16_t compression = 0;
  uint16_t bitDepth = 0;
  bool grey = false;
};

class PspReader {
 public:
  PspReader(std::span<const uint8_t> data, const DecodeOptions& options) : in_(data, kPsp), options_(options) {}

  raster::Bitmap Decode() {
    const auto signature = in_.Bytes(kSignatureSize, "header");
    if (std::memcmp(signature.data(), kSignature, sizeof kSignature) != 0) Fail(kPsp, "not a Paint Shop Pro image");
    major_ = in_.U16("header");
    in_.Skip(2, "header");  // minor version
    if (major_ < 3) Fail(kPsp, "unsupported file version " + std::to_string(major_));
    while (!in_.AtEnd()) {
      Block block = NextBlock(in_);
      switch (block.id) {
        case kImageBlock: ReadAttributes(block); break;
        case kPaletteBlock: ReadPalette(block); break;
        case kLayerBankBlock:
          if (!attributes_) Fail(kPsp, "layers before the image attributes");
          if (auto picture = FirstRasterLayer(block)) return std::move(*picture);
          break;
        default: break;
      }
    }
    Fail(kPsp, "no raster layer");
  }

 private:
  bool V3() const { return major_ < 4; }

  Block NextBlock(ByteReader& in) const {
    const auto mark = in.Bytes(4, "block header");
    if (std::memcmp(mark.data(), "~BK\0", 4) != 0) Fail(kPsp, "bad block header");
    Block block{in.U16("block header"), 0, ByteReader({}, kPsp)};
    if (V3()) block.initialLength = in.U32("block header");
    block.body = in.Section(in.U32("block header"), "block");
    return block;
  }

  // The information chunk at the front of a block (or the next chunk of it).
  ByteReader Chunk(Block& block) const {
    if (V3()) return block.body.Section(block.initialLength, "information chunk");
    const uint32_t size = block.body.U32("chunk");  // counts its own 4 bytes
    if (size < 4) Fail(kPsp, "bad chunk length");
    return block.body.Section(size - 4, "chunk");
  }

  void ReadAttributes(Block& block) {
    ByteReader chunk = Chunk(block);
    ImageAttributes a;
    a.width = chunk.I32("image attributes");
    a.height = chunk.I32("image attributes");
    chunk.Skip(9, "image attributes");  // resolution, metric
    a.compression = chunk.U16("image attributes");
    a.bitDepth = chunk.U16("image attributes");
    chunk.Skip(6, "image attributes");  // planes, colour count
    a.grey = chunk.U8("image attributes") != 0;
    CheckPictureSize(kPsp, a.width, a.height, options_);
    if (a.compression > kLz77) Fail(kPsp, "unsupported compression " + std::to_string(a.compression));
    if (a.bitDepth != 24 && a.bitDepth != 8 && a.bitDepth != 4 && a.bitDepth != 1) Fail(kPsp, "unsupported bit depth " + std::to_string(a.bitDepth));
    attributes_ = a;
  }

  void ReadPalette(Block& block) {
    ByteReader chunk = Chunk(block);
    const uint32_t count = chunk.U32("palette");
    CheckDataCovers(kPsp, block.body.Remaining(), uint64_t{count} * 4, 1);
    palette_ = Palette();
    for (uint32_t i = 0; i < count; ++i) {
      const auto bgrx = block.body.Bytes(4, "palette");
      palette_.push_back(raster::MakePixel(bgrx[2], bgrx[1], bgrx[0]));
    }
  }

  // The picture with the first layer that has pixels, or nothing when the
  // bank holds none (vector, adjustment and group layers have no bitmaps).
  std::optional<raster::Bitmap> FirstRasterLayer(Block& bank) {
    while (!bank.body.AtEnd()) {
      Block layer = NextBlock(bank.body);
      if (layer.id != kLayerBlock) continue;
      if (auto picture = ReadLayer(layer)) return picture;
    }
    return std::nullopt;
  }

  std::optional<raster::Bitmap> ReadLayer(Block& layer) {
    ByteReader info = Chunk(layer);
    if (V3()) info.Skip(256, "layer name");
    else info.Skip(info.U16("layer name"), "layer name");
    info.Skip(1 + 16, "layer information");  // type, image rectangle
    int32_t rect[4];  // left, top, right, bottom of the stored pixels
    for (int32_t& edge : rect) edge = info.I32("layer information");
    uint16_t bitmaps = 0;
    if (V3()) {
      info.Skip(5 + 32 + 2 + 43, "layer information");
      bitmaps = info.U16("layer information");
    } else {
      ByteReader counts = Chunk(layer);
      bitmaps = counts.U16("bitmap information");
    }
    const int64_t w = int64_t{rect[2]} - rect[0];
    const int64_t h = int64_t{rect[3]} - rect[1];
    if (bitmaps == 0 || w <= 0 || h <= 0) return std::nullopt;
    CheckPictureSize(kPsp, w, h, options_);

    const ImageAttributes& a = *attributes_;
    raster::Bitmap picture(static_cast<int>(a.width), static_cast<int>(a.height), raster::MakePixel(0, 0, 0, 0));
    // The layer's part of the picture: opaque black until its channels arrive.
    const raster::Rect place = raster::Rect{rect[0], rect[1], rect[2], rect[3]}.Intersect(picture.Bounds());
    for (int y = place.top; y < place.bottom && !place.IsEmpty(); ++y)
      std::fill(picture.Row(y) + place.left, picture.Row(y) + place.right, raster::MakePixel(0, 0, 0));
    bool colour = false;
    while (!layer.body.AtEnd()) {
      Block channel = NextBlock(layer.body);
      if (channel.id != kChannelBlock) continue;
      colour |= ReadChannel(channel, static_cast<int>(w), static_cast<int>(h), rect[0], rect[1], place, picture);
    }
    if (!colour) Fail(kPsp, "layer without colour channels");
    return picture;
  }

  // Decodes one channel onto the picture; true for a colour channel.
  bool ReadChannel(Block& block, int w, int h, int left, int top, const raster::Rect& place,
                   raster::Bitmap& picture) const {
    ByteReader info = Chunk(block);
    const uint32_t packedLength = info.U32("channel information");
    const uint32_t length = info.U32("channel information");
    const uint16_t bitmapType = info.U16("channel information");
    const uint16_t channelType = info.U16("channel information");
    if (bitmapType != kImageBitmap && bitmapType != kTransparencyMask) return false;  // user masks
    const ImageAttributes& a = *attributes_;
    const bool mask = bitmapType == kTransparencyMask;
    // Pictures of fewer than 8 bits pack their one colour channel; masks
    // always have a byte a pixel.
    const int bits = !mask && channelType == kComposite && a.bitDepth < 8 ? a.bitDepth : 8;
    // Rows of exactly the bytes of w pixels, or padded to a multiple of 4.
    const uint64_t rowBytes = (uint64_t{static_cast<uint32_t>(w)} * bits + 7) / 8;
    const uint64_t padded = (rowBytes + 3) / 4 * 4;
    const uint64_t stride = length / static_cast<uint64_t>(h);
    if ((stride != rowBytes && stride != padded) || stride * static_cast<uint64_t>(h) != length)
      Fail(kPsp, "channel size does not match the layer");
    const std::vector<uint8_t> samples = Unpack(block.body.Bytes(packedLength, "channel data"), length);

    ChannelRole role = ChannelRole::Alpha;
    if (!mask) {
      switch (channelType) {
        case kRed: role = ChannelRole::Red; break;
        case kGreen: role = ChannelRole::Green; break;
        case kBlue: role = ChannelRole::Blue; break;
        case kComposite: role = ChannelRole::Grey; break;
        default: Fail(kPsp, "unknown channel type " + std::to_string(channelType));
      }
    }
    const bool indexed = !mask && channelType == kComposite && a.bitDepth != 24 && !a.grey;
    const uint32_t maxLevel = (1u << bits) - 1;
    for (int y = place.top; y < place.bottom; ++y) {
      const uint8_t* in = samples.data() + static_cast<size_t>(y - top) * stride;
      raster::Pixel* out = picture.Row(y);
      for (int x = place.left; x < place.right; ++x) {
        const size_t bit = static_cast<size_t>(x - left) * bits;
        uint8_t v = static_cast<uint8_t>((in[bit / 8] >> (8 - bits - bit % 8)) & maxLevel);
        if (!indexed && bits < 8) v = ScaleToByte(v, maxLevel);
        if (indexed) out[x] = (out[x] & 0xFF000000u) | (palette_[v] & 0x00FFFFFFu);
        else PutChannel(out[x], role, v);
      }
    }
    return !mask;
  }

  std::vector<uint8_t> Unpack(std::span<const uint8_t> packed, uint32_t length) const {
    const uint16_t compression = attributes_->compression;
    // RLE makes at most 127 bytes of two; zlib at most about 1032 of one.
    CheckDataCovers(kPsp, packed.size(), length, compression == kNone ? 1 : compression == kRle ? 64 : 1032);
    std::vector<uint8_t> out(length);
    if (compression == kNone) {
      std::copy_n(packed.begin(), length, out.begin());
    } else if (compression == kRle) {
      ByteReader in(packed, kPsp);
      size_t x = 0;
      while (x < out.size()) {
        const uint8_t count = in.U8("channel data");
        const size_t n = count > 128 ? count - 128u : count;
        if (n > out.size() - x) Fail(kPsp, "RLE run passes the end of the channel");
        if (count > 128) std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(x), n, in.U8("channel data"));
        else std::copy_n(in.Bytes(n, "channel data").begin(), n, out.begin() + static_cast<std::ptrdiff_t>(x));
        x += n;
      }
    } else {
      Inflate(packed, out);
    }
    return out;
  }

  static void Inflate(std::span<const uint8_t> packed, std::vector<uint8_t>& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) Fail(kPsp, "cannot start inflating");
    z.next_in = const_cast<Bytef*>(packed.data());
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&z, Z_FINISH);
    const bool complete = result == Z_STREAM_END && z.avail_out == 0;
    inflateEnd(&z);
    if (!complete) Fail(kPsp, result == Z_DATA_ERROR ? "damaged LZ77 data" : "LZ77 data ends early");
  }

  ByteReader in_;
  const DecodeOptions& options_;
  uint16_t major_ = 0;
  std::optional<ImageAttributes> attributes_;
  Palette palette_;
};

}  // namespace

raster::Bitmap DecodePsp(std::span<const uint8_t> data, const DecodeOptions& options) {
  return PspReader(data, options).Decode();
}

}  // namespace imageformats
