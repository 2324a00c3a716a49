// Checkerboards: Phase 0 is the first pass, Phase 1 the second; Position
// counts the lines of the pass (0..19).
#include "transitions/effect_drawing.h"
#include "transitions/grid_cells.h"
#include "transitions/grid_effects.h"

namespace transitions {
namespace {

constexpr int32_t kCheckerCells = 20;

// The line drawn at `count` of a pass: ascending rows or columns for down and
// right, descending for up and left; the rebound turns the second pass round.
int32_t LineOf(const DrawingState& s, const EffectArgs& args) {
  bool descending = IsReverse(args.direction);
  if (s.Phase == 1 && (args.variant & kCheckerRebound)) descending = !descending;
  return descending ? kCheckerCells - 1 - s.Position : s.Position;
}

}  // namespace

void PrepareCheckerboard(DrawingState& s, const EffectArgs&) {
  SetGridCells(s, kCheckerCells);
  s.Phase = 0;
  s.Position = 0;
}

bool StepCheckerboard(DrawingState& s, const EffectArgs& args) {
  if (s.Position >= kCheckerCells) return true;  // the idle final tick
  const int32_t line = LineOf(s, args);
  // First pass: the cells whose column + row is even; second pass: odd.
  for (int32_t k = (line + s.Phase) % 2; k < kCheckerCells; k += 2) {
    if (IsVertical(args.direction)) {
      CopyCell(s, k, line);
    } else {
      CopyCell(s, line, k);
    }
  }
  if (++s.Position < kCheckerCells) return false;
  if (s.Phase == 0) {
    s.Phase = 1;
    s.Position = 0;
    return false;
  }
  return !(args.variant & kCheckerIdleFinal);
}

}  // namespace transitions
