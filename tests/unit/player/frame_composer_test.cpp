#include <cstdlib>
#include <fstream>
#include <iterator>
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "imageformats/handmade_files.h"
#include "player/frame_composer.h"
#include "player/frame_picture.h"
#include "player/frame_test_support.h"

namespace player {
namespace {

using namespace player::testing;
using raster::Rect;

class Composer : public ::testing::Test {
 protected:
  Composer() : display(1024, 768, kMagenta) {}
  // Adds a picture item and composes it.
  void Prepare(const raster::Bitmap& picture) {
    scene.Add(picture);
    scene.composer.PrepareItem(static_cast<int>(scene.showItems.size()) - 1, display);
  }
  const raster::Bitmap& Picture() { return scene.composer.Picture(); }
  raster::Point Origin() { return {scene.composer.Origin().x, scene.composer.Origin().y}; }
  FrameScene scene;
  raster::Bitmap display;
};

TEST_F(Composer, FitInsideKeepsAPictureThatFitsCentred) {
  const raster::Bitmap picture = TwoBands(800, 600, 300, kRed, kBlue);
  Prepare(picture);
  EXPECT_TRUE(SameBitmap(Picture(), picture));
  EXPECT_EQ(Origin(), (raster::Point{112, 84}));
}

TEST_F(Composer, FitInsideShrinksALargePicture) {
  Prepare(TwoBands(2000, 1000, 500, kRed, kBlue));
  ASSERT_EQ(Picture().Width(), 1024);
  ASSERT_EQ(Picture().Height(), 512);
  EXPECT_EQ(Origin(), (raster::Point{0, 128}));
  EXPECT_TRUE(AllPixels(Picture(), {0, 0, 1024, 256}, kRed));
  EXPECT_TRUE(AllPixels(Picture(), {0, 256, 1024, 512}, kBlue));
}

TEST_F(Composer, FitModeTwoStretchesTheTopLeftPartOverTheScreen) {
  scene.project.FitMode = 2;
  // Only the top 750 rows and every column are used: no red may appear.
  raster::Bitmap picture = TwoBands(1000, 1000, 750, kGreen, kRed);
  for (int y = 0; y < 750; ++y) picture.At(999, y) = kBlue;
  Prepare(picture);
  ASSERT_EQ(Picture().Width(), 1024);
  ASSERT_EQ(Picture().Height(), 768);
  EXPECT_TRUE(AllPixels(Picture(), {0, 0, 1020, 768}, kGreen));
  EXPECT_TRUE(AllPixels(Picture(), {1023, 0, 1024, 768}, kBlue));
  EXPECT_EQ(Origin(), (raster::Point{0, 0}));
}

TEST_F(Composer, ActualSizeKeepsTheSizeAndCentresACrop) {
  scene.project.FitMode = 0;
  const raster::Bitmap picture = TwoColumns(2000, 1000, 1000, kRed, kBlue);
  Prepare(picture);
  EXPECT_TRUE(SameBitmap(Picture(), picture));
  EXPECT_EQ(Origin(), (raster::Point{-488, -116}));
}

TEST_F(Composer, StretchFillsTheScreen) {
  scene.project.FitMode = 3;
  Prepare(Solid(10, 700, kGreen));
  EXPECT_EQ(Picture().Width(), 1024);
  EXPECT_EQ(Picture().Height(), 768);
  EXPECT_TRUE(AllPixels(Picture(), Picture().Bounds(), kGreen));
}

TEST_F(Composer, AnUnknownFitModeKeepsThePreviousPicture) {
  Prepare(Solid(100, 50, kGreen));
  scene.project.FitMode = 7;
  Prepare(Solid(30, 30, kRed));
  EXPECT_TRUE(SameBitmap(Picture(), Solid(100, 50, kGreen)));
  EXPECT_EQ(Origin(), (raster::Point{462, 359}));
}

TEST(ComposerPreview, ActualSizeAndFillActAsFitInside) {
  for (const int mode : {0, 1, 2}) {
    FrameScene scene(152, 112, true);
    scene.project.FitMode = mode;
    scene.Add(Solid(2000, 1000, kGreen));
    raster::Bitmap display(152, 112);
    scene.composer.PrepareItem(0, display);
    EXPECT_EQ(scene.composer.Picture().Width(), 152) << mode;
    EXPECT_EQ(scene.composer.Picture().Height(), 76) << mode;
    EXPECT_EQ(scene.composer.Origin().y, 18) << mode;
    EXPECT_TRUE(AllPixels(scene.composer.Picture(), scene.composer.Picture().Bounds(), kGreen));
  }
  FrameScene scene(152, 112, true);
  scene.project.FitMode = 3;
  scene.Add(Solid(20, 10, kGreen));
  raster::Bitmap display(152, 112);
  scene.composer.PrepareItem(0, display);
  EXPECT_EQ(scene.composer.Picture().Width(), 152);
  EXPECT_EQ(scene.composer.Picture().Height(), 112);
}

TEST(ComposerPlacement, RandomPlacementKeepsThePictureOnScreen) {
  FrameScene scene(200, 150);
  scene.project.RandomPlacement = true;
  scene.Add(Solid(80, 60, kGreen));
  raster::Bitmap display(200, 150);
  int maxX = 0;
  for (int i = 0; i < 300; ++i) {
    scene.composer.PrepareItem(0, display);
    ASSERT_GE(scene.composer.Origin().x, 0);
    ASSERT_GE(scene.composer.Origin().y, 0);
    ASSERT_LT(scene.composer.Origin().x, 200 - 80);
    ASSERT_LT(scene.composer.Origin().y, 150 - 60);
    maxX = std::max(maxX, scene.composer.Origin().x);
  }
  EXPECT_GT(maxX, 100);
}

TEST(ComposerPlacement, RandomPlacementCentresAPictureLargerThanTheArea) {
  FrameScene scene(200, 150);
  scene.project.RandomPlacement = true;
  scene.project.FitMode = 0;
  scene.Add(Solid(230, 100, kGreen));
  raster::Bitmap display(200, 150);
  for (int i = 0; i < 100; ++i) {
    scene.composer.PrepareItem(0, display);
    ASSERT_EQ(scene.composer.Origin().x, -15);
    ASSERT_GE(scene.composer.Origin().y, 0);
    ASSERT_LT(scene.composer.Origin().y, 50);
  }
}

TEST_F(Composer, TransparentPictureShowsTheFrameWhereItsTopLeftColourWas) {
  raster::Bitmap picture(40, 20, kMagenta);
  for (int y = 5; y < 15; ++y)
    for (int x = 10; x < 30; ++x) picture.At(x, y) = kBlue;
  scene.Add(picture).Transparent = true;
  scene.showItems[0]->BackgroundColor = 0x00FF00;  // green frame
  scene.composer.PrepareItem(0, display);
  EXPECT_TRUE(AllPixels(Picture(), {10, 5, 30, 15}, kBlue));
  EXPECT_TRUE(AllPixels(Picture(), {0, 0, 40, 5}, kGreen));
  EXPECT_TRUE(AllPixels(Picture(), {0, 15, 40, 20}, kGreen));
  EXPECT_TRUE(AllPixels(Picture(), {0, 0, 10, 20}, kGreen));
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), scene.composer.Frame().Bounds(), kGreen));  // frame unchanged
}

