// Multi-boxes: box (i, j) is centred at ((2i + 1) CellW, (2j + 1) CellH) with
// the half extents Position across and Position * Ratio down, CellW and
// CellH being half cells of a 20 x 20 grid. A frame shows the picture inside
// the boxes and the back image outside them (or the other way round for "to
// center"). Earlier frames stay on the canvas, so after the first frame a tick
// draws only what changed: the growth of each box, or the union of the last
// frame's boxes minus the union of this frame's. The boxes of tall narrow
// pictures overlap, which is why the shrinking boxes need the unions.
#include <algorithm>
#include <array>

#include "raster/region.h"
#include "transitions/effect_drawing.h"
#include "transitions/grid_cells.h"
#include "transitions/grid_effects.h"
#include "transitions/move_drawing.h"

namespace transitions {
namespace {

constexpr int32_t kBoxes = 10;
constexpr int32_t kBoxCount = kBoxes * kBoxes;

using Boxes = std::array<raster::Rect, kBoxCount>;

Boxes BoxesAt(const DrawingState& s, int32_t half) {
  const int32_t halfDown = ScaleByRatio(s, half);
  Boxes boxes;
  for (int32_t i = 0; i < kBoxes; ++i)
    for (int32_t j = 0; j < kBoxes; ++j) {
      const int32_t cx = (2 * i + 1) * s.CellW, cy = (2 * j + 1) * s.CellH;
      boxes[static_cast<size_t>(i * kBoxes + j)] = {cx - half, cy - halfDown, cx + half, cy + halfDown};
    }
  return boxes;
}

// The frame of boxes of half width `half` over the picture: the back image
// inside them, the picture outside, each pixel written once, row by row. The
// boxes of a row of boxes lie side by side (their half width is at most
// CellW), those of a column may overlap.
void DrawBoxesOverPicture(DrawingState& s, int32_t half) {
  const int32_t halfDown = ScaleByRatio(s, half);
  const raster::Bitmap& picture = *s.SourceBitmap;
  const raster::Bitmap& back = *s.BackBitmap;
  const int32_t ox = s.OriginX;
  s.Canvas().EditRuns(s.PicRect(s.PictureBounds()), [&](raster::Pixel* row, int y, int x0, int x1) {
    const int32_t py = y - s.OriginY;
    const raster::Pixel* in = picture.Row(py);
    // Target columns from..to - 1 from the picture.
    auto fromPicture = [&](int32_t from, int32_t to) { std::copy(in + (from - ox), in + (to - ox), row + from); };
    bool boxed = false;
    for (int32_t j = 0; j < kBoxes && !boxed; ++j) {
      const int32_t cy = (2 * j + 1) * s.CellH;
      boxed = py >= cy - halfDown && py < cy + halfDown;
    }
    int32_t x = x0;  // written up to here, but for the back image from `pending`
    if (boxed && y < back.Height()) {
      const raster::Pixel* old = back.Row(y);
      // Boxes that touch are copied as one span: many short copies cost
      // up to twice as much as one long one.
      int32_t pending = x;
      for (int32_t i = 0; i < kBoxes; ++i) {
        const int32_t cx = (2 * i + 1) * s.CellW + ox;
        const int32_t left = std::clamp(cx - half, x, x1), right = std::clamp(cx + half, x, x1);
        if (left > x) {
          std::copy(old + pending, old + x, row + pending);
          fromPicture(x, left);
          pending = left;
        }
        // Past the back image (which is never smaller than the target in the
        // show) the picture stays, as if it had been drawn under the boxes.
        x = std::max(left, std::min(right, back.Width()));
      }
      std::copy(old + pending, old + x, row + pending);
    }
    fromPicture(x, x1);
  });
}

bool StepGrowing(DrawingState& s) {
  if (s.Position >= s.CellW) {
    DrawWholePicture(s);
    return true;
  }
  if (s.Position == 0) {
    RestoreBack(s, s.PictureBounds());  // empty boxes on the back image
  } else {
    const Boxes before = BoxesAt(s, s.Position - 1);
    const Boxes now = BoxesAt(s, s.Position);
    for (size_t b = 0; b < now.size(); ++b) CopyPictureExcept(s, now[b], before[b]);
  }
  ++s.Position;
  return false;
}

bool StepShrinking(DrawingState& s) {
  if (s.Position <= 0) {
    DrawWholePicture(s);
    return true;
  }
  const Boxes now = BoxesAt(s, s.Position);
  if (s.Position == s.CellW) {
    DrawBoxesOverPicture(s, s.Position);
  } else {
    DrawPictureThrough(s, raster::Region::FromRects(BoxesAt(s, s.Position + 1)).Subtract(raster::Region::FromRects(now)));
  }
  --s.Position;
  return false;
}

}  // namespace

void PrepareMultiBox(DrawingState& s, const EffectArgs& args) {
  SetGridCells(s, 2 * kBoxes);
  s.Ratio = PictureRatio(s);
  s.Position = (args.variant & kBoxesToCenter) ? s.CellW : 0;
}

bool StepMultiBox(DrawingState& s, const EffectArgs& args) {
  return (args.variant & kBoxesToCenter) ? StepShrinking(s) : StepGrowing(s);
}

}  // namespace transitions
