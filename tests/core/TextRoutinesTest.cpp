#include "core/TextRoutines.h"
#include "platform/sys/DateTime.h"
#include "support/TempDrive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

std::vector<AnsiString> Items(const TStringList &list) { return {list.begin(), list.end()}; }

struct ParseCase {
  AnsiString text;
  std::vector<AnsiString> quoted;
  std::vector<AnsiString> unquoted;
};

// The worked table of the parse routines, both columns.
const ParseCase kParseCases[] = {
    {"(a,b)", {"a", "b"}, {"a", "b"}},
    {"(a, b)", {"a", " b"}, {"a", " b"}},
    {"( a , b )", {"a ", " b"}, {"a ", " b"}},
    {"('x','y')", {"'x'", "'y'"}, {"x", "y"}},
    {"('x', 'y')", {"'x'", " 'y'"}, {"x", " 'y'"}},
    {"('a,b',c)", {"'a,b'", "c"}, {"a,b", "c"}},
    {"('',x)", {"''", "x"}, {"", "x"}},
    {"('a'b,c)", {"'a'b,c"}, {"a'b,"}},
    {"(a,'b)", {"a", "'b"}, {"a", ""}},
    {"(a,,b)", {"a", "", "b"}, {"a", "", "b"}},
    {"(a,)", {"a"}, {"a"}},
    {"(a,  ,b)", {"a", "  ", "b"}, {"a", "  ", "b"}},
    {"(a,  )", {"a"}, {"a"}},
    {"()", {}, {}},
    {"abc", {"ab"}, {"ab"}},
    {"CMD(12,'345')", {"12", "'345'"}, {"12", "345"}},
    {"CMD(12,'345') ", {"12", "'345')"}, {"12", "345'"}},
    {"", {}, {}},
    {"(", {}, {}},
    {"x(", {}, {}},
    {"'", {}, {}},
    {"('", {}, {}},
    {"(''", {"'"}, {""}},
    {"(',x)", {"'", "x"}, {"", "x"}},
};

TEST(ParseValueList, CutsEveryWorkedExampleExactly) {
  for (const ParseCase &c : kParseCases) {
    TStringList list;
    ParseValueList(c.text, list);
    EXPECT_EQ(Items(list), c.quoted) << "text: [" << c.text << "]";
    ParseValueListUnquoted(c.text, list);
    EXPECT_EQ(Items(list), c.unquoted) << "text: [" << c.text << "]";
  }
}

TEST(ParseValueList, CutsAMegabyteOfItemsWhole) {
  AnsiString text = "(";
  for (int i = 0; i < 512 * 1024; ++i) text += "a,";
  text += "'b')";
  TStringList list;
  ParseValueListUnquoted(text, list);
  ASSERT_EQ(list.Count(), 512 * 1024 + 1);
  EXPECT_EQ(list[0], "a");
  EXPECT_EQ(list[512 * 1024 - 1], "a");
  EXPECT_EQ(list[512 * 1024], "b");
}

TEST(ParseValueList, ClearsTheListFirst) {
  TStringList list;
  list.Add("left over");
  ParseValueList("(a,b,c)", list);
  ParseValueList("(z)", list);
  EXPECT_EQ(Items(list), std::vector<AnsiString>{"z"});
  ParseValueListUnquoted("('q')", list);
  EXPECT_EQ(Items(list), std::vector<AnsiString>{"q"});
}

TEST(ZeroPad, PadsTrimmedTextOnTheLeftWithoutCutting) {
  struct {
    AnsiString text;
    int width;
    AnsiString padded;
  } cases[] = {
      {"", 6, "000000"},   {" 42 ", 6, "000042"}, {"1234567", 6, "1234567"}, {"42", 0, "42"},
      {"42", -3, "42"},    {"ab", 4, "00ab"},     {"\t7\r\n", 4, "0007"},    {"123456", 6, "123456"},
      {" 1 2 ", 4, "01 2"},
  };
  for (const auto &c : cases) EXPECT_EQ(ZeroPad(c.text, c.width), c.padded) << c.text << "/" << c.width;
}

