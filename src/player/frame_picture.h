// Turning a picture's bytes into the pixels a slide shows: decoding at a
// reduced scale when the picture will be shrunk anyway, quality resampling of a
// part of it to a given size, and the transparent-colour composite.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "player/frame_fit.h"
#include "raster/bitmap.h"
#include "raster/geometry.h"

namespace player {

// A decoded picture. `pixels` may be smaller than the picture's own size when
// it was decoded at a reduced scale; every rule works on `own`, and Resample
// maps picture coordinates onto the pixels.
struct DecodedPicture {
  raster::Bitmap pixels;
  Size own;
};

// The size of a JPEG once turned upright by its EXIF orientation, from its
// headers (imageformats::ReadJpegHeader); nothing when the bytes do not reach
// a start-of-frame header.
std::optional<Size> JpegFrameSize(std::span<const uint8_t> bytes);

// DecodePictureStream with a fit hint: when the result will be shrunk to no
// less than `box` (0 = no shrinking known), a JPEG is decoded at the smallest
// DCT scale that still covers the box. `palette` is the palette file of an
// external CUT picture (TProjectInfo::GetPicturePalette). Returns false for an
// unknown type (the picture is then empty). Throws imageformats::DecodeError
// for damaged data.
bool DecodeForBox(std::span<const uint8_t> bytes, int typeCode, Size box, DecodedPicture& out,
                  std::span<const uint8_t> palette = {});

// The part `crop` of the picture (picture coordinates) resampled to `size`
// with the quality filter (area averaging when shrinking). Opaque pixels.
// With `transparentKey`, every pixel of the picture's top-left colour becomes
// transparent (keyed in `picture` itself, which is changed): the result is
// premultiplied, its alpha the covered fraction.
raster::Bitmap Resample(DecodedPicture& picture, const raster::Rect& crop, Size size, bool transparentKey);

// Lays a premultiplied picture (from Resample with a key) over the part of
// `frame` it covers when placed at `origin`: transparent pixels show the frame.
// Parts outside the frame keep the picture's own colour. The result is opaque.
void DrawTransparent(raster::Bitmap& picture, const raster::Bitmap& frame, raster::Point origin);

// Every pixel's alpha set to 255.
void MakeOpaque(raster::Bitmap& bitmap);

}  // namespace player
