// Centre grows and the centre envelop. HalfX = W div 2, HalfY = H div 2, and
// Limit is the half of the smaller side; Position p gives the half extents
// (p, p x H div W) on a tall picture, (p x W div H, p) otherwise.
#include <cstdint>

#include "transitions/effect_drawing.h"
#include "transitions/growing_rects.h"
#include "transitions/move_drawing.h"
#include "transitions/stretch_drawing.h"

namespace transitions {
namespace {

void PrepareCenter(DrawingState& s) {
  ReadPictureSize(s);
  s.HalfX = s.PicWidth / 2;
  s.HalfY = s.PicHeight / 2;
  s.Limit = s.PicWidth < s.PicHeight ? s.HalfX : s.HalfY;
}

// Called only while Limit > 0, so the side divided by is at least 2.
raster::Rect CenteredRect(const DrawingState& s, int32_t p) {
  const bool tall = s.PicWidth < s.PicHeight;
  const int32_t ax = tall ? p : static_cast<int32_t>(int64_t{p} * s.PicWidth / s.PicHeight);
  const int32_t ay = tall ? static_cast<int32_t>(int64_t{p} * s.PicHeight / s.PicWidth) : p;
  return raster::Rect{s.HalfX - ax, s.HalfY - ay, s.HalfX + ax, s.HalfY + ay}.Intersect(s.PictureBounds());
}

}  // namespace

void PrepareCenterGrow(DrawingState& s, const EffectArgs&) {
  PrepareCenter(s);
  s.Position = 0;
}

bool StepCenterGrow(DrawingState& s, const EffectArgs& args) {
  const bool inPlace = (args.variant & kGrowInPlace) != 0;
  if (s.Position >= s.Limit) {
    FinishGrown(s, inPlace);
    return true;
  }
  DrawGrownRect(s, CenteredRect(s, s.Position), inPlace);
  s.Position += s.Step;
  return false;
}

void PrepareCenterEnvelop(DrawingState& s, const EffectArgs&) {
  PrepareCenter(s);
  s.Position = s.Limit;
}

// OldBounds is the hole that still shows the old image. The first frame shows
// the back image in the hole; later frames only fill what the hole gave up.
bool StepCenterEnvelop(DrawingState& s, const EffectArgs&) {
  if (s.Position <= 0) {
    CopyPicture(s, s.OldBounds);
    return true;
  }
  const raster::Rect hole = CenteredRect(s, s.Position);
  CopyPictureExcept(s, s.OldBounds, hole);
  if (s.Position == s.Limit) RestoreBack(s, hole);
  s.OldBounds = hole;
  s.Position -= s.Step;
  return false;
}

}  // namespace transitions
