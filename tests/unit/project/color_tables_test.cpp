#include "project/color_tables.h"

#include <gtest/gtest.h>

#include "raster/color.h"

namespace project {
namespace {

TEST(ColorTablesTest, ValuesAreWindowsColoursInBlueGreenRedOrder) {
  for (ColorRef color : StandardColors) EXPECT_EQ(color >> 24, 0u);
  for (const TColorPair& pair : GradientColorPairs) {
    EXPECT_EQ(pair.First >> 24, 0u);
    EXPECT_EQ(pair.Second >> 24, 0u);
  }
  // Entry 4 is pure red and entry 9 a purple with full red and half blue.
  EXPECT_EQ(raster::PixelFromColorRef(StandardColors[4]), raster::MakePixel(0xFF, 0, 0));
  EXPECT_EQ(raster::PixelFromColorRef(StandardColors[9]), raster::MakePixel(0xFF, 0, 0x80));
  // Pair 5 fades from green to black, pair 12 from orange to black.
  EXPECT_EQ(raster::PixelFromColorRef(GradientColorPairs[5].First), raster::MakePixel(0, 0xFF, 0));
  EXPECT_EQ(raster::PixelFromColorRef(GradientColorPairs[12].First), raster::MakePixel(0xFF, 0x80, 0));
  EXPECT_EQ(GradientColorPairs[12].Second, 0u);
}

}  // namespace
}  // namespace project
