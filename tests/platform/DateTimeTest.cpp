#include "platform/sys/DateTime.h"

#include <gtest/gtest.h>

namespace {

TEST(DateTime, TheClockCanBeFixedAndReleased) {
  SetClockForTesting(QDateTime(QDate(2026, 12, 8), QTime(14, 30, 5)));
  EXPECT_EQ(DateToStr(Now()), "08/12/2026");
  EXPECT_EQ(TimeToStr(Now()), "14:30:05");
  EXPECT_EQ(Date(), EncodeDate(2026, 12, 8));
  SetClockForTesting(std::nullopt);
  EXPECT_EQ(ToQDateTime(Date()).date(), QDate::currentDate());
}

TEST(DateTime, FormatLettersAndLiterals) {
  const TDateTime when = EncodeDate(2026, 1, 5) + (9 * 3600 + 7 * 60 + 3) / 86400.0;
  struct {
    AnsiString format;
    AnsiString text;
  } cases[] = {
      {"dd/mm/yyyy", "05/01/2026"}, {"d/m/yy", "5/1/26"},        {"yyyy-mm-dd", "2026-01-05"},
      {"hh:nn:ss", "09:07:03"},     {"h.n.s", "9.7.3"},          {"[dd]", "[05]"},
  };
  for (const auto &c : cases) EXPECT_EQ(FormatDateTime(c.format, when), c.text) << c.format;
}

TEST(DateTime, DaysCountFromTheClassLibrarysEpoch) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(ToQDateTime(EncodeDate(2026, 12, 8) + 0.5).time(), QTime(12, 0));
}

}  // namespace
