#include "raster/bitmap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace raster {

bool Bitmap::SizeAllowed(int64_t width, int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

Bitmap::Bitmap(int width, int height, Pixel fill) { Reset(width, height, fill); }

Bitmap Bitmap::Wrap(Pixel* pixels, int width, int height, std::ptrdiff_t strideBytes) {
  Bitmap b;
  b.pixels_ = pixels;
  b.width_ = width;
  b.height_ = height;
  b.stride_ = strideBytes;
  return b;
}

void Bitmap::Reset(int width, int height, Pixel fill) {
  if (!SizeAllowed(width, height)) throw std::length_error("bitmap size out of range");
  storage_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
  pixels_ = storage_.data();
  width_ = width;
  height_ = height;
  stride_ = static_cast<std::ptrdiff_t>(width) * static_cast<std::ptrdiff_t>(sizeof(Pixel));
}

Bitmap::Bitmap(const Bitmap& other) { *this = other; }

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  Reset(other.width_, other.height_);
  for (int y = 0; y < height_; ++y)
    std::memcpy(Row(y), other.Row(y), static_cast<size_t>(width_) * sizeof(Pixel));
  return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept { *this = std::move(other); }

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this == &other) return *this;
  const bool owned = other.OwnsPixels();
  storage_ = std::move(other.storage_);
  pixels_ = owned ? storage_.data() : other.pixels_;
  width_ = other.width_;
  height_ = other.height_;
  stride_ = other.stride_;
  other.storage_.clear();
  other.pixels_ = nullptr;
  other.width_ = other.height_ = 0;
  other.stride_ = 0;
  return *this;
}

void Bitmap::Fill(Pixel value) {
  for (int y = 0; y < height_; ++y) std::fill_n(Row(y), width_, value);
}

}  // namespace raster
