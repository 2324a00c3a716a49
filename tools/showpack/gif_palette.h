// The one colour table of an animated GIF. Every frame of a transition is made
// of the pixels of the screen before it and of the slide it brings in, so the
// table is built from those two pictures: all their colours when they have at
// most 256 (the frames are then exact), else 256 chosen by median cut.
#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "raster/bitmap.h"

namespace showpack {

class GifPalette {
 public:
  static constexpr int kMaxColors = 256;

  explicit GifPalette(std::span<const raster::Bitmap* const> pictures);

  // Opaque colours, at most 256, at least one.
  const std::vector<raster::Pixel>& Colors() const { return colors_; }
  // The entry of `color`: exact when the table holds it, else the nearest.
  uint8_t IndexOf(raster::Pixel color);

 private:
  uint8_t Nearest(raster::Pixel color) const;

  std::vector<raster::Pixel> colors_;
  std::unordered_map<raster::Pixel, uint8_t> exact_;
  // Nearest entries by colour at 6 bits per channel (0: not yet looked up,
  // else entry + 1), filled as colours come.
  std::vector<uint16_t> nearest_;
};

}  // namespace showpack
