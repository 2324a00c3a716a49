#include "contact_sheet.h"

#include <gtest/gtest.h>

#include "base/random.h"
#include "player/frame_box_text.h"

namespace showpack {
namespace {

using raster::Bitmap;
using raster::MakePixel;
using raster::Pixel;

TEST(ContactSheet, LabelsSayWhatEachItemIs) {
  base::SeededRandom random(3);
  project::TPictureInfo record(random);
  record.Number = 4;
  record.Caption = "Sea";
  record.TypeCode = 15;
  EXPECT_EQ(ItemLabel(record), (std::vector<std::string>{"4  Sea", "picture, PNG, speed 25", "all 161 transitions at random"}));
  record.Transitions = "104;36;";
  record.RandomTransition = false;
  record.TransitionSpeed = 7;
  EXPECT_EQ(ItemLabel(record)[1], "picture, PNG, speed 7");
  EXPECT_EQ(ItemLabel(record)[2], "in turn: 104 Scan down, 36 Circle(Center)");
  record.Transitions = "";
  EXPECT_EQ(ItemLabel(record)[2], "no transition");
  record.Transitions = "3;x;";
  EXPECT_EQ(ItemLabel(record)[2], "transitions: a list that cannot be read");
  record.ShowCaption = false;
  record.Kind = 1;
  EXPECT_EQ(ItemLabel(record)[0], "4  (caption off) Sea");
  EXPECT_EQ(ItemLabel(record)[1], "Flash movie, speed 7");
  record.Kind = 0;
  record.TypeCode = 2;
  record.BackgroundOnly = true;
  EXPECT_EQ(ItemLabel(record), (std::vector<std::string>{"4  (caption off) Sea", "picture, JPEG, background only",
                                                         "never shown as a slide"}));
}

TEST(ContactSheet, ThumbnailsShrinkIntoTheirBox) {
  EXPECT_EQ(Thumbnail(Bitmap(1920, 1080)).Width(), 320);
  EXPECT_EQ(Thumbnail(Bitmap(1920, 1080)).Height(), 180);
  EXPECT_EQ(Thumbnail(Bitmap(300, 2000)).Height(), 240);
  EXPECT_EQ(Thumbnail(Bitmap(100, 50)).Width(), 100);  // never enlarged
  const Bitmap thumb = Thumbnail(Bitmap(1024, 768, MakePixel(10, 200, 30)));
  EXPECT_EQ(thumb.At(160, 120), MakePixel(10, 200, 30));
}

TEST(ContactSheet, CellsInRowsOfFourWithTheirLabelsBelow) {
  // Box text: every byte a 6 by 10 box, so where labels go can be read off.
  player::BoxTextRenderer text(6, 10);
  std::vector<SheetEntry> entries;
  const std::vector<Pixel> colors = {MakePixel(255, 0, 0), MakePixel(0, 255, 0), MakePixel(0, 0, 255),
                                     MakePixel(255, 255, 0), MakePixel(0, 255, 255)};
  for (std::size_t k = 0; k < colors.size(); ++k)
    entries.push_back({Bitmap(k == 2 ? 200 : 320, k == 2 ? 240 : 180, colors[k]),
                       {"line one", "second", std::string(100, 'w')}});
  entries[4].thumbnail = Bitmap();  // an item without a picture keeps its cell
  const Bitmap sheet = LayContactSheet("Title", entries, text);

  const int cellW = 320, thumbH = 240, lineH = 10, cellH = thumbH + 6 + 3 * lineH;
  const int top = 16 + 10 + 16;
  EXPECT_EQ(sheet.Width(), 2 * 16 + 4 * cellW + 3 * 16);
  EXPECT_EQ(sheet.Height(), top + 2 * cellH + 16 + 16);
  const Pixel background = sheet.At(0, 0);
  for (std::size_t k = 0; k < colors.size(); ++k) {
    const int left = 16 + static_cast<int>(k % 4) * (cellW + 16);
    const int cellTop = top + static_cast<int>(k / 4) * (cellH + 16);
    const int w = entries[k].thumbnail.Width(), h = entries[k].thumbnail.Height();
    if (w > 0) {
      // Centred in the cell's picture part.
      const int x = left + (cellW - w) / 2, y = cellTop + (thumbH - h) / 2;
      EXPECT_EQ(sheet.At(x, y), colors[k]) << k;
      EXPECT_EQ(sheet.At(x + w - 1, y + h - 1), colors[k]) << k;
      EXPECT_NE(sheet.At(x - 1, y + h / 2), colors[k]) << k;
      EXPECT_NE(sheet.At(x + w / 2, y + h), colors[k]) << k;
    } else {
      EXPECT_NE(sheet.At(left + 5, cellTop + 5), background) << "an empty cell is marked";
    }
    // Three label lines; the long third one is cut to the cell.
    for (int n = 0; n < 3; ++n) EXPECT_NE(sheet.At(left + 1, cellTop + thumbH + 6 + n * lineH + 1), background) << k;
    const int lastLine = cellTop + thumbH + 6 + 2 * lineH + 1;
    EXPECT_NE(sheet.At(left + cellW - 7, lastLine), background) << k;
    EXPECT_EQ(sheet.At(left + cellW, lastLine), background) << k;
  }
}

}  // namespace
}  // namespace showpack
