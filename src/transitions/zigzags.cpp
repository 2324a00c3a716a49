// Zig-zags: GridX, GridY is the next cell. The walk runs along a line (a
// column for right/left, a row for down/up), forwards on the first line and
// every second one after it, backwards on the others, and then steps to the
// next line in args.direction.
#include "transitions/effect_drawing.h"
#include "transitions/grid_cells.h"
#include "transitions/grid_effects.h"

namespace transitions {
namespace {

constexpr int32_t kZigZagCells = 20;

int32_t FirstLine(Direction d) { return IsReverse(d) ? kZigZagCells - 1 : 0; }

}  // namespace

void PrepareZigZag(DrawingState& s, const EffectArgs& args) {
  SetGridCells(s, kZigZagCells);
  const bool rows = IsVertical(args.direction);
  s.GridX = rows ? 0 : FirstLine(args.direction);
  s.GridY = rows ? FirstLine(args.direction) : 0;
}

bool StepZigZag(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  int32_t& line = IsVertical(d) ? s.GridY : s.GridX;
  int32_t& along = IsVertical(d) ? s.GridX : s.GridY;
  if (line < 0 || line >= kZigZagCells) return true;
  CopyCell(s, s.GridX, s.GridY);
  const bool forwards = (line - FirstLine(d)) % 2 == 0;
  along += forwards ? 1 : -1;
  if (along < 0 || along >= kZigZagCells) {
    along = forwards ? kZigZagCells - 1 : 0;
    line += IsReverse(d) ? -1 : 1;
  }
  return line < 0 || line >= kZigZagCells;
}

}  // namespace transitions