TEST_F(Composer, ShrunkTransparentPictureHasNoFringeOfTheKeyColour) {
  raster::Bitmap picture(2048, 1536, kMagenta);
  for (int y = 301; y < 1203; ++y)
    for (int x = 433; x < 1601; ++x) picture.At(x, y) = kBlue;
  scene.Add(picture).Transparent = true;
  scene.showItems[0]->BackgroundColor = 0x00FF00;
  scene.composer.PrepareItem(0, display);
  ASSERT_EQ(Picture().Width(), 1024);
  bool blended = false;
  for (int y = 0; y < Picture().Height(); ++y)
    for (int x = 0; x < Picture().Width(); ++x) {
      const raster::Pixel p = Picture().At(x, y);
      ASSERT_EQ(raster::PixelR(p), 0) << x << "," << y;  // magenta would bring red
      ASSERT_EQ(raster::PixelA(p), 255);
      ASSERT_EQ(raster::PixelG(p) + raster::PixelB(p), 255);
      blended = blended || (raster::PixelG(p) != 0 && raster::PixelB(p) != 0);
    }
  EXPECT_TRUE(blended);  // the edges are smoothed, not jagged
}

TEST(DrawTransparent, KeyPixelsTakeTheFrameUnderTheOrigin) {
  raster::Bitmap frame(8, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) frame.At(x, y) = raster::MakePixel(static_cast<uint8_t>(x * 30), static_cast<uint8_t>(y * 40), 7);
  raster::Bitmap picture(4, 3, 0u);  // fully transparent, premultiplied
  picture.At(1, 1) = kWhite;
  DrawTransparent(picture, frame, {3, 2});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      if (x == 1 && y == 1) {
        EXPECT_EQ(picture.At(x, y), kWhite);
      } else if (y + 2 < 6 && x + 3 < 8) {
        EXPECT_EQ(picture.At(x, y), frame.At(x + 3, y + 2)) << x << "," << y;
      }
    }
  // Off the frame: opaque, nothing read outside the frame.
  raster::Bitmap outside(2, 2, 0u);
  DrawTransparent(outside, frame, {-5, 100});
  EXPECT_TRUE(AllPixels(outside, outside.Bounds(), kBlack));
}

