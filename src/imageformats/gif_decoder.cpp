// GIF through giflib: the first frame, placed on the logical screen, which is
// filled with the background colour. Transparent pixels of the frame get the
// background colour too, with alpha 0; colour indices beyond the colour table
// are black.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gif_lib.h>

#include "imageformats/decoders.h"

namespace imageformats {
namespace {

struct Source {
  std::span<const uint8_t> data;
  size_t pos = 0;
  bool ranOut = false;  // a read asked for more than was left
};

int ReadGif(GifFileType* gif, GifByteType* out, int count) {
  auto* src = static_cast<Source*>(gif->UserData);
  const size_t take = std::min(static_cast<size_t>(std::max(count, 0)), src->data.size() - src->pos);
  if (take > 0) std::memcpy(out, src->data.data() + src->pos, take);
  src->pos += take;
  if (take < static_cast<size_t>(std::max(count, 0))) src->ranOut = true;
  return static_cast<int>(take);
}

// giflib reports running out of data under several codes (a cut-off colour
// table is "no screen descriptor"); the source knows better.
[[noreturn]] void FailWith(int error, const Source& src) {
  if (error == D_GIF_ERR_READ_FAILED || src.ranOut) Fail(Format::Gif, "data ends early");
  const char* text = GifErrorString(error);
  Fail(Format::Gif, text != nullptr ? text : "error " + std::to_string(error));
}

class GifFile {
 public:
  explicit GifFile(Source& src) : src_(src) {
    int error = 0;
    gif_ = DGifOpen(&src, ReadGif, &error);
    if (gif_ == nullptr) FailWith(error, src_);
  }
  ~GifFile() { DGifCloseFile(gif_, nullptr); }
  GifFile(const GifFile&) = delete;
  GifFile& operator=(const GifFile&) = delete;

  GifFileType* Get() const { return gif_; }
  GifFileType* operator->() const { return gif_; }
  void Check(int result) const {
    if (result == GIF_ERROR) FailWith(gif_->Error, src_);
  }

 private:
  const Source& src_;
  GifFileType* gif_;
};

raster::Pixel ColorAt(const ColorMapObject* map, int index) {
  if (map == nullptr || index < 0 || index >= map->ColorCount) return raster::MakePixel(0, 0, 0);
  const GifColorType& c = map->Colors[index];
  return raster::MakePixel(c.Red, c.Green, c.Blue);
}

// Reads extensions up to the first image descriptor; returns the transparent
// colour index of the graphic control block before it, or -1.
int SkipToFirstImage(const GifFile& gif) {
  int transparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    gif.Check(DGifGetRecordType(gif.Get(), &type));
    if (type == IMAGE_DESC_RECORD_TYPE) return transparent;
    if (type == TERMINATE_RECORD_TYPE) Fail(Format::Gif, "no image");
    if (type != EXTENSION_RECORD_TYPE) Fail(Format::Gif, "bad record type");
    int code = 0;
    GifByteType* block = nullptr;
    gif.Check(DGifGetExtension(gif.Get(), &code, &block));
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4)
      transparent = (block[1] & 0x01) != 0 ? block[4] : -1;
    while (block != nullptr) gif.Check(DGifGetExtensionNext(gif.Get(), &block));
  }
}

}  // namespace

raster::Bitmap DecodeGif(std::span<const uint8_t> data, const DecodeOptions& options) {
  Source src{data};
  GifFile gif(src);
  const int transparent = SkipToFirstImage(gif);
  gif.Check(DGifGetImageDesc(gif.Get()));
  const GifImageDesc& frame = gif->Image;
  CheckPictureSize(Format::Gif, frame.Width, frame.Height, options);
  if (frame.Left < 0 || frame.Top < 0) Fail(Format::Gif, "bad frame position");
  // A frame reaching past the logical screen (or a screen of size 0) widens it.
  const int64_t width = std::max<int64_t>(gif->SWidth, int64_t{frame.Left} + frame.Width);
  const int64_t height = std::max<int64_t>(gif->SHeight, int64_t{frame.Top} + frame.Height);
  CheckPictureSize(Format::Gif, width, height, options);
  const ColorMapObject* colors = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (colors == nullptr) Fail(Format::Gif, "no colour table");

  const raster::Pixel background = ColorAt(gif->SColorMap, gif->SBackGroundColor);
  raster::Bitmap bitmap(static_cast<int>(width), static_cast<int>(height), background);
  std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
  // Interlaced frames store every 8th row from 0, every 8th from 4, every 4th
  // from 2, then every 2nd from 1.
  static constexpr int kStart[] = {0, 4, 2, 1};
  static constexpr int kStep[] = {8, 8, 4, 2};
  const int passes = frame.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int start = frame.Interlace ? kStart[pass] : 0;
    const int step = frame.Interlace ? kStep[pass] : 1;
    for (int row = start; row < frame.Height; row += step) {
      gif.Check(DGifGetLine(gif.Get(), line.data(), frame.Width));
      raster::Pixel* out = bitmap.Row(frame.Top + row) + frame.Left;
      for (int x = 0; x < frame.Width; ++x)
        out[x] = line[x] == transparent ? (background & 0x00FFFFFFu) : ColorAt(colors, line[x]);
    }
  }
  return bitmap;
}

}  // namespace imageformats
