#include <gtest/gtest.h>

#include "base/random.h"
#include "container_fixture.h"
#include "project/info_position.h"
#include "project/project_errors.h"
#include "project/project_info.h"

namespace {

using project::ContainerError;
using project::TProjectInfo;
using testing_support::ContainerBytes;
using testing_support::Record;

const std::string kPicEnd = "\x7F";

std::string PictureRecord(int number, int size, const std::string& fileName, int typeCode = 2) {
  return Record(1, std::to_string(number)) + Record(2, fileName) + Record(3, std::to_string(size)) +
         Record(45, std::to_string(typeCode)) + kPicEnd;
}

class ContainerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = testing_support::ScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    temp = folder + "tmp/";
    std::filesystem::create_directories(base::PathFromUtf8(temp));
    services = std::make_unique<testing_support::RecordingServices>(temp);
  }

  std::unique_ptr<TProjectInfo> Open(const std::string& bytes, const std::string& name = "show.scr") {
    testing_support::WriteFile(folder + name, bytes);
    auto info = std::make_unique<TProjectInfo>(folder + name, *services);
    info->ReadHeader();
    info->ReadPictures(random);
    return info;
  }

  std::string folder, temp;
  std::unique_ptr<testing_support::RecordingServices> services;
  base::SeededRandom random{7};
};

TEST(Trailer, DigitsPaddedEitherSideOrWithZeros) {
  EXPECT_EQ(project::ParseTrailer("1234      "), 1234);
  EXPECT_EQ(project::ParseTrailer("      1234"), 1234);
  EXPECT_EQ(project::ParseTrailer("0000001234"), 1234);
  EXPECT_EQ(project::ParseTrailer(std::string_view("12\0\0\0\0\0\0\0\0", 10)), 12);
  EXPECT_EQ(project::ParseTrailer("\r\n  42\t   "), 42);
  EXPECT_FALSE(project::ParseTrailer("12 34     "));
  EXPECT_FALSE(project::ParseTrailer("MZ\x90\x00\x03"));
}

TEST(Index, TagsAppendSetAndSkip) {
  project::TInfoPosition index;
  index.ParseIndex(Record('1', "10") + Record('x', "99") + Record('3', "30") + Record('2', "20") +
                   Record('4', "40") + Record('4', "41") + Record('5', "50") + Record('6', "60") +
                   Record('9', "1") + "1999");
  EXPECT_EQ(index.ItemOffsets, (std::vector<int32_t>{10, 30, 20}));
  EXPECT_EQ(index.MusicOffsets, (std::vector<int32_t>{40, 41}));
  EXPECT_EQ(index.PictureRecordsStart, 50);
  EXPECT_EQ(index.HeaderStart, 60);
  EXPECT_THROW(index.ParseIndex(Record('1', "12x")), project::ConversionError);
}

TEST_F(ContainerTest, MissingFileReadsAsEmptyProject) {
  TProjectInfo info(folder + "absent.scr", *services);
  info.ReadHeader();
  info.ReadPictures(random);
  EXPECT_FALSE(info.HasProgramFile());
  EXPECT_TRUE(info.Pictures.empty());
  EXPECT_TRUE(info.Index.ItemOffsets.empty());
  EXPECT_EQ(info.SlideSeconds, 5);
  std::string path = info.GetMusicFile(0);
  EXPECT_EQ(path, "");
}

TEST_F(ContainerTest, BareProgramSaysItHoldsNoShow) {
  try {
    Open(std::string(5000, 'M'));
    FAIL() << "no error";
  } catch (const ContainerError& error) {
    EXPECT_NE(std::string(error.what()).find("holds no show"), std::string::npos) << error.what();
  }
  EXPECT_THROW(Open("MZ"), ContainerError);
}

