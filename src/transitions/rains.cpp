#include "transitions/rains.h"

#include <algorithm>

#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "transitions/effect_drawing.h"
#include "transitions/stretch_drawing.h"

namespace transitions {

bool StepRain(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d);
  const int32_t p = s.Position;
  const int32_t step = s.Step;
  if (p >= along) {
    DrawWholePicture(s);
    return true;
  }
  CopyPicture(s, BandFromStart(s, d, std::max(p - step, 0), p));
  const int32_t bandFrom = IsReverse(d) ? p - step : p;
  const raster::Rect band =
      BandFromStart(s, d, std::max(bandFrom, 0), std::min(bandFrom + step, along)).Intersect(s.PictureBounds());
  if (!band.IsEmpty()) {
    raster::Bitmap streak = IsVertical(d) ? raster::Bitmap(s.PicWidth, step) : raster::Bitmap(step, s.PicHeight);
    raster::Canvas(streak).CopyRect(streak.Bounds(), *s.SourceBitmap, band);
    s.Canvas().CopyRect(s.PicRect(BandFromStart(s, d, p, along)), streak, streak.Bounds());
  }
  s.Position += step;
  return false;
}

}  // namespace transitions
