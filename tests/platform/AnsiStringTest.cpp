#include "platform/ansi/AnsiString.h"
#include "platform/sys/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiString, Cp1252RoundTripsEveryByte) {
  for (int code = 0; code < 256; ++code) {
    const AnsiString byte(1, static_cast<char>(code));
    EXPECT_EQ(FromQString(ToQString(byte)), byte) << code;
  }
}

TEST(AnsiString, PortugueseLiteralsAreOneBytePerCharacter) {
  const AnsiString text = "ATENÇÃO ção €"_a;
  EXPECT_EQ(text.size(), 13u);
  EXPECT_EQ(static_cast<unsigned char>(text[4]), 0xC7);
  EXPECT_EQ(static_cast<unsigned char>(text[12]), 0x80);
  EXPECT_EQ(ToUtf8(text), "ATENÇÃO ção €");
  EXPECT_EQ(FromQString(QString::fromUtf8("日本")), "??");
}

TEST(AnsiString, TrimRemovesCodesUpTo32AtTheEndsOnly) {
  EXPECT_EQ(Trim("\x01 \t a  b \r\n\x1f"), "a  b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // a no-break space is above 32
  EXPECT_EQ(Trim("   "), "");
}

TEST(AnsiString, CopyAndPosCountFromOneAndClip) {
  EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Copy("abc", 3, 10), "c");
  EXPECT_EQ(Copy("abc", 4, 1), "");
  EXPECT_EQ(Copy("abc", 0, 2), "ab");
  EXPECT_EQ(Copy("abc", 2, -1), "");
  EXPECT_EQ(Pos("',", "'a','b'"), 3);
  EXPECT_EQ(Pos("x", "abc"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
}

TEST(AnsiString, StrToIntAcceptsWholeNumbersOnly) {
  EXPECT_EQ(StrToInt("7"), 7);
  EXPECT_EQ(StrToInt(" -12 "), -12);
  for (const char *bad : {"", "x", "1x", "+", "-", "99999999999"})
    EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
}

TEST(AnsiString, UpperCaseTouchesAsciiLettersOnly) {
  EXPECT_EQ(UpperCase("consulta_dados ção"_a), "CONSULTA_DADOS çãO"_a);
  EXPECT_EQ(AnsiUpperCase("ção"_a), "ÇÃO"_a);
}

}  // namespace
