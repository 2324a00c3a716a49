// Writes Flash movie files at test time, tag by tag, plain (FWS), zlib- (CWS)
// or LZMA-compressed (ZWS), so the reader and the stand-in player are tested
// against movies whose every byte the test knows.
#pragma once

#include <lzma.h>
#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/paths.h"
#include "raster/color.h"
#include "raster/geometry.h"

namespace player::testing {

class BitWriter {
 public:
  void Bits(uint32_t value, int count) {
    for (int k = count - 1; k >= 0; --k) {
      if (used_ == 0) bytes.push_back(0);
      if ((value >> k) & 1u) bytes.back() |= static_cast<uint8_t>(0x80u >> used_);
      used_ = (used_ + 1) % 8;
    }
  }
  void Signed(int32_t value, int count) { Bits(static_cast<uint32_t>(value) & ((count == 32) ? ~0u : ((1u << count) - 1)), count); }
  void Align() { used_ = 0; }
  void U8(uint32_t v) {
    Align();
    bytes.push_back(static_cast<uint8_t>(v));
  }
  void U16(uint32_t v) {
    U8(v & 0xFF);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  std::vector<uint8_t> bytes;

 private:
  int used_ = 0;
};

// Bits a signed field needs for all of `values`.
inline int SignedBitsFor(std::initializer_list<int32_t> values) {
  int bits = 1;
  for (int32_t v : values)
    while (bits < 32 && (v < -(1 << (bits - 1)) || v >= (1 << (bits - 1)))) ++bits;
  return bits;
}

// One edge of a shape, relative to the pen: a line, or a quadratic curve
// through a control point.
struct EdgeDelta {
  int32_t dx = 0, dy = 0;
  bool curve = false;
  int32_t ax = 0, ay = 0;  // the anchor after the control point (curves)
};

class MovieWriter {
 public:
  MovieWriter(int widthPx, int heightPx, double framesPerSecond = 12, uint8_t version = 10)
      : width_(widthPx), height_(heightPx), rate_(static_cast<uint16_t>(framesPerSecond * 256)), version_(version) {}

  MovieWriter& Tag(uint16_t code, const std::vector<uint8_t>& body, bool longForm = false) {
    BitWriter w;
    if (body.size() < 0x3F && !longForm) {
      w.U16(static_cast<uint32_t>(code << 6) | static_cast<uint32_t>(body.size()));
    } else {
      w.U16(static_cast<uint32_t>(code << 6) | 0x3F);
      w.U32(static_cast<uint32_t>(body.size()));
    }
    tags_.insert(tags_.end(), w.bytes.begin(), w.bytes.end());
    tags_.insert(tags_.end(), body.begin(), body.end());
    return *this;
  }

  MovieWriter& Background(uint8_t r, uint8_t g, uint8_t b) { return Tag(9, {r, g, b}); }
  MovieWriter& ShowFrame() {
    ++frames_;
    return Tag(1, {});
  }
  MovieWriter& Stop() { return Tag(12, {0x07, 0x00}); }
  MovieWriter& GotoFrame(uint16_t frame) {
    return Tag(12, {0x81, 2, 0, static_cast<uint8_t>(frame), static_cast<uint8_t>(frame >> 8), 0});
  }

  // A shape of one solid fill bounded by edges from `start` (twips).
  MovieWriter& Shape(uint16_t id, raster::Pixel color, raster::Point start, const std::vector<EdgeDelta>& edges,
                     int version = 1) {
    BitWriter w;
    w.U16(id);
    WriteRect(w, {0, 0, width_ * 20, height_ * 20});
    w.U8(1);  // one fill style
    w.U8(0x00);
    w.U8(raster::PixelR(color));
    w.U8(raster::PixelG(color));
    w.U8(raster::PixelB(color));
    if (version >= 3) w.U8(raster::PixelA(color));
    w.U8(0);  // no line styles
    w.Align();
    w.Bits(1, 4);  // fill index bits
    w.Bits(0, 4);  // line index bits
    // Style change: move to the start, fill 1 on the right side.
    w.Bits(0, 1);
    w.Bits(0b00101, 5);
    const int moveBits = SignedBitsFor({start.x, start.y});
    w.Bits(static_cast<uint32_t>(moveBits), 5);
    w.Signed(start.x, moveBits);
    w.Signed(start.y, moveBits);
    w.Bits(1, 1);
    for (const EdgeDelta& e : edges) {
      w.Bits(1, 1);
      if (e.curve) {
        const int bits = std::max(2, SignedBitsFor({e.dx, e.dy, e.ax, e.ay}));
        w.Bits(0, 1);
        w.Bits(static_cast<uint32_t>(bits - 2), 4);
        for (int32_t v : {e.dx, e.dy, e.ax, e.ay}) w.Signed(v, bits);
      } else {
        const int bits = std::max(2, SignedBitsFor({e.dx, e.dy}));
        w.Bits(1, 1);
        w.Bits(static_cast<uint32_t>(bits - 2), 4);
        w.Bits(1, 1);  // general line
        w.Signed(e.dx, bits);
        w.Signed(e.dy, bits);
      }
    }
    w.Bits(0, 6);  // end of shape
    w.Align();
    return Tag(version == 1 ? 2 : version == 2 ? 22 : 32, w.bytes);
  }

