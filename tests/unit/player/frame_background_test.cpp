#include <set>
#include <string>

#include <gtest/gtest.h>

#include "base/paths.h"
#include "player/frame_composer.h"
#include "player/frame_desktop.h"
#include "player/frame_test_support.h"
#include "project/color_tables.h"
#include "raster/gradient.h"

namespace player {
namespace {

using namespace player::testing;
using raster::Rect;

TEST(FrameBackground, AnEmptyKindListGivesTheColourBackground) {
  FrameScene scene(64, 48);
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  record.BackgroundKinds = "";
  record.RandomBackgroundColor = false;
  record.BackgroundColor = 0x00FF00;
  ScriptedRandom random;
  FrameComposer composer = scene.Scripted(random);
  composer.DrawBackground(record);
  EXPECT_TRUE(AllPixels(composer.Frame(), composer.Frame().Bounds(), kGreen));
  EXPECT_TRUE(random.ranges.empty());  // nothing drawn for the kind or the colour
}

TEST(FrameBackground, RandomColourComesFromTheStandardColours) {
  FrameScene scene(16, 16);
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  record.BackgroundKinds = "0;";
  record.RandomBackgroundColor = true;
  ScriptedRandom random({0, 9});
  FrameComposer composer = scene.Scripted(random);
  composer.DrawBackground(record);
  EXPECT_EQ(random.ranges, (std::vector<int32_t>{1, 13}));
  EXPECT_TRUE(AllPixels(composer.Frame(), composer.Frame().Bounds(),
                        raster::PixelFromColorRef(project::StandardColors[9])));
}

TEST(FrameBackground, GradientStyleIsStoredAndPaintedWithARandomPair) {
  FrameScene scene(40, 30);
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  record.BackgroundKinds = "2;";
  record.GradientStyles = " 3; 9;";
  record.RandomGradientColors = true;
  ScriptedRandom random({0, 1, 7});  // kind, style " 9", pair 7
  FrameComposer composer = scene.Scripted(random);
  composer.DrawBackground(record);
  EXPECT_EQ(record.ChosenGradientStyle, 9);
  raster::Bitmap expected(40, 30);
  raster::FillGradient(project::GradientColorPairs[7].First, project::GradientColorPairs[7].Second, 9, expected);
  EXPECT_TRUE(SameBitmap(composer.Frame(), expected));
}

TEST(FrameBackground, GradientWithTheRecordsOwnColours) {
  FrameScene scene(40, 30);
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  record.BackgroundKinds = "2;";
  record.GradientStyles = "0;";
  record.RandomGradientColors = false;
  record.GradientColor1 = 0x0000FF;
  record.GradientColor2 = 0xFF0000;
  scene.composer.DrawBackground(record);
  EXPECT_EQ(scene.composer.Frame().At(5, 0), kRed);
  raster::Bitmap expected(40, 30);
  raster::FillGradient(0x0000FF, 0xFF0000, 0, expected);
  EXPECT_TRUE(SameBitmap(scene.composer.Frame(), expected));
}

TEST(FrameBackground, UnknownKindSourceOrUnreadableListLeavesOrFillsSoundly) {
  FrameScene scene(16, 16);
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  scene.FillFrame(scene.composer, kMagenta);
  record.BackgroundKinds = "7;";
  scene.composer.DrawBackground(record);
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), scene.composer.Frame().Bounds(), kMagenta));
  record.BackgroundKinds = "1;";
  record.BackgroundSources = "5;";
  scene.composer.DrawBackground(record);
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), scene.composer.Frame().Bounds(), kMagenta));
  // A list entry that is not a number reads as 0: the colour background.
  record.BackgroundKinds = "x;";
  record.RandomBackgroundColor = false;
  record.BackgroundColor = 0xFFFFFF;
  scene.composer.DrawBackground(record);
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), scene.composer.Frame().Bounds(), kWhite));
}

