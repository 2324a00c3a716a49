// Flash movie items (Kind 1): their file must be a movie the player can read,
// and one that is not embedded is put beside the written screensaver, where
// the program looks for it.
#pragma once

#include <string>

#include "manifest.h"

namespace showpack {

// Throws ManifestError naming the item's line when its file is not a movie.
void CheckFlashMovie(const ManifestItem& item);

// Copies the item's file into the folder of `outputPath` (unless it is there).
void CopyBesideOutput(const ManifestItem& item, const std::string& outputPath);

}  // namespace showpack
