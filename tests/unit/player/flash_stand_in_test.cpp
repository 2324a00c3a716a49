// The stand-in player: its timeline, the fitting of the stage to the window,
// the even-odd filling of shapes, and the control it shows the Flash window.
#include "player/flash_stand_in.h"

#include <gtest/gtest.h>

#include "base/random.h"
#include "flash_movie_writer.h"
#include "player/flash_stage.h"
#include "project/container_fixture.h"

namespace {

using player::flash::MovieTimeline;
using player::flash::ParseMovie;
using player::testing::MovieWriter;

constexpr raster::Pixel kRed = raster::MakePixel(255, 0, 0);
constexpr raster::Pixel kBlue = raster::MakePixel(0, 0, 255);

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

// A square placed at frame 0, moved at 1, removed at 2; a second one from frame 3.
MovieWriter Choreography() {
  MovieWriter movie(100, 100);
  movie.RectShape(1, {0, 0, 200, 200}, kRed).RectShape(2, {0, 0, 100, 100}, kBlue);
  movie.Place(5, 1).ShowFrame();
  movie.Move(5, 400, 0).ShowFrame();
  movie.Remove(5).ShowFrame();
  movie.Place(3, 2, 0, 800).ShowFrame();
  movie.ShowFrame();
  return movie;
}

TEST(FlashTimeline, EveryFrameShowsTheSameStageWhetherReachedByPlayingOrByJumping) {
  const auto movie = ParseMovie(Choreography().Finish());
  MovieTimeline played(movie);
  std::vector<std::map<uint16_t, player::flash::PlacedObject>> stages;
  for (int frame = 0; frame < movie.frameCount; ++frame) {
    ASSERT_EQ(played.CurrentFrame(), frame);
    stages.push_back(played.DisplayList());
    played.Tick();
  }
  EXPECT_EQ(played.CurrentFrame(), 0) << "after the last frame a playing movie starts over";
  EXPECT_TRUE(played.Playing());
  EXPECT_EQ(stages[0].at(5).matrix.tx, 0);
  EXPECT_EQ(stages[1].at(5).matrix.tx, 400);
  EXPECT_EQ(stages[2].count(5), 0u);
  EXPECT_EQ(stages[3].at(3).character, 2);
  // Jumps in every order give the stage the frame had while playing.
  for (int from = 0; from < movie.frameCount; ++from) {
    for (int to = 0; to < movie.frameCount; ++to) {
      MovieTimeline jumped(movie);
      jumped.GotoFrame(from);
      jumped.GotoFrame(to);
      ASSERT_EQ(jumped.DisplayList().size(), stages[static_cast<size_t>(to)].size()) << from << " -> " << to;
      for (const auto& [depth, placed] : jumped.DisplayList()) {
        EXPECT_EQ(placed.character, stages[static_cast<size_t>(to)].at(depth).character);
        EXPECT_EQ(placed.matrix.tx, stages[static_cast<size_t>(to)].at(depth).matrix.tx);
      }
    }
  }
}

TEST(FlashTimeline, StopActionsHoldTheMovieAndGotoFrameKeepsThePlayingState) {
  MovieWriter writer(10, 10);
  for (int k = 0; k < 4; ++k) writer.ShowFrame();
  writer.Stop().ShowFrame();
  const auto movie = ParseMovie(writer.Finish());
  MovieTimeline timeline(movie);
  for (int k = 0; k < 10; ++k) timeline.Tick();
  EXPECT_EQ(timeline.CurrentFrame(), 4) << "a stop in the last frame holds the movie there";
  EXPECT_FALSE(timeline.Playing());
  EXPECT_FALSE(timeline.Tick());
  timeline.GotoFrame(1);
  EXPECT_FALSE(timeline.Playing());
  timeline.Play();
  timeline.Tick();
  EXPECT_EQ(timeline.CurrentFrame(), 2);
  timeline.GotoFrame(99);
  EXPECT_EQ(timeline.CurrentFrame(), 4) << "a frame beyond the movie is its last";
  timeline.GotoFrame(-3);
  EXPECT_EQ(timeline.CurrentFrame(), 0);
  EXPECT_TRUE(timeline.Playing());

  // A stop in the first frame runs when the movie loads; a goto jumps.
  MovieWriter first(10, 10);
  first.Stop().ShowFrame().ShowFrame().GotoFrame(0).ShowFrame();
  const auto looping = ParseMovie(first.Finish());
  MovieTimeline held(looping);
  EXPECT_FALSE(held.Playing());
  held.Play();
  held.Tick();
  held.Tick();
  EXPECT_EQ(held.CurrentFrame(), 0) << "frame 2 goes to frame 0";
  EXPECT_TRUE(held.Playing()) << "a goto does not run the target's stop";
}

TEST(FlashStage, ScaleModesFitTheStageAndAlignFlagsPlaceIt) {
  const raster::Rect stage{0, 0, 200 * 20, 100 * 20};  // 200 x 100 pixels
  using namespace player::flash;
  const struct {
    int32_t scale, align;
    double scaleX, scaleY, offsetX, offsetY;
  } cases[] = {
      {kShowAll, 0, 2, 2, 0, 50},                      // 400 x 300: letterboxed, centred
      {kShowAll, kAlignTop, 2, 2, 0, 0},
      {kShowAll, kAlignBottom, 2, 2, 0, 100},
      {kNoBorder, 0, 3, 3, -100, 0},                   // fills, cut at the sides
      {kNoBorder, kAlignLeft, 3, 3, 0, 0},
      {kNoBorder, kAlignRight | kAlignTop, 3, 3, -200, 0},
      {kExactFit, 0, 2, 3, 0, 0},
      {kNoScale, 0, 1, 1, 100, 100},
      {kNoScale, kAlignLeft | kAlignBottom, 1, 1, 0, 200},
      {77, 0, 2, 2, 0, 50},                            // unknown: as show all
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "scale " << c.scale << " align " << c.align);
    const StageView view = FitStage(stage, 400, 300, c.scale, c.align);
    EXPECT_DOUBLE_EQ(view.scaleX, c.scaleX);
    EXPECT_DOUBLE_EQ(view.scaleY, c.scaleY);
    EXPECT_DOUBLE_EQ(view.offsetX, c.offsetX);
    EXPECT_DOUBLE_EQ(view.offsetY, c.offsetY);
  }
}