TEST(FrameBackground, ListedBackgroundNeedsBlankNumberSemicolon) {
  FrameScene scene;
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  for (int i = 0; i < 3; ++i) scene.Add(Solid(4, 4, kBlack), true);
  record.BackgroundPictures = " 0; 2;";
  std::set<const project::TPictureInfo*> chosen;
  for (int i = 0; i < 200; ++i) chosen.insert(scene.composer.PickListedBackground(record));
  EXPECT_EQ(chosen, (std::set<const project::TPictureInfo*>{scene.backgroundItems[0], scene.backgroundItems[2]}));

  record.BackgroundPictures = " 11;";  // names no picture 1
  EXPECT_EQ(scene.composer.PickListedBackground(record), nullptr);
  record.BackgroundPictures = "1;";  // no blank before the number
  EXPECT_EQ(scene.composer.PickListedBackground(record), nullptr);
  record.BackgroundPictures = " 1;";
  EXPECT_EQ(scene.composer.PickListedBackground(record), scene.backgroundItems[1]);
}

TEST(FrameBackground, ListedBackgroundWithoutBackgroundPicturesIsNone) {
  FrameScene scene;
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  record.BackgroundPictures = " 0;";
  ScriptedRandom random;
  FrameComposer composer = scene.Scripted(random);
  EXPECT_EQ(composer.PickListedBackground(record), nullptr);
  EXPECT_TRUE(random.ranges.empty());
}

TEST(FrameBackground, ShowPictureIsAnyPictureItemIncludingTheCurrentOne) {
  FrameScene scene;
  project::TPictureInfo& a = scene.Add(Solid(4, 4, kWhite));
  scene.Add(Solid(4, 4, kWhite)).Kind = 1;  // a Flash movie
  project::TPictureInfo& c = scene.Add(Solid(4, 4, kWhite));
  scene.Add(Solid(4, 4, kWhite)).Kind = 2;  // a video
  std::set<const project::TPictureInfo*> chosen;
  for (int i = 0; i < 200; ++i) chosen.insert(scene.composer.PickShowPicture());
  EXPECT_EQ(chosen, (std::set<const project::TPictureInfo*>{&a, &c}));
}

TEST(FrameBackground, NoPictureToChooseGivesBlack) {
  FrameScene scene(16, 16);
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  record.Kind = 1;
  record.BackgroundKinds = "1;";
  record.BackgroundSources = "1;";
  scene.FillFrame(scene.composer, kWhite);
  scene.composer.DrawBackground(record);
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), scene.composer.Frame().Bounds(), kBlack));
}

class BackgroundPicture : public ::testing::Test {
 protected:
  BackgroundPicture() : scene(64, 48) {}
  void Draw(const raster::Bitmap& picture, int mode, bool randomCount = false, int count = 20) {
    project::TPictureInfo& background = scene.Add(picture, true);
    scene.FillFrame(scene.composer, kMagenta);
    scene.composer.DrawBackgroundPicture(&background, mode, randomCount, count);
  }
  const raster::Bitmap& Frame() { return scene.composer.Frame(); }
  FrameScene scene;
};

TEST_F(BackgroundPicture, StretchCoversTheFrame) {
  // Enlarged bilinearly: pure colours away from the seam, a blend across it.
  Draw(TwoColumns(4, 4, 2, kRed, kBlue), 0);
  EXPECT_TRUE(AllPixels(Frame(), {0, 0, 24, 48}, kRed));
  EXPECT_TRUE(AllPixels(Frame(), {40, 0, 64, 48}, kBlue));
  const raster::Pixel seam = Frame().At(31, 20);
  EXPECT_GT(raster::PixelR(seam), 0);
  EXPECT_GT(raster::PixelB(seam), 0);
  EXPECT_EQ(raster::PixelA(seam), 255);
}

TEST_F(BackgroundPicture, CentreKeepsASmallPictureOnBlack) {
  Draw(Solid(10, 6, kGreen), 1);
  EXPECT_TRUE(AllPixels(Frame(), {27, 21, 37, 27}, kGreen));
  EXPECT_TRUE(AllPixels(Frame(), {0, 0, 64, 21}, kBlack));
  EXPECT_TRUE(AllPixels(Frame(), {0, 27, 64, 48}, kBlack));
  EXPECT_TRUE(AllPixels(Frame(), {0, 0, 27, 48}, kBlack));
  EXPECT_TRUE(AllPixels(Frame(), {37, 0, 64, 48}, kBlack));
}

