// On a real X display only (QT_QPA_PLATFORM=xcb; skipped offscreen): the wait window is on the screen
// while a slow query holds the thread, and a picture of the consultation window in its Record state
// for the documentation (written when ORVALIX_SCREENSHOT names the picture; scripts/screenshot).

#include "ConsultationFixture.h"
#include "consultation/uAguarde.h"
#include "consultation/uorvalix_mostra_consulta.h"

#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class ConsultationOnScreen : public ConsultationTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display (QT_QPA_PLATFORM=xcb)";
    ConsultationTest::SetUp();
    QTest::qWait(300);  // mapped and painted
  }
};

TEST_F(ConsultationOnScreen, TheWaitWindowIsOnTheScreenWhileAQueryHoldsTheThread) {
  Enter(kCpf);
  QTemporaryDir dir;
  const QString picture = dir.filePath("wait.png");
  bool held = false;
  // No timer runs while the wait window is being put on the screen.
  int ticks = 0, ticksAtFirstQuery = -1;
  QTimer ticking;
  QObject::connect(&ticking, &QTimer::timeout, [&] { ++ticks; });
  Form().quecon->AfterOpen = [&](TObject *) {
    if (held) return;
    held = true;
    ticksAtFirstQuery = ticks;
    // The screen is taken by another process while the thread waits on the server.
    QProcess::startDetached("sh", {"-c", "sleep 1; import -window root '" + picture + "'"});
    testdb::Sql().Value("select sleep(3)");
  };
  QTimer::singleShot(4000, [] {
    if (orvalix_mostra_consulta) orvalix_mostra_consulta->Close();
  });
  ticking.start(1);
  window->SpeedButton1->Click();
  ASSERT_TRUE(held);
  EXPECT_EQ(ticksAtFirstQuery, 0);

  const QImage screen(picture);
  ASSERT_FALSE(screen.isNull()) << picture.toStdString();
  // The black strip at the top-left corner, with the light lettering of "Aguarde...".
  int black = 0, light = 0;
  for (int y = 2; y < 24; ++y)
    for (int x = 2; x < 114; ++x) {
      const QColor c = screen.pixelColor(x, y);
      black += c.lightness() < 30;
      light += c.red() > 200 && c.green() > 200 && c.blue() > 180;
    }
  EXPECT_GT(black, 1500);
  EXPECT_GT(light, 80);
}

TEST_F(ConsultationOnScreen, RecordStatePicture) {
  const QString picture = qEnvironmentVariable("ORVALIX_SCREENSHOT");
  if (picture.isEmpty()) GTEST_SKIP() << "set ORVALIX_SCREENSHOT to the picture to write";
  Enter("111.444.777-35");
  QTest::qWait(400);
  ASSERT_EQ(QProcess::execute("import", {"-window", "root", picture}), 0);
}

}  // namespace
