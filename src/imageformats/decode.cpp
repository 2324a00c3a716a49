#include "imageformats/decode.h"

#include <algorithm>
#include <new>
#include <string>

#include "imageformats/decoders.h"

namespace imageformats {
namespace {

struct FormatEntry {
  Format format;
  const char* name;
  raster::Bitmap (*decode)(std::span<const uint8_t>, const DecodeOptions&);
};

constexpr FormatEntry kFormats[] = {
    {Format::Bmp, "BMP", DecodeBmp},
    {Format::Jpeg, "JPEG", DecodeJpeg},
    {Format::Png, "PNG", DecodePng},
    {Format::Gif, "GIF", DecodeGif},
    {Format::Sgi, "SGI", DecodeSgi},
    {Format::Autodesk, "Autodesk CEL", DecodeAutodesk},
    {Format::Tiff, "TIFF", DecodeTiff},
    {Format::Targa, "Targa", DecodeTarga},
    {Format::Pcx, "PCX", DecodePcx},
    {Format::PhotoCd, "Photo CD", DecodePhotoCd},
    {Format::Pnm, "PNM", DecodePnm},
    {Format::Cut, "CUT", DecodeCut},
    {Format::Rla, "RLA", DecodeRla},
    {Format::Psd, "Photoshop", DecodePsd},
    {Format::Psp, "Paint Shop Pro", DecodePsp},
};

const FormatEntry* Find(Format format) {
  for (const FormatEntry& entry : kFormats)
    if (entry.format == format) return &entry;
  return nullptr;
}

}  // namespace

const char* FormatName(Format format) {
  const FormatEntry* entry = Find(format);
  return entry != nullptr ? entry->name : "picture";
}

void Fail(Format format, std::string_view fault) {
  throw DecodeError(std::string(FormatName(format)) + ": " + std::string(fault));
}

void CheckPictureSize(Format format, int64_t width, int64_t height, const DecodeOptions& options) {
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width <= 0 || height <= 0) Fail(format, "bad picture size " + size);
  const int64_t maxPixels = std::min(options.maxPixels, raster::Bitmap::kMaxPixels);
  if (!raster::Bitmap::SizeAllowed(width, height) || width * height > maxPixels)
    Fail(format, "picture too large (" + size + ")");
}

void CheckDataCovers(Format format, uint64_t available, uint64_t needed, uint64_t maxExpansion) {
  if ((needed + maxExpansion - 1) / maxExpansion > available) Fail(format, "pixel data ends early");
}

raster::Bitmap Decode(Format format, std::span<const uint8_t> data, const DecodeOptions& options) {
  const FormatEntry* entry = Find(format);
  if (entry == nullptr) throw DecodeError("unknown picture format");
  // A picture within the limits may still not fit in memory (a 32-bit
  // process); callers get the same kind of error as for damaged data.
  try {
    return entry->decode(data, options);
  } catch (const std::bad_alloc&) {
    Fail(format, "not enough memory");
  }
}

}  // namespace imageformats
