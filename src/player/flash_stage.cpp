#include "player/flash_stage.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "raster/canvas.h"

namespace player::flash {
namespace {

double Place(double free, int32_t alignMode, int32_t nearFlag, int32_t farFlag) {
  if (alignMode & nearFlag) return 0;
  if (alignMode & farFlag) return free;
  return free / 2;
}

// Blends `color` over the pixels of `region` by its alpha.
void FillBlended(raster::Bitmap& target, const raster::Region& region, raster::Pixel color) {
  raster::Canvas canvas(target, region);
  if (raster::PixelA(color) == 0xFF) {
    canvas.FillRegion(region, color);
    return;
  }
  const uint32_t alpha = raster::PixelA(color);
  auto mix = [alpha](uint8_t over, uint8_t under) {
    return static_cast<uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
  };
  canvas.EditRuns(region.Bounds(), [&](raster::Pixel* row, int, int x0, int x1) {
    for (int x = x0; x < x1; ++x)
      row[x] = raster::MakePixel(mix(raster::PixelR(color), raster::PixelR(row[x])),
                                 mix(raster::PixelG(color), raster::PixelG(row[x])),
                                 mix(raster::PixelB(color), raster::PixelB(row[x])));
  });
}

}  // namespace

StageView FitStage(const raster::Rect& stageTwips, int windowWidth, int windowHeight, int32_t scaleMode,
                   int32_t alignMode) {
  StageView view;
  view.stageLeft = stageTwips.left;
  view.stageTop = stageTwips.top;
  const double width = std::max(1.0, stageTwips.Width() / double{kTwipsPerPixel});
  const double height = std::max(1.0, stageTwips.Height() / double{kTwipsPerPixel});
  const double fitX = windowWidth / width, fitY = windowHeight / height;
  switch (scaleMode) {
    case kNoBorder: view.scaleX = view.scaleY = std::max(fitX, fitY); break;
    case kExactFit: view.scaleX = fitX, view.scaleY = fitY; break;
    case kNoScale: view.scaleX = view.scaleY = 1; break;
    default: view.scaleX = view.scaleY = std::min(fitX, fitY); break;
  }
  view.offsetX = Place(windowWidth - width * view.scaleX, alignMode, kAlignLeft, kAlignRight);
  view.offsetY = Place(windowHeight - height * view.scaleY, alignMode, kAlignTop, kAlignBottom);
  return view;
}

raster::Region EvenOddRegion(std::span<const Segment> edges, const raster::Rect& window) {
  if (edges.empty() || window.IsEmpty()) return {};
  // Edges by their top row; each row's crossings at the pixel centres.
  struct Edge {
    double top, bottom, x, dx, dy;  // x at y = top; the direction
    // Multiplying before dividing keeps crossings that fall exactly on a
    // pixel centre exact for whole-numbered ends.
    double At(double y) const { return x + (y - top) * dx / dy; }
  };
  std::vector<Edge> sorted;
  sorted.reserve(edges.size());
  for (const Segment& s : edges) {
    if (s.from.y == s.to.y) continue;
    const Segment e = s.from.y < s.to.y ? s : Segment{s.to, s.from};
    sorted.push_back({e.from.y, e.to.y, e.from.x, double{e.to.x} - e.from.x, double{e.to.y} - e.from.y});
  }
  std::sort(sorted.begin(), sorted.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });
  if (sorted.empty()) return {};
  double lowest = sorted.front().bottom;
  for (const Edge& e : sorted) lowest = std::max(lowest, e.bottom);
  // Positions far outside the window are cut to it before they become ints.
  auto clampTo = [](double v, int low, int high) {
    return static_cast<int>(std::clamp(v, static_cast<double>(low), static_cast<double>(high)));
  };
  const int firstRow = clampTo(std::floor(sorted.front().top), window.top, window.bottom);
  const int endRow = clampTo(std::ceil(lowest), window.top, window.bottom);

  std::vector<raster::Rect> spans;
  std::vector<const Edge*> active;
  std::vector<double> crossings;
  size_t next = 0;
  for (int y = firstRow; y < endRow; ++y) {
    const double centre = y + 0.5;
    while (next < sorted.size() && sorted[next].top <= centre) active.push_back(&sorted[next++]);
    std::erase_if(active, [centre](const Edge* e) { return e->bottom <= centre; });
    crossings.clear();
    for (const Edge* e : active)
      if (e->top <= centre) crossings.push_back(e->At(centre));
    std::sort(crossings.begin(), crossings.end());
    for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
      // Pixels whose centres lie in [from, to).
      const int from = clampTo(std::ceil(crossings[k] - 0.5), window.left, window.right);
      const int to = clampTo(std::ceil(crossings[k + 1] - 0.5), window.left, window.right);
      if (to > from) spans.push_back({from, y, to, y + 1});
    }
  }
  return raster::Region::FromRects(spans);
}

void DrawStage(raster::Bitmap& target, const Movie& movie, const MovieTimeline& timeline, const StageView& view,
               raster::Pixel background) {
  target.Fill(background);
  std::vector<Segment> edges;
  for (const auto& [depth, placed] : timeline.DisplayList()) {
    const auto shape = movie.shapes.find(placed.character);
    if (shape == movie.shapes.end()) continue;
    for (const ShapeFill& fill : shape->second.fills) {
      edges.clear();
      for (const Segment& s : fill.edges)
        edges.push_back({view.ToWindow(placed.matrix.Apply(s.from)), view.ToWindow(placed.matrix.Apply(s.to))});
      FillBlended(target, EvenOddRegion(edges, target.Bounds()), fill.color);
    }
  }
}

}  // namespace player::flash
