// Corner grows: GrowW and GrowH start at 0; the extent of the smaller picture
// side grows by Step, the other is driving x other side div driving side.
#include <cstdint>

#include "transitions/effect_drawing.h"
#include "transitions/growing_rects.h"
#include "transitions/stretch_drawing.h"

namespace transitions {

void PrepareCornerGrow(DrawingState& s, const EffectArgs&) {
  ReadPictureSize(s);
  s.GrowW = 0;
  s.GrowH = 0;
}

bool StepCornerGrow(DrawingState& s, const EffectArgs& args) {
  const int32_t w = s.PicWidth;
  const int32_t h = s.PicHeight;
  const bool inPlace = (args.variant & kGrowInPlace) != 0;
  const bool byHeight = h < w;
  int32_t& driving = byHeight ? s.GrowH : s.GrowW;
  int32_t& other = byHeight ? s.GrowW : s.GrowH;
  const int32_t side = byHeight ? h : w;
  const int32_t otherSide = byHeight ? w : h;
  if (driving >= side) {
    FinishGrown(s, inPlace);
    return true;
  }
  // driving < side, so side > 0 and other < otherSide.
  other = static_cast<int32_t>(int64_t{driving} * otherSide / side);
  const int32_t left = (args.variant & kGrowRight) ? w - s.GrowW : 0;
  const int32_t top = (args.variant & kGrowBottom) ? h - s.GrowH : 0;
  DrawGrownRect(s, {left, top, left + s.GrowW, top + s.GrowH}, inPlace);
  driving += s.Step;
  return false;
}

}  // namespace transitions
