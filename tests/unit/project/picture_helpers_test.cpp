#include "project/picture_helpers.h"

#include <gtest/gtest.h>

#include <vector>

#include "project/picture_test_random.h"
#include "project/project_errors.h"

namespace project {
namespace {

using project_test::ScriptedRandom;

TEST(PickFromListTest, EmptyListGivesZeroWithoutDrawing) {
  ScriptedRandom random({5});
  EXPECT_EQ(PickFromList("", random), 0);
  EXPECT_EQ(PickFromList("12", random), 0);  // no ";": no entry
  EXPECT_TRUE(random.ranges.empty());
}

TEST(PickFromListTest, DrawsOneEntryOfTheList) {
  ScriptedRandom single;
  EXPECT_EQ(PickFromList("1;", single), 1);
  EXPECT_EQ(single.ranges, std::vector<int32_t>{1});

  ScriptedRandom random({0, 1});
  EXPECT_EQ(PickFromList(" 0; 2;", random), 0);
  EXPECT_EQ(PickFromList(" 0; 2;", random), 2);
  EXPECT_EQ(random.ranges, (std::vector<int32_t>{2, 2}));
}

TEST(PickFromListTest, TextAfterTheLastSemicolonIsNoEntry) {
  ScriptedRandom random({1});
  EXPECT_EQ(PickFromList("5;6;7", random), 6);
  EXPECT_EQ(random.ranges, std::vector<int32_t>{2});
}

TEST(PickFromListTest, DefaultGradientStyles) {
  ScriptedRandom random({11});
  EXPECT_EQ(PickFromList(" 0; 1; 2; 3; 4; 5; 6; 7; 8; 9; 10; 11;", random), 11);
  EXPECT_EQ(random.ranges, std::vector<int32_t>{12});
}

TEST(PickFromListTest, EntryThatIsNoNumberRaises) {
  ScriptedRandom random;
  EXPECT_THROW(PickFromList("x;", random), ConversionError);
  EXPECT_THROW(PickFromList(";", random), ConversionError);
}

}  // namespace
}  // namespace project
