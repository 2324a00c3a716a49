// Portable bitmap, graymap and pixmap: P1, P2, P3 (samples as decimal text)
// and P4, P5, P6 (binary), maxval 1 to 65535 (binary samples above 255 take
// two bytes, most significant first). Bitmaps: 1 is black. A sample above
// maxval is a fault. Only the first picture of a file counts.
#include <string>

#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

constexpr Format kPnm = Format::Pnm;
constexpr uint32_t kMaxValue = 65535;

bool IsSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// Header tokens and text samples: white space and "#" comments (to the end of
// the line) separate them.
class TextReader {
 public:
  explicit TextReader(ByteReader& in) : in_(in) {}

  void SkipSpace() {
    while (!in_.AtEnd()) {
      const uint8_t c = in_.Rest()[0];
      if (c == '#') {
        while (!in_.AtEnd() && in_.Rest()[0] != '\n' && in_.Rest()[0] != '\r') in_.Skip(1, "comment");
      } else if (IsSpace(c)) {
        in_.Skip(1, "header");
      } else {
        return;
      }
    }
  }

  // A decimal number of at most `limit`.
  uint32_t Number(const char* what, uint32_t limit) {
    SkipSpace();
    if (in_.AtEnd()) in_.EndsEarly(what);
    if (!IsDigit(in_.Rest()[0])) Fail(kPnm, std::string("bad ") + what);
    uint64_t value = 0;
    while (!in_.AtEnd() && IsDigit(in_.Rest()[0])) {
      value = value * 10 + (in_.U8(what) - '0');
      if (value > limit) Fail(kPnm, std::string(what) + " too large");
    }
    return static_cast<uint32_t>(value);
  }

  // One bitmap digit of P1; the digits need no separator.
  uint32_t Bit() {
    SkipSpace();
    const uint8_t c = in_.U8("pixel data");
    if (c != '0' && c != '1') Fail(kPnm, "bad bitmap digit");
    return c - '0';
  }

 private:
  ByteReader& in_;
};

struct PnmHeader {
  char kind = 0;  // '1'..'6'
  int64_t width = 0;
  int64_t height = 0;
  uint32_t maxValue = 1;
  bool Bitmap() const { return kind == '1' || kind == '4'; }
  bool Text() const { return kind <= '3'; }
  int Channels() const { return kind == '3' || kind == '6' ? 3 : 1; }
};

PnmHeader ReadHeader(ByteReader& in, TextReader& text) {
  PnmHeader h;
  const auto magic = in.Bytes(2, "header");
  if (magic[0] != 'P' || magic[1] < '1' || magic[1] > '6') Fail(kPnm, "not a portable bitmap, graymap or pixmap");
  h.kind = static_cast<char>(magic[1]);
  h.width = text.Number("width", 0x7FFFFFFF);
  h.height = text.Number("height", 0x7FFFFFFF);
  if (!h.Bitmap()) {
    h.maxValue = text.Number("maxval", kMaxValue);
    if (h.maxValue == 0) Fail(kPnm, "maxval 0");
  }
  // Binary samples start after exactly one white-space character.
  if (!h.Text()) {
    if (in.AtEnd() || !IsSpace(in.U8("header"))) Fail(kPnm, "bad header end");
  }
  return h;
}

uint32_t Checked(uint32_t value, uint32_t maxValue) {
  if (value > maxValue) Fail(kPnm, "sample above maxval");
  return value;
}

}  // namespace

raster::Bitmap DecodePnm(std::span<const uint8_t> data, const DecodeOptions& options) {
  ByteReader in(data, kPnm);
  TextReader text(in);
  const PnmHeader h = ReadHeader(in, text);
  CheckPictureSize(kPnm, h.width, h.height, options);
  const auto width = static_cast<int>(h.width);
  const auto height = static_cast<int>(h.height);
  const int channels = h.Channels();
  const int sampleBytes = h.maxValue > 255 ? 2 : 1;
  const uint64_t samples = uint64_t{static_cast<uint64_t>(width)} * static_cast<uint64_t>(height) * channels;
  const uint64_t bitmapRow = (static_cast<uint64_t>(width) + 7) / 8;
  // Text samples take at least one byte each.
  const uint64_t needed = h.kind == '4' ? bitmapRow * static_cast<uint64_t>(height)
                                        : samples * (h.Text() ? 1 : sampleBytes);
  CheckDataCovers(kPnm, in.Remaining(), needed, 1);

  raster::Bitmap bitmap(width, height);
  const auto sample = [&]() -> uint8_t {
    if (h.kind == '1') return text.Bit() != 0 ? 0 : 255;
    const uint32_t value = h.Text()        ? text.Number("sample", 0xFFFFFFFF)
                           : sampleBytes == 2 ? in.U16Be("pixel data")
                                              : in.U8("pixel data");
    return ScaleToByte(Checked(value, h.maxValue), h.maxValue);
  };
  for (int y = 0; y < height; ++y) {
    raster::Pixel* row = bitmap.Row(y);
    if (h.kind == '4') {
      const auto bits = in.Bytes(static_cast<size_t>(bitmapRow), "pixel data");
      for (int x = 0; x < width; ++x) {
        const bool black = ((bits[static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1) != 0;
        row[x] = black ? raster::MakePixel(0, 0, 0) : raster::MakePixel(255, 255, 255);
      }
      continue;
    }
    for (int x = 0; x < width; ++x) {
      if (channels == 1) {
        const uint8_t v = sample();
        row[x] = raster::MakePixel(v, v, v);
      } else {
        const uint8_t r = sample();
        const uint8_t g = sample();
        row[x] = raster::MakePixel(r, g, sample());
      }
    }
  }
  return bitmap;
}

}  // namespace imageformats
