#include "platform/win/TrayWatch.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QSystemTrayIcon>

TTrayWatch::TTrayWatch(std::function<void()> changed, QObject *parent)
    : QObject(parent), changed_(std::move(changed)), available_(QSystemTrayIcon::isSystemTrayAvailable()) {
  auto *bus = new QDBusServiceWatcher(QStringLiteral("org.kde.StatusNotifierWatcher"), QDBusConnection::sessionBus(),
                                      QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(bus, &QDBusServiceWatcher::serviceOwnerChanged, this, &TTrayWatch::Recheck);
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    // Qt's X platform follows the tray selection's owner (the tray's MANAGER notice, the owner window's
    // end) and tells it by this signal of its native interface, a QObject that the public headers only
    // name.
    auto *x = reinterpret_cast<QObject *>(QGuiApplication::platformNativeInterface());
    connect(x, SIGNAL(systemTrayWindowChanged(QScreen *)), this, SLOT(Recheck()));
  }
}

void TTrayWatch::Recheck() {
  const bool available = QSystemTrayIcon::isSystemTrayAvailable();
  if (available == available_) return;
  available_ = available;
  changed_();
}
