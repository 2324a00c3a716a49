// Kodak Photo CD: the base image (768 x 512) at sector 96 of the image pack,
// stored as pairs of rows: two rows of luma, then one row of each chroma
// channel at half resolution in both directions. PhotoYCC is turned into RGB
// with the usual constants (luma x 1.3584, chroma centred on 156 and 137 and
// scaled by 2.2179 and 1.8215). The rotation code in the image pack header
// turns portrait pictures upright.
#include <algorithm>
#include <cmath>

#include "imageformats/byte_reader.h"
#include "imageformats/orientation.h"

namespace imageformats {
namespace {

constexpr Format kPcd = Format::PhotoCd;
constexpr size_t kBaseOffset = 96 * 2048;
constexpr int kWidth = 768;
constexpr int kHeight = 512;
constexpr size_t kRotationOffset = 0x0E02;
constexpr char kSignature[] = "PCD_IPI";
constexpr size_t kSignatureOffset = 0x800;

uint8_t Clamp(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

raster::Pixel FromYcc(uint8_t luma, uint8_t c1, uint8_t c2) {
  const double y = 1.3584 * luma;
  const double blue = 2.2179 * (c1 - 156);
  const double red = 1.8215 * (c2 - 137);
  return raster::MakePixel(Clamp(y + red), Clamp(y - 0.194 * blue - 0.509 * red), Clamp(y + blue));
}

// Rotation codes 0..3: none, a quarter turn anticlockwise, half a turn, a
// quarter turn clockwise; as EXIF orientations of the stored picture.
constexpr int kOrientationOfRotation[4] = {1, 8, 3, 6};

}  // namespace

raster::Bitmap DecodePhotoCd(std::span<const uint8_t> data, const DecodeOptions& options) {
  ByteReader in(data, kPcd);
  in.Seek(kSignatureOffset, "header");
  const auto signature = in.Bytes(sizeof kSignature - 1, "header");
  if (!std::equal(signature.begin(), signature.end(), kSignature)) Fail(kPcd, "not a Photo CD image pack");
  in.Seek(kRotationOffset, "header");
  const int orientation = kOrientationOfRotation[in.U8("header") & 3];
  CheckPictureSize(kPcd, kWidth, kHeight, options);
  in.Seek(kBaseOffset, "base image");
  CheckDataCovers(kPcd, in.Remaining(), size_t{kWidth} * kHeight * 3 / 2, 1);

  raster::Bitmap bitmap(kWidth, kHeight);
  for (int y = 0; y < kHeight; y += 2) {
    const auto top = in.Bytes(kWidth, "base image");
    const auto bottom = in.Bytes(kWidth, "base image");
    const auto c1 = in.Bytes(kWidth / 2, "base image");
    const auto c2 = in.Bytes(kWidth / 2, "base image");
    for (int x = 0; x < kWidth; ++x) {
      const auto i = static_cast<size_t>(x);
      bitmap.At(x, y) = FromYcc(top[i], c1[i / 2], c2[i / 2]);
      bitmap.At(x, y + 1) = FromYcc(bottom[i], c1[i / 2], c2[i / 2]);
    }
  }
  return orientation == 1 ? bitmap : Orient(bitmap, orientation);
}

}  // namespace imageformats