TEST_F(Composer, MissingPictureFileEndsTheShowWithItsPath) {
  Prepare(Solid(100, 50, kGreen));
  const raster::Bitmap before = Picture();
  const raster::Point origin = Origin();
  scene.project.PicturesEmbedded = false;
  project::TPictureInfo& missing = scene.Add(Solid(10, 10, kRed));
  missing.FileName = "C:\\photos\\sky.jpg";
  auto error = scene.composer.FitPicture(missing);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message, "File not found : /no/such/folder/sky.jpg");
  EXPECT_TRUE(error->missing && error->slide);
  EXPECT_TRUE(SameBitmap(Picture(), before));
  EXPECT_EQ(Origin(), origin);

  scene.project.FilesBesideProgram = false;
  error = scene.composer.FitPicture(missing);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message, "File not found : C:\\photos\\sky.jpg");
}

TEST_F(Composer, DamagedPictureIsReportedAndTheShowGoesOn) {
  Prepare(Solid(100, 50, kGreen));
  scene.AddBytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 2}, 2);
  scene.project.ComposeMode = 0;
  const PictureErrors errors = scene.composer.PrepareItem(1, display);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].message.find("picture1.jpg"), std::string::npos);
  EXPECT_NE(errors[0].message.find("JPEG"), std::string::npos);
  EXPECT_FALSE(errors[0].missing);
  EXPECT_TRUE(errors[0].slide);
  EXPECT_TRUE(Picture().IsEmpty());
  EXPECT_TRUE(SameBitmap(display, scene.composer.Frame()));  // the background is shown at once
}