TEST_F(BackgroundPicture, CentreShrinksALargePictureToFit) {
  Draw(Solid(128, 32, kGreen), 1);  // 64 x 16 at (0, 16)
  EXPECT_TRUE(AllPixels(Frame(), {0, 16, 64, 32}, kGreen));
  EXPECT_TRUE(AllPixels(Frame(), {0, 0, 64, 16}, kBlack));
  EXPECT_TRUE(AllPixels(Frame(), {0, 32, 64, 48}, kBlack));
}

TEST_F(BackgroundPicture, TileCountTwentyOnA300PixelPictureGives16PixelTiles) {
  // Left half red, right half blue: each 16 x 8 tile is red then blue.
  Draw(TwoColumns(300, 150, 150, kRed, kBlue), 2, false, 20);
  for (int tile = 0; tile < 4; ++tile) {
    EXPECT_TRUE(AllPixels(Frame(), {tile * 16, 0, tile * 16 + 7, 48}, kRed)) << tile;
    EXPECT_TRUE(AllPixels(Frame(), {tile * 16 + 9, 0, tile * 16 + 16, 48}, kBlue)) << tile;
  }
}

TEST_F(BackgroundPicture, TileRowsFollowTheTileHeight) {
  // Top half red, bottom half blue; tiles 16 x 8.
  Draw(TwoBands(300, 150, 75, kRed, kBlue), 2, false, 20);
  for (int row = 0; row < 6; ++row) {
    EXPECT_TRUE(AllPixels(Frame(), {0, row * 8, 64, row * 8 + 3}, kRed)) << row;
    EXPECT_TRUE(AllPixels(Frame(), {0, row * 8 + 5, 64, row * 8 + 8}, kBlue)) << row;
  }
}

TEST_F(BackgroundPicture, RandomTileCountSplitsTheScreenWidth) {
  ScriptedRandom random({1});  // n = 2: tile width round(64 / 2) + 1 = 33
  project::TPictureInfo& background = scene.Add(TwoColumns(300, 150, 150, kRed, kBlue), true);
  FrameComposer composer = scene.Scripted(random);
  composer.DrawBackgroundPicture(&background, 2, true, 20);
  EXPECT_EQ(random.ranges, (std::vector<int32_t>{20}));
  EXPECT_TRUE(AllPixels(composer.Frame(), {0, 0, 16, 16}, kRed));
  EXPECT_TRUE(AllPixels(composer.Frame(), {17, 0, 33, 16}, kBlue));
  EXPECT_TRUE(AllPixels(composer.Frame(), {33, 0, 49, 16}, kRed));
}

TEST_F(BackgroundPicture, TileCountZeroUsesOneTileAcrossThePicture) {
  Draw(TwoColumns(30, 10, 15, kRed, kBlue), 2, false, 0);  // tile 31 x 10
  EXPECT_TRUE(AllPixels(Frame(), {0, 0, 15, 10}, kRed));
  EXPECT_TRUE(AllPixels(Frame(), {16, 0, 31, 10}, kBlue));
  EXPECT_TRUE(AllPixels(Frame(), {31, 0, 46, 10}, kRed));
}

TEST_F(BackgroundPicture, RandomModeChoosesAmongTheThree) {
  ScriptedRandom random({1});  // mode 3 -> centre
  project::TPictureInfo& background = scene.Add(Solid(10, 6, kGreen), true);
  FrameComposer composer = scene.Scripted(random);
  scene.FillFrame(composer, kMagenta);
  composer.DrawBackgroundPicture(&background, 3, false, 20);
  EXPECT_EQ(random.ranges, (std::vector<int32_t>{3}));
  EXPECT_TRUE(AllPixels(composer.Frame(), {27, 21, 37, 27}, kGreen));
  EXPECT_EQ(composer.Frame().At(0, 0), kBlack);
}

TEST_F(BackgroundPicture, UnknownModeAndNoRecord) {
  Draw(Solid(10, 6, kGreen), 4);
  EXPECT_TRUE(AllPixels(Frame(), Frame().Bounds(), kMagenta));
  scene.composer.DrawBackgroundPicture(nullptr, 0, false, 20);
  EXPECT_TRUE(AllPixels(Frame(), Frame().Bounds(), kBlack));
}

