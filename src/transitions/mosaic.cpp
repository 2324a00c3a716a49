// Mosaic: CellList holds the top-left corners of the cells not yet shown,
// column by column; each tick shows one picked at random.
#include "transitions/effect_drawing.h"
#include "transitions/grid_cells.h"
#include "transitions/grid_effects.h"

namespace transitions {
namespace {

constexpr int32_t kMosaicCells = 20;

}  // namespace

void PrepareMosaic(DrawingState& s, const EffectArgs&) {
  SetGridCells(s, kMosaicCells);
  s.CellList.clear();
  s.CellList.reserve(kMosaicCells * kMosaicCells);
  for (int32_t i = 0; i < kMosaicCells; ++i)
    for (int32_t j = 0; j < kMosaicCells; ++j) s.CellList.push_back({i * s.CellW, j * s.CellH});
}

bool StepMosaic(DrawingState& s, const EffectArgs&) {
  if (!s.CellList.empty()) {
    const auto index = static_cast<size_t>(s.Random(static_cast<int32_t>(s.CellList.size())));
    const raster::Point cell = s.CellList[index];
    CopyPicture(s, raster::Rect::FromSize(cell.x, cell.y, s.CellW, s.CellH));
    s.CellList.erase(s.CellList.begin() + static_cast<std::ptrdiff_t>(index));
  }
  if (!s.CellList.empty()) return false;
  std::vector<raster::Point>().swap(s.CellList);
  return true;
}

}  // namespace transitions
