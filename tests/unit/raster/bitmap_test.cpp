#include "raster/bitmap.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace raster {
namespace {

TEST(Bitmap, OwnedCopyIsDeepAndMoveKeepsPixels) {
  Bitmap a(3, 2, MakePixel(1, 2, 3));
  Bitmap b = a;
  b.At(0, 0) = 0;
  EXPECT_EQ(a.At(0, 0), MakePixel(1, 2, 3));
  const Pixel* data = a.Row(0);
  Bitmap c = std::move(a);
  EXPECT_EQ(c.Row(0), data);
  EXPECT_TRUE(a.IsEmpty());
}

TEST(Bitmap, WrappedMemoryIsSharedAndCopiesBecomeOwned) {
  std::vector<Pixel> memory(4 * 3, 0);  // 3 rows of 4 pixels, only 2 used per row
  Bitmap wrapped = Bitmap::Wrap(memory.data(), 2, 3, 4 * sizeof(Pixel));
  wrapped.Fill(5);
  EXPECT_EQ(memory[0], 5u);
  EXPECT_EQ(memory[2], 0u);  // padding untouched
  EXPECT_EQ(memory[4], 5u);
  EXPECT_FALSE(wrapped.OwnsPixels());
  const Bitmap copy = wrapped;
  EXPECT_TRUE(copy.OwnsPixels());
  EXPECT_EQ(copy.At(1, 2), 5u);
}

// Owned pixels of a frame's size start on a 4 KiB boundary however they came
// to be owned, so that two bitmaps' rows at the same place lie at the same
// offsets modulo 4 KiB (a copy between them then never waits on its own
// stores).
TEST(Bitmap, OwnedFramePixelsStartOnAPageBoundary) {
  const auto onPage = [](const Bitmap& b) { return reinterpret_cast<uintptr_t>(b.Row(0)) % 4096 == 0; };
  std::vector<Bitmap> owned;
  for (int width : {128, 129, 1920}) owned.emplace_back(width, 128);
  std::vector<Pixel> memory(200 * 100 + 1);
  owned.push_back(Bitmap::Wrap(memory.data() + 1, 200, 100, 200 * sizeof(Pixel)));  // a copy of wrapped memory
  owned.push_back(owned.back());
  owned.erase(owned.end() - 2);
  Bitmap reset(5, 5);
  reset.Reset(333, 211);
  owned.push_back(std::move(reset));
  for (size_t i = 0; i < owned.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(owned[i].OwnsPixels());
    EXPECT_TRUE(onPage(owned[i]));
  }
  // Small ones keep the usual alignment and are still whole.
  Bitmap small(3, 2, MakePixel(1, 2, 3));
  small.Reset(7, 9, MakePixel(4, 5, 6));
  EXPECT_EQ(small.At(6, 8), MakePixel(4, 5, 6));
}

TEST(Bitmap, SizeLimits) {
  EXPECT_THROW(Bitmap(-1, 5), std::length_error);
  EXPECT_THROW(Bitmap(Bitmap::kMaxSide + 1, 1), std::length_error);
  EXPECT_FALSE(Bitmap::SizeAllowed(Bitmap::kMaxSide, Bitmap::kMaxSide));
  EXPECT_TRUE(Bitmap::SizeAllowed(0, 0));
  EXPECT_TRUE(Bitmap(0, 0).IsEmpty());
}

TEST(ColorRef, ConvertsBothWays) {
  EXPECT_EQ(PixelFromColorRef(0x00332211), MakePixel(0x11, 0x22, 0x33));
  EXPECT_EQ(ColorRefFromPixel(MakePixel(0x11, 0x22, 0x33, 0x80)), 0x00332211u);
}

}  // namespace
}  // namespace raster
