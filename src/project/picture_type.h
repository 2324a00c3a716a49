// Picture type codes: a small integer naming a picture format, taken from a
// file name's extension or from a picture record. The decoder is chosen by the
// code alone.
#pragma once

#include <cstdint>
#include <string_view>

namespace project {

// The codes with a meaning. Records may carry any integer; every other value
// decodes to nothing (see DecodePictureStream).
struct PictureType {
  enum Code : int32_t {
    Unknown = -1,  // an extension of no known format
    Bmp = 1,
    Jpeg = 2,
    Sgi = 3,
    Autodesk = 4,
    Tiff = 5,
    Targa = 6,
    Pcx = 7,
    PhotoCd = 8,
    Pnm = 9,
    Cut = 10,
    Gif = 11,
    Rla = 12,
    Psd = 13,
    Psp = 14,
    Png = 15,
  };
  static constexpr int32_t kLast = Png;
};

// The type code of a file name: its last extension (after dropping one trailing
// "."), lower-cased, tested against each row of the extension table in order;
// PictureType::Unknown when none matches. A name without a dot is taken as an
// extension whole.
int PictureTypeCode(std::string_view fileName);

// A short name of the format of a type code ("JPEG", "ZSoft PCX"), or "unknown".
std::string_view PictureTypeName(int typeCode);

}  // namespace project
