#include "player/frame_slide_composer.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "player/frame_test_support.h"

namespace player {
namespace {

using namespace player::testing;

// Only the show image and the messages matter to composition.
struct ImagePlatform {
  raster::Bitmap image{64, 48, kMagenta};
  std::vector<std::string> messages;
};

class SlideComposerTest : public ::testing::Test {
 protected:
  SlideComposerTest()
      : scene(64, 48), slides(scene.project, scene.showItems, scene.backgroundItems, scene.seeded, scene.text,
               [this]() -> raster::Bitmap& { return platform.image; },
               [this](const std::string& text) { platform.messages.push_back(text); }) {
    slides.Resize(64, 48, false);
  }
  FrameScene scene;
  ImagePlatform platform;
  FrameSlideComposer slides;
};

TEST_F(SlideComposerTest, SizesFrameAndComposite) {
  EXPECT_EQ(slides.Frame().Width(), 64);
  EXPECT_EQ(slides.Composite().Height(), 48);
  slides.Resize(152, 112, true);
  EXPECT_EQ(slides.Frame().Width(), 152);
  EXPECT_EQ(slides.Composite().Width(), 152);
}

TEST_F(SlideComposerTest, MissingPictureRaisesTheFileNotFoundMessage) {
  scene.project.PicturesEmbedded = false;
  scene.Add(Solid(8, 8, kGreen)).FileName = "sky.jpg";
  try {
    slides.PrepareItem(0);
    FAIL() << "no error raised";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "File not found : /no/such/folder/sky.jpg");
  }
  EXPECT_TRUE(platform.messages.empty());  // the run window shows it
}

TEST_F(SlideComposerTest, OtherMessagesAreShownAndTheItemGoesOn) {
  scene.project.ComposeMode = 0;
  scene.AddBytes({'B', 'M'}, 1);
  EXPECT_NO_THROW(slides.PrepareItem(0));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(slides.Picture().IsEmpty());
  EXPECT_TRUE(SameBitmap(platform.image, slides.Frame()));  // background shown at once
}

TEST_F(SlideComposerTest, TextsOfAnItemOntoAnyBitmap) {
  project::TPictureInfo& record = scene.Add(Solid(8, 8, kGreen));
  record.ShowCaption = true;
  record.Caption = "ab";
  record.CaptionPosition = 1;
  record.CaptionFont.Color = 0xFFFFFF;
  raster::Bitmap target(64, 48, kBlack);
  slides.DrawTexts(0, target);
  EXPECT_TRUE(AllPixels(target, {0, 0, 16, 10}, kWhite));
  EXPECT_TRUE(AllPixels(target, {16, 0, 64, 48}, kBlack));
  slides.DrawTexts(3, target);  // no such item
  slides.SetOrigin({5, -7});
  EXPECT_EQ(slides.Origin(), (raster::Point{5, -7}));
}

TEST_F(SlideComposerTest, BackdropStaysInTheFrame) {
  project::TPictureInfo& record = scene.Add(Solid(8, 8, kGreen));
  record.Kind = 2;
  record.BackgroundColor = 0x0000FF;
  slides.PrepareBackgroundAndTexts(0);
  EXPECT_TRUE(AllPixels(slides.Frame(), slides.Frame().Bounds(), kRed));
  EXPECT_TRUE(AllPixels(platform.image, platform.image.Bounds(), kMagenta));
}

}  // namespace
}  // namespace player
