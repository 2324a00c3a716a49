// Builds a region band by band, top to bottom, merging equal adjacent bands.
// Internal to the raster library.
#pragma once

#include <cstdint>
#include <span>

#include "raster/region.h"

namespace raster {

struct Span {
  int left;
  int right;
};

class RegionBuilder {
 public:
  // Appends the band [top, bottom) with sorted, disjoint, non-touching spans;
  // bands must come in increasing y order without overlap.
  void AddBand(int top, int bottom, std::span<const Span> spans);
  Region Finish();

 private:
  Region region_;
  std::size_t lastBandStart_ = SIZE_MAX;
};

}  // namespace raster
