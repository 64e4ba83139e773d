// Not a check: draws the result window filled from the shipped template on a real X display and
// captures the screen with ImageMagick. Runs only when ORVALIX_SCREENSHOT names the picture to
// write (scripts/screenshot does that under Xvfb).

#include "ResultSample.h"
#include "consultation/ResultTemplate.h"
#include "consultation/uorvalix_mostra_consulta.h"
#include "support/TempDrive.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ResultWindowScreenshot, FilledFromTheShippedTemplate) {
  const QString picture = qEnvironmentVariable("ORVALIX_SCREENSHOT");
  if (picture.isEmpty()) GTEST_SKIP() << "set ORVALIX_SCREENSHOT to the picture to write";
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display (QT_QPA_PLATFORM=xcb)";

  TempDrive drive;
  drive.WriteFile(ResultTemplateFile, sample::ShippedTemplate());
  Torvalix_mostra_consulta window(nullptr);
  FillResultTemplate(*window.rick, sample::Summary(), sample::Record(), sample::kDigits);
  window.Show();
  QTest::qWait(400);  // mapped and painted
  ASSERT_EQ(QProcess::execute("import", {"-window", "root", picture}), 0);
  window.Hide();
}

}  // namespace
