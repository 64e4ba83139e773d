#include "platform/win/TrayWatch.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSystemTrayIcon>

namespace {
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

// What Qt asks before it makes a D-Bus item: a watcher on the session bus that has a host to show it.
bool StatusNotifierHostRegistered() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcherService)) return false;
  QDBusMessage get = QDBusMessage::createMethodCall(kWatcherService, QStringLiteral("/StatusNotifierWatcher"),
                                                    QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
  get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
  const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
  return qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
}
}  // namespace

TTrayWatch::TTrayWatch(std::function<void()> changed, QObject *parent) : QObject(parent), changed_(std::move(changed)) {
  const bool qtSeesATray = QSystemTrayIcon::isSystemTrayAvailable();  // Qt's first look fixes the kind
  dbusIcons_ = qtSeesATray && StatusNotifierHostRegistered();
  available_ = qtSeesATray;
  auto *bus = new QDBusServiceWatcher(kWatcherService, QDBusConnection::sessionBus(),
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

bool TTrayWatch::Present() const {
  // Without a D-Bus item Qt's answer is the XEmbed tray's presence; with one it would count that too.
  return dbusIcons_ ? StatusNotifierHostRegistered() : QSystemTrayIcon::isSystemTrayAvailable();
}

void TTrayWatch::Recheck() {
  const bool available = Present();
  if (available == available_) return;
  available_ = available;
  changed_();
}
