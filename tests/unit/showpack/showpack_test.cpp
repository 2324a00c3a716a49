#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "base/random.h"
#include "container_writer.h"
#include "imageformats/handmade_files.h"
#include "inspect.h"
#include "manifest.h"
#include "player/flash_movie_writer.h"
#include "project/container_fixture.h"
#include "project/project_info.h"

namespace {

using showpack::ManifestError;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

class ShowpackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = testing_support::ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    testing_support::WriteFile(folder + "player.scr", "MZ-bare-player-image");
    // Real pictures: showpack refuses what the screensaver cannot decode.
    for (const char* name : {"a.jpg", "b.gif", "side.bmp"}) MakePicture(name);
    testing_support::WriteFile(folder + "song.mid", "MThd-song");
  }

  void MakePicture(const std::string& name, const std::string& options = "") {
    const std::string command = "/usr/bin/convert -size 4x3 xc:orange " + options + " '" + folder + name + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  std::string Build(const std::string& manifest, const std::string& name = "Show.scr") {
    testing_support::WriteFile(folder + "show.toml", manifest);
    const auto parsed = showpack::ReadManifest(folder + "show.toml");
    showpack::WriteOptions options{folder + "player.scr", folder + name, {}};
    showpack::WriteScreensaver(parsed, options);
    return folder + name;
  }

  // The message of the error that building `manifest` raises.
  std::string BuildError(const std::string& manifest) {
    try {
      Build(manifest);
    } catch (const ManifestError& error) {
      return error.what();
    }
    return "no error";
  }

  std::string folder;
};

const char* kShow = R"(
[project]
ProjectName = "Sunset.scr"
SlideSeconds = 7
RandomOrder = false
MusicFiles = ["song.mid"]
DialogImage = "side.bmp"
MenuStopCaption = "Stop"
UiText44 = "Missing %s"

[[item]]
File = "a.jpg"
Caption = "Caf\u00e9"
CaptionFont = { Name = "Arial", Height = -30, Color = "#FF0000", Style = "13" }
Transitions = [0, 56, 120]

[[item]]
File = "b.gif"
BackgroundOnly = true
Kind = 0
)";

TEST_F(ShowpackTest, BuiltShowReadsBackThroughTheProgramsReader) {
  const std::string path = Build(kShow);
  project::StdProjectServices services;
  project::TProjectInfo info(path, services);
  info.ReadHeader();
  base::SeededRandom random(1);
  info.ReadPictures(random);

  EXPECT_EQ(info.ProjectName, "Sunset.scr");
  EXPECT_EQ(info.SlideSeconds, 7);
  EXPECT_FALSE(info.RandomOrder);
  EXPECT_EQ(info.MusicFiles, (std::vector<std::string>{"song.mid"}));
  EXPECT_EQ(info.DialogImageFile, "side.bmp");
  EXPECT_EQ(info.MenuStopCaption(), "Stop");
  EXPECT_EQ(info.FileNotFoundText(), "Missing %s");
  ASSERT_EQ(info.Pictures.size(), 2u);
  const auto& first = *info.Pictures[0];
  EXPECT_EQ(first.Number, 0);
  EXPECT_EQ(first.Caption, "Caf\xC3\xA9") << "stored as Windows-1252, read back as UTF-8";
  EXPECT_EQ(first.TypeCode, 2);
  EXPECT_EQ(first.CaptionFont.Name, "Arial");
  EXPECT_EQ(first.CaptionFont.Height, -30);
  EXPECT_EQ(first.CaptionFont.Color, 0x0000FFu) << "#RRGGBB is stored as a Windows colour";
  EXPECT_TRUE(first.CaptionFont.Bold && first.CaptionFont.Underline && !first.CaptionFont.Italic);
  EXPECT_EQ(first.Transitions, "0;56;120;");
  EXPECT_EQ(info.Pictures[1]->TypeCode, 11);
  EXPECT_TRUE(info.Pictures[1]->BackgroundOnly);

  std::vector<uint8_t> bytes;
  int typeCode = 0;
  ASSERT_TRUE(info.GetPictureStream(1, bytes, typeCode));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), testing_support::ReadFile(folder + "b.gif"));
  ASSERT_TRUE(info.GetDialogImageStream(bytes, typeCode));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), testing_support::ReadFile(folder + "side.bmp"));
  ASSERT_TRUE(info.GetMusicStream(0, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "MThd-song");

  // The program image is untouched at the front.
  EXPECT_EQ(testing_support::ReadFile(path).substr(0, 20), "MZ-bare-player-image");

  std::ostringstream printed;
  showpack::InspectScreensaver(path, printed);
  EXPECT_NE(printed.str().find("ProjectName: \"Sunset.scr\""), std::string::npos);
  EXPECT_NE(printed.str().find("[item 1]"), std::string::npos);
  EXPECT_NE(printed.str().find("MusicOffsets: "), std::string::npos);
}

