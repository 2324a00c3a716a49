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
    case kUnknownPictureType: return {Action::Fail, {}};
    case 1: return {Action::Decode, Format::Bmp};
    case 2: return {Action::Decode, Format::Jpeg};
    case 11: return {Action::Decode, Format::Gif};
    case 15: return {Action::Decode, Format::Png};
    case 3: case 4: case 6: case 7: case 8: case 9: case 10: case 12: case 13: case 14:
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