TEST_F(ContainerTest, EmptyIndexLeavesEveryDefault) {
  // The program image in front of an empty index is larger than any header
  // block and holds 0x80 bytes; none of it is read as header or pictures.
  std::string image(200000, 'M');
  image[100] = '\x05';
  image[101] = '9';
  image[102] = '\x80';
  // No index records at all, and an index of one record with an unknown tag.
  for (const std::string& ending : {std::string("0         "), std::string("x\x80") + "2         "}) {
    auto info = Open(image + ending);
    EXPECT_EQ(info->SlideSeconds, 5);
    EXPECT_TRUE(info->Pictures.empty());
    EXPECT_TRUE(info->Index.ItemOffsets.empty());
  }
}

TEST_F(ContainerTest, DamagedContainersAreRefusedWithAReason) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  ContainerBytes base;
  const std::string good = base.Finish("", "");
  const std::vector<Case> cases = {
      {"index longer than the file", "MZ" + std::string("9999      ")},
      {"index over 102,400 bytes", std::string(200000, 'x') + "150000    "},
      {"negative index length", std::string(100, 'x') + "-5        "},
      {"blocks out of order",
       [] { ContainerBytes c; return c.Finish("", "", Record('5', "9000")); }()},
      {"header over 102,400 bytes", [] { ContainerBytes c; return c.Finish("", std::string(102401, 'h')); }()},
      {"item offset outside the file",
       [] { ContainerBytes c; c.itemOffsets = {5, 1 << 30}; return c.Finish("", ""); }()},
      {"music offsets going backwards",
       [] { ContainerBytes c; c.AddItem("abcdef"); c.musicOffsets = {20, 16}; return c.Finish("", ""); }()},
      {"picture size past the end",
       [] {
         ContainerBytes c;
         c.itemOffsets = {c.AddItem("JPEGDATA"), 0, 0};
         return c.Finish(PictureRecord(0, 1 << 20, "a.jpg"), "");
       }()},
  };
  EXPECT_NO_THROW(Open(good));
  for (const Case& c : cases) {
    EXPECT_THROW(Open(c.bytes), ContainerError) << c.name;
  }
}

TEST_F(ContainerTest, OutsideMoviesAreNotMeasuredAgainstTheProgramFile) {
  // Pictures embedded, media kept outside: a movie's record carries the size of
  // its own file, which the program file need not hold.
  ContainerBytes c;
  c.itemOffsets = {c.AddItem("JPEGDATA"), c.AddItem(""), 0, 0};
  const std::string movie = Record(1, "1") + Record(2, "intro.swf") + Record(3, std::to_string(1 << 20)) +
                            Record(52, "1") + kPicEnd;
  const std::string pictures = PictureRecord(0, 8, "a.jpg") + movie;
  auto info = Open(c.Finish(pictures, Record(39, "0")));
  ASSERT_EQ(info->Pictures.size(), 2u);
  EXPECT_EQ(info->Pictures[1]->Kind, 1);
  // Once media are embedded, the same record claims bytes the file does not have.
  ContainerBytes embedded;
  embedded.itemOffsets = {embedded.AddItem("JPEGDATA"), embedded.AddItem(""), 0, 0};
  EXPECT_THROW(Open(embedded.Finish(pictures, Record(39, "1"))), ContainerError);
}

