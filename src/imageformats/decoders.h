// The individual decoders behind Decode, and the checks and pixel helpers they
// share.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "imageformats/decode.h"

namespace imageformats {

raster::Bitmap DecodeBmp(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodeJpeg(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodePng(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodeGif(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodeSgi(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodeAutodesk(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodeTiff(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodeTarga(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodePcx(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodePhotoCd(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodePnm(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodeCut(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodeRla(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodePsd(std::span<const uint8_t> data, const DecodeOptions& options);
raster::Bitmap DecodePsp(std::span<const uint8_t> data, const DecodeOptions& options);

// Throws DecodeError "<format>: <fault>".
[[noreturn]] void Fail(Format format, std::string_view fault);

// Refuses a size of zero or less, or beyond raster::Bitmap's limits and
// options.maxPixels, before anything is allocated.
void CheckPictureSize(Format format, int64_t width, int64_t height, const DecodeOptions& options);

// Refuses ("pixel data ends early"), before anything is allocated, data of
// `available` bytes that cannot give the `needed` bytes of pixel data even at
// the format's best compression, which makes at most `maxExpansion` bytes of
// one byte of input (1 for uncompressed data).
void CheckDataCovers(Format format, uint64_t available, uint64_t needed, uint64_t maxExpansion);

// A sample of 0..max as 0..255, rounded.
inline uint8_t ScaleToByte(uint32_t value, uint32_t max) {
  return static_cast<uint8_t>((uint64_t{value} * 255 + max / 2) / max);
}

// A colour table; indices beyond its end give black.
class Palette {
 public:
  Palette() = default;
  explicit Palette(std::vector<raster::Pixel> colours) : colours_(std::move(colours)) {}
  raster::Pixel operator[](uint32_t index) const {
    return index < colours_.size() ? colours_[index] : raster::MakePixel(0, 0, 0);
  }
  size_t size() const { return colours_.size(); }
  void push_back(raster::Pixel colour) { colours_.push_back(colour); }

  // Levels 0..count-1 from black to white.
  static Palette GreyRamp(uint32_t count);

 private:
  std::vector<raster::Pixel> colours_;
};

// What one channel of a planar picture is in the finished pixel. Grey writes
// red, green and blue at once.
enum class ChannelRole { Grey, Red, Green, Blue, Alpha, Ignored };

inline void PutChannel(raster::Pixel& pixel, ChannelRole role, uint8_t value) {
  switch (role) {
    case ChannelRole::Grey: pixel = (pixel & 0xFF000000u) | (uint32_t{value} * 0x010101u); break;
    case ChannelRole::Red: pixel = (pixel & 0xFF00FFFFu) | (uint32_t{value} << 16); break;
    case ChannelRole::Green: pixel = (pixel & 0xFFFF00FFu) | (uint32_t{value} << 8); break;
    case ChannelRole::Blue: pixel = (pixel & 0xFFFFFF00u) | value; break;
    case ChannelRole::Alpha: pixel = (pixel & 0x00FFFFFFu) | (uint32_t{value} << 24); break;
    case ChannelRole::Ignored: break;
  }
}

// The roles of the channels of a grey, grey + alpha, RGB or RGBA picture with
// `count` channels; channels beyond the fourth are ignored.
ChannelRole StandardRole(int channel, int count);

}  // namespace imageformats
