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

TEST(TStringList, SortOrdersExactlyAsTheListsComparisonCompares) {
  // Names as the queue meets them: digits, blanks, punctuation, accents, case.
  const AnsiString alphabet = "aAbZ019_- .~!'`"_a + "ÁáÉéçÇßÆæ"_a;
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  TStringList list;
  for (int i = 0; i < 2000; ++i) {
    AnsiString name = "CONS";
    for (std::uint32_t k = 0, n = next() % 6 + 1; k < n; ++k) name += alphabet[(next() >> 8) % alphabet.size()];
    list.Add(name + ".TXT");
  }
  list.Sort();
  for (int i = 1; i < list.Count(); ++i) EXPECT_LE(AnsiCompareText(list[i - 1], list[i]), 0) << list[i - 1] << " " << list[i];
}

}  // namespace