TEST_F(ContainerTest, HeaderTypesDefaultsAndRepeats) {
  ContainerBytes c;
  const std::string header = Record(3, "true") + Record(4, "yes") + Record(6, "2") + Record(8, "") +
                             Record(9, "1") + Record(5, "7") + Record(5, "9") + Record(1, "a.mp3") +
                             Record(1, "b.wav") + Record(1, "c.mid") + Record(30, "Sunset.scr") +
                             Record(2, "skip") + Record(10, "skip") + Record(94, "skip") + Record(91, "Setting") +
                             Record(92, "Stop") + Record(86, "Missing %s") + "trailing text without end";
  auto info = Open(c.Finish("", header));
  EXPECT_FALSE(info->RandomPlacement);
  EXPECT_FALSE(info->RandomOrder);
  EXPECT_FALSE(info->LoopMusic);
  EXPECT_FALSE(info->RandomMusic);
  EXPECT_TRUE(info->ShowDialogImage);
  EXPECT_EQ(info->SlideSeconds, 9);
  EXPECT_EQ(info->MusicFiles, (std::vector<std::string>{"a.mp3", "b.wav", "c.mid"}));
  EXPECT_EQ(info->ProjectName, "Sunset.scr");
  EXPECT_EQ(info->MenuSettingCaption(), "Setting");
  EXPECT_EQ(info->MenuStopCaption(), "Stop");
  EXPECT_EQ(info->FileNotFoundText(), "Missing %s");
  // Untouched fields keep their defaults.
  EXPECT_EQ(info->Version, "1.0");
  EXPECT_EQ(info->MusicPauseTicks, 5);
  EXPECT_EQ(info->ComposeMode, 1);
  EXPECT_EQ(info->FitMode, 1);
  EXPECT_TRUE(info->PicturesEmbedded);
  EXPECT_TRUE(info->MediaEmbedded);
  EXPECT_TRUE(info->FilesBesideProgram);
  EXPECT_EQ(info->RightClickMenu, 0);
}

TEST_F(ContainerTest, NulEndsTheHeaderAndBadIntegersRaise) {
  {
    ContainerBytes c;
    auto info = Open(c.Finish("", Record(5, "8") + std::string("\0", 1) + Record(41, "3")));
    EXPECT_EQ(info->SlideSeconds, 8);
    EXPECT_EQ(info->FitMode, 1);
  }
  {
    ContainerBytes c;
    auto info = Open(c.Finish("", "no record end here"));
    EXPECT_EQ(info->SlideSeconds, 5);
  }
  ContainerBytes c;
  testing_support::WriteFile(folder + "bad.scr", c.Finish("", Record(5, "8") + Record(41, "") + Record(7, "2")));
  TProjectInfo info(folder + "bad.scr", *services);
  EXPECT_THROW(info.ReadHeader(), project::ConversionError);
  EXPECT_EQ(info.SlideSeconds, 8);       // parsed before the bad value
  EXPECT_EQ(info.MusicPauseTicks, 5);    // not reached
}

TEST_F(ContainerTest, EmbeddedMusicLengthsAndTemporaryFiles) {
  ContainerBytes c;
  c.musicOffsets = {c.AddItem("first"), c.AddItem("second!")};
  auto info = Open(c.Finish("", Record(1, "a.b.mp3") + Record(1, "noext")));
  std::vector<uint8_t> stream;
  ASSERT_TRUE(info->GetMusicStream(0, stream));
  EXPECT_EQ(std::string(stream.begin(), stream.end()), "first");
  ASSERT_TRUE(info->GetMusicStream(1, stream));  // the last ends at the picture records
  EXPECT_EQ(std::string(stream.begin(), stream.end()), "second!");

  const std::string first = info->GetMusicFile(0);
  EXPECT_EQ(first, temp + "qev.b.mp3");
  EXPECT_EQ(testing_support::ReadFile(first), "first");
  const std::string second = info->GetMusicFile(1);
  EXPECT_EQ(second, temp + "qevnoext");
  EXPECT_EQ(testing_support::ReadFile(second), "second!");
  EXPECT_FALSE(base::FileExists(first)) << "the previous temporary file is deleted";
  EXPECT_EQ(info->GetMusicFile(2), "");
  EXPECT_EQ(info->GetMusicFile(-1), "");
  info.reset();
  EXPECT_FALSE(base::FileExists(second)) << "the last temporary file goes with the project";
}

