// Pictures a show may carry: each one must decode with the screensaver's own
// decoders, so that a show never ships a picture it cannot show.
#pragma once

#include <string>

namespace showpack {

// Reads and decodes the picture at `path` as `typeCode`, with the pixel limit
// of the 32-bit screensaver; raises ManifestError "<where>: <field>: <path>:
// <why>" when it cannot be shown. A CUT picture is read with the palette file
// beside it, as the screensaver reads an external one.
void CheckPicture(const std::string& path, int typeCode, const std::string& where, const std::string& field);

}  // namespace showpack
