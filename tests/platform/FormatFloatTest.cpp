#include "platform/sys/FormatFloat.h"

#include "support/NumberSeparators.h"

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const char *const kWhole = "#,###,##0";
const char *const kAmount = "#,###,##0.00";

struct FormatCase {
  const char *pattern;
  double value;
  const char *brazilian;
  const char *c;
};

TEST(FormatFloat, ThePatternsOfTheStatisticsInBrazilianAndCSettings) {
  const FormatCase cases[] = {
      {kWhole, 1234567, "1.234.567", "1,234,567"},
      {kAmount, 1234.5, "1.234,50", "1,234.50"},
      {kWhole, 0, "0", "0"},
      {kAmount, 0, "0,00", "0.00"},
      {kWhole, 999, "999", "999"},
      {kWhole, 1000, "1.000", "1,000"},
      {kAmount, 0.07, "0,07", "0.07"},
      {kAmount, -1234.5, "-1.234,50", "-1,234.50"},
      {kWhole, -1234567, "-1.234.567", "-1,234,567"},
      {kAmount, 9876543210.12, "9.876.543.210,12", "9,876,543,210.12"},
      {kWhole, 1e15, "1.000.000.000.000.000", "1,000,000,000,000,000"},
      // Half away from zero, on the value as written.
      {kWhole, 2.5, "3", "3"},
      {kWhole, -2.5, "-3", "-3"},
      {kWhole, 3.49, "3", "3"},
      {kAmount, 0.125, "0,13", "0.13"},
      {kAmount, 1.005, "1,01", "1.01"},
      {kAmount, -0.005, "-0,01", "-0.01"},
      {kAmount, 999999.995, "1.000.000,00", "1,000,000.00"},
      // What rounds to zero carries no sign.
      {kWhole, -0.4, "0", "0"},
      {kAmount, -0.004, "0,00", "0.00"},
  };
  for (const FormatCase &c : cases) {
    {
      BrazilianSeparators brazil;
      EXPECT_EQ(FormatFloat(c.pattern, c.value), c.brazilian) << c.pattern << " " << c.value;
    }
    NumberSeparators cLocale(',', '.');
    EXPECT_EQ(FormatFloat(c.pattern, c.value), c.c) << c.pattern << " " << c.value;
  }
}

// Runs this test program again in the given locale; the copy checks the separators it started with.
TEST(FormatFloat, TheSeparatorsComeFromTheLocaleTheProgramStartsIn) {
  if (const QByteArray expected = qgetenv("ORVALIX_EXPECT_SEPARATORS"); !expected.isEmpty()) {
    EXPECT_EQ(ThousandSeparator, expected[0]);
    EXPECT_EQ(DecimalSeparator, expected[1]);
    return;
  }
  const struct {
    const char *locale;
    const char *separators;
  } cases[] = {{"pt_BR.UTF-8", ".,"}, {"C.UTF-8", ",."}, {"en_US.UTF-8", ",."}};
  for (const auto &c : cases) {
    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", c.locale);
    environment.insert("ORVALIX_EXPECT_SEPARATORS", c.separators);
    copy.setProcessEnvironment(environment);
    copy.start(QCoreApplication::applicationFilePath(),
               {"--gtest_filter=FormatFloat.TheSeparatorsComeFromTheLocaleTheProgramStartsIn"});
    ASSERT_TRUE(copy.waitForFinished(60000)) << c.locale;
    const QByteArray output = copy.readAllStandardOutput();
    EXPECT_EQ(copy.exitCode(), 0) << c.locale << "\n" << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << c.locale << "\n" << output.toStdString();
  }
}

}  // namespace