// Music may still hold its file open when a clip is extracted: that file is
// deleted once it can be, at the latest with the project.
TEST_F(ContainerTest, ATemporaryFileStillInUseIsDeletedLater) {
  ContainerBytes c;
  c.itemOffsets = {c.AddItem("CLIP")};
  c.musicOffsets = {c.AddItem("song")};
  auto info = Open(c.Finish(PictureRecord(0, 4, "clip.avi"), Record(1, "a.mp3")));
  const std::string song = info->GetMusicFile(0);
  // A folder that is not empty cannot be deleted: it stands in for a file in use.
  base::DeleteFileQuietly(song);
  std::filesystem::create_directory(base::PathFromUtf8(song));
  testing_support::WriteFile(song + "/held", "");

  const std::string clip = info->GetPictureFile(0);
  EXPECT_EQ(testing_support::ReadFile(clip), "CLIP");
  EXPECT_TRUE(std::filesystem::exists(base::PathFromUtf8(song)));
  base::DeleteFileQuietly(song + "/held");  // the player lets go of it
  info.reset();
  EXPECT_FALSE(std::filesystem::exists(base::PathFromUtf8(song)));
  EXPECT_FALSE(base::FileExists(clip));
}

TEST_F(ContainerTest, NoMusicMeansNoMusicFile) {
  ContainerBytes c;
  auto info = Open(c.Finish("", ""));
  EXPECT_TRUE(info->Index.MusicOffsets.empty());
  EXPECT_EQ(info->GetMusicFile(0), "");
  std::vector<uint8_t> stream;
  EXPECT_FALSE(info->GetMusicStream(0, stream));
}

TEST_F(ContainerTest, EmbeddedPicturesAndDialogImage) {
  ContainerBytes c;
  const int32_t a = c.AddItem("AAAA");
  const int32_t b = c.AddItem("BBBBBB");
  const int32_t dialogStart = c.AddItem("DIALOG");
  c.itemOffsets = {a, b, dialogStart, dialogStart + 6};
  auto info = Open(c.Finish(PictureRecord(0, 4, "one.png", 15) + PictureRecord(1, 6, "two.gif", 11),
                            Record(31, "side.BMP")));
  ASSERT_EQ(info->Pictures.size(), 2u);
  std::vector<uint8_t> stream;
  int typeCode = 0;
  ASSERT_TRUE(info->GetPictureStream(1, stream, typeCode));
  EXPECT_EQ(std::string(stream.begin(), stream.end()), "BBBBBB");
  EXPECT_EQ(typeCode, 11);
  ASSERT_TRUE(info->GetDialogImageStream(stream, typeCode));
  EXPECT_EQ(std::string(stream.begin(), stream.end()), "DIALOG");
  EXPECT_EQ(typeCode, 1);
  EXPECT_FALSE(info->GetPictureStream(2, stream, typeCode));

  const std::string movie = info->GetPictureFile(0);
  EXPECT_EQ(movie, temp + "qev.png");
  EXPECT_EQ(testing_support::ReadFile(movie), "AAAA");
}

// No empty or partial temporary file is handed on: an item whose bytes cannot
// be read, or whose copy cannot be written, gives no file.
TEST_F(ContainerTest, ItemsThatCannotBeCopiedGiveNoFile) {
  ContainerBytes c;
  c.itemOffsets = {c.AddItem("MOVIE")};  // the second record has no item
  c.musicOffsets = {c.AddItem("song")};  // nor has the second music file
  const std::string bytes =
      c.Finish(PictureRecord(0, 5, "intro.swf") + PictureRecord(1, 5, "outro.avi"),
               Record(1, "a.mp3") + Record(1, "b.ogg"));
  auto info = Open(bytes);
  EXPECT_EQ(info->GetPictureFile(1), "");
  EXPECT_EQ(info->GetMusicFile(1), "");
  EXPECT_FALSE(base::FileExists(temp + "qev.avi"));
  EXPECT_FALSE(base::FileExists(temp + "qev.ogg"));
  EXPECT_EQ(info->GetMusicFile(0), temp + "qev.mp3");

  testing_support::RecordingServices unwritable(folder + "no/such/folder/");
  TProjectInfo elsewhere(folder + "show.scr", unwritable);
  elsewhere.ReadHeader();
  elsewhere.ReadPictures(random);
  EXPECT_EQ(elsewhere.GetPictureFile(0), "");
  EXPECT_EQ(elsewhere.GetMusicFile(0), "");
}

