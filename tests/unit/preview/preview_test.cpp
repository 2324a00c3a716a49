// showpack preview on shows written as manifests: the slide is the frame the
// composer makes (checked against the composition rules, away from text), a
// transition's GIF has one frame per tick of the effect and ends on the slide,
// the seed repeats every random choice, and bad requests get one line and
// exit code 2.
#include "preview.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/random.h"
#include "gif_reading.h"
#include "imageformats/decode.h"
#include "player/frame_text.h"
#include "player/freetype/freetype_text_renderer.h"
#include "png_writer.h"
#include "transition_frames.h"
#include "project/container_fixture.h"
#include "raster/canvas.h"
#include "transitions/transition_engine.h"
#include "transitions/transition_table.h"

namespace showpack {
namespace {

using raster::Bitmap;
using raster::MakePixel;
using raster::Pixel;
using raster::Rect;

constexpr Pixel kRed = MakePixel(255, 0, 0), kGreen = MakePixel(0, 255, 0), kBlue = MakePixel(0, 0, 255),
                kBlack = MakePixel(0, 0, 0), kYellow = MakePixel(255, 255, 0);
constexpr int kW = 1024, kH = 768;

Bitmap Bands(int w, int h, int split, Pixel top, Pixel bottom) {
  Bitmap b(w, h, bottom);
  raster::Canvas(b).FillRect({0, 0, w, split}, top);
  return b;
}

Bitmap Columns(int w, int h, int split, Pixel left, Pixel right) {
  Bitmap b(w, h, right);
  raster::Canvas(b).FillRect({0, 0, split, h}, left);
  return b;
}

std::string Hex(Pixel p) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", raster::PixelR(p), raster::PixelG(p), raster::PixelB(p));
  return text;
}

Bitmap ReadPng(const std::string& path) {
  const std::string bytes = testing_support::ReadFile(path);
  return imageformats::Decode(imageformats::Format::Png, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

// TOML lines "key = value": `defaults`, each replaced by the line of `changes`
// with the same key, then the other lines of `changes`.
std::string Fields(const std::string& defaults, const std::string& changes) {
  const auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
      if (!line.empty()) out.push_back(line);
    return out;
  };
  const auto key = [](const std::string& line) { return line.substr(0, line.find(' ')); };
  std::vector<std::string> result = lines(defaults);
  for (const std::string& change : lines(changes)) {
    const auto same = std::find_if(result.begin(), result.end(), [&](const std::string& l) { return key(l) == key(change); });
    if (same != result.end())
      *same = change;
    else
      result.push_back(change);
  }
  std::string text;
  for (const std::string& line : result) text += line + "\n";
  return text;
}

// The item of a manifest: a picture on a plain background of one colour, no
// texts, no transition; `changes` replaces or adds fields.
std::string Item(const std::string& file, Pixel background, const std::string& changes = "") {
  return "\n[[item]]\n" + Fields("File = \"" + file + "\"\nShowCaption = false\nShowText = false\n"
                                  "BackgroundKinds = \"0;\"\nRandomBackgroundColor = false\nBackgroundColor = \"" +
                                      Hex(background) + "\"\nTransitions = []\nRandomTransition = false\n"
                                      "Transparent = false\n",
                                  changes);
}

class Preview : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = testing_support::ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  void Picture(const std::string& name, const Bitmap& picture) { WritePng(picture, folder + name); }

  std::string Manifest(const std::string& project, const std::string& items) {
    testing_support::WriteFile(folder + "show.toml",
                               "[project]\n" +
                                   Fields("ProjectName = \"Test.scr\"\nRandomPlacement = false\nRandomOrder = false\n"
                                          "SlideSeconds = 4\n",
                                          project) +
                                   items);
    return folder + "show.toml";
  }

  // Runs the preview; the exit code, with what it wrote kept in out and err.
  int Run(PreviewRequest request) {
    std::ostringstream o, e;
    const int code = RunPreview(request, o, e);
    out = o.str();
    err = e.str();
    return code;
  }

  Bitmap Slide(const std::string& show, int item, const std::string& size = "1024x768", uint64_t seed = 1) {
    PreviewRequest request;
    request.show = show;
    request.slide = item;
    request.size = size;
    request.seed = seed;
    request.output = folder + "slide.png";
    EXPECT_EQ(Run(request), 0) << err;
    return ReadPng(request.output);
  }

  std::string folder, out, err;
};

// What the composer's rules put on the screen: the background colour, then
// each picture rectangle; the text boxes are left out of the comparison.
struct Expected {
  Pixel background;
  std::vector<std::pair<Rect, Pixel>> paint;
};

::testing::AssertionResult MatchesAwayFromText(const Bitmap& frame, const Expected& expected,
                                               const std::vector<Rect>& text) {
  if (frame.Width() != kW || frame.Height() != kH) return ::testing::AssertionFailure() << "size";
  Bitmap want(kW, kH, expected.background);
  for (const auto& [rect, color] : expected.paint) raster::Canvas(want).FillRect(rect, color);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      bool inText = false;
      for (const Rect& r : text) inText = inText || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
      if (!inText && frame.At(x, y) != want.At(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << frame.At(x, y)
                                             << ", expected " << want.At(x, y);
    }
  return ::testing::AssertionSuccess();
}

TEST_F(Preview, SlidesAreTheComposersFramesAwayFromText) {
  // The composer's own cases on a 1024 x 768 screen, each with a caption at
  // the top right and a two-line description at the bottom centre.
  struct Case {
    const char* name;
    int fitMode, composeMode;
    Bitmap picture;
    Expected expected;
  };
  const std::vector<Case> cases = {
      {"fits, centred", 1, 1, Bands(800, 600, 300, kRed, kBlue),
       {kGreen, {{{112, 84, 912, 384}, kRed}, {{112, 384, 912, 684}, kBlue}}}},
      {"fits, without composite", 1, 0, Bands(800, 600, 300, kRed, kBlue),
       {kGreen, {{{112, 84, 912, 384}, kRed}, {{112, 384, 912, 684}, kBlue}}}},
      {"shrunk", 1, 1, Bands(2000, 1000, 500, kRed, kBlue),
       {kGreen, {{{0, 128, 1024, 384}, kRed}, {{0, 384, 1024, 640}, kBlue}}}},
      {"actual size, crop centred", 0, 1, Columns(2000, 1000, 1000, kRed, kBlue),
       {kGreen, {{{0, 0, 512, 768}, kRed}, {{512, 0, 1024, 768}, kBlue}}}},
      {"stretched", 3, 1, Bitmap(10, 700, kYellow), {kGreen, {{{0, 0, 1024, 768}, kYellow}}}},
  };
  player::FreeTypeTextRenderer text;
  project::TFontSpec captionFont, textFont;
  captionFont.Height = -24;
  textFont.Height = -16;
  const std::string texts =
      "ShowCaption = true\nCaption = \"Harbour at dusk\"\nCaptionPosition = 2\n"
      "CaptionFont = { Name = \"Arial\", Height = -24, Color = \"#FFFFFF\" }\n"
      "ShowText = true\nText = \"First line\\nThe second, longer line\"\nTextPosition = 3\n"
      "TextFont = { Name = \"Arial\", Height = -16, Color = \"#000000\" }\n";
  // Where the composition rules put the texts, with room for glyphs that
  // overhang their cell.
  const player::TextExtent caption = text.Measure(captionFont, "Harbour at dusk");
  const raster::Point captionAt = player::TextBlockPosition(2, {caption.width, caption.height}, {kW, kH}, {});
  const int lineHeight = text.Measure(textFont, "Afjh").height;
  const int blockWidth = text.Measure(textFont, "The second, longer line").width;
  const raster::Point textAt = player::TextBlockPosition(3, {blockWidth, 2 * lineHeight}, {kW, kH}, {});
  const std::vector<Rect> textBoxes = {
      {captionAt.x - 4, captionAt.y, captionAt.x + caption.width + 4, captionAt.y + caption.height},
      {textAt.x - 4, textAt.y, textAt.x + blockWidth + 4, textAt.y + 2 * lineHeight}};

  for (const Case& c : cases) {
    Picture("p.png", c.picture);
    const std::string show = Manifest("FitMode = " + std::to_string(c.fitMode) + "\nComposeMode = " +
                                          std::to_string(c.composeMode) + "\n",
                                      Item("p.png", kGreen, texts));
    const Bitmap slide = Slide(show, 0);
    EXPECT_TRUE(MatchesAwayFromText(slide, c.expected, textBoxes)) << c.name;
    // The caption is there, white, inside its box.
    int white = 0;
    for (int y = textBoxes[0].top; y < textBoxes[0].bottom; ++y)
      for (int x = textBoxes[0].left; x < textBoxes[0].right; ++x) white += slide.At(x, y) == MakePixel(255, 255, 255);
    EXPECT_GT(white, 40) << c.name;
  }
}

TEST_F(Preview, AContainerWrittenByHandIsPreviewedToo) {
  // A screensaver laid out byte by byte (not by showpack build): a program
  // image, one PNG item, its record, a header and the index.
  Picture("wide.png", Bands(2000, 1000, 500, kRed, kBlue));
  const std::string png = testing_support::ReadFile(folder + "wide.png");
  using testing_support::Record;
  testing_support::ContainerBytes container;
  const int32_t item = container.AddItem(png);
  const int32_t end = static_cast<int32_t>(container.bytes.size());
  container.itemOffsets = {item, end, end};  // the picture, then the (empty) dialog image
  const std::string record = Record(1, "0") + Record(2, "wide.png") + Record(3, std::to_string(png.size())) +
                             Record(45, "15") + Record(7, "0") + Record(17, "0") + Record(46, "0;") +
                             Record(60, "0") + Record(47, std::to_string(0x00FF00)) + Record(36, "") + "\x7F";
  const std::string header = Record(3, "0") + Record(40, "0") + Record(41, "1");
  testing_support::WriteFile(folder + "Hand.scr", container.Finish(record, header));
  EXPECT_TRUE(MatchesAwayFromText(Slide(folder + "Hand.scr", 0),
                                  {kGreen, {{{0, 128, 1024, 384}, kRed}, {{0, 384, 1024, 640}, kBlue}}}, {}));
}

TEST_F(Preview, AManifestAndTheScreensaverBuiltFromItLookTheSame) {
  Picture("p.png", Bands(300, 200, 50, kRed, kBlue));
  const std::string show = Manifest("", Item("p.png", kGreen, "ShowCaption = true\nCaption = \"Same\"\n"
                                                              "BackgroundKinds = \"0;2;\"\nRandomBackgroundColor = true\n"));
  testing_support::WriteFile(folder + "player.scr", "MZ-player");
  ASSERT_EQ(std::system(("\"" SHOWPACK_PROGRAM "\" build \"" + show + "\" -o \"" + folder + "Show.scr\" --player \"" +
                         folder + "player.scr\" > /dev/null")
                            .c_str()),
            0);
  for (const uint64_t seed : {1, 2, 3}) {
    const Bitmap fromManifest = Slide(show, 0, "640x480", seed);
    const Bitmap fromScreensaver = Slide(folder + "Show.scr", 0, "640x480", seed);
    ASSERT_EQ(fromManifest.Width(), 640);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) ASSERT_EQ(fromManifest.At(x, y), fromScreensaver.At(x, y)) << seed;
  }
}

TEST_F(Preview, TheSeedRepeatsEveryRandomChoice) {
  // A random background kind, colour, gradient and placement.
  Picture("p.png", Bitmap(100, 80, kYellow));
  const std::string show = Manifest("RandomPlacement = true\n", "\n[[item]]\nFile = \"p.png\"\nShowText = false\n");
  std::vector<std::string> pictures;
  for (const uint64_t seed : {5, 6, 7, 8, 5}) {
    Slide(show, 0, "200x150", seed);
    pictures.push_back(testing_support::ReadFile(folder + "slide.png"));
  }
  EXPECT_EQ(pictures[0], pictures[4]);
  EXPECT_TRUE(pictures[1] != pictures[0] || pictures[2] != pictures[0] || pictures[3] != pictures[0]);
  EXPECT_NE(out.find("seed 5"), std::string::npos) << out;
}

// The ticks the engine takes for `number` on a composite picture of the screen's
// size (the picture's content does not change the count).
int EngineTicks(int number, int speed, int w, int h, uint64_t seed) {
  base::SeededRandom random(seed);
  transitions::TransitionEngine engine(random);
  Bitmap target(w, h), source(w, h, kRed), back(w, h);
  transitions::ShowSurfaces surfaces{&target, &source, &back, {0, 0}, true};
  engine.StartNumber(number, speed, surfaces);
  int ticks = 1;
  while (!engine.ShowTimerTimer()) ++ticks;
  return ticks;
}

TEST_F(Preview, ATransitionIsOneFramePerTickEndingOnTheSlide) {
  Picture("a.png", Bands(320, 240, 100, kRed, kBlack));
  Picture("b.png", Columns(400, 300, 150, kBlue, kYellow));
  const std::string show = Manifest("ComposeMode = 1\n", Item("a.png", kBlack, "TransitionSpeed = 40\n") +
                                                             Item("b.png", kGreen, "TransitionSpeed = 40\n"));
  const Bitmap slide = Slide(show, 1, "240x180", 3);
  // Bands, a circle, a 1 ms effect, a random order, a stretch that composite
  // mode runs as a two-bar move, a 50 ms sweep, and no transition.
  for (const int number : {0, 36, 116, 58, 123, 129, -1}) {
    PreviewRequest request;
    request.show = show;
    request.slide = 1;
    request.transition = std::to_string(number);
    request.size = "240x180";
    request.seed = 3;
    request.output = folder + "t.gif";
    ASSERT_EQ(Run(request), 0) << err;
    const int ran = number >= 120 && number <= 128 ? number + 10 : number;
    const auto frames = testing::ReadGif(request.output).frames;
    ASSERT_EQ(static_cast<int>(frames.size()), EngineTicks(ran, 40, 240, 180, 3)) << number;
    const int tickCs = std::max(transitions::TransitionEntryFor(ran).intervalMs, 10) / 10;
    for (std::size_t k = 0; k + 1 < frames.size(); ++k) ASSERT_EQ(frames[k].delay, tickCs) << number;
    EXPECT_EQ(frames.back().delay, tickCs + 500) << number;  // held for SlideSeconds + 1
    for (int y = 0; y < 180; ++y)
      for (int x = 0; x < 240; ++x) ASSERT_EQ(frames.back().screen.At(x, y), slide.At(x, y)) << number;
    if (frames.size() > 2) {
      // On the way: the slide before still shows somewhere.
      const Bitmap& early = frames[frames.size() / 3].screen;
      bool before = false;
      for (int y = 0; y < 180 && !before; ++y)
        for (int x = 0; x < 240 && !before; ++x) before = early.At(x, y) != slide.At(x, y);
      EXPECT_TRUE(before) << number;
    }
    EXPECT_NE(out.find("transition " + std::to_string(ran)), std::string::npos) << out;
  }
}

TEST_F(Preview, FramesAsNumberedPicturesAndTheItemsOwnChoice) {
  Picture("a.png", Bitmap(64, 48, kRed));
  Picture("b.png", Bitmap(64, 48, kBlue));
  const std::string show =
      Manifest("", Item("a.png", kBlack) + Item("b.png", kBlack, "Transitions = [104]\nTransitionSpeed = 16\n"));
  PreviewRequest request;
  request.show = show;
  request.slide = 1;
  request.transition = "show";
  request.size = "64x48";
  request.seed = 9;
  request.frames = folder + "frames";
  ASSERT_EQ(Run(request), 0) << err;
  EXPECT_NE(out.find("transition 104 Scan down"), std::string::npos) << out;
  const int ticks = EngineTicks(104, 16, 64, 48, 9);
  EXPECT_TRUE(std::filesystem::exists(folder + "frames/" + PngFrames::FrameName(ticks)));
  EXPECT_FALSE(std::filesystem::exists(folder + "frames/" + PngFrames::FrameName(ticks + 1)));
  EXPECT_EQ(ReadPng(folder + "frames/" + PngFrames::FrameName(ticks)).At(10, 40), kBlue);
  EXPECT_EQ(ReadPng(folder + "frames/" + PngFrames::FrameName(1)).At(10, 40), kRed);
}

TEST_F(Preview, AContactSheetHoldsEveryItem) {
  Picture("a.png", Bitmap(64, 48, kRed));
  const std::string show = Manifest("", Item("a.png", kBlack) + Item("a.png", kGreen, "BackgroundOnly = true\n") +
                                            Item("a.png", kBlue, "Kind = 2\n"));
  PreviewRequest request;
  request.show = show;
  request.contactSheet = true;
  request.size = "640x480";
  request.seed = 1;
  request.output = folder + "sheet.png";
  ASSERT_EQ(Run(request), 0) << err;
  const Bitmap sheet = ReadPng(request.output);
  EXPECT_EQ(sheet.Width(), 2 * 16 + 3 * 320 + 2 * 16);  // three cells in a row
  EXPECT_NE(out.find("3 items"), std::string::npos) << out;
}

TEST_F(Preview, AMissingPictureEndsASlideButNotTheContactSheet) {
  // External pictures are looked up by name beside the show: b.png is not.
  Picture("a.png", Bitmap(64, 48, kRed));
  std::filesystem::create_directories(folder + "sub");
  Picture("sub/b.png", Bitmap(64, 48, kBlue));
  const std::string show = Manifest("PicturesEmbedded = false\n", Item("a.png", kBlack) + Item("sub/b.png", kBlack));
  PreviewRequest request;
  request.show = show;
  request.slide = 1;
  request.size = "64x48";
  request.output = folder + "slide.png";
  EXPECT_EQ(Run(request), 1);
  EXPECT_NE(err.find("File not found : " + folder + "b.png"), std::string::npos) << err;
  EXPECT_FALSE(std::filesystem::exists(request.output));
  request.slide.reset();
  request.contactSheet = true;
  request.output = folder + "sheet.png";
  EXPECT_EQ(Run(request), 0) << err;
  EXPECT_NE(err.find("warning: item 1: File not found"), std::string::npos) << err;
  EXPECT_EQ(ReadPng(request.output).Width(), 2 * 16 + 2 * 240 + 16);  // two cells, the labels' width
}

// Runs the showpack program; its exit code, and what it printed.
int RunProgram(const std::string& args, std::string& out, std::string& err, const std::string& folder) {
  const int status = std::system(("\"" SHOWPACK_PROGRAM "\" " + args + " > \"" + folder + "out.txt\" 2> \"" + folder +
                                  "err.txt\"")
                                     .c_str());
  out = testing_support::ReadFile(folder + "out.txt");
  err = testing_support::ReadFile(folder + "err.txt");
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Preview, BadRequestsGetOneLineAndExitCodeTwo) {
  Picture("a.png", Bitmap(64, 48, kRed));
  const std::string show = Manifest("", Item("a.png", kBlack) + Item("a.png", kBlack, "Kind = 2\n"));
  testing_support::WriteFile(folder + "picture.scr", testing_support::ReadFile(folder + "a.png"));
  const std::string png = " -o \"" + folder + "x.png\"";
  const std::string gif = " -o \"" + folder + "x.gif\"";
  const std::string scr = "\"" + show + "\"";
  struct Case {
    std::string args;
    std::string says;
  };
  const std::vector<Case> cases = {
      {"preview " + scr + " --slide 2" + png, "item 2 does not exist"},
      {"preview " + scr + " --slide -1" + png, "item -1 does not exist"},
      {"preview " + scr + " --slide 0 --size 0x768" + png, "--size"},
      {"preview " + scr + " --slide 0 --size 1024x" + png, "--size"},
      {"preview " + scr + " --slide 0 --size 100000x10" + png, "--size"},
      {"preview " + scr + " --transition 161" + gif, "transition 161 does not exist"},
      {"preview " + scr + " --transition -2" + gif, "transition -2 does not exist"},
      {"preview " + scr + " --transition fade" + gif, "--transition"},
      {"preview " + scr + " --transition 3 --slide 1" + gif, "video clip"},
      {"preview " + scr + " --transition 3" + png, ".gif"},
      {"preview " + scr + " --slide 0 --contact-sheet" + png, "--contact-sheet"},
      {"preview " + scr + png, "--slide"},
      {"preview \"" + folder + "missing.scr\" --slide 0" + png, "cannot read the show"},
      {"preview \"" + folder + "picture.scr\" --slide 0" + png, "cannot read the show"},
      {"preview \"" + folder + "missing.toml\" --slide 0" + png, "cannot read the show"},
      {"preview " + scr + " --slide abc" + png, "--slide"},
      {"preview --slide 0" + png, "show"},
      {"preview " + scr + " --slide 0 --seed -4" + png, "--seed"},
  };
  for (const Case& c : cases) {
    std::string o, e;
    EXPECT_EQ(RunProgram(c.args, o, e, folder), 2) << c.args << "\n" << e;
    EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 1) << c.args << "\n" << e;
    EXPECT_NE(e.find(c.says), std::string::npos) << c.args << "\n" << e;
    EXPECT_TRUE(o.empty()) << c.args;
    EXPECT_FALSE(std::filesystem::exists(folder + "x.png") || std::filesystem::exists(folder + "x.gif")) << c.args;
  }
  // And a good request, for contrast.
  std::string o, e;
  EXPECT_EQ(RunProgram("preview " + scr + " --slide 0 --size 64x48 --seed 2" + png, o, e, folder), 0) << e;
  EXPECT_TRUE(std::filesystem::exists(folder + "x.png"));
}

}  // namespace
}  // namespace showpack