  // An axis-parallel rectangle in twips.
  MovieWriter& RectShape(uint16_t id, raster::Rect r, raster::Pixel color, int version = 1) {
    return Shape(id, color, {r.left, r.top},
                 {{r.Width(), 0}, {0, r.Height()}, {-r.Width(), 0}, {0, -r.Height()}}, version);
  }

  // PlaceObject2: a new character at `depth` moved by (tx, ty) twips.
  MovieWriter& Place(uint16_t depth, uint16_t id, int32_t tx = 0, int32_t ty = 0) {
    BitWriter w;
    w.U8(0x06);  // has character, has matrix
    w.U16(depth);
    w.U16(id);
    WriteTranslate(w, tx, ty);
    return Tag(26, w.bytes);
  }
  // PlaceObject2 moving what is at `depth`.
  MovieWriter& Move(uint16_t depth, int32_t tx, int32_t ty) {
    BitWriter w;
    w.U8(0x05);  // move, has matrix
    w.U16(depth);
    WriteTranslate(w, tx, ty);
    return Tag(26, w.bytes);
  }
  // The first PlaceObject: character, depth, matrix.
  MovieWriter& PlaceOld(uint16_t depth, uint16_t id, int32_t tx, int32_t ty) {
    BitWriter w;
    w.U16(id);
    w.U16(depth);
    WriteTranslate(w, tx, ty);
    return Tag(4, w.bytes);
  }
  MovieWriter& Remove(uint16_t depth) { return Tag(28, {static_cast<uint8_t>(depth), static_cast<uint8_t>(depth >> 8)}); }

  // The whole file. `frameCount` < 0: the number of ShowFrame tags.
  std::vector<uint8_t> Finish(char compression = 'F', int frameCount = -1) const {
    BitWriter body;
    WriteRect(body, {0, 0, width_ * 20, height_ * 20});
    body.U16(rate_);
    body.U16(static_cast<uint32_t>(frameCount < 0 ? frames_ : frameCount));
    std::vector<uint8_t> all = body.bytes;
    all.insert(all.end(), tags_.begin(), tags_.end());
    all.push_back(0);  // End
    all.push_back(0);
    return Pack(compression, version_, all);
  }

  // A file header and `body` packed as `compression` says.
  static std::vector<uint8_t> Pack(char compression, uint8_t version, const std::vector<uint8_t>& body) {
    BitWriter head;
    head.U8(static_cast<uint8_t>(compression));
    head.U8('W');
    head.U8('S');
    head.U8(version);
    head.U32(static_cast<uint32_t>(body.size() + 8));
    std::vector<uint8_t> file = head.bytes;
    if (compression == 'F') {
      file.insert(file.end(), body.begin(), body.end());
    } else if (compression == 'C') {
      std::vector<uint8_t> packed(compressBound(static_cast<uLong>(body.size())));
      uLongf size = static_cast<uLongf>(packed.size());
      if (compress2(packed.data(), &size, body.data(), static_cast<uLong>(body.size()), 9) != Z_OK)
        throw std::runtime_error("compress2");
      file.insert(file.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(size));
    } else {
      const std::vector<uint8_t> packed = LzmaRaw(body);
      BitWriter w;
      w.U32(static_cast<uint32_t>(packed.size() - 5));
      file.insert(file.end(), w.bytes.begin(), w.bytes.end());
      file.insert(file.end(), packed.begin(), packed.end());
    }
    return file;
  }

  int frames() const { return frames_; }

 private:
  // The 5 property bytes, then raw LZMA data with an end marker.
  static std::vector<uint8_t> LzmaRaw(const std::vector<uint8_t>& body) {
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    options.dict_size = 1 << 16;
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    std::vector<uint8_t> out(5);
    lzma_properties_encode(&filters[0], out.data());
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_raw_encoder(&stream, filters) != LZMA_OK) throw std::runtime_error("lzma_raw_encoder");
    std::vector<uint8_t> buffer(body.size() + 1024);
    stream.next_in = body.data();
    stream.avail_in = body.size();
    stream.next_out = buffer.data();
    stream.avail_out = buffer.size();
    const lzma_ret status = lzma_code(&stream, LZMA_FINISH);
    const size_t written = buffer.size() - stream.avail_out;
    lzma_end(&stream);
    if (status != LZMA_STREAM_END) throw std::runtime_error("lzma_code");
    out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(written));
    return out;
  }

  static void WriteRect(BitWriter& w, raster::Rect r) {
    const int bits = SignedBitsFor({r.left, r.right, r.top, r.bottom});
    w.Align();
    w.Bits(static_cast<uint32_t>(bits), 5);
    for (int32_t v : {r.left, r.right, r.top, r.bottom}) w.Signed(v, bits);
    w.Align();
  }
  static void WriteTranslate(BitWriter& w, int32_t tx, int32_t ty) {
    w.Align();
    w.Bits(0, 1);  // no scale
    w.Bits(0, 1);  // no rotation
    const int bits = SignedBitsFor({tx, ty});
    w.Bits(static_cast<uint32_t>(bits), 5);
    w.Signed(tx, bits);
    w.Signed(ty, bits);
    w.Align();
  }

  int width_, height_;
  uint16_t rate_;
  uint8_t version_;
  std::vector<uint8_t> tags_;
  int frames_ = 0;
};

inline std::string WriteMovie(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (!base::WriteWholeFile(path, bytes.data(), bytes.size())) throw std::runtime_error("cannot write " + path);
  return path;
}

}  // namespace player::testing
