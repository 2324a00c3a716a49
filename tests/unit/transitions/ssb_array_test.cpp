#include "transitions/ssb_array.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

using transitions::TSSBArray;

std::vector<int32_t> Loaded(std::string_view text) {
  TSSBArray list;
  list.LoadFromText(text);
  return list.Entries();
}

TEST(SSBArray, TextsWithoutTerminatedNumbersGiveEmptyLists) {
  for (std::string_view text : {"", "17", ";;", " ; ;", "   "}) {
    TSSBArray list;
    list.LoadFromText(text);
    EXPECT_EQ(list.Count(), 0) << text;
    EXPECT_EQ(list.Next(), -1);
    EXPECT_EQ(list.Pick(0), -1);
    EXPECT_EQ(list.Next(), -1);
  }
}

TEST(SSBArray, ParsesTerminatedNumbersAndIgnoresBlanksAndTheTail) {
  EXPECT_EQ(Loaded("12 ; 7 ;"), (std::vector<int32_t>{12, 7}));
  EXPECT_EQ(Loaded("3;4"), (std::vector<int32_t>{3}));
  EXPECT_EQ(Loaded("0;5;17;"), (std::vector<int32_t>{0, 5, 17}));
  EXPECT_EQ(Loaded("5;5;"), (std::vector<int32_t>{5, 5}));
  EXPECT_EQ(Loaded("1;;2;"), (std::vector<int32_t>{1, 2}));
}

TEST(SSBArray, SecondLoadAppendsAndResetsThePosition) {
  TSSBArray list;
  list.LoadFromText("1;2;");
  EXPECT_EQ(list.Next(), 1);
  list.LoadFromText("3;");
  EXPECT_EQ(list.Entries(), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(list.Next(), 1);
}

TEST(SSBArray, BadTokenThrowsAndKeepsEarlierEntries) {
  TSSBArray list;
  EXPECT_THROW(list.LoadFromText("4;x5;6;"), std::invalid_argument);
  EXPECT_EQ(list.Entries(), (std::vector<int32_t>{4}));
  EXPECT_THROW(Loaded("1 2;"), std::invalid_argument);
}

TEST(SSBArray, NextWrapsAround) {
  TSSBArray list;
  list.LoadFromText("3;9;4;");
  std::vector<int32_t> got;
  for (int i = 0; i < 7; ++i) got.push_back(list.Next());
  EXPECT_EQ(got, (std::vector<int32_t>{3, 9, 4, 3, 9, 4, 3}));
}

TEST(SSBArray, PickSharesThePositionWithNext) {
  TSSBArray list;
  list.LoadFromText("3;9;4;");
  EXPECT_EQ(list.Pick(1), 9);
  EXPECT_EQ(list.Next(), 9);
  EXPECT_EQ(list.Next(), 4);
  EXPECT_EQ(list.Pick(2), 4);
  EXPECT_EQ(list.Next(), 4);
  EXPECT_EQ(list.Next(), 3);
}

TEST(SSBArray, PickOutsideTheListReturnsNoTransitionAndKeepsThePosition) {
  TSSBArray list;
  list.LoadFromText("3;9;");
  EXPECT_EQ(list.Next(), 3);
  EXPECT_EQ(list.Pick(2), -1);
  EXPECT_EQ(list.Pick(-1), -1);
  EXPECT_EQ(list.Next(), 9);
}

TEST(SSBArray, SingleEntryAlwaysComesBack) {
  TSSBArray list;
  list.LoadFromText("42;");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.Next(), 42);
  EXPECT_EQ(list.Pick(0), 42);
}

}  // namespace
