// The palette file that an external Dr. Halo CUT picture keeps beside it. Kept
// apart from decoding so that reading a project never links the decoders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace project {

// The file of the same name with the extension ".pal" (or ".PAL") beside the
// picture. Empty when there is none, and for a picture that is itself a ".pal"
// file.
std::vector<uint8_t> ReadCutPalette(const std::string& picturePath);

}  // namespace project
