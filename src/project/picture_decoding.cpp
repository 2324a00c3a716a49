#include "project/picture_decoding.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "base/paths.h"
#include "project/picture_type.h"

namespace project {
namespace {

using imageformats::Format;

enum class Action { Fail, KeepBitmap, Decode, NoDecoder };

struct Plan {
  Action action;
  std::optional<Format> format;
};

// What a type code asks for. Codes whose format the image-format library does
// not decode yet raise a clear error rather than showing nothing.
Plan PlanFor(int typeCode) {
  switch (typeCode) {
    case PictureType::Unknown: return {Action::Fail, {}};
    case PictureType::Bmp: return {Action::Decode, Format::Bmp};
    case PictureType::Jpeg: return {Action::Decode, Format::Jpeg};
    case PictureType::Gif: return {Action::Decode, Format::Gif};
    case PictureType::Png: return {Action::Decode, Format::Png};
    case PictureType::Sgi: case PictureType::Autodesk: case PictureType::Targa: case PictureType::Pcx:
    case PictureType::PhotoCd: case PictureType::Pnm: case PictureType::Cut: case PictureType::Rla:
    case PictureType::Psd: case PictureType::Psp:
      return {Action::NoDecoder, {}};
    default: return {Action::KeepBitmap, {}};  // 0, TIFF, and codes out of range
  }
}

[[noreturn]] void ThrowNoDecoder(int typeCode) {
  throw imageformats::DecodeError("No decoder for this picture type: " + std::string(PictureTypeName(typeCode)) +
                                  " (type " + std::to_string(typeCode) + ")");
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream file(base::PathFromUtf8(path), std::ios::binary);
  if (!file) throw imageformats::DecodeError("Cannot open picture file '" + path + "'");
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) throw imageformats::DecodeError("Cannot read picture file '" + path + "'");
  return bytes;
}

}  // namespace

bool DecodePictureStream(std::span<const uint8_t> stream, raster::Bitmap& bitmap, int typeCode,
                         const imageformats::DecodeOptions& hint) {
  const Plan plan = PlanFor(typeCode);
  switch (plan.action) {
    case Action::Fail: return false;
    case Action::KeepBitmap: return true;
    case Action::NoDecoder: ThrowNoDecoder(typeCode);
    case Action::Decode: break;
  }
  // Decoded into a new bitmap first: a damaged picture leaves `bitmap` as it was.
  bitmap = imageformats::Decode(*plan.format, stream, hint);
  return true;
}

bool DecodePictureFile(const std::string& path, raster::Bitmap& bitmap) {
  const int typeCode = PictureTypeCode(path);
  const Plan plan = PlanFor(typeCode);
  if (plan.action != Action::Decode) return DecodePictureStream({}, bitmap, typeCode);
  const std::vector<uint8_t> bytes = ReadWholeFile(path);
  return DecodePictureStream(bytes, bitmap, typeCode);
}

}  // namespace project
