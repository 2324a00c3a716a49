#include "player/program_mode.h"

#include <gtest/gtest.h>

namespace {

using player::ProgramMode;
using player::SelectProgramMode;

TEST(ProgramMode, NoArgumentsDependsOnTheScrName) {
  EXPECT_EQ(SelectProgramMode("C:\\WINDOWS\\SUNSET.SCR", {}).mode, ProgramMode::Settings);
  EXPECT_EQ(SelectProgramMode("C:\\SHOWS\\SUNSET.EXE", {}).mode, ProgramMode::FullScreen);
  // A plain substring test: a folder named MY.SCREENS makes every program in it ".SCR".
  EXPECT_EQ(SelectProgramMode("C:\\MY.SCREENS\\SUNSET.EXE", {}).mode, ProgramMode::Settings);
}

TEST(ProgramMode, OnlyTheFirstTwoCharactersOfTheSwitchCount) {
  for (const char* arg : {"/s", "/S", "/Sxyz"}) EXPECT_EQ(SelectProgramMode("A.SCR", {arg}).mode, ProgramMode::FullScreen);
  for (const char* arg : {"/c", "/C", "/c:2345"}) EXPECT_EQ(SelectProgramMode("A.SCR", {arg}).mode, ProgramMode::Settings);
  EXPECT_EQ(SelectProgramMode("A.EXE", {"/c"}).mode, ProgramMode::Settings);
}

TEST(ProgramMode, PreviewTakesTheHostHandle) {
  const auto request = SelectProgramMode("A.SCR", {"/p", "4660"});
  EXPECT_EQ(request.mode, ProgramMode::Preview);
  EXPECT_EQ(request.hostWindow, 4660u);
  EXPECT_EQ(SelectProgramMode("A.SCR", {"/P:4660"}).hostWindow, 4660u);
}

TEST(ProgramMode, UnusableSwitchesEndQuietly) {
  EXPECT_EQ(SelectProgramMode("A.SCR", {"/a"}).mode, ProgramMode::Quit);
  EXPECT_EQ(SelectProgramMode("A.SCR", {"/p"}).mode, ProgramMode::Quit);
  EXPECT_EQ(SelectProgramMode("A.SCR", {"/p", "window"}).mode, ProgramMode::Quit);
  EXPECT_EQ(SelectProgramMode("A.SCR", {"/p", "0"}).mode, ProgramMode::Quit);
  EXPECT_EQ(SelectProgramMode("A.SCR", {""}).mode, ProgramMode::Quit);
  EXPECT_EQ(SelectProgramMode("A.SCR", {"s"}).mode, ProgramMode::Quit);
}

}  // namespace
