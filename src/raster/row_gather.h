// The rows of a nearest-neighbour stretch, sixteen pixels at a time, on
// processors with 512-bit vectors: each group of sixteen target pixels is
// picked from a window of 32 or 64 source pixels by permutation. Every
// target row of a stretch uses the same column samples, so the groups'
// windows and indices are worked out once for all rows.
#pragma once

#include <cstdint>
#include <vector>

#include "raster/color.h"

namespace raster {

class RowGather {
 public:
  // For out[k] = in[samples[k]], k < n, over source rows of srcWidth pixels
  // (every sample in 0 .. srcWidth - 1). Usable() is false where the
  // processor lacks the instructions or sixteen neighbouring samples spread
  // over more than 64 source pixels (a shrink to less than about a quarter).
  RowGather(const int* samples, int n, int srcWidth);
  bool Usable() const { return usable_; }
  // One row; reads only in[0 .. srcWidth) and writes only out[0 .. n).
  void Draw(Pixel* out, const Pixel* in) const;

  static constexpr int kWindow = 32;
  static constexpr int kWideWindow = 64;
  struct Group {
    int32_t window;     // the first source pixel of the group's window
    uint64_t readable;  // bit i: window + i lies inside the source row
  };

 private:
  bool usable_ = false;
  bool wide_ = false;  // some group needs the 64-pixel window
  int n_ = 0;
  std::vector<Group> groups_;
  std::vector<int32_t> index_;  // sixteen per group, relative to its window
};

}  // namespace raster
