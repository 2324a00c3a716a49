// Wavefront RLA: a 740-byte header (big-endian), a table of scan-line
// offsets (the first for the bottom line), and for every line each channel
// in turn (colour channels, then matte channels; auxiliary ones are not read)
// as a 16-bit byte count and run-length codes: a signed count c, either
// c >= 0 and one byte repeated c + 1 times, or -c bytes as they are. The
// colour and the matte channels have 8 or 16 bits a sample each; the runs
// count bytes, and a line of 16-bit samples holds all their high bytes, then
// all their low bytes. We keep the high bytes.
#include <vector>

#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

constexpr Format kRla = Format::Rla;
constexpr size_t kHeaderSize = 740;
constexpr size_t kChannelBitsOffset = 658;

// Bytes a sample of a channel group of `bits` bits.
size_t SampleBytes(int bits) {
  if (bits != 8 && bits != 16) Fail(kRla, "unsupported channel depth of " + std::to_string(bits) + " bits");
  return static_cast<size_t>(bits / 8);
}

void DecodeChannel(ByteReader run, std::vector<uint8_t>& out) {
  size_t x = 0;
  while (x < out.size()) {
    const auto count = static_cast<int8_t>(run.U8("RLE data"));
    const size_t n = count >= 0 ? size_t(count) + 1 : size_t(-count);
    if (n > out.size() - x) Fail(kRla, "RLE run passes the end of the row");
    if (count >= 0) {
      const uint8_t value = run.U8("RLE data");
      for (size_t i = 0; i < n; ++i) out[x++] = value;
    } else {
      const auto bytes = run.Bytes(n, "RLE data");
      for (uint8_t b : bytes) out[x++] = b;
    }
  }
}

}  // namespace

raster::Bitmap DecodeRla(std::span<const uint8_t> data, const DecodeOptions& options) {
  ByteReader in(data, kRla);
  in.Skip(8, "header");  // the whole window
  const int left = in.I16Be("header");
  const int right = in.I16Be("header");
  const int bottom = in.I16Be("header");
  const int top = in.I16Be("header");
  in.Skip(4, "header");  // frame, storage type
  const int colourChannels = in.I16Be("header");
  const int matteChannels = in.I16Be("header");
  in.Seek(kChannelBitsOffset, "header");
  const int channelBits = in.I16Be("header");
  in.Skip(2, "header");  // matte type
  const int matteBits = in.I16Be("header");
  in.Seek(kHeaderSize, "header");
  CheckPictureSize(kRla, int64_t{right} - left + 1, int64_t{top} - bottom + 1, options);
  const int width = right - left + 1;
  const int height = top - bottom + 1;
  if (colourChannels != 1 && colourChannels != 3)
    Fail(kRla, "unsupported channel count " + std::to_string(colourChannels));
  if (matteChannels < 0 || matteChannels > 1) Fail(kRla, "unsupported matte count " + std::to_string(matteChannels));
  const size_t colourBytes = SampleBytes(channelBits);
  const size_t matteBytes = matteChannels == 1 ? SampleBytes(matteBits) : 0;
  const int channels = colourChannels + matteChannels;

  CheckDataCovers(kRla, in.Remaining(), uint64_t{static_cast<uint32_t>(height)} * 4, 1);
  std::vector<uint32_t> offsets(static_cast<size_t>(height));
  for (uint32_t& offset : offsets) offset = in.U32Be("offset table");
  // Every channel of a line: a count and at least one run of up to 128.
  const uint64_t lineBytes = uint64_t{static_cast<uint32_t>(width)} * (colourChannels * colourBytes + matteBytes);
  CheckDataCovers(kRla, in.Remaining(), lineBytes * static_cast<uint32_t>(height), 64);

  raster::Bitmap bitmap(width, height);
  std::vector<uint8_t> samples;
  for (int stored = 0; stored < height; ++stored) {
    if (offsets[static_cast<size_t>(stored)] >= data.size()) Fail(kRla, "offset table points outside the file");
    ByteReader line(data.subspan(offsets[static_cast<size_t>(stored)]), kRla);
    raster::Pixel* row = bitmap.Row(height - 1 - stored);
    for (int channel = 0; channel < channels; ++channel) {
      const bool matte = channel == colourChannels;
      samples.resize(static_cast<size_t>(width) * (matte ? matteBytes : colourBytes));
      DecodeChannel(line.Section(line.U16Be("line"), "channel"), samples);
      const ChannelRole role = matte ? ChannelRole::Alpha : StandardRole(channel, colourChannels);
      // The first `width` bytes: the samples, or their high bytes.
      for (int x = 0; x < width; ++x) PutChannel(row[x], role, samples[static_cast<size_t>(x)]);
    }
  }
  return bitmap;
}

}  // namespace imageformats
