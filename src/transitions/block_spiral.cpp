// Block spiral: SpiralX/SpiralY[1..64] hold the cell order, Position the next
// entry to show.
#include <algorithm>

#include "transitions/grid_cells.h"
#include "transitions/grid_effects.h"

namespace transitions {
namespace {

constexpr int32_t kSpiralCells = 8;
constexpr int32_t kSpiralLength = kSpiralCells * kSpiralCells;

// The spiral from the centre cell (3, 3) outwards: runs down, right, up, left
// in turn, of lengths 1, 1, 2, 2, ..., 7, 7 and a last run of 7 up to (7, 0).
void BuildOutwardSpiral(DrawingState& s) {
  constexpr raster::Point kTurns[] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
  int32_t x = 3, y = 3, n = 1;
  s.SpiralX[1] = static_cast<uint8_t>(x);
  s.SpiralY[1] = static_cast<uint8_t>(y);
  for (int32_t run = 0; n < kSpiralLength; ++run) {
    const raster::Point d = kTurns[run % 4];
    const int32_t length = run / 2 + 1 < kSpiralCells ? run / 2 + 1 : kSpiralCells - 1;
    for (int32_t k = 0; k < length; ++k) {
      x += d.x;
      y += d.y;
      ++n;
      s.SpiralX[static_cast<size_t>(n)] = static_cast<uint8_t>(x);
      s.SpiralY[static_cast<size_t>(n)] = static_cast<uint8_t>(y);
    }
  }
}

}  // namespace

void PrepareBlockSpiral(DrawingState& s, const EffectArgs& args) {
  SetGridCells(s, kSpiralCells);
  s.Position = 1;
  BuildOutwardSpiral(s);
  if (args.variant & kBlockToCenter) {
    std::reverse(s.SpiralX.begin() + 1, s.SpiralX.end());
    std::reverse(s.SpiralY.begin() + 1, s.SpiralY.end());
  }
}

bool StepBlockSpiral(DrawingState& s, const EffectArgs&) {
  if (s.Position > kSpiralLength) return true;
  const auto n = static_cast<size_t>(s.Position);
  CopyCell(s, s.SpiralX[n], s.SpiralY[n]);
  ++s.Position;
  return false;
}

}  // namespace transitions