TEST_F(ContainerTest, ExternalItemsAreLookedUpBesideTheProgram) {
  testing_support::WriteFile(folder + "sun.jpg", "SUNBYTES");
  testing_support::WriteFile(folder + "song.mp3", "SONG");
  ContainerBytes c;
  c.itemOffsets = {0, 0, 0};
  const std::string header = Record(38, "0") + Record(39, "0") + Record(1, "D:\\music\\song.mp3") +
                             Record(1, "D:\\music\\gone.mp3") + Record(86, "Cannot find %s.");
  auto info = Open(c.Finish(PictureRecord(0, 0, "C:\\pics\\sun.jpg", 15) + PictureRecord(1, 0, "C:\\pics\\moon.gif"),
                            header));
  std::vector<uint8_t> stream;
  int typeCode = 99;
  ASSERT_TRUE(info->GetPictureStream(0, stream, typeCode));
  EXPECT_EQ(std::string(stream.begin(), stream.end()), "SUNBYTES");
  EXPECT_EQ(typeCode, 2) << "external pictures take their type from the extension";

  typeCode = 99;
  EXPECT_FALSE(info->GetPictureStream(1, stream, typeCode));
  EXPECT_EQ(typeCode, 99);

  EXPECT_EQ(info->GetMusicFile(0), folder + "song.mp3");
  EXPECT_EQ(info->GetMusicFile(1), "");
  EXPECT_EQ(info->GetPictureFile(1), "");
  ASSERT_EQ(services->messages.size(), 2u);
  EXPECT_EQ(services->messages[0], "Cannot find " + folder + "gone.mp3.");
  EXPECT_EQ(services->messages[1], "File not found : " + folder + "moon.gif");
}

TEST_F(ContainerTest, StoredPathsWhenNotBesideTheProgram) {
  testing_support::WriteFile(folder + "elsewhere.gif", "GIF89a");
  ContainerBytes c;
  c.itemOffsets = {0, 0, 0};
  auto info = Open(c.Finish(PictureRecord(0, 0, folder + "elsewhere.gif"), Record(38, "0") + Record(93, "0")));
  std::vector<uint8_t> stream;
  int typeCode = 0;
  ASSERT_TRUE(info->GetPictureStream(0, stream, typeCode));
  EXPECT_EQ(typeCode, 11);
}

TEST_F(ContainerTest, ExternalCutPicturesHaveTheirPaletteFile) {
  testing_support::WriteFile(folder + "halo.cut", "CUTBYTES");
  testing_support::WriteFile(folder + "halo.pal", "AH-PALETTE");
  testing_support::WriteFile(folder + "sun.jpg", "SUNBYTES");
  ContainerBytes c;
  c.itemOffsets = {0, 0, 0};
  auto info = Open(c.Finish(PictureRecord(0, 0, "C:\\pics\\halo.cut") + PictureRecord(1, 0, "C:\\pics\\sun.jpg"),
                            Record(38, "0")));
  const std::vector<uint8_t> palette = info->GetPicturePalette(0);
  EXPECT_EQ(std::string(palette.begin(), palette.end()), "AH-PALETTE");
  EXPECT_TRUE(info->GetPicturePalette(1).empty());
  EXPECT_TRUE(info->GetPicturePalette(2).empty());
  // Embedded pictures have no palette file: they show grey levels.
  info->PicturesEmbedded = true;
  EXPECT_TRUE(info->GetPicturePalette(0).empty());
}

}  // namespace
