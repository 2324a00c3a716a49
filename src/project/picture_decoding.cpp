#include "project/picture_decoding.h"

#include <optional>

#include "base/paths.h"
#include "project/cut_palette.h"
#include "project/picture_type.h"

namespace project {
namespace {

using imageformats::Format;

// The decoder of a type code; the code alone chooses it.
std::optional<Format> DecoderOf(int typeCode) {
  switch (typeCode) {
    case PictureType::Bmp: return Format::Bmp;
    case PictureType::Jpeg: return Format::Jpeg;
    case PictureType::Sgi: return Format::Sgi;
    case PictureType::Autodesk: return Format::Autodesk;
    case PictureType::Tiff: return Format::Tiff;
    case PictureType::Targa: return Format::Targa;
    case PictureType::Pcx: return Format::Pcx;
    case PictureType::PhotoCd: return Format::PhotoCd;
    case PictureType::Pnm: return Format::Pnm;
    case PictureType::Cut: return Format::Cut;
    case PictureType::Gif: return Format::Gif;
    case PictureType::Rla: return Format::Rla;
    case PictureType::Psd: return Format::Psd;
    case PictureType::Psp: return Format::Psp;
    case PictureType::Png: return Format::Png;
    default: return std::nullopt;  // unknown, 0 and codes out of range
  }
}

}  // namespace

bool DecodePictureStream(std::span<const uint8_t> stream, raster::Bitmap& bitmap, int typeCode,
                         const imageformats::DecodeOptions& hint) {
  if (typeCode == PictureType::Unknown) return false;
  const std::optional<Format> format = DecoderOf(typeCode);
  if (!format) return true;  // 0 and codes out of range
  // Decoded into a new bitmap first: a damaged picture leaves `bitmap` as it was.
  bitmap = imageformats::Decode(*format, stream, hint);
  return true;
}

bool DecodePictureFile(const std::string& path, raster::Bitmap& bitmap) {
  const int typeCode = PictureTypeCode(path);
  if (!DecoderOf(typeCode)) return DecodePictureStream({}, bitmap, typeCode);
  const std::optional<std::vector<uint8_t>> bytes = base::ReadWholeFile(path);
  if (!bytes) throw imageformats::DecodeError("Cannot read picture file '" + path + "'");
  std::vector<uint8_t> palette;
  imageformats::DecodeOptions options;
  if (typeCode == PictureType::Cut) {
    palette = ReadCutPalette(path);
    options.palette = palette;
  }
  return DecodePictureStream(*bytes, bitmap, typeCode, options);
}

}  // namespace project
