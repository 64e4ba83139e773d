#include "core/LocalConfig.h"
#include "platform/sys/Exceptions.h"
#include "support/TempDrive.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(UnscrambleText, LowersEachCharacterByThreeTimesTheKey) {
  struct {
    AnsiString stored;
    AnsiString value;
  } cases[] = {
      {"1DEF", "ABC"}, {"0abc", "abc"}, {"xabc", "abc"}, {"5", ""},          {"", ""},
      {"175", "42"},   {"0123", "123"}, {" abc", "abc"}, {"-abc", "abc"},    {"+abc", "abc"},
      {AnsiString("9") + char(20), AnsiString(1, char(249))},                // wraps round the byte
      {AnsiString("3") + char(0) + char(8), AnsiString() + char(247) + char(255)},
  };
  for (const auto &c : cases) EXPECT_EQ(UnscrambleText(c.stored), c.value) << c.stored;
}

TEST(UnscrambleText, ReadsBackWhatScrambleTextWrote) {
  for (int key = 0; key <= 9; ++key) {
    AnsiString value;
    for (int code = 0; code < 256; ++code) value += static_cast<char>(code);
    EXPECT_EQ(UnscrambleText(ScrambleText(value, key)), value) << key;
  }
}

class LoadLocalConfigTest : public ::testing::Test {
 protected:
  void WriteConfig(const std::string &bytes) { drive.WriteFile("C:\\WINDOWS\\orvalix.cfg", bytes); }
  TempDrive drive;
};

TEST_F(LoadLocalConfigTest, MissingFileGivesTheEmptyTextEveryTime) {
  EXPECT_EQ(LoadLocalConfig(), "");
  EXPECT_EQ(LoadLocalConfig(), "");
}

TEST_F(LoadLocalConfigTest, SecondLineUnscrambledTrimmedAndPadded) {
  struct {
    std::string file;
    AnsiString member;
  } cases[] = {
      {"first\r\n175\r\nthird\r\n", "000042"},
      {"first\n0123\n", "000123"},
      {"first\r01234567\r", "1234567"},
      {"first\r\n0  42 \r\n", "000042"},
      {"only one line", "000000"},
      {"first\r\n\r\nthird", "000000"},
      {"", "000000"},
      {"first\r\n175", "000042"},  // no line break after the last line
  };
  for (const auto &c : cases) {
    WriteConfig(c.file);
    EXPECT_EQ(LoadLocalConfig(), c.member) << c.file;
  }
}

TEST_F(LoadLocalConfigTest, ReplacedFileTakesEffectAtTheNextCall) {
  WriteConfig("x\r\n175\r\n");
  EXPECT_EQ(LoadLocalConfig(), "000042");
  WriteConfig("x\r\n" + ScrambleText("7", 4) + "\r\n");
  EXPECT_EQ(LoadLocalConfig(), "000007");
}

TEST_F(LoadLocalConfigTest, BinaryGarbageAndHugeLinesAreReadSafely) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) % 256);
  WriteConfig(garbage);
  EXPECT_NO_THROW(LoadLocalConfig());
  WriteConfig(std::string(3 << 20, 'a') + "\n0" + std::string(2 << 20, '9') + "\n");
  EXPECT_EQ(LoadLocalConfig(), AnsiString(2 << 20, '9'));
}

}  // namespace
