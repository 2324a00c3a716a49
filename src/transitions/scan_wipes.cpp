#include "transitions/scan_wipes.h"

#include <algorithm>

#include "transitions/effect_drawing.h"

namespace transitions {
namespace {

void CopyBand(DrawingState& s, Direction d, int32_t from, int32_t to) {
  CopyPicture(s, AxisRect(d, from, to, 0, AcrossSize(s, d)));
}

}  // namespace

bool StepScan(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t along = AlongSize(s, d);
  bool done = false;
  if (IsReverse(d)) {
    const int32_t start = along - s.Position;
    CopyBand(s, d, std::max(start - s.Step, 0), start);
    done = start - s.Step < 0;
  } else {
    int32_t end = s.Position + s.Step;
    if (end > along) {
      end = along;
      done = true;
    }
    CopyBand(s, d, s.Position, end);
  }
  s.Position += s.Step;
  return done;
}

void PrepareScanCenter(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  const int32_t half = AlongSize(s, args.direction) / 2 + 1;
  (IsVertical(args.direction) ? s.HalfY : s.HalfX) = half;
  s.Position = 0;
}

bool StepScanToCenter(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t half = IsVertical(d) ? s.HalfY : s.HalfX;
  if (s.Position > half) {
    DrawWholePicture(s);
    return true;
  }
  const int32_t along = AlongSize(s, d);
  CopyBand(s, d, s.Position, s.Position + s.Step);
  CopyBand(s, d, along - s.Position - s.Step, along - s.Position);
  s.Position += s.Step;
  return false;
}

bool StepScanToEdge(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  const int32_t half = IsVertical(d) ? s.HalfY : s.HalfX;
  const int32_t along = AlongSize(s, d);
  const int32_t start = half - s.Position;
  CopyBand(s, d, std::max(start - s.Step, 0), start);
  CopyBand(s, d, std::min(half + s.Position, along), std::min(half + s.Position + s.Step, along));
  s.Position += s.Step;
  return start - s.Step < 0;
}

}  // namespace transitions