TEST(SqlDateLiteral, RearrangesTheShortDateFormatIntoYearMonthDay) {
  const AnsiString saved = ShortDateFormat;
  const TDateTime eighthOfDecember = EncodeDate(2026, 12, 8);
  struct {
    AnsiString format;
    AnsiString literal;
  } cases[] = {
      {"dd/mm/yyyy", "'2026/12/08'"},
      {"dd-mm-yyyy", "'2026-12-08'"},
      {"d/m/yyyy", "'02612/28/'"},  // 8/12/2026: characters that are no date
      {"mm/dd/yyyy", "'2026/08/12'"},  // month first swaps day and month
  };
  for (const auto &c : cases) {
    ShortDateFormat = c.format;
    const AnsiString literal = SqlDateLiteral(eighthOfDecember);
    EXPECT_EQ(literal, c.literal) << c.format;
    EXPECT_LE(literal.size(), 12u);
  }
  ShortDateFormat = saved;
}

TEST(BlankQuotes, ReplacesApostrophesAndGraveAccentsOnly) {
  EXPECT_EQ(BlankQuotes("D'Avila"), "D Avila");
  EXPECT_EQ(BlankQuotes("a`b"), "a b");
  EXPECT_EQ(BlankQuotes("  plain  "), "  plain  ");
  const AnsiString others = "\xB4\x91\x92\x93\x94";  // acute accent and typographic quotes stay
  EXPECT_EQ(BlankQuotes(others), others);
  EXPECT_EQ(BlankQuotes("''``"), "    ");
}

TEST(DigitsOnly, KeepsTheDigitsInOrder) {
  EXPECT_EQ(DigitsOnly(" 12.345-6 "), "123456");
  EXPECT_EQ(DigitsOnly("abc"), "");
  EXPECT_EQ(DigitsOnly("123.456.789-09"), "12345678909");
  EXPECT_EQ(DigitsOnly("\xB9\xB2\xB3"), "");  // superscript digits are not digits
}

TEST(WindowsDir, IsTheWindowsFolderWithoutTrailingBackslash) { EXPECT_EQ(WindowsDir(), "C:\\WINDOWS"); }

class ListFilesTest : public ::testing::Test {
 protected:
  TempDrive drive;
};

TEST_F(ListFilesTest, MatchesWithoutCaseSkipsDotNamesAndSortsWithWhatTheListHeld) {
  drive.WriteFile("C:\\ORVALIX\\REMESSA\\cons0002.txt", "x");
  drive.WriteFile("C:\\ORVALIX\\REMESSA\\CONS0001.TXT", "x");
  drive.WriteFile("C:\\ORVALIX\\REMESSA\\Cons0003.Txt", "x");
  drive.WriteFile("C:\\ORVALIX\\REMESSA\\.cons0000.txt", "x");
  drive.WriteFile("C:\\ORVALIX\\REMESSA\\TRANS0001.TXT", "x");
  drive.WriteFile("C:\\ORVALIX\\REMESSA\\CONS0004.TXT.ERR", "x");
  std::filesystem::create_directories(drive.Host("C:\\ORVALIX\\REMESSA") / "CONSDIR.TXT");

  TStringList list;
  list.Add("CONS0002A.TXT");
  ListFiles("c:\\Orvalix\\Remessa\\CONS*.TXT", list);
  EXPECT_EQ(Items(list), (std::vector<AnsiString>{"CONS0001.TXT", "cons0002.txt", "CONS0002A.TXT",
                                                  "Cons0003.Txt", "CONSDIR.TXT"}));

  ListFiles("C:\\ORVALIX\\REMESSA\\CONS0001.TXT", list);  // no clear in between: listed twice
  EXPECT_EQ(list.Count(), 6);
}

TEST_F(ListFilesTest, AddsNothingForAMissingFolderButStillSorts) {
  TStringList list;
  list.Add("b");
  list.Add("A");
  ListFiles("C:\\NOWHERE\\*.*", list);
  EXPECT_EQ(Items(list), (std::vector<AnsiString>{"A", "b"}));
}

TEST_F(ListFilesTest, QuestionMarkMatchesExactlyOneCharacter) {
  drive.WriteFile("C:\\R\\a1.ret", "");
  drive.WriteFile("C:\\R\\a12.ret", "");
  drive.WriteFile("C:\\R\\a1.re", "");
  TStringList list;
  ListFiles("C:\\R\\a?.RET", list);
  EXPECT_EQ(Items(list), std::vector<AnsiString>{"a1.ret"});
  list.Clear();
  ListFiles("C:\\R\\*.ret", list);
  EXPECT_EQ(Items(list), (std::vector<AnsiString>{"a1.ret", "a12.ret"}));
}

}  // namespace
