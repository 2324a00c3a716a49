// The author's picture beside the settings dialog.
#pragma once

#include <string>

#include "project/project_info.h"
#include "raster/bitmap.h"

namespace settings {

struct DialogPicture {
  bool loaded = false;   // `bitmap` holds the picture
  raster::Bitmap bitmap;
  std::string error;     // why a picture that exists could not be decoded
};

// When the project shows a dialog picture: decodes it from the container (with
// the type code of DialogImageFile) or, for a project whose pictures are
// external, from the file DialogImageFile when it exists. Nothing is loaded
// otherwise; a damaged picture leaves it unloaded with the decoder's message.
DialogPicture LoadDialogPicture(project::TProjectInfo& project);

}  // namespace settings
