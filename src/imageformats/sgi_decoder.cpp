// SGI images: verbatim or run-length encoded, 1 or 2 bytes a sample, one to
// four channels (grey, grey + alpha, RGB, RGBA; further channels are ignored).
// Channels are stored one after another, rows from the bottom up; RLE rows are
// found through a table of offsets and lengths, one entry per row and channel.
#include <vector>

#include "imageformats/byte_reader.h"

namespace imageformats {
namespace {

constexpr Format kSgi = Format::Sgi;
constexpr uint16_t kMagic = 474;
constexpr size_t kHeaderSize = 512;

struct SgiHeader {
  bool rle = false;
  int bytesPerSample = 1;
  int width = 0;
  int height = 0;
  int channels = 0;
};

SgiHeader ReadHeader(ByteReader& in, const DecodeOptions& options) {
  if (in.U16Be("header") != kMagic) Fail(kSgi, "not an SGI image");
  SgiHeader h;
  const uint8_t storage = in.U8("header");
  h.bytesPerSample = in.U8("header");
  const uint16_t dimension = in.U16Be("header");
  const uint16_t xsize = in.U16Be("header");
  const uint16_t ysize = in.U16Be("header");
  const uint16_t zsize = in.U16Be("header");
  in.Skip(4 + 4 + 4 + 80, "header");  // pixel range, dummy, name
  const uint32_t colormap = in.U32Be("header");
  in.Seek(kHeaderSize, "header");
  if (storage > 1) Fail(kSgi, "unknown storage " + std::to_string(storage));
  if (h.bytesPerSample != 1 && h.bytesPerSample != 2)
    Fail(kSgi, "unsupported sample size " + std::to_string(h.bytesPerSample));
  if (colormap != 0) Fail(kSgi, "colour-map images are not supported");
  if (dimension < 1 || dimension > 3) Fail(kSgi, "bad dimension " + std::to_string(dimension));
  h.rle = storage == 1;
  h.width = xsize;
  h.height = dimension >= 2 ? ysize : 1;
  h.channels = dimension == 3 ? zsize : 1;
  CheckPictureSize(kSgi, h.width, h.height, options);
  if (h.channels < 1) Fail(kSgi, "no channels");
  return h;
}

// One row of one channel: `width` samples from RLE data. Control 0 ends the
// row; the low 7 bits count; the high bit marks samples copied as they are,
// else one sample repeated.
void DecodeRleRow(ByteReader row, const SgiHeader& h, std::vector<uint16_t>& out) {
  const bool wide = h.bytesPerSample == 2;
  const auto next = [&] { return wide ? row.U16Be("RLE row") : row.U8("RLE row"); };
  size_t x = 0;
  for (;;) {
    const uint16_t control = next();
    const size_t count = control & 0x7F;
    if (count == 0) break;
    if (count > out.size() - x) Fail(kSgi, "RLE run passes the end of the row");
    if ((control & 0x80) != 0) {
      for (size_t i = 0; i < count; ++i) out[x++] = next();
    } else {
      const uint16_t value = next();
      for (size_t i = 0; i < count; ++i) out[x++] = value;
    }
  }
  if (x != out.size()) Fail(kSgi, "RLE row ends early");
}

}  // namespace

raster::Bitmap DecodeSgi(std::span<const uint8_t> data, const DecodeOptions& options) {
  ByteReader in(data, kSgi);
  const SgiHeader h = ReadHeader(in, options);
  const auto w = static_cast<uint64_t>(h.width);
  const auto rows = static_cast<uint64_t>(h.height);
  const uint64_t planeBytes = w * rows * h.bytesPerSample;
  // The offset and length tables, then at least two bytes for every row.
  const uint64_t tableEntries = rows * static_cast<uint64_t>(h.channels);
  if (h.rle) {
    CheckDataCovers(kSgi, in.Remaining(), tableEntries * 8, 1);
    CheckDataCovers(kSgi, in.Remaining() - tableEntries * 8, planeBytes * h.channels, 127);
  } else {
    CheckDataCovers(kSgi, in.Remaining(), planeBytes * h.channels, 1);
  }
  std::vector<uint32_t> starts;
  std::vector<uint32_t> lengths;
  if (h.rle) {
    starts.resize(static_cast<size_t>(tableEntries));
    lengths.resize(static_cast<size_t>(tableEntries));
    for (uint32_t& s : starts) s = in.U32Be("offset table");
    for (uint32_t& l : lengths) l = in.U32Be("offset table");
  }

  raster::Bitmap bitmap(h.width, h.height);
  std::vector<uint16_t> samples(static_cast<size_t>(w));
  const uint32_t maxValue = h.bytesPerSample == 2 ? 65535 : 255;
  for (int channel = 0; channel < h.channels; ++channel) {
    const ChannelRole role = StandardRole(channel, h.channels);
    if (role == ChannelRole::Ignored) continue;
    for (int stored = 0; stored < h.height; ++stored) {
      if (h.rle) {
        const size_t entry = static_cast<size_t>(channel) * static_cast<size_t>(rows) + static_cast<size_t>(stored);
        if (uint64_t{starts[entry]} + lengths[entry] > data.size())
          Fail(kSgi, "offset table points outside the file");
        DecodeRleRow(ByteReader(data.subspan(starts[entry], lengths[entry]), kSgi), h, samples);
      } else {
        in.Seek(kHeaderSize + static_cast<size_t>((static_cast<uint64_t>(channel) * rows + stored) * w *
                                                  h.bytesPerSample),
                "pixel data");
        for (uint16_t& s : samples) s = h.bytesPerSample == 2 ? in.U16Be("pixel data") : in.U8("pixel data");
      }
      raster::Pixel* row = bitmap.Row(h.height - 1 - stored);
      for (int x = 0; x < h.width; ++x) PutChannel(row[x], role, ScaleToByte(samples[static_cast<size_t>(x)], maxValue));
    }
  }
  return bitmap;
}

}  // namespace imageformats
