#include "settings/check_password.h"

#include <gtest/gtest.h>

namespace settings {
namespace {

TEST(CheckPasswordTest, AsciiLettersMatchInAnyCase) {
  EXPECT_TRUE(CheckPassword("SECRET", "secret"));
  EXPECT_TRUE(CheckPassword("SeCrEt", "secret"));
  EXPECT_TRUE(CheckPassword("secret", "SECRET"));
  EXPECT_TRUE(CheckPassword("a1-b2", "A1-B2"));
}

TEST(CheckPasswordTest, EveryOtherByteMustMatchExactly) {
  EXPECT_FALSE(CheckPassword("secret ", "secret"));
  EXPECT_FALSE(CheckPassword(" secret", "secret"));
  EXPECT_FALSE(CheckPassword("secre", "secret"));
  EXPECT_FALSE(CheckPassword("secret1", "secret2"));
  // Accented letters (UTF-8 and single-byte) are not folded.
  EXPECT_TRUE(CheckPassword("caf\xc3\xa9", "CAF\xc3\xa9"));
  EXPECT_FALSE(CheckPassword("caf\xc3\xa9", "caf\xc3\x89"));
  EXPECT_FALSE(CheckPassword("\xe9", "\xc9"));
  // Bytes next to the letter ranges stay apart.
  EXPECT_FALSE(CheckPassword("@", "`"));
  EXPECT_FALSE(CheckPassword("[", "{"));
}

TEST(CheckPasswordTest, EmptyStoredPasswordAcceptsOnlyAnEmptyAnswer) {
  EXPECT_TRUE(CheckPassword("", ""));
  EXPECT_FALSE(CheckPassword(" ", ""));
  EXPECT_FALSE(CheckPassword("", "x"));
}

TEST(CheckPasswordTest, EmbeddedNulBytesCount) {
  EXPECT_FALSE(CheckPassword(std::string_view("ab\0c", 4), "ab"));
  EXPECT_TRUE(CheckPassword(std::string_view("AB\0C", 4), std::string_view("ab\0c", 4)));
}

}  // namespace
}  // namespace settings