TEST_F(ShowpackTest, ExternalItemsAreNamedNotEmbedded) {
  const std::string path = Build(R"(
[project]
PicturesEmbedded = false
MediaEmbedded = false
MusicFiles = ["song.mid"]

[[item]]
File = "a.jpg"
)");
  project::StdProjectServices services;
  project::TProjectInfo info(path, services);
  info.ReadHeader();
  base::SeededRandom random(1);
  info.ReadPictures(random);
  EXPECT_EQ(info.Pictures[0]->Size, 0);
  EXPECT_EQ(info.Pictures[0]->FileName, "a.jpg");
  EXPECT_EQ(info.GetMusicFile(0), folder + "song.mid");
  EXPECT_EQ(testing_support::ReadFile(path).find(testing_support::ReadFile(folder + "a.jpg")), std::string::npos);
}

TEST_F(ShowpackTest, MusicAndVideoItemsInsideOrBesideTheProgram) {
  testing_support::WriteFile(folder + "tune.wav", "RIFF-tune");
  testing_support::WriteFile(folder + "clip.avi", "RIFF-clip");
  for (const bool embedded : {true, false}) {
    const std::string path = Build(std::string("[project]\nMediaEmbedded = ") + (embedded ? "true" : "false") + R"(
MusicFiles = ["song.mid", "tune.wav"]
LoopMusic = false
RandomMusic = false
MusicPauseTicks = 3

[[item]]
File = "a.jpg"
PlayMusic = false

[[item]]
File = "clip.avi"
Kind = 2
VideoSize = 5
)");
    testing_support::RecordingServices services(folder);
    project::TProjectInfo info(path, services);
    info.ReadHeader();
    base::SeededRandom random(1);
    info.ReadPictures(random);
    EXPECT_FALSE(info.LoopMusic);
    EXPECT_FALSE(info.RandomMusic);
    EXPECT_EQ(info.MusicPauseTicks, 3);
    ASSERT_EQ(info.Pictures.size(), 2u);
    EXPECT_FALSE(info.Pictures[0]->PlayMusic);
    EXPECT_EQ(info.Pictures[1]->Kind, 2);
    EXPECT_EQ(info.Pictures[1]->VideoSize, 5);

    const std::string music = info.GetMusicFile(1);
    EXPECT_EQ(testing_support::ReadFile(music), "RIFF-tune");
    const std::string clip = info.GetPictureFile(1);
    EXPECT_EQ(testing_support::ReadFile(clip), "RIFF-clip");
    const std::string program = testing_support::ReadFile(path);
    EXPECT_NE(program.find(testing_support::ReadFile(folder + "a.jpg")), std::string::npos)
        << "pictures stay inside either way";
    if (!embedded) {
      EXPECT_EQ(music, folder + "tune.wav");
      EXPECT_EQ(clip, folder + "clip.avi");
      EXPECT_EQ(program.find("RIFF-"), std::string::npos);
    }
    EXPECT_TRUE(services.messages.empty());

    std::ostringstream printed;
    showpack::InspectScreensaver(path, printed);
    const std::string where = embedded ? " 9 bytes in the program\n" : " beside the program\n";
    EXPECT_NE(printed.str().find("Music0: \"song.mid\"" + std::string(embedded ? " 9" : "")), std::string::npos);
    EXPECT_NE(printed.str().find("Music1: \"tune.wav\"" + where), std::string::npos) << printed.str();
    EXPECT_NE(printed.str().find("  Kind: 2\n"), std::string::npos);
    EXPECT_NE(printed.str().find("  VideoSize: 5\n"), std::string::npos);
  }
}

