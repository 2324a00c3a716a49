// The pictures the preview writes, read back: PNG through the show's own PNG
// decoder, GIF frame by frame through giflib.
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gif_palette.h"
#include "gif_reading.h"
#include "gif_writer.h"
#include "imageformats/decode.h"
#include "png_writer.h"
#include "project/container_fixture.h"
#include "transition_frames.h"

namespace showpack {
namespace {

using raster::Bitmap;
using raster::MakePixel;
using raster::Pixel;
using testing_support::ScratchFolder;

std::vector<uint8_t> ReadBytes(const std::string& path) {
  const std::string bytes = testing_support::ReadFile(path);
  return {bytes.begin(), bytes.end()};
}

// A picture with `colors` distinct colours (at most 4096), in runs.
Bitmap Colorful(int w, int h, int colors) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int k = (y * w + x) % colors;
      b.At(x, y) = MakePixel(static_cast<uint8_t>((k % 16) * 17), static_cast<uint8_t>((k / 16 % 16) * 17),
                             static_cast<uint8_t>((k / 256) * 17));
    }
  return b;
}

TEST(PngWriter, RoundTripsThroughTheShowsDecoder) {
  const std::string folder = ScratchFolder("png");
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1, 1}, {3, 7}, {257, 5}, {64, 64}}) {
    Bitmap picture = Colorful(w, h, 4096);
    picture.At(0, 0) = MakePixel(1, 2, 3, 0);  // alpha is dropped, colour kept
    const std::string path = folder + "p.png";
    WritePng(picture, path);
    const Bitmap back = imageformats::Decode(imageformats::Format::Png, ReadBytes(path));
    ASSERT_EQ(back.Width(), w);
    ASSERT_EQ(back.Height(), h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) ASSERT_EQ(back.At(x, y), picture.At(x, y) | 0xFF000000u) << x << "," << y;
  }
  EXPECT_FALSE(std::filesystem::exists(folder + "p.png.part"));
  try {
    WritePng(Bitmap(2, 2), folder + "no/such/folder/p.png");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(folder + "no/such/folder/p.png"), std::string::npos) << error.what();
  }
}

TEST(GifPalette, ExactUpTo256ColoursNearestBeyond) {
  for (const int colors : {1, 2, 255, 256}) {
    const Bitmap a = Colorful(40, 40, colors);
    const Bitmap b(7, 3, a.At(39, 39));  // a colour a has too
    const std::array<const Bitmap*, 2> pictures{&a, &b};
    GifPalette palette(pictures);
    EXPECT_EQ(palette.Colors().size(), static_cast<size_t>(colors)) << colors;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(palette.Colors()[palette.IndexOf(a.At(x, y))], a.At(x, y));
  }
  // 4096 colours in a 16-step lattice: 256 entries, every colour close to its entry.
  const Bitmap many = Colorful(64, 64, 4096);
  const std::array<const Bitmap*, 1> pictures{&many};
  GifPalette palette(pictures);
  EXPECT_EQ(palette.Colors().size(), 256u);
  for (int y = 0; y < many.Height(); ++y)
    for (int x = 0; x < many.Width(); ++x) {
      const Pixel p = many.At(x, y), q = palette.Colors()[palette.IndexOf(p)];
      ASSERT_LE(std::abs(raster::PixelR(p) - raster::PixelR(q)) + std::abs(raster::PixelG(p) - raster::PixelG(q)) +
                    std::abs(raster::PixelB(p) - raster::PixelB(q)),
                3 * 34)
          << std::hex << p << " -> " << q;
    }
}

TEST(GifFrames, EveryTickIsAFrameAndTheLastHoldsTheSlide) {
  const std::string path = ScratchFolder("gif") + "t.gif";
  // A wipe of a red picture over a two-colour one, a column a tick, with
  // ticks that change nothing and one that changes a lone pixel.
  Bitmap before(30, 20, MakePixel(0, 0, 128));
  for (int x = 0; x < 30; ++x) before.At(x, 19) = MakePixel(255, 255, 255);
  Bitmap after(30, 20, MakePixel(200, 30, 30));
  std::vector<Bitmap> ticks;
  Bitmap screen = before;
  for (int x = 0; x < 30; ++x) {
    for (int y = 0; y < 20; ++y) screen.At(x, y) = after.At(x, y);
    ticks.push_back(screen);
    if (x == 10) ticks.push_back(screen);  // nothing changed
  }
  ticks.push_back(after);
  GifFrames sink(path);
  sink.Begin(before, after, 30);
  for (const Bitmap& tick : ticks) sink.Frame(tick);
  sink.End(6000);
  const testing::ReadBack read = testing::ReadGif(path);
  const std::vector<testing::ShownFrame>& frames = read.frames;
  ASSERT_EQ(frames.size(), ticks.size());
  for (std::size_t k = 0; k < frames.size(); ++k) {
    ASSERT_EQ(frames[k].screen.Width(), 30);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x) ASSERT_EQ(frames[k].screen.At(x, y), ticks[k].At(x, y)) << k << ": " << x << "," << y;
    EXPECT_EQ(frames[k].delay, k + 1 < frames.size() ? 3 : 3 + 600) << k;
    EXPECT_EQ(frames[k].disposal, DISPOSE_DO_NOT) << k;
  }
  EXPECT_TRUE(read.loops);
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

TEST(GifFrames, TicksFasterThanWindowsDeliversTakeTenMilliseconds) {
  EXPECT_EQ(TickCentiseconds(1), 1);
  EXPECT_EQ(TickCentiseconds(10), 1);
  EXPECT_EQ(TickCentiseconds(30), 3);
  EXPECT_EQ(TickCentiseconds(50), 5);
}

TEST(GifFrames, AnUnfinishedFileLeavesNothingBehind) {
  const std::string path = ScratchFolder("gif-unfinished") + "t.gif";
  {
    GifFrames sink(path);
    const Bitmap frame(4, 4);
    sink.Begin(frame, frame, 10);
    sink.Frame(frame);
  }  // dropped before End, as when a later step fails
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
  EXPECT_THROW(GifFrames(ScratchFolder("gif-nowhere") + "no/t.gif").Begin(Bitmap(2, 2), Bitmap(2, 2), 10),
               std::runtime_error);
}

TEST(PngFrames, NumberedPicturesInAFolderMadeForThem) {
  const std::string folder = ScratchFolder("frames") + "made/here";
  PngFrames sink(folder);
  const Bitmap a(3, 2, MakePixel(1, 2, 3)), b(3, 2, MakePixel(4, 5, 6));
  sink.Begin(a, b, 10);
  sink.Frame(a);
  sink.Frame(b);
  sink.End(0);
  EXPECT_EQ(imageformats::Decode(imageformats::Format::Png, ReadBytes(folder + "/frame-00001.png")).At(2, 1),
            a.At(2, 1));
  EXPECT_EQ(imageformats::Decode(imageformats::Format::Png, ReadBytes(folder + "/frame-00002.png")).At(0, 0),
            b.At(0, 0));
  EXPECT_FALSE(std::filesystem::exists(folder + "/frame-00003.png"));
}

}  // namespace
}  // namespace showpack
