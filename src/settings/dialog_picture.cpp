#include "settings/dialog_picture.h"

#include <vector>

#include "base/paths.h"
#include "project/picture_decoding.h"

namespace settings {

DialogPicture LoadDialogPicture(project::TProjectInfo& project) {
  DialogPicture picture;
  if (!project.ShowDialogImage) return picture;
  try {
    if (project.PicturesEmbedded) {
      std::vector<uint8_t> stream;
      int typeCode = 0;
      if (project.GetDialogImageStream(stream, typeCode))
        picture.loaded = project::DecodePictureStream(stream, picture.bitmap, typeCode);
    } else if (!project.DialogImageFile.empty() && base::FileExists(project.DialogImageFile)) {
      picture.loaded = project::DecodePictureFile(project.DialogImageFile, picture.bitmap);
    }
  } catch (const std::exception& error) {
    picture.loaded = false;
    picture.error = error.what();
  }
  // A type code without a decoder (0, or out of range) leaves the bitmap empty.
  if (picture.loaded && (picture.bitmap.Width() <= 0 || picture.bitmap.Height() <= 0)) picture.loaded = false;
  return picture;
}

}  // namespace settings