TEST_F(ShowpackTest, FlashItemsAreWrittenEmbeddedOrBesideTheProgram) {
  player::testing::MovieWriter movie(64, 48);
  const auto bytes = movie.Background(0x33, 0x66, 0x99).ShowFrame().ShowFrame().Finish('C');
  player::testing::WriteMovie(folder + "intro.swf", bytes);
  const std::string items = R"(
[[item]]
File = "intro.swf"
Kind = 1
FlashBackgroundColor = "#336699"
FlashScaleMode = 2
FlashStopMode = 1
FlashStopTicks = 2
FlashGetsClicks = true
)";
  std::filesystem::create_directories(base::PathFromUtf8(folder + "out"));
  for (bool embedded : {true, false}) {
    SCOPED_TRACE(embedded ? "embedded" : "beside the program");
    const std::string name = embedded ? "Embedded.scr" : "out/External.scr";
    const std::string path = Build(std::string("[project]\nMediaEmbedded = ") + (embedded ? "true" : "false") + "\n" + items, name);
    project::StdProjectServices services;
    project::TProjectInfo info(path, services);
    info.ReadHeader();
    base::SeededRandom random(1);
    info.ReadPictures(random);
    const auto& item = *info.Pictures.at(0);
    EXPECT_EQ(item.Kind, 1);
    EXPECT_EQ(item.FlashBackgroundColor, 0x00996633u);
    EXPECT_EQ(item.FlashScaleMode, 2);
    EXPECT_EQ(item.FlashStopMode, 1);
    EXPECT_EQ(item.FlashStopTicks, 2);
    EXPECT_TRUE(item.FlashGetsClicks);
    EXPECT_FALSE(item.FlashGetsMoves);
    EXPECT_EQ(item.Size, embedded ? static_cast<int32_t>(bytes.size()) : 0);
    const std::string movieFile = info.GetPictureFile(0);
    EXPECT_EQ(movieFile, embedded ? info.TempFolder + "qev.swf" : folder + "out/intro.swf");
    EXPECT_EQ(testing_support::ReadFile(movieFile), std::string(bytes.begin(), bytes.end()));
  }
  testing_support::WriteFile(folder + "fake.swf", "GIF89a, not a movie");
  EXPECT_NE(BuildError("[[item]]\nFile = \"fake.swf\"\nKind = 1\n").find(folder + "show.toml:1: File: The Flash movie " +
                                                                            folder + "fake.swf cannot be played: the file is not a Flash movie"),
            std::string::npos)
      << BuildError("[[item]]\nFile = \"fake.swf\"\nKind = 1\n");
}

TEST_F(ShowpackTest, ErrorsNameTheFileTheLineAndTheField) {
  const std::string file = folder + "show.toml";
  EXPECT_EQ(BuildError("[project]\nSlideSeconds = \"five\"\n"),
            file + ":2: SlideSeconds: expected a whole number");
  EXPECT_EQ(BuildError("[project]\nSlidSeconds = 5\n"), file + ":2: SlidSeconds: unknown project field");
  EXPECT_EQ(BuildError("[[item]]\nFile = \"a.jpg\"\nCaption = 12\n"), file + ":3: Caption: expected text in quotes");
  EXPECT_EQ(BuildError("[[item]]\nCaption = \"x\"\n"), file + ":1: File: every item needs a File");
  EXPECT_EQ(BuildError("[[item]]\nFile = \"gone.jpg\"\n"), file + ":2: File: file not found: " + folder + "gone.jpg");
  EXPECT_EQ(BuildError("[[item]]\nFile = \"a.jpg\"\nCaptionFont = { Size = 3 }\n"),
            file + ":3: CaptionFont.Size: unknown font field (Charset, Color, Height, Name, Style)");
  EXPECT_NE(BuildError("[project\n").find(file + ":1:"), std::string::npos);
}

TEST_F(ShowpackTest, ValuesTheFormatCannotHoldAreRefused) {
  EXPECT_NE(BuildError("[project]\nAuthorName = \"5 \\u20AC\"\n").find("0x80"), std::string::npos);
  EXPECT_NE(BuildError("[[item]]\nFile = \"a.jpg\"\nCaption = \"a\\u007Fz\"\n").find("0x7F"), std::string::npos);
  EXPECT_NE(BuildError("[project]\nAuthorName = \"\\u4E2D\"\n").find("Windows-1252"), std::string::npos);
  EXPECT_NE(BuildError("[project]\nAuthorName = \"a\\u0000b\"\n").find("NUL"), std::string::npos);
  EXPECT_NE(BuildError("[[item]]\nFile = \"a.jpg\"\nCaption = \"" + std::string(101, 'c') + "\"\n").find("at most 100"),
            std::string::npos);
  EXPECT_NE(BuildError("[[item]]\nFile = \"a.jpg\"\nText = \"" + std::string(4096, 't') + "\"\n").find("at most 4095"),
            std::string::npos);
  EXPECT_NE(BuildError("[project]\nMusicFiles = [\"nothing.mp3\"]\n").find("file not found"), std::string::npos);
  EXPECT_FALSE(base::FileExists(folder + "Show.scr")) << "nothing is written for a refused show";
  EXPECT_FALSE(base::FileExists(folder + "Show.scr.part"));
}