TEST(FlashStage, EvenOddFillMatchesTheRegionEnginesPolygonsPixelForPixel) {
  base::SeededRandom random(7);
  const raster::Rect window{0, 0, 48, 40};
  for (int trial = 0; trial < 300; ++trial) {
    std::vector<raster::Point> points(static_cast<size_t>(3 + random.Next(8)));
    for (auto& p : points) p = {random.Next(64) - 8, random.Next(56) - 8};
    std::vector<player::flash::Segment> edges;
    for (size_t k = 0; k < points.size(); ++k) {
      const auto& p = points[k];
      const auto& q = points[(k + 1) % points.size()];
      edges.push_back({{static_cast<float>(p.x), static_cast<float>(p.y)}, {static_cast<float>(q.x), static_cast<float>(q.y)}});
    }
    const raster::Region expected = raster::Region::FromPolygon(points, raster::FillMode::Alternate, window);
    ASSERT_EQ(player::flash::EvenOddRegion(edges, window), expected) << "trial " << trial;
  }
  // Two loops in one fill: a square with a hole.
  std::vector<player::flash::Segment> ring;
  auto square = [&ring](float a, float b) {
    ring.push_back({{a, a}, {b, a}}), ring.push_back({{b, a}, {b, b}});
    ring.push_back({{b, b}, {a, b}}), ring.push_back({{a, b}, {a, a}});
  };
  square(0, 10);
  square(3, 7);
  EXPECT_EQ(player::flash::EvenOddRegion(ring, window).Area(), 100 - 16);
}

class RecordingScreen : public player::StandInScreen {
 public:
  void SetFrameTimer(uint32_t intervalMs) override { timerMs = intervalMs; }
  void Invalidate() override { ++invalidated; }
  uint32_t timerMs = 0;
  int invalidated = 0;
};

