#include "settings/setting_dialog_view.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "imageformats/handmade_files.h"
#include "project/program_file.h"
#include "settings/about_box_texts.h"
#include "settings/dialog_picture.h"

namespace settings {
namespace {

// A project without a container: every header field at its default, set by
// each test as a header would.
class ProjectViewTest : public ::testing::Test {
 protected:
  project::StdProjectServices services;
  project::TProjectInfo project{std::string(SLIDESHOW_TEST_TMP) + "/no-such-program.scr", services};
};

TEST_F(ProjectViewTest, DefaultHeaderShowsTheDescriptionPageWithoutPictureOrExtraMenus) {
  project.Description = "About this show";
  const SettingDialogView view = ViewOfProject(project);
  EXPECT_FALSE(view.showDialogImage);
  EXPECT_EQ(view.clientWidth, 450 - 121);
  EXPECT_FALSE(view.showAuthorPage);
  EXPECT_EQ(view.memdesc, "About this show");
  EXPECT_FALSE(view.actionMenuVisible);
  EXPECT_FALSE(view.helpMenuVisible);
  EXPECT_TRUE(view.mouseChoicesEnabled);
}

TEST_F(ProjectViewTest, DialogImageKeepsTheFullWidth) {
  project.ShowDialogImage = true;
  EXPECT_EQ(ViewOfProject(project).clientWidth, 450);
}

TEST_F(ProjectViewTest, AuthorPageShowsOnlyTheChosenPanels) {
  project.ShowAuthorInfo = true;
  project.AuthorName = "Ann";
  project.AuthorWebSite = "http://example.org/";
  project.AuthorEmail = "ann@example.org";
  project.Description = "Sunsets";
  SettingDialogView view = ViewOfProject(project);
  EXPECT_TRUE(view.showAuthorPage);
  EXPECT_EQ(view.lbAuthor, "Ann");
  EXPECT_FALSE(view.plAuthwebVisible);
  EXPECT_FALSE(view.plAuthEMailVisible);
  EXPECT_FALSE(view.edtDescVisible);
  EXPECT_FALSE(view.actionMenuVisible);
  EXPECT_EQ(view.memdesc, "");

  project.ShowAuthorWebSite = true;
  project.ShowAuthorEmail = true;
  project.ShowDescription = true;
  view = ViewOfProject(project);
  EXPECT_TRUE(view.plAuthwebVisible);
  EXPECT_EQ(view.lbAuthWebSite, "http://example.org/");
  EXPECT_TRUE(view.plAuthEMailVisible);
  EXPECT_EQ(view.lbEMail, "ann@example.org");
  EXPECT_TRUE(view.edtDescVisible);
  EXPECT_EQ(view.edtDesc, "Sunsets");
  EXPECT_TRUE(view.actionMenuVisible);
}

TEST_F(ProjectViewTest, ActionMenuNeedsBothAuthorInfoAndWebSite) {
  project.ShowAuthorWebSite = true;
  EXPECT_FALSE(ViewOfProject(project).actionMenuVisible);
  project.ShowAuthorInfo = true;
  EXPECT_TRUE(ViewOfProject(project).actionMenuVisible);
}

TEST_F(ProjectViewTest, HelpMenuAndMouseChoicesFollowTheHeader) {
  project.ShowHelpMenu = true;
  project.RightClickMenu = -1;
  const SettingDialogView view = ViewOfProject(project);
  EXPECT_TRUE(view.helpMenuVisible);
  EXPECT_FALSE(view.mouseChoicesEnabled);
}

TEST(WithCrLfTest, MakesEveryLineBreakCrLf) {
  EXPECT_EQ(WithCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(WithCrLf("\n\n"), "\r\n\r\n");
  EXPECT_EQ(WithCrLf("\r"), "\r\n");
  EXPECT_EQ(WithCrLf("plain"), "plain");
}

TEST_F(ProjectViewTest, AboutBoxShowsTheHeaderTexts) {
  project.ProjectName = "Sunset.scr";
  project.Copyright = "(c) Ann";
  project.UiTexts[38] = "Version:";
  project.UiTexts[39] = "Memory:";
  const AboutBoxTexts texts = AboutTextsOf(project, 64ull << 20);
  EXPECT_EQ(texts.caption, "About Sunset.scr");
  EXPECT_EQ(texts.lbProjectName, "Sunset.scr");
  EXPECT_EQ(texts.lbVersion, "1.0");
  EXPECT_EQ(texts.lbCopyright, "(c) Ann");
  EXPECT_EQ(texts.labelversion, "Version:");
  EXPECT_EQ(texts.lbavailmemory, "Memory:");
  EXPECT_EQ(texts.lbMemory, "65536 K");
}

TEST_F(ProjectViewTest, AboutBoxLabelsStayEmptyWithoutTheirTexts) {
  const AboutBoxTexts texts = AboutTextsOf(project, 0);
  EXPECT_EQ(texts.labelversion, "");
  EXPECT_EQ(texts.lbavailmemory, "");
  EXPECT_EQ(texts.caption, "About ");
  EXPECT_EQ(texts.lbMemory, "0 K");
}

TEST(MemoryTextTest, CountsWholeKilobytes) {
  EXPECT_EQ(MemoryText(1023), "0 K");
  EXPECT_EQ(MemoryText(1025), "1 K");
  EXPECT_EQ(MemoryText(16ull << 30), "16777216 K");
  EXPECT_EQ(CentredOffset(kAboutPanelWidth, kAboutIconSize), 20);
  EXPECT_EQ(CentredOffset(kAboutPanelHeight, kAboutIconSize), 16);
}

// A 2x1 uncompressed 24-bit BMP: one red and one blue pixel.
void WriteTinyBmp(const std::filesystem::path& path) {
  const uint8_t bytes[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,       // file header
                           40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,    // info header
                           0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                           0, 0, 0, 0, 0, 0, 0, 0,
                           0, 0, 255, 255, 0, 0, 0, 0};                        // row, padded to 8
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST_F(ProjectViewTest, DialogPictureFromAnExternalFile) {
  const std::string file = std::string(SLIDESHOW_TEST_TMP) + "/dialog picture.bmp";
  WriteTinyBmp(file);
  project.PicturesEmbedded = false;
  project.DialogImageFile = file;
  EXPECT_FALSE(LoadDialogPicture(project).loaded);  // ShowDialogImage off

  project.ShowDialogImage = true;
  const DialogPicture picture = LoadDialogPicture(project);
  ASSERT_TRUE(picture.loaded) << picture.error;
  EXPECT_EQ(picture.bitmap.Width(), 2);
  EXPECT_EQ(picture.bitmap.Height(), 1);

  project.DialogImageFile = std::string(SLIDESHOW_TEST_TMP) + "/missing.bmp";
  const DialogPicture missing = LoadDialogPicture(project);
  EXPECT_FALSE(missing.loaded);
  EXPECT_EQ(missing.error, "");
}

TEST_F(ProjectViewTest, DialogPictureStandsUprightByItsOrientation) {
  // A 6 x 2 photo whose EXIF orientation 8 turns it a quarter anticlockwise.
  const std::string file = std::string(SLIDESHOW_TEST_TMP) + "/turned.jpg";
  std::filesystem::create_directories(SLIDESHOW_TEST_TMP);
  ASSERT_EQ(std::system(("/usr/bin/convert -size 6x2 xc:gray '" + file + "'").c_str()), 0);
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> jpeg{std::istreambuf_iterator<char>(in), {}};
  in.close();
  imageformats::testing::Exif exif;
  exif.value = 8;
  jpeg = imageformats::testing::WithApp1(jpeg, imageformats::testing::App1(exif));
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()), long(jpeg.size()));
  project.ShowDialogImage = true;
  project.PicturesEmbedded = false;
  project.DialogImageFile = file;
  const DialogPicture picture = LoadDialogPicture(project);
  ASSERT_TRUE(picture.loaded) << picture.error;
  EXPECT_EQ(picture.bitmap.Width(), 2);
  EXPECT_EQ(picture.bitmap.Height(), 6);
}

TEST_F(ProjectViewTest, DamagedDialogPictureIsReportedNotThrown) {
  const std::string file = std::string(SLIDESHOW_TEST_TMP) + "/damaged.bmp";
  std::filesystem::create_directories(SLIDESHOW_TEST_TMP);
  std::ofstream(file, std::ios::binary) << "BM not a picture";
  project.ShowDialogImage = true;
  project.PicturesEmbedded = false;
  project.DialogImageFile = file;
  const DialogPicture picture = LoadDialogPicture(project);
  EXPECT_FALSE(picture.loaded);
  EXPECT_NE(picture.error, "");
}

TEST_F(ProjectViewTest, EmbeddedDialogPictureNeedsAContainer) {
  project.ShowDialogImage = true;
  project.DialogImageFile = "face.bmp";
  const DialogPicture picture = LoadDialogPicture(project);
  EXPECT_FALSE(picture.loaded);
  EXPECT_EQ(picture.error, "");
}

}  // namespace
}  // namespace settings