TEST_F(Composer, CompositeModeKeepsTextsOffTheFrame) {
  scene.project.ComposeMode = 1;
  project::TPictureInfo& record = scene.Add(Solid(100, 50, kGreen));
  record.ShowCaption = true;
  record.Caption = "Hello";
  record.CaptionPosition = 1;
  record.CaptionFont.Color = 0xFFFFFF;
  scene.composer.PrepareItem(0, display);
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), scene.composer.Frame().Bounds(), kBlack));
  EXPECT_TRUE(SameBitmap(scene.composer.Composite(), scene.composer.Frame()));
  EXPECT_TRUE(AllPixels(display, display.Bounds(), kMagenta));  // the transition brings it in

  // The transition starts from the screen and brings in the whole composed
  // screen: the picture at its place with the caption over it.
  const transitions::ShowSurfaces surfaces = scene.composer.StartSurfaces(0, display);
  EXPECT_TRUE(surfaces.compositeMode);
  EXPECT_EQ(surfaces.source, &scene.composer.Composite());
  EXPECT_EQ(surfaces.back, &scene.composer.Frame());
  EXPECT_EQ(surfaces.origin, (raster::Point{0, 0}));
  EXPECT_EQ(scene.composer.Origin(), (raster::Point{0, 0}));
  const raster::Bitmap& composite = scene.composer.Composite();
  EXPECT_TRUE(AllPixels(composite, {0, 0, 40, 10}, kWhite));
  EXPECT_TRUE(AllPixels(composite, {462, 359, 562, 409}, kGreen));
  EXPECT_EQ(composite.At(461, 359), kBlack);
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), scene.composer.Frame().Bounds(), kMagenta));
}

TEST_F(Composer, SeparateModeDrawsTextsIntoTheFrameAndShowsItAtOnce) {
  scene.project.ComposeMode = 0;
  project::TPictureInfo& record = scene.Add(Solid(100, 50, kGreen));
  record.ShowCaption = true;
  record.Caption = "Hello";
  record.CaptionPosition = 1;
  record.CaptionFont.Color = 0xFFFFFF;
  scene.composer.PrepareItem(0, display);
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), {0, 0, 40, 10}, kWhite));
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), {40, 0, 1024, 768}, kBlack));
  EXPECT_TRUE(SameBitmap(display, scene.composer.Frame()));
  // The transition brings the picture alone in at its origin.
  const transitions::ShowSurfaces surfaces = scene.composer.StartSurfaces(0, display);
  EXPECT_FALSE(surfaces.compositeMode);
  EXPECT_EQ(surfaces.source, &scene.composer.Picture());
  EXPECT_EQ(surfaces.origin, (raster::Point{462, 359}));
}

TEST_F(Composer, BackdropOfAMediaItemAlwaysHasItsTexts) {
  scene.project.ComposeMode = 1;
  project::TPictureInfo& record = scene.Add(Solid(100, 50, kGreen));
  record.Kind = 1;
  record.ShowText = true;
  record.Text = "movie";
  record.TextPosition = 1;
  record.TextFont.Color = 0x0000FF;
  scene.composer.PrepareBackdrop(0, display);
  EXPECT_TRUE(AllPixels(scene.composer.Frame(), {0, 0, 40, 10}, kRed));
  EXPECT_TRUE(SameBitmap(display, scene.composer.Frame()));
}

TEST_F(Composer, IndexOutOfRangeDoesNothing) {
  scene.Add(Solid(10, 10, kGreen));
  scene.composer.PrepareItem(1, display);
  scene.composer.PrepareItem(-1, display);
  scene.composer.PrepareBackdrop(5, display);
  EXPECT_TRUE(Picture().IsEmpty());
  EXPECT_TRUE(AllPixels(display, display.Bounds(), kMagenta));
}

TEST(ComposerArea, ResizingTheShowAreaResizesFrameAndComposite) {
  FrameScene scene(100, 80);
  EXPECT_EQ(scene.composer.Frame().Width(), 100);
  scene.composer.SetShowArea(3840, 2160, false);
  EXPECT_EQ(scene.composer.Frame().Width(), 3840);
  EXPECT_EQ(scene.composer.Frame().Height(), 2160);
  // The composite exists only for an item composed in composite mode, at the
  // show area's size; outside that mode no memory is held for it.
  scene.Add(Solid(10, 10, kGreen));
  scene.project.ComposeMode = 0;
  raster::Bitmap display(3840, 2160);
  scene.composer.PrepareItem(0, display);
  EXPECT_TRUE(scene.composer.Composite().IsEmpty());
  scene.project.ComposeMode = 1;
  scene.composer.PrepareItem(0, display);
  EXPECT_EQ(scene.composer.Composite().Width(), 3840);
  EXPECT_EQ(scene.composer.Composite().Height(), 2160);
}