TEST_F(BackgroundPicture, MissingFileShowsTheProjectsMessageAndDrawsNothing) {
  project::TPictureInfo& background = scene.Add(Solid(10, 6, kGreen), true);
  scene.project.PicturesEmbedded = false;
  scene.project.UiTexts[44] = "Cannot find %s, sorry";
  background.FileName = "C:\\pics\\sky.jpg";
  scene.FillFrame(scene.composer, kMagenta);
  const auto error = scene.composer.DrawBackgroundPicture(&background, 0, false, 20);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message, "Cannot find C:\\pics\\sky.jpg, sorry");
  EXPECT_TRUE(error->missing);
  EXPECT_FALSE(error->slide);
  EXPECT_TRUE(AllPixels(Frame(), Frame().Bounds(), kMagenta));
}

TEST_F(BackgroundPicture, DamagedPictureIsReportedAndTheFrameKept) {
  project::TPictureInfo& background = scene.AddBytes({'B', 'M', 1, 2, 3}, 1, true);
  scene.FillFrame(scene.composer, kMagenta);
  const auto error = scene.composer.DrawBackgroundPicture(&background, 0, false, 20);
  ASSERT_TRUE(error);
  EXPECT_NE(error->message.find("BMP"), std::string::npos);
  EXPECT_FALSE(error->missing);
  EXPECT_EQ(error->number, background.Number);
  EXPECT_TRUE(AllPixels(Frame(), Frame().Bounds(), kMagenta));
}

TEST(DesktopBackground, CaptureIsCopiedOneToOneInFullScreen) {
  FrameScene scene(32, 24);
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  record.BackgroundKinds = "1;";
  record.BackgroundSources = "0;";
  const raster::Bitmap desktop = TwoColumns(32, 24, 10, kRed, kBlue);
  const auto bytes = BmpBytes(desktop);
  ASSERT_TRUE(base::WriteWholeFile(DesktopCapturePath(scene.temp), bytes.data(), bytes.size()));
  EXPECT_EQ(DesktopCapturePath(scene.temp), scene.temp + "mgsmdsk.bmp");
  scene.composer.DrawBackground(record);
  EXPECT_TRUE(SameBitmap(scene.composer.Frame(), desktop));

  DeleteDesktopCapture(DesktopCapturePath(scene.temp));
  EXPECT_FALSE(base::FileExists(DesktopCapturePath(scene.temp)));
  DeleteDesktopCapture(DesktopCapturePath(scene.temp));  // already gone: nothing happens
}

TEST(DesktopBackground, CaptureIsShrunkIntoThePreview) {
  FrameScene scene(16, 12, true);
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  record.BackgroundKinds = "1;";
  record.BackgroundSources = "0;";
  const auto bytes = BmpBytes(TwoColumns(160, 120, 80, kRed, kBlue));
  ASSERT_TRUE(base::WriteWholeFile(DesktopCapturePath(scene.temp), bytes.data(), bytes.size()));
  scene.composer.DrawBackground(record);
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), {0, 0, 8, 12}, kRed));
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), {8, 0, 16, 12}, kBlue));
}

TEST(DesktopBackground, MissingOrDamagedCaptureGivesARandomStandardColour) {
  FrameScene scene(16, 12);
  project::TPictureInfo& record = scene.Add(Solid(4, 4, kWhite));
  record.BackgroundKinds = "1;";
  record.BackgroundSources = "0;";
  for (const bool damaged : {false, true}) {
    if (damaged) {
      ASSERT_TRUE(base::WriteWholeFile(DesktopCapturePath(scene.temp), "BM", 2));
    }
    ScriptedRandom random({0, 0, 4});
    FrameComposer composer = scene.Scripted(random);
    composer.DrawBackground(record);
    EXPECT_EQ(random.ranges, (std::vector<int32_t>{1, 1, 13}));
    EXPECT_TRUE(AllPixels(composer.Frame(), composer.Frame().Bounds(),
                          raster::PixelFromColorRef(project::StandardColors[4])));
  }
}

}  // namespace
}  // namespace player
