// A Wayland session without XWayland: the program starts on Wayland itself, its windows show where the
// compositor places them, and SIGTERM ends it. ctest runs these under a headless Weston of their own
// (tests/support/on-weston), with no X display.

#include "MainWindowFixture.h"

#include "platform/win/ShellApi.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QWindow>
#include <csignal>

namespace {

bool OnWeston() { return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("DISPLAY"); }

bool Exposed(const QWidget *widget) { return widget->windowHandle() && widget->windowHandle()->isExposed(); }

class Wayland : public MainWindowTest {};

TEST_F(Wayland, OnWestonTheStartScreenAndTheCornerWindowShowAndSigtermEndsTheProgram) {
  if (QGuiApplication::platformName() != "wayland")
    GTEST_SKIP() << "needs Qt's Wayland platform (ctest runs it under tests/support/on-weston)";
  Application->Initialize();
  NotificationArea().SetTrayAvailableForTesting(std::nullopt);
  TForm1 &form = CreateMainWindow();
  form.Timer2->SetEnabled(false);
  form.Show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return Exposed(form.Widget()); }, 5000));
  form.Timer1Timer(form.Timer1);  // to the tray: a bare compositor has none
  const TCornerArea *corner = NotificationArea().CornerWindow();
  ASSERT_NE(corner, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Exposed(corner); }, 5000));
  std::raise(SIGTERM);
  EXPECT_TRUE(QTest::qWaitFor([] { return Application->Terminated(); }, 5000));
}

TEST(Program, OnWestonStartsWithoutXWaylandAndEndsOnSigterm) {
  if (!OnWeston()) GTEST_SKIP() << "needs a Wayland display and no X display (ctest runs it under tests/support/on-weston)";
  QTemporaryDir root;
  QDir(root.path()).mkdir(QStringLiteral("c"));  // drive C:
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // only WAYLAND_DISPLAY tells the session
  environment.insert(QStringLiteral("ORVALIX_ROOT"), root.path());
  QProcess program;
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(ORVALIX_PROGRAM));
  // The start-up makes the exchange folders once the window system has taken the program.
  const bool started = QTest::qWaitFor([&] { return QDir(root.filePath("c/Orvalix/Retorno")).exists(); }, 10000);
  program.terminate();
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_TRUE(started) << program.readAllStandardError().toStdString();
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