// JPEG pictures made by ImageMagick at test time.
std::vector<uint8_t> MakeJpeg(const std::string& folder, int w, int h) {
  const std::string path = folder + "picture.jpg";
  const std::string command = "/usr/bin/convert -size " + std::to_string(w) + "x" + std::to_string(h) +
                              " gradient:red-blue -quality 90 '" + path + "'";
  if (std::system(command.c_str()) != 0) return {};
  const std::string bytes = [&] {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// Stored 2600 x 1300, top rows red and bottom rows blue: as it is, and with
// EXIF orientation 6 (upright 1300 x 2600, red on the right). Either way it is
// decoded at a reduced scale chosen for the upright picture, and fitted to the
// screen by its own upright size.
TEST(ComposerJpeg, ALargeJpegIsDecodedSmallerButFittedByItsOwnUprightSize) {
  struct Case {
    int orientation;
    Size own;
    Size box;
    Size fitted;
    raster::Point origin;
    raster::Point red;
    raster::Point blue;
  };
  const Case cases[] = {{1, {2600, 1300}, {1024, 768}, {1024, 512}, {0, 128}, {500, 2}, {500, 509}},
                        {6, {1300, 2600}, {384, 768}, {384, 768}, {320, 0}, {380, 384}, {3, 384}}};
  for (const Case& c : cases) {
    SCOPED_TRACE("orientation " + std::to_string(c.orientation));
    FrameScene scene(1024, 768);
    std::vector<uint8_t> jpeg = MakeJpeg(scene.temp, 2600, 1300);
    ASSERT_FALSE(jpeg.empty());
    imageformats::testing::Exif exif;
    exif.value = static_cast<uint16_t>(c.orientation);
    if (c.orientation != 1) jpeg = imageformats::testing::WithApp1(jpeg, imageformats::testing::App1(exif));
    EXPECT_EQ(JpegFrameSize(jpeg), c.own);
    DecodedPicture decoded;
    ASSERT_TRUE(DecodeForBox(jpeg, 2, c.box, decoded));
    EXPECT_EQ(decoded.own, c.own);
    EXPECT_LT(decoded.pixels.Width(), c.own.width);
    EXPECT_GE(decoded.pixels.Width(), c.box.width);
    EXPECT_GE(decoded.pixels.Height(), c.box.height);

    scene.AddBytes(jpeg, 2);
    raster::Bitmap display(1024, 768);
    scene.composer.PrepareItem(0, display);
    ASSERT_EQ(scene.composer.Picture().Width(), c.fitted.width);
    ASSERT_EQ(scene.composer.Picture().Height(), c.fitted.height);
    EXPECT_EQ(scene.composer.Origin().x, c.origin.x);
    EXPECT_EQ(scene.composer.Origin().y, c.origin.y);
    const raster::Pixel red = scene.composer.Picture().At(c.red.x, c.red.y);
    const raster::Pixel blue = scene.composer.Picture().At(c.blue.x, c.blue.y);
    EXPECT_GT(raster::PixelR(red), 200) << std::hex << red;
    EXPECT_GT(raster::PixelB(blue), 200) << std::hex << blue;
    EXPECT_EQ(raster::PixelA(red), 255);

    // Actual size needs every pixel.
    ASSERT_TRUE(DecodeForBox(jpeg, 2, {}, decoded));
    EXPECT_EQ(decoded.pixels.Width(), c.own.width);
  }
}

}  // namespace
}  // namespace player
