// TIFF through libtiff, from memory: the first picture of the file, in
// strips or tiles, 1 to 16 bits, bilevel, grey, palette, RGB, CMYK or YCbCr,
// with the compressions the library was built with. libtiff's RGBA interface
// does the conversions (and flips by the orientation tag); its alpha comes
// premultiplied and is made straight again. libtiff's own
// allocations are capped, its messages caught per file, and the picture must
// have strip or tile data that could plausibly fill it before its pixels are
// allocated.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include <tiffio.h>

#include "imageformats/decoders.h"

namespace imageformats {
namespace {

constexpr Format kTiff = Format::Tiff;
// The most output bytes any compression but the fax codes makes of one byte.
constexpr uint64_t kMaxExpansion = 4096;

struct Source {
  std::span<const uint8_t> data;
  uint64_t pos = 0;
  std::string error;
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  auto* src = static_cast<Source*>(handle);
  if (size <= 0 || src->pos >= src->data.size()) return 0;
  const auto count = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(size), src->data.size() - src->pos));
  std::memcpy(buffer, src->data.data() + src->pos, count);
  src->pos += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) { return 0; }

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  auto* src = static_cast<Source*>(handle);
  uint64_t base = 0;
  if (whence == SEEK_CUR) base = src->pos;
  else if (whence == SEEK_END) base = src->data.size();
  src->pos = base + offset;  // past the end is allowed; reads there give nothing
  return src->pos;
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t handle) { return static_cast<Source*>(handle)->data.size(); }
int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* user, const char* module, const char* format, va_list args) {
  auto* src = static_cast<Source*>(user);
  if (src->error.empty()) {
    char text[256];
    std::vsnprintf(text, sizeof text, format, args);
    src->error = text;
    (void)module;
  }
  return 1;  // handled: nothing is printed
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

class TiffFile {
 public:
  TiffFile(Source& src, tmsize_t memoryLimit) {
    TIFFOpenOptions* opts = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(opts, memoryLimit);
    TIFFOpenOptionsSetErrorHandlerExtR(opts, OnError, &src);
    TIFFOpenOptionsSetWarningHandlerExtR(opts, OnWarning, &src);
    // "m": no memory mapping, every read goes through ReadProc.
    tif_ = TIFFClientOpenExt("picture", "rm", &src, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                             UnmapProc, opts);
    TIFFOpenOptionsFree(opts);
    if (tif_ == nullptr) Fail(kTiff, src.error.empty() ? "not a TIFF file" : src.error);
  }
  ~TiffFile() { TIFFClose(tif_); }
  TiffFile(const TiffFile&) = delete;
  TiffFile& operator=(const TiffFile&) = delete;
  TIFF* get() const { return tif_; }

 private:
  TIFF* tif_ = nullptr;
};

// The bytes of strip or tile data the directory points at, at most the file.
uint64_t StoredBytes(TIFF* tif, uint64_t fileSize) {
  const uint32_t count = TIFFIsTiled(tif) ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
  uint64_t total = 0;
  for (uint32_t i = 0; i < count && total < fileSize; ++i) {
    int failed = 0;
    total += std::min(TIFFGetStrileByteCountWithErr(tif, i, &failed), fileSize);
    if (failed != 0) break;
  }
  return std::min(total, fileSize);
}

}  // namespace

raster::Bitmap DecodeTiff(std::span<const uint8_t> data, const DecodeOptions& options) {
  Source src;
  src.data = data;
  const int64_t pixelLimit = std::min(options.maxPixels, raster::Bitmap::kMaxPixels);
  TiffFile file(src, static_cast<tmsize_t>(std::min<int64_t>(pixelLimit * 4 + (16 << 20), INT32_MAX)));
  TIFF* tif = file.get();
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t bits = 1;
  uint16_t samples = 1;
  uint16_t compression = COMPRESSION_NONE;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  CheckPictureSize(kTiff, width, height, options);
  const bool fax = compression == COMPRESSION_CCITTRLE || compression == COMPRESSION_CCITTFAX3 ||
                   compression == COMPRESSION_CCITTFAX4 || compression == COMPRESSION_CCITTRLEW;
  const uint64_t rawBytes = (uint64_t{width} * samples * bits + 7) / 8 * height;
  CheckDataCovers(kTiff, StoredBytes(tif, data.size()), rawBytes, fax ? rawBytes : kMaxExpansion);

  char message[1024];
  if (TIFFRGBAImageOK(tif, message) == 0) Fail(kTiff, message);
  raster::Bitmap bitmap(static_cast<int>(width), static_cast<int>(height));
  // The RGBA interface writes 0xAABBGGRR words, rows packed: the bitmap's own
  // rows when it has no padding (an owned bitmap has none).
  auto* raster = reinterpret_cast<uint32_t*>(bitmap.Row(0));
  if (TIFFReadRGBAImageOriented(tif, width, height, raster, ORIENTATION_TOPLEFT, 1) == 0)
    Fail(kTiff, src.error.empty() ? "cannot read the picture" : src.error);
  for (int y = 0; y < bitmap.Height(); ++y) {
    raster::Pixel* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const uint32_t abgr = row[x];
      const uint32_t a = TIFFGetA(abgr);
      const auto straight = [a](uint32_t c) {
        return static_cast<uint8_t>(a == 255 || a == 0 ? c : std::min<uint32_t>(255, (c * 255 + a / 2) / a));
      };
      row[x] = raster::MakePixel(straight(TIFFGetR(abgr)), straight(TIFFGetG(abgr)), straight(TIFFGetB(abgr)),
                                 static_cast<uint8_t>(a));
    }
  }
  return bitmap;
}

}  // namespace imageformats
