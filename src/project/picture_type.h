// Picture type codes: a small integer naming a picture format, taken from a
// file name's extension. The decoder is chosen by the code alone.
#pragma once

#include <string_view>

namespace project {

constexpr int kUnknownPictureType = -1;
constexpr int kTiffPictureType = 5;
constexpr int kMaxPictureType = 15;

// The type code of a file name: its last extension (after dropping one trailing
// "."), lower-cased, tested against each row of the extension table in order;
// -1 when none matches. A name without a dot is taken as an extension whole.
int PictureTypeCode(std::string_view fileName);

// A short name of the format of a type code ("JPEG", "ZSoft PCX"), or "unknown".
std::string_view PictureTypeName(int typeCode);

}  // namespace project
