// Not checks: draw the statistics window (filled from a seeded database) and the help window on a real
// X display with a window manager, and capture each with its frame through ImageMagick. Run only when
// ORVALIX_SCREENSHOT names the picture to write (scripts/screenshot does that under Xvfb).

#include "admin/USTATUS.h"
#include "admin/uHelp.h"
#include "StatisticsFixture.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString Picture() { return qEnvironmentVariable("ORVALIX_SCREENSHOT"); }

// Why no picture is taken here; empty when one is.
std::string NoPicture() {
  if (Picture().isEmpty()) return "set ORVALIX_SCREENSHOT to the picture to write";
  if (QGuiApplication::platformName() != "xcb") return "needs an X display (QT_QPA_PLATFORM=xcb)";
  return {};
}

void Capture(TForm &window) {
  window.Show();
  QTest::qWait(600);  // framed by the window manager and painted
  const QRect frame = window.Widget()->frameGeometry();
  const QString crop = QStringLiteral("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
  ASSERT_EQ(QProcess::execute("import", {"-window", "root", "-crop", crop, "+repage", Picture()}), 0);
  window.Hide();
}

using StatisticsWindowScreenshot = StatisticsFixture;

TEST_F(StatisticsWindowScreenshot, FilledFromASeededDatabase) {
  if (const std::string why = NoPicture(); !why.empty()) GTEST_SKIP() << why;
  Seed(1287, {"3, 1834.50, 0, 420.00", "1, 95.20, 12750.00, 0", "2, 0, 310.75, 88340.10"});
  TSTATUS window(Form1);
  window.FillStatistics();
  Capture(window);
}

TEST(HelpWindowScreenshot, AsOpened) {
  if (const std::string why = NoPicture(); !why.empty()) GTEST_SKIP() << why;
  Thelp window(nullptr);
  Capture(window);
}

}  // namespace
