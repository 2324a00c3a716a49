// A 32-bit BGRA, top-down bitmap with a row stride. It either owns its pixels or
// wraps memory it is given (the Windows layer hands it a DIB section, so GDI and
// the engine work on the very same pixels).
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "raster/color.h"
#include "raster/geometry.h"

namespace raster {

// Owned pixels of 64 KiB and more start on a 4 KiB boundary, as the pixels of
// a DIB section do. A row copy between two such bitmaps at the same place then
// reads and writes at the same offsets modulo 4 KiB; with the C library's
// 16-byte aligned blocks the target's rows could start a few bytes above the
// source's modulo 4 KiB, where every load of a forward copy waits for the
// store before it (a full frame copied so took twice as long, depending on
// the order of allocations). Smaller blocks keep the usual alignment, so that
// small bitmaps do not each take a page.
template <class T>
struct PageAlignedAllocator {
  using value_type = T;
  static constexpr std::align_val_t kAlignment{4096};
  static constexpr size_t kAlignFromBytes = 64 * 1024;
  PageAlignedAllocator() = default;
  template <class U>
  PageAlignedAllocator(const PageAlignedAllocator<U>&) noexcept {}
  T* allocate(size_t n) {
    const size_t bytes = n * sizeof(T);
    return static_cast<T*>(bytes >= kAlignFromBytes ? ::operator new(bytes, kAlignment) : ::operator new(bytes));
  }
  void deallocate(T* p, size_t n) noexcept {
    if (n * sizeof(T) >= kAlignFromBytes) {
      ::operator delete(p, kAlignment);
    } else {
      ::operator delete(p);
    }
  }
  template <class U>
  bool operator==(const PageAlignedAllocator<U>&) const noexcept {
    return true;
  }
};

class Bitmap {
 public:
  // The largest bitmap the engine accepts: decoders refuse bigger pictures
  // before they allocate anything.
  static constexpr int kMaxSide = 32768;
  static constexpr int64_t kMaxPixels = 512LL * 1024 * 1024;

  Bitmap() = default;
  // An owned bitmap, every pixel `fill`. Throws std::length_error beyond the limits.
  Bitmap(int width, int height, Pixel fill = MakePixel(0, 0, 0));
  // Wraps `pixels` (rows `strideBytes` apart, top row first); the memory must
  // outlive the bitmap.
  static Bitmap Wrap(Pixel* pixels, int width, int height, std::ptrdiff_t strideBytes);

  Bitmap(const Bitmap& other);             // always a deep, owned copy
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(Bitmap&& other) noexcept;
  ~Bitmap() = default;

  // Resizes an owned bitmap (contents become `fill`); a wrapped one becomes owned.
  void Reset(int width, int height, Pixel fill = MakePixel(0, 0, 0));

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  std::ptrdiff_t StrideBytes() const { return stride_; }
  bool OwnsPixels() const { return pixels_ == storage_.data() && !storage_.empty(); }

  Pixel* Row(int y) { return reinterpret_cast<Pixel*>(reinterpret_cast<uint8_t*>(pixels_) + y * stride_); }
  const Pixel* Row(int y) const {
    return reinterpret_cast<const Pixel*>(reinterpret_cast<const uint8_t*>(pixels_) + y * stride_);
  }
  // Unchecked access; callers clip first.
  Pixel At(int x, int y) const { return Row(y)[x]; }
  Pixel& At(int x, int y) { return Row(y)[x]; }

  void Fill(Pixel value);

  static bool SizeAllowed(int64_t width, int64_t height);

 private:
  std::vector<Pixel, PageAlignedAllocator<Pixel>> storage_;
  Pixel* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::ptrdiff_t stride_ = 0;
};

}  // namespace raster
