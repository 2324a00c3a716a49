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

#include "base/codepage.h"

namespace {

TEST(Codepage, Windows1252RoundTrip) {
  EXPECT_EQ(base::Utf8FromWindows1252("Caf\xE9 \x80 \x93quote\x94"), "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cquote\xE2\x80\x9D");
  EXPECT_EQ(base::Windows1252FromUtf8("Caf\xC3\xA9 \xE2\x82\xAC"), "Caf\xE9 \x80");
  for (int byte = 1; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(base::Windows1252FromUtf8(base::Utf8FromWindows1252(one)), one) << byte;
  }
  EXPECT_FALSE(base::Windows1252FromUtf8("\xE4\xB8\xAD"));  // a CJK character
  EXPECT_FALSE(base::Windows1252FromUtf8("\xC3"));          // cut short
  EXPECT_FALSE(base::Windows1252FromUtf8("\x80"));          // not UTF-8
}

TEST(Codepage, CodePointsOfUtf8) {
  EXPECT_EQ(base::CodePointsFromUtf8("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), (std::u32string{U'A', 0xE9, 0x20AC, 0x1F600}));
  EXPECT_EQ(base::CodePointsFromUtf8(""), std::u32string{});
  // Each of the 255 single-byte characters is one code point.
  for (int byte = 1; byte < 256; ++byte)
    EXPECT_EQ(base::CodePointsFromUtf8(base::Utf8FromWindows1252(std::string(1, static_cast<char>(byte))))->size(), 1u)
        << byte;
  for (const char* broken : {"\xC3", "\x80", "\xE2\x82", "\xC3\x28", "\xF8\x88\x80\x80\x80"})
    EXPECT_FALSE(base::CodePointsFromUtf8(broken)) << broken;
}

}  // namespace
