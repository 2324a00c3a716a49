#include "handmade_files.h"

#include <zlib.h>

namespace imageformats::testing {

ByteWriter& ByteWriter::U8(uint32_t v) {
  bytes.push_back(static_cast<uint8_t>(v));
  return *this;
}
ByteWriter& ByteWriter::U16(uint32_t v) { return U8(v).U8(v >> 8); }
ByteWriter& ByteWriter::U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
ByteWriter& ByteWriter::U16Be(uint32_t v) { return U8(v >> 8).U8(v); }
ByteWriter& ByteWriter::U32Be(uint32_t v) { return U16Be(v >> 16).U16Be(v & 0xFFFF); }
ByteWriter& ByteWriter::Bytes(std::span<const uint8_t> data) {
  bytes.insert(bytes.end(), data.begin(), data.end());
  return *this;
}
ByteWriter& ByteWriter::Text(std::string_view text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
  return *this;
}
ByteWriter& ByteWriter::Zeros(size_t count) {
  bytes.insert(bytes.end(), count, 0);
  return *this;
}

std::vector<Stretch> SplitRuns(std::span<const uint8_t> data, size_t maxRun, size_t maxLiteral) {
  std::vector<Stretch> out;
  size_t i = 0;
  while (i < data.size()) {
    size_t same = 1;
    while (i + same < data.size() && same < maxRun && data[i + same] == data[i]) ++same;
    if (same >= 3) {
      out.push_back({true, i, same});
      i += same;
      continue;
    }
    if (!out.empty() && !out.back().run && out.back().length < maxLiteral && out.back().start + out.back().length == i)
      ++out.back().length;
    else
      out.push_back({false, i, 1});
    ++i;
  }
  return out;
}

std::vector<uint8_t> CelFile(int width, int height, const std::vector<uint8_t>& indices,
                             const std::vector<std::array<uint8_t, 3>>& palette) {
  ByteWriter w;
  w.U16(0x9119).U16(width).U16(height).U16(0).U16(0).U8(8).U8(0).U32(width * height).Zeros(16);
  for (int i = 0; i < 256; ++i) {
    const auto rgb = i < static_cast<int>(palette.size()) ? palette[i] : std::array<uint8_t, 3>{0, 0, 0};
    w.Bytes(rgb);
  }
  return w.Bytes(indices).bytes;
}

std::vector<uint8_t> CutFile(int width, int height, const std::vector<uint8_t>& indices) {
  ByteWriter w;
  w.U16(width).U16(height).U16(0);
  for (int y = 0; y < height; ++y) {
    const std::span<const uint8_t> row(indices.data() + static_cast<size_t>(y) * width, static_cast<size_t>(width));
    ByteWriter line;
    for (const Stretch& s : SplitRuns(row, 127, 127)) {
      if (s.run) line.U8(0x80 | s.length).U8(row[s.start]);
      else line.U8(s.length).Bytes(row.subspan(s.start, s.length));
    }
    line.U8(0);
    w.U16(line.Size()).Bytes(line.bytes);
  }
  return w.bytes;
}

std::vector<uint8_t> HaloPalette(const std::vector<std::array<uint16_t, 3>>& colours, uint16_t maxLevel) {
  ByteWriter w;
  w.Text("AH").U16(0xE3).U16(0).U8('P').U8(0).U16(0).U16(0);
  w.U16(colours.size() - 1).U16(maxLevel).U16(maxLevel).U16(maxLevel).Text("Dr. Halo").Zeros(12);
  for (const auto& rgb : colours) {
    if (w.Size() % 512 + 6 > 512) w.Zeros(512 - w.Size() % 512);  // a triple never crosses a block
    w.U16(rgb[0]).U16(rgb[1]).U16(rgb[2]);
  }
  return w.bytes;
}

std::vector<uint8_t> RlaFile(const KnownImage& image, bool grey, bool matte, int colourBits, int matteBits) {
  const int w = image.width;
  const int h = image.height;
  ByteWriter file;
  for (int i = 0; i < 2; ++i) file.U16Be(0).U16Be(w - 1).U16Be(0).U16Be(h - 1);
  file.U16Be(0).U16Be(colourBits / 16).U16Be(grey ? 1 : 3).U16Be(matte ? 1 : 0).U16Be(0).U16Be(0xFFFE);
  file.Zeros(16 + 4 * 24 + 4 + 128 + 128 + 64 + 32 + 32 + 20 + 24 + 8).Text(grey ? "grey" : "rgb").Zeros(32 - (grey ? 4 : 3));
  file.U16Be(0).Zeros(12 + 32).U16Be(colourBits).U16Be(matteBits / 16).U16Be(matteBits).U16Be(0).U16Be(0).Zeros(32 + 36).U32Be(0);
  std::vector<std::vector<uint8_t>> lines;
  for (int stored = 0; stored < h; ++stored) {
    const int y = h - 1 - stored;
    ByteWriter line;
    const int channels = (grey ? 1 : 3) + (matte ? 1 : 0);
    for (int c = 0; c < channels; ++c) {
      std::vector<uint8_t> samples;
      const bool alpha = c == channels - 1 && matte;
      for (int x = 0; x < w; ++x) {
        const raster::Pixel p = image.At(x, y);
        samples.push_back(alpha ? raster::PixelA(p) : c == 0 ? raster::PixelR(p) : c == 1 ? raster::PixelG(p) : raster::PixelB(p));
      }
      if ((alpha ? matteBits : colourBits) == 16)  // the high bytes, then the low ones
        for (int x = 0; x < w; ++x) samples.push_back(static_cast<uint8_t>(x * 37 + c * 11 + y));
      ByteWriter runs;
      for (const Stretch& s : SplitRuns(samples, 128, 128)) {
        if (s.run) runs.U8(s.length - 1).U8(samples[s.start]);
        else runs.U8(256 - s.length).Bytes(std::span(samples).subspan(s.start, s.length));
      }
      line.U16Be(runs.Size()).Bytes(runs.bytes);
    }
    lines.push_back(line.bytes);
  }
  uint32_t offset = static_cast<uint32_t>(file.Size() + 4 * h);
  for (const auto& line : lines) {
    file.U32Be(offset);
    offset += static_cast<uint32_t>(line.size());
  }
  for (const auto& line : lines) file.Bytes(line);
  return file.bytes;
}

namespace {

// A block: "~BK\0", its type, (version 3: the length of its first chunk),
// its length.
void Block(ByteWriter& out, int major, uint16_t id, const std::vector<uint8_t>& body, uint32_t firstChunk) {
  out.Text(std::string_view("~BK\0", 4)).U16(id);
  if (major < 4) out.U32(firstChunk);
  out.U32(body.size()).Bytes(body);
}

// An information chunk: from version 4 on it starts with its own length.
std::vector<uint8_t> Chunk(int major, const std::vector<uint8_t>& fields) {
  if (major < 4) return fields;
  ByteWriter w;
  return w.U32(fields.size() + 4).Bytes(fields).bytes;
}

std::vector<uint8_t> Compress(const std::vector<uint8_t>& raw, int compression) {
  if (compression == 1) {
    ByteWriter w;
    for (const Stretch& s : SplitRuns(raw, 127, 128)) {
      if (s.run) w.U8(128 + s.length).U8(raw[s.start]);
      else w.U8(s.length).Bytes(std::span(raw).subspan(s.start, s.length));
    }
    return w.bytes;
  }
  if (compression == 2) {
    uLongf size = compressBound(raw.size());
    std::vector<uint8_t> out(size);
    compress(out.data(), &size, raw.data(), raw.size());
    out.resize(size);
    return out;
  }
  return raw;
}

}  // namespace

std::vector<uint8_t> PspFile(const KnownImage& layer, const PspLayout& layout) {
  const int major = layout.major;
  ByteWriter file;
  file.Text("Paint Shop Pro Image File\n\x1a").Zeros(5).U16(major).U16(0);
  const int depth = layout.kind == PspLayout::kRgb ? 24 : layout.bits;
  ByteWriter attributes;
  attributes.U32(layout.imageWidth).U32(layout.imageHeight).Zeros(8).U8(0).U16(layout.compression).U16(depth);
  attributes.U16(1).U32(layout.kind == PspLayout::kPaletted ? layout.palette.size() : 0).U8(layout.kind == PspLayout::kGrey);
  attributes.U32(0).U32(0).U16(1);
  const auto attributesChunk = Chunk(major, attributes.bytes);
  Block(file, major, 0, attributesChunk, attributesChunk.size());
  if (layout.kind == PspLayout::kPaletted) {
    ByteWriter body;
    const auto info = Chunk(major, ByteWriter().U32(layout.palette.size()).bytes);
    body.Bytes(info);
    for (raster::Pixel p : layout.palette) body.U8(raster::PixelB(p)).U8(raster::PixelG(p)).U8(raster::PixelR(p)).U8(0);
    Block(file, major, 2, body.bytes, info.size());
  }

  // The layer's channels.
  const int w = layer.width;
  const int h = layer.height;
  std::vector<std::pair<uint16_t, uint16_t>> channels;  // bitmap type, channel type
  if (layout.kind == PspLayout::kRgb) channels = {{0, 1}, {0, 2}, {0, 3}};
  else channels = {{0, 0}};
  if (layout.mask) channels.push_back({1, 0});
  ByteWriter channelBlocks;
  for (const auto& [bitmapType, channelType] : channels) {
    const int bits = bitmapType == 0 && channelType == 0 ? depth : 8;
    const int rowBytes = (w * bits + 7) / 8;
    const int stride = layout.padRows ? (rowBytes + 3) / 4 * 4 : rowBytes;
    std::vector<uint8_t> raw(static_cast<size_t>(stride) * h, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const raster::Pixel p = layer.At(x, y);
        uint8_t v = raster::PixelR(p);
        if (bitmapType == 1) v = raster::PixelA(p);
        else if (channelType == 2) v = raster::PixelG(p);
        else if (channelType == 3) v = raster::PixelB(p);
        else if (layout.kind == PspLayout::kPaletted)
          for (size_t i = 0; i < layout.palette.size(); ++i)
            if ((layout.palette[i] & 0xFFFFFF) == (p & 0xFFFFFF)) v = static_cast<uint8_t>(i);
        if (layout.kind == PspLayout::kGrey) v = static_cast<uint8_t>(v >> (8 - bits));
        raw[static_cast<size_t>(y) * stride + x * bits / 8] |= static_cast<uint8_t>(v << (8 - bits - x * bits % 8));
      }
    const auto packed = Compress(raw, layout.compression);
    const auto info = Chunk(major, ByteWriter().U32(packed.size()).U32(raw.size()).U16(bitmapType).U16(channelType).bytes);
    ByteWriter body;
    body.Bytes(info).Bytes(packed);
    Block(channelBlocks, major, 5, body.bytes, info.size());
  }

  // Layer information: name, type, rectangles, the rest of the fields, then
  // the bitmap and channel counts.
  const auto layerBlock = [&](int left, int top, int right, int bottom, uint16_t bitmaps,
                              const std::vector<uint8_t>& channelData) {
    ByteWriter fields;
    if (major < 4) fields.Text("Layer").Zeros(251);
    else fields.U16(5).Text("Layer");
    fields.U8(1);
    for (int i = 0; i < 2; ++i) fields.U32(left).U32(top).U32(right).U32(bottom);
    fields.U8(255).U8(0).U8(1).U8(0).U8(0).Zeros(32).U8(0).U8(0).Zeros(43);
    ByteWriter body;
    std::vector<uint8_t> info;
    if (major < 4) {
      info = fields.U16(bitmaps).U16(channels.size()).bytes;
      body.Bytes(info);
    } else {
      body.Bytes(Chunk(major, fields.bytes)).Bytes(Chunk(major, ByteWriter().U16(bitmaps).U16(channels.size()).bytes));
    }
    body.Bytes(channelData);
    ByteWriter block;
    Block(block, major, 4, body.bytes, info.size());
    return block.bytes;
  };
  ByteWriter bank;
  if (layout.vectorLayerFirst) bank.Bytes(layerBlock(0, 0, layout.imageWidth, layout.imageHeight, 0, {}));
  bank.Bytes(layerBlock(layout.left, layout.top, layout.left + w, layout.top + h, 1 + layout.mask, channelBlocks.bytes));
  Block(file, major, 3, bank.bytes, 0);
  return file.bytes;
}

std::vector<uint8_t> PhotoCdFile(Ycc (*colour)(int x, int y), int rotation) {
  std::vector<uint8_t> file(96 * 2048 + 256 * 2304, 0);
  const std::string_view signature = "PCD_IPI";
  std::copy(signature.begin(), signature.end(), file.begin() + 0x800);
  file[0x0E02] = static_cast<uint8_t>(rotation);
  size_t pos = 96 * 2048;
  for (int y = 0; y < 512; y += 2) {
    for (int row = 0; row < 2; ++row)
      for (int x = 0; x < 768; ++x) file[pos++] = colour(x, y + row).luma;
    for (int x = 0; x < 768; x += 2) file[pos++] = colour(x, y).c1;
    for (int x = 0; x < 768; x += 2) file[pos++] = colour(x, y).c2;
  }
  return file;
}

std::vector<uint8_t> App1(const Exif& e) {
  ByteWriter tiff;
  const auto u16 = [&](uint32_t v) { e.bigEndian ? tiff.U16Be(v) : tiff.U16(v); };
  const auto u32 = [&](uint32_t v) { e.bigEndian ? tiff.U32Be(v) : tiff.U32(v); };
  tiff.Text(e.bigEndian ? "MM" : "II");
  u16(42);
  u32(e.ifdOffset);
  u16(e.entries);
  u16(0x0112);
  u16(e.type);
  u32(1);
  u16(e.value);
  u16(0);
  u32(0);  // no next IFD
  std::vector<uint8_t> payload = ByteWriter().Text(std::string_view("Exif\0\0", 6)).Bytes(tiff.bytes).bytes;
  payload.resize(payload.size() - e.cut);
  ByteWriter segment;
  segment.U8(0xFF).U8(0xE1).U16Be(payload.size() + 2).Bytes(payload);
  return segment.bytes;
}

std::vector<uint8_t> WithApp1(std::vector<uint8_t> jpeg, const std::vector<uint8_t>& segment) {
  jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
  return jpeg;
}

}  // namespace imageformats::testing
