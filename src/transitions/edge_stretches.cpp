// Edge stretches: Position runs from the starting edge (0 for down and right,
// the picture's size for up and left) by Step; the whole picture is squeezed
// into the band between that edge and Position.
#include "transitions/effect_drawing.h"
#include "transitions/growing_rects.h"
#include "transitions/stretch_drawing.h"

namespace transitions {

void PrepareEdgeStretch(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.Position = IsReverse(args.direction) ? AlongSize(s, args.direction) : 0;
}

bool StepEdgeStretch(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t reached = Reached(s, d);
  if (reached >= AlongSize(s, d)) {
    DrawWholePicture(s);
    return true;
  }
  StretchPictureInto(s, BandFromStart(s, d, 0, reached));
  Advance(s, d, s.Step);
  return false;
}

}  // namespace transitions