TEST(FlashStandIn, TheHostsColourWinsOverTheMoviesOwnWhichWinsOverWhite) {
  const std::string folder = testing_support::ScratchFolder(TestName());
  MovieWriter tagged(20, 20, 10);
  tagged.Background(0, 128, 0).ShowFrame();
  MovieWriter plain(20, 20, 10);
  plain.ShowFrame();
  const std::string withTag = player::testing::WriteMovie(folder + "tagged.swf", tagged.Finish('C'));
  const std::string withoutTag = player::testing::WriteMovie(folder + "plain.swf", plain.Finish());
  const raster::Pixel green = raster::MakePixel(0, 128, 0), white = raster::MakePixel(255, 255, 255);
  const raster::Pixel host = raster::MakePixel(0x11, 0x22, 0x33);
  const struct {
    const std::string& movie;
    bool hostSets;
    bool before;  // the colour set before the movie
    raster::Pixel shown;
  } cases[] = {
      {withTag, true, false, host}, {withTag, true, true, host}, {withTag, false, false, green},
      {withoutTag, true, false, host}, {withoutTag, false, false, white},
  };
  for (const auto& c : cases) {
    RecordingScreen screen;
    player::StandInFlashPlayer stand(screen);
    if (c.hostSets && c.before) stand.SetBackgroundColor(0x112233);
    stand.SetMovie(c.movie);
    if (c.hostSets && !c.before) stand.SetBackgroundColor(0x112233);
    raster::Bitmap window(30, 20);
    stand.Paint(window);
    EXPECT_EQ(window.At(0, 0), c.shown);
    EXPECT_EQ(window.At(29, 19), c.shown) << "the whole window, not only the stage";
  }
}

TEST(FlashStandIn, PlaysTheMoviesFramesAtItsRateAndDrawsItsShapesWhereTheyAre) {
  const std::string folder = testing_support::ScratchFolder(TestName());
  const std::string path = player::testing::WriteMovie(folder + "dance.swf", Choreography().Finish('Z'));
  RecordingScreen screen;
  player::StandInFlashPlayer stand(screen);
  stand.SetMovie(path);
  EXPECT_EQ(stand.LoadError(), "");
  EXPECT_EQ(stand.TotalFrames(), 5);
  EXPECT_EQ(screen.timerMs, 83u) << "12 frames a second";
  EXPECT_TRUE(stand.Playing());
  // The 100 x 100 stage on a 200 x 100 window: at its own size, centred.
  const raster::Pixel white = raster::MakePixel(255, 255, 255);
  raster::Bitmap window(200, 100);
  stand.Paint(window);
  EXPECT_EQ(window.At(50, 0), kRed) << "the 10-pixel square at the stage's corner";
  EXPECT_EQ(window.At(59, 9), kRed);
  EXPECT_EQ(window.At(60, 10), white);
  EXPECT_EQ(window.At(49, 0), white);
  stand.Tick();
  stand.Paint(window);
  EXPECT_EQ(window.At(50, 0), white) << "moved 20 pixels on";
  EXPECT_EQ(window.At(70, 0), kRed);
  stand.GotoFrame(3);
  stand.Paint(window);
  EXPECT_EQ(window.At(70, 0), white) << "removed";
  EXPECT_EQ(window.At(50, 40), kBlue);
  EXPECT_EQ(window.At(54, 44), kBlue);
  EXPECT_EQ(stand.CurrentFrame(), 3);
  stand.StopPlay();
  const int painted = screen.invalidated;
  stand.Tick();
  EXPECT_EQ(stand.CurrentFrame(), 3) << "a stopped movie stays";
  EXPECT_EQ(screen.invalidated, painted);
  stand.Play();
  stand.Tick();
  stand.Tick();
  EXPECT_EQ(stand.CurrentFrame(), 0) << "and loops after its last frame";
}

TEST(FlashStandIn, AMovieThatCannotPlayReportsWhyAndAnswersLikeAnEmptyControl) {
  const std::string folder = testing_support::ScratchFolder(TestName());
  const std::string path = folder + "not-a-movie.swf";
  player::testing::WriteMovie(path, {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0});
  RecordingScreen screen;
  player::StandInFlashPlayer stand(screen);
  stand.SetMovie(path);
  EXPECT_NE(stand.LoadError().find(path), std::string::npos);
  EXPECT_NE(stand.LoadError().find("not a Flash movie"), std::string::npos);
  EXPECT_EQ(stand.TotalFrames(), 0);
  EXPECT_FALSE(stand.Playing());
  stand.GotoFrame(5);
  stand.Play();
  stand.Tick();
  EXPECT_EQ(stand.CurrentFrame(), 0);
  EXPECT_EQ(screen.timerMs, 0u) << "no frame timer without a movie";
  EXPECT_EQ(player::StandInFlashPlayer::FrameIntervalMs(0), 10u);
  EXPECT_EQ(player::StandInFlashPlayer::FrameIntervalMs(64), 4000u) << "a quarter frame a second";
  EXPECT_EQ(player::StandInFlashPlayer::FrameIntervalMs(30 * 256), 33u);
}

}  // namespace
