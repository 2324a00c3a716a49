#include "player/frame_picture.h"

#include <algorithm>
#include <cmath>

#include "imageformats/jpeg_header.h"
#include "project/picture_decoding.h"
#include "project/picture_type.h"
#include "raster/canvas.h"

namespace player {
namespace {

// A picture-coordinate edge on the decoded pixels' grid.
int Scaled(int edge, int own, int decoded) {
  if (own == decoded) return edge;
  return static_cast<int>(std::lround(static_cast<double>(edge) * decoded / own));
}

// The part `from` of `pixels` as premultiplied pixels, in place: the key
// colour becomes fully transparent, every other pixel opaque.
void KeyInPlace(raster::Bitmap& pixels, const raster::Rect& from, raster::Pixel key) {
  for (int y = from.top; y < from.bottom; ++y) {
    raster::Pixel* row = pixels.Row(y);
    for (int x = from.left; x < from.right; ++x) row[x] = (row[x] & 0xFFFFFFu) == key ? 0u : (row[x] | 0xFF000000u);
  }
}

}  // namespace

std::optional<Size> JpegFrameSize(std::span<const uint8_t> bytes) {
  const std::optional<imageformats::JpegHeader> header = imageformats::ReadJpegHeader(bytes);
  if (!header) return std::nullopt;
  return Size{header->UprightWidth(), header->UprightHeight()};
}

bool DecodeForBox(std::span<const uint8_t> bytes, int typeCode, Size box, DecodedPicture& out,
                  std::span<const uint8_t> palette) {
  imageformats::DecodeOptions hint;
  hint.palette = palette;
  std::optional<Size> declared;
  if (typeCode == project::PictureType::Jpeg && !box.IsEmpty()) {
    declared = JpegFrameSize(bytes);
    if (declared) {
      hint.fitWidth = box.width;
      hint.fitHeight = box.height;
    }
  }
  raster::Bitmap pixels;
  const bool known = project::DecodePictureStream(bytes, pixels, typeCode, hint);
  Size own{pixels.Width(), pixels.Height()};
  // A reduced decode: the rules keep working on the size the file declares.
  if (declared && !pixels.IsEmpty() && pixels.Width() <= declared->width && pixels.Height() <= declared->height)
    own = *declared;
  out.pixels = std::move(pixels);
  out.own = out.pixels.IsEmpty() ? Size{} : own;
  return known;
}

raster::Bitmap Resample(DecodedPicture& picture, const raster::Rect& crop, Size size, bool transparentKey) {
  if (size.IsEmpty() || picture.pixels.IsEmpty() || picture.own.IsEmpty()) return {};
  raster::Bitmap& src = picture.pixels;
  const raster::Rect from = raster::Rect{Scaled(crop.left, picture.own.width, src.Width()),
                                         Scaled(crop.top, picture.own.height, src.Height()),
                                         Scaled(crop.right, picture.own.width, src.Width()),
                                         Scaled(crop.bottom, picture.own.height, src.Height())}
                                .Intersect(src.Bounds());
  if (from.IsEmpty()) return {};
  raster::Bitmap out(size.width, size.height);
  const raster::Rect to{0, 0, size.width, size.height};
  // Keyed where it lies: no second copy of a picture that may be 24 MP.
  if (transparentKey) KeyInPlace(src, from, src.At(0, 0) & 0xFFFFFFu);
  raster::Canvas(out).ResampleHighQuality(to, src, from);
  if (!transparentKey) MakeOpaque(out);
  return out;
}

void DrawTransparent(raster::Bitmap& picture, const raster::Bitmap& frame, raster::Point origin) {
  for (int y = 0; y < picture.Height(); ++y) {
    const int64_t fy = int64_t{origin.y} + y;
    raster::Pixel* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x) {
      const raster::Pixel p = row[x];
      const unsigned coverage = raster::PixelA(p);
      const int64_t fx = int64_t{origin.x} + x;
      const bool onFrame = fy >= 0 && fy < frame.Height() && fx >= 0 && fx < frame.Width();
      if (coverage == 255 || !onFrame) {
        row[x] = p | 0xFF000000u;
        continue;
      }
      const raster::Pixel under = frame.At(static_cast<int>(fx), static_cast<int>(fy));
      const unsigned rest = 255 - coverage;
      const auto mix = [&](uint8_t over, uint8_t back) {
        return static_cast<uint8_t>(std::min(255u, over + (back * rest + 127) / 255));
      };
      row[x] = raster::MakePixel(mix(raster::PixelR(p), raster::PixelR(under)),
                                 mix(raster::PixelG(p), raster::PixelG(under)),
                                 mix(raster::PixelB(p), raster::PixelB(under)));
    }
  }
}

void MakeOpaque(raster::Bitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    raster::Pixel* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) row[x] |= 0xFF000000u;
  }
}

}  // namespace player
