#include "platform/sys/Exceptions.h"
#include "platform/sys/StringList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TStringList, KeepsTheOrderOfAddUntilSorted) {
  TStringList list;
  EXPECT_EQ(list.Add("b"), 0);
  EXPECT_EQ(list.Add("a"), 1);
  EXPECT_EQ(list[0], "b");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(TStringList, ItemAccessOutOfRangeRaisesAListError) {
  TStringList list;
  list.Add("x");
  for (int index : {-1, 1, 100}) {
    EXPECT_THROW(list[index], EStringListError) << index;
    EXPECT_THROW(list.Delete(index), EStringListError) << index;
  }
  const TStringList &constant = list;
  EXPECT_THROW(constant[1], EStringListError);
}

TEST(TStringList, SortIsAscendingAndIgnoresCase) {
  TStringList list;
  for (const char *name : {"TRANS2.TXT", "cons2.txt", "CONS10.TXT", "Cons1.txt", "CONS1.TXT"}) list.Add(name);
  list.Sort();
  const std::vector<AnsiString> sorted(list.begin(), list.end());
  ASSERT_EQ(sorted.size(), 5u);
  EXPECT_TRUE(SameText(sorted[0], "CONS1.TXT") && SameText(sorted[1], "CONS1.TXT"));
  EXPECT_EQ(sorted[0], "Cons1.txt");  // equal names keep their order
  EXPECT_EQ(sorted[2], "CONS10.TXT");
  EXPECT_EQ(sorted[3], "cons2.txt");
  EXPECT_EQ(sorted[4], "TRANS2.TXT");
}

TEST(TStringList, TextJoinsWithCrLfAndSplitsAtAnyLineEnd) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd");
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
  EXPECT_EQ(list.IndexOf("C"), 2);
  EXPECT_EQ(list.IndexOf("z"), -1);
}

}  // namespace
