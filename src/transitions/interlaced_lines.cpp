// Interlaced lines. Phase 0 is the first pass, 1 the second. Each tick copies
// the line at Position and moves on by 2; the tick that copies the last line of
// the second pass reports completion, so an effect takes one tick per line.
#include "transitions/effect_drawing.h"
#include "transitions/line_wipes.h"

namespace transitions {
namespace {

bool SecondPassForward(const EffectArgs& args) {
  const bool firstForward = !IsReverse(args.direction);
  return (args.variant & kLineRebound) ? !firstForward : firstForward;
}

// The first line of the second pass: the other parity, from the end it runs from.
int32_t SecondPassStart(int32_t along, const EffectArgs& args) {
  const bool rebound = (args.variant & kLineRebound) != 0;
  const bool even = along % 2 == 0;
  if (!IsReverse(args.direction)) return rebound ? (even ? along - 1 : along - 2) : 1;
  return rebound ? (even ? 0 : 1) : along - 2;
}

}  // namespace

void PrepareInterlacedLines(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  s.Phase = 0;
  s.Position = IsReverse(args.direction) ? AlongSize(s, args.direction) - 1 : 0;
}

bool StepInterlacedLines(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d);
  const auto inside = [along](int32_t line) { return line >= 0 && line < along; };
  if (inside(s.Position)) CopyPicture(s, AxisRect(d, s.Position, s.Position + 1, 0, AcrossSize(s, d)));

  const bool forward = s.Phase == 0 ? !IsReverse(d) : SecondPassForward(args);
  s.Position += forward ? 2 : -2;
  if (inside(s.Position)) return false;
  if (s.Phase == 0) {
    s.Phase = 1;
    s.Position = SecondPassStart(along, args);
    if (inside(s.Position)) return false;
  }
  return true;
}

}  // namespace transitions