TEST_F(ShowpackTest, PicturesTheScreensaverCannotShowAreRefusedWithTheirFileAndLine) {
  const std::string file = folder + "show.toml";
  testing_support::WriteFile(folder + "broken.jpg", "JPEGBYTES");
  testing_support::WriteFile(folder + "notes.txt", "hello");
  EXPECT_THAT(BuildError("[[item]]\nFile = \"a.jpg\"\n[[item]]\nFile = \"broken.jpg\"\n"),
              StartsWith(file + ":4: File: " + folder + "broken.jpg: the screensaver cannot show this picture (JPEG: "));
  EXPECT_EQ(BuildError("[[item]]\nFile = \"notes.txt\"\n"),
            file + ":2: File: " + folder + "notes.txt: not a picture type the screensaver can show");
  // A picture of a type without a decoder, by its explicit type code.
  EXPECT_EQ(BuildError("[[item]]\nFile = \"a.jpg\"\nTypeCode = 0\n"),
            file + ":2: File: " + folder + "a.jpg: type code 0 has no decoder");
  EXPECT_THAT(BuildError("[project]\nDialogImage = \"broken.jpg\"\n"), StartsWith(file + ":2: DialogImage: "));
  // Videos are not pictures (movies are checked as movies); TIFF and PCX pictures are shown.
  MakePicture("scan.tif", "-compress LZW");
  MakePicture("logo.pcx");
  testing_support::WriteFile(folder + "logo.scr", testing_support::ReadFile(folder + "logo.pcx"));
  EXPECT_EQ(BuildError("[[item]]\nFile = \"notes.txt\"\nKind = 2\n[[item]]\nFile = \"scan.tif\"\n"
                       "[[item]]\nFile = \"logo.scr\"\n"),
            "no error");
  EXPECT_FALSE(base::FileExists(folder + "Show.scr.part"));
}

TEST_F(ShowpackTest, InspectShowsTheOrientationOfEachJpeg) {
  imageformats::testing::Exif exif;
  exif.value = 6;
  const std::string plain = testing_support::ReadFile(folder + "a.jpg");
  const auto turned = imageformats::testing::WithApp1(std::vector<uint8_t>(plain.begin(), plain.end()),
                                                      imageformats::testing::App1(exif));
  testing_support::WriteFile(folder + "turned.jpg", std::string(turned.begin(), turned.end()));
  const std::string path = Build("[[item]]\nFile = \"a.jpg\"\n[[item]]\nFile = \"turned.jpg\"\n[[item]]\nFile = \"b.gif\"\n");
  std::ostringstream printed;
  showpack::InspectScreensaver(path, printed);
  const std::string text = printed.str();
  const auto item = [&](int k) { return text.substr(text.find("[item " + std::to_string(k) + "]")); };
  EXPECT_THAT(item(0), HasSubstr("Orientation: 1 (as stored)"));
  EXPECT_THAT(item(1), StartsWith("[item 1]"));
  EXPECT_THAT(item(1).substr(0, item(1).find("[item 2]")), HasSubstr("Orientation: 6 (shown turned a quarter clockwise)"));
  EXPECT_THAT(item(2), Not(HasSubstr("Orientation")));
}

TEST_F(ShowpackTest, APlayerThatAlreadyCarriesAShowIsRefused) {
  const std::string built = Build(kShow);
  testing_support::WriteFile(folder + "show.toml", kShow);
  const auto parsed = showpack::ReadManifest(folder + "show.toml");
  showpack::WriteOptions options{built, folder + "Twice.scr", {}};
  EXPECT_THROW(showpack::WriteScreensaver(parsed, options), ManifestError);
}

}  // namespace
