#include "player/flash_movie.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "flash_movie_writer.h"
#include "project/container_fixture.h"

namespace {

using player::flash::MovieError;
using player::flash::ParseMovie;
using player::testing::MovieWriter;
using Bytes = std::vector<uint8_t>;

constexpr raster::Pixel kRed = raster::MakePixel(255, 0, 0);

// Two shapes over three frames: placed, moved, removed; a stop in the last.
MovieWriter ThreeFrames(bool withBackground) {
  MovieWriter movie(320, 240, 24.5);
  if (withBackground) movie.Background(0x12, 0x34, 0x56);
  movie.RectShape(1, {0, 0, 2000, 1000}, kRed).RectShape(7, {100, 100, 300, 300}, raster::MakePixel(0, 0, 255, 128), 3);
  movie.Place(1, 1).PlaceOld(2, 7, 40, 60).ShowFrame();
  movie.Move(1, 200, 0).ShowFrame();
  movie.Remove(2).Stop().ShowFrame();
  return movie;
}

std::string ErrorOf(const Bytes& file) {
  try {
    ParseMovie(file);
  } catch (const MovieError& error) {
    return error.what();
  }
  return "(read without error)";
}

TEST(FlashMovieReader, EveryCompressionReadsTheSameMovieWithAndWithoutABackgroundTag) {
  for (char compression : {'F', 'C', 'Z'}) {
    for (bool withBackground : {false, true}) {
      SCOPED_TRACE(std::string(1, compression) + (withBackground ? " with background" : " without background"));
      const auto movie = ParseMovie(ThreeFrames(withBackground).Finish(compression));
      EXPECT_EQ(movie.compression, compression);
      EXPECT_EQ(movie.stage, (raster::Rect{0, 0, 6400, 4800}));
      EXPECT_EQ(movie.StageWidth(), 320);
      EXPECT_EQ(movie.frameRate, 24 * 256 + 128);
      EXPECT_EQ(movie.frameCount, 3);
      ASSERT_EQ(movie.frames.size(), 3u);
      if (withBackground)
        EXPECT_EQ(movie.background, raster::MakePixel(0x12, 0x34, 0x56));
      else
        EXPECT_FALSE(movie.background);
      ASSERT_EQ(movie.shapes.size(), 2u);
      const auto& rect = movie.shapes.at(1).fills;
      ASSERT_EQ(rect.size(), 1u);
      EXPECT_EQ(rect[0].color, kRed);
      EXPECT_EQ(rect[0].edges.size(), 4u);
      EXPECT_EQ(movie.shapes.at(7).fills[0].color, raster::MakePixel(0, 0, 255, 128)) << "DefineShape3 keeps alpha";
      ASSERT_EQ(movie.frames[0].commands.size(), 2u);
      EXPECT_EQ(movie.frames[0].commands[1].character, 7);
      EXPECT_EQ(movie.frames[0].commands[1].matrix->tx, 40);
      EXPECT_EQ(movie.frames[1].commands[0].kind, player::flash::DisplayCommand::Modify);
      EXPECT_EQ(movie.frames[2].commands[0].kind, player::flash::DisplayCommand::Remove);
      ASSERT_EQ(movie.frames[2].actions.size(), 1u);
      EXPECT_EQ(movie.frames[2].actions[0].kind, player::flash::ActionKind::Stop);
    }
  }
}

TEST(FlashMovieReader, CurvedEdgesAreFlattenedOntoTheCurve) {
  // A circle of radius 1000 twips from four quadratic curves.
  const int r = 1000;
  MovieWriter writer(100, 100);
  writer.Shape(3, kRed, {r, 0},
               {{0, r, true, -r, 0}, {-r, 0, true, 0, -r}, {0, -r, true, r, 0}, {r, 0, true, 0, r}}, 2);
  const auto movie = ParseMovie(writer.ShowFrame().Finish());
  const auto& edges = movie.shapes.at(3).fills.at(0).edges;
  EXPECT_GT(edges.size(), 8u);
  for (const auto& e : edges) {
    // A quadratic through the square's corners stays between the circle's
    // inscribed diamond and its bounding square.
    EXPECT_LE(std::abs(e.to.x) + std::abs(e.to.y), 2 * r + 1);
    EXPECT_GE(std::hypot(e.to.x, e.to.y), r * 0.70);
  }
  EXPECT_FLOAT_EQ(edges.back().to.x, static_cast<float>(r));
  EXPECT_FLOAT_EQ(edges.back().to.y, 0);
}

TEST(FlashMovieReader, DamagedOrForeignFilesAreRefusedWithTheirReason) {
  const Bytes good = ThreeFrames(true).Finish('F');
  const Bytes goodCompressed = ThreeFrames(true).Finish('C');
  Bytes truncated(good.begin(), good.end() - 10);
  Bytes longer = good;
  longer[4] = static_cast<uint8_t>(longer[4] + 40);  // the header claims more than the file holds
  Bytes cutCompressed(goodCompressed.begin(), goodCompressed.end() - 6);
  const Bytes goodLzma = ThreeFrames(false).Finish('Z');
  const Bytes cutLzma(goodLzma.begin(), goodLzma.begin() + 30);
  Bytes garbled = goodCompressed;
  for (size_t k = 12; k < garbled.size(); ++k) garbled[k] = static_cast<uint8_t>(garbled[k] ^ 0x5A);
  Bytes tagPastEnd = MovieWriter(10, 10).Tag(40, Bytes(30)).ShowFrame().Finish();
  tagPastEnd[tagPastEnd.size() - 4 - 30 - 2] = 40;  // its 30 bytes claim to be 40
  const struct {
    const char* name;
    Bytes file;
    const char* reason;
  } cases[] = {
      {"empty", {}, "not a Flash movie"},
      {"a PNG", {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 0}, "not a Flash movie"},
      {"signature only", {'F', 'W', 'S'}, "not a Flash movie"},
      {"impossible length", MovieWriter::Pack('F', 10, {0x08}), "impossible length"},
      {"cut plain movie", truncated, "shorter than its header says"},
      {"length beyond the file", longer, "shorter than its header says"},
      {"more frames in the header than in the file", ThreeFrames(false).Finish('F', 4), "gives 4 frames, but the file holds 3"},
      {"no frames", MovieWriter(10, 10).Finish('F', 0), "no frames"},
      {"too many frames", MovieWriter(10, 10).Finish('F', 16001), "at most 16000"},
      {"empty stage", MovieWriter(0, 10).ShowFrame().Finish(), "stage is empty"},
      {"huge stage", MovieWriter(9000, 10).ShowFrame().Finish(), "larger than the player shows"},
      {"cut compressed body", cutCompressed, "ends before the length"},
      {"garbled compressed body", garbled, "does not inflate"},
      {"LZMA body cut", cutLzma, "ends before the length"},
      {"tag past the end", tagPastEnd, "runs past the end"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(ErrorOf(c.file).find(c.reason), std::string::npos) << ErrorOf(c.file);
  }
}

TEST(FlashMovieReader, InflationIsBoundedByTheHeaderAndTheLimit) {
  // A body that inflates far beyond its header's length is read up to that
  // length only: here the first 20 bytes of 16 MiB of zeros, which end inside
  // a tag.
  Bytes zeros(16u << 20);
  Bytes bomb = MovieWriter::Pack('C', 10, zeros);
  bomb[4] = 28, bomb[5] = bomb[6] = bomb[7] = 0;
  EXPECT_NE(ErrorOf(bomb).find("stage is empty"), std::string::npos) << ErrorOf(bomb);
  // A header that claims more than the player accepts is refused before anything is inflated.
  Bytes claim = MovieWriter::Pack('C', 10, {1, 2, 3});
  const uint32_t huge = player::flash::kMaxMovieBytes + 1;
  for (int k = 0; k < 4; ++k) claim[4 + static_cast<size_t>(k)] = static_cast<uint8_t>(huge >> (8 * k));
  EXPECT_NE(ErrorOf(claim).find("larger than the player accepts"), std::string::npos) << ErrorOf(claim);
  // An LZMA body claiming a dictionary of 4 GiB unpacks with one the size of the body.
  Bytes lzma = ThreeFrames(true).Finish('Z');
  for (int k = 1; k <= 4; ++k) lzma[12 + static_cast<size_t>(k)] = 0xFF;
  EXPECT_EQ(ParseMovie(lzma).frameCount, 3);
}

TEST(FlashMovieReader, TagsThatCannotBeReadAreLeftOutAndTheMoviePlays) {
  // A shape whose records end early, and a second background tag: the shape
  // is left out, the first background counts.
  MovieWriter writer(50, 50);
  writer.Background(1, 2, 3).Tag(2, {5, 0, 0x50}).Background(9, 9, 9).RectShape(2, {0, 0, 20, 20}, kRed);
  const auto movie = ParseMovie(writer.Place(1, 5).Place(2, 2).ShowFrame().Finish());
  EXPECT_EQ(movie.background, raster::MakePixel(1, 2, 3));
  EXPECT_EQ(movie.shapes.count(5), 0u);
  EXPECT_EQ(movie.shapes.count(2), 1u);
  EXPECT_EQ(movie.frames[0].commands.size(), 2u);
}

TEST(FlashMovieReader, ReadsTheMoviesOfTheMovieTool) {
  // tools/make_movie.py writes the demo's and the end-to-end tests' movies and
  // these fuzzing seeds.
  const auto seeds = std::filesystem::path(__FILE__).parent_path() / "../../../fuzz/seeds/fuzz_flash_movie";
  int read = 0;
  for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
    SCOPED_TRACE(entry.path().string());
    const auto movie = player::flash::ReadMovieFile(entry.path().string());
    EXPECT_GE(movie.frameCount, 2);
    EXPECT_EQ(movie.frames.size(), static_cast<size_t>(movie.frameCount));
    ++read;
  }
  EXPECT_EQ(read, 3);
  const auto shapes = player::flash::ReadMovieFile((seeds / "shapes.swf").string());
  EXPECT_EQ(shapes.compression, 'C');
  EXPECT_EQ(shapes.shapes.size(), 2u);
  EXPECT_EQ(shapes.frames.back().actions.size(), 1u) << "the stop at the end";
  EXPECT_EQ(player::flash::ReadMovieFile((seeds / "plain.swf").string()).background, raster::MakePixel(0x20, 0x40, 0x80));
}

TEST(FlashMovieReader, ReadMovieFileNamesTheFile) {
  const std::string folder = testing_support::ScratchFolder("FlashMovieReader");
  const std::string path = player::testing::WriteMovie(folder + "movie.swf", ThreeFrames(true).Finish('C'));
  EXPECT_EQ(player::flash::ReadMovieFile(path).frameCount, 3);
  try {
    player::flash::ReadMovieFile(folder + "missing.swf");
    FAIL() << "a missing file was read";
  } catch (const MovieError& error) {
    EXPECT_NE(std::string(error.what()).find(folder + "missing.swf"), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("cannot be read"), std::string::npos);
  }
}

}  // namespace
