#include "support/XEmbedTray.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>

QString XEmbedTray::Start() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return QStringLiteral("needs an X display");
  if (QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty())
    return QStringLiteral("trayer is not installed (scripts/install-deps installs it)");
  trayer_.start(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                                           QStringLiteral("right"), QStringLiteral("--widthtype"),
                                           QStringLiteral("pixel"), QStringLiteral("--width"), QStringLiteral("120")});
  // Qt's X platform looks for the owner of the tray selection whenever asked.
  if (!trayer_.waitForStarted() ||
      !QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000))
    return QStringLiteral("trayer did not take the tray selection");
  return {};
}

void XEmbedTray::Stop() {
  if (trayer_.state() == QProcess::NotRunning) return;
  trayer_.terminate();
  trayer_.waitForFinished();
}

QWidget *XEmbedTray::IconWindow() {
  for (QWidget *window : QApplication::topLevelWidgets())
    if (window->inherits("QSystemTrayIconSys") && window->isVisible()) return window;
  return nullptr;
}
