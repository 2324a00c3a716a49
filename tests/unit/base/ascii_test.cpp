#include "base/ascii.h"

#include <gtest/gtest.h>

namespace {

TEST(Ascii, CaseChangesOnlyAsciiLetters) {
  EXPECT_EQ(base::UpperAscii("c:\\my.screens\\a\xe4.scr"), "C:\\MY.SCREENS\\A\xe4.SCR");
  EXPECT_EQ(base::LowerAscii("PiC.JPG\xc4"), "pic.jpg\xc4");
}

TEST(Ascii, TrimAndNul) {
  EXPECT_EQ(base::TrimControls("  \t1234\r\n "), "1234");
  EXPECT_EQ(base::TrimControls(" \x01 "), "");
  EXPECT_EQ(base::UpToNul(std::string_view("ab\0cd", 5)), "ab");
}

TEST(Ascii, ParseInt32AcceptsOnlyWholeDecimalNumbers) {
  EXPECT_EQ(base::ParseInt32("0001234"), 1234);
  EXPECT_EQ(base::ParseInt32("-7"), -7);
  EXPECT_EQ(base::ParseInt32("+7"), 7);
  EXPECT_EQ(base::ParseInt32("2147483647"), 2147483647);
  EXPECT_FALSE(base::ParseInt32("2147483648"));
  EXPECT_FALSE(base::ParseInt32(""));
  EXPECT_FALSE(base::ParseInt32(" 12"));
  EXPECT_FALSE(base::ParseInt32("12a"));
  EXPECT_FALSE(base::ParseInt32("-"));
}

}  // namespace
