// What the run window asks of frame composition: the bitmaps of the current
// item and the composing steps it calls.
#pragma once

#include "raster/bitmap.h"
#include "raster/geometry.h"

namespace player {

class SlideComposer {
 public:
  virtual ~SlideComposer() = default;
  // Sizes the frame and composite bitmaps to the show area.
  virtual void Resize(int width, int height, bool preview) = 0;
  // Composes the picture item `index` of the show items: the background into
  // the frame (and, in composite mode, the composite), the fitted picture into
  // Picture() with its origin. Throws when the picture cannot be read.
  virtual void PrepareItem(int index) = 0;
  // The background, caption and description of a Flash or video item into the
  // frame, copied onto the show image.
  virtual void PrepareBackgroundAndTexts(int index) = 0;
  // The caption and description of item `index` onto `target` (composite mode).
  virtual void DrawTexts(int index, raster::Bitmap& target) = 0;

  virtual raster::Bitmap& Picture() = 0;
  virtual raster::Bitmap& Frame() = 0;
  virtual raster::Bitmap& Composite() = 0;
  virtual raster::Point Origin() const = 0;
  virtual void SetOrigin(raster::Point origin) = 0;
};

}  // namespace player
