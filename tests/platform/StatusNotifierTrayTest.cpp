// The tray of KDE Plasma, GNOME's AppIndicator extension and Xfce's status tray, on a real session bus:
// a StatusNotifierWatcher of the test's own stands for the desktop, takes the icon's registration and
// clicks it as the desktop does. ctest runs these under dbus-run-session and xvfb-run.

#include "ShellTestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QProcess>
#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <mutex>

namespace {

const QString kWatcherName = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

// The items that registered with the watcher, read by the test while the watcher runs.
class Registrations {
 public:
  void Add(const QString &service) {
    std::lock_guard lock(mutex_);
    items_ << service;
  }
  QStringList Items() const {
    std::lock_guard lock(mutex_);
    return items_;
  }

 private:
  mutable std::mutex mutex_;
  QStringList items_;
};

// The desktop's side of the protocol.
class Watcher : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ HostRegistered)
  Q_PROPERTY(int ProtocolVersion READ ProtocolVersion)
  Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ Items)

 public:
  explicit Watcher(Registrations &registrations) : registrations_(registrations) {}
  bool HostRegistered() const { return true; }
  int ProtocolVersion() const { return 0; }
  QStringList Items() const { return registrations_.Items(); }

 public slots:
  void RegisterStatusNotifierItem(const QString &service) { registrations_.Add(service); }
  void RegisterStatusNotifierHost(const QString &) {}

 private:
  Registrations &registrations_;
};

// The watcher runs on a thread of its own, as the desktop's panel is a process of its own: the item
// asks it with blocking calls.
class Desktop : public QThread {
 public:
  explicit Desktop(QDBusConnection bus) : bus_(std::move(bus)) {}
  // Once the watcher serves its object; its name is the test's to take and give up.
  void Start() {
    start();
    ready_.acquire();
  }
  Registrations registrations;

 protected:
  void run() override {
    Watcher watcher(registrations);
    bus_.registerObject(kWatcherPath, &watcher, QDBusConnection::ExportAllContents);
    ready_.release();
    exec();
    bus_.unregisterObject(kWatcherPath);
  }

 private:
  QDBusConnection bus_;
  QSemaphore ready_;
};

class StatusNotifierTray : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb" || !QDBusConnection::sessionBus().isConnected())
      GTEST_SKIP() << "needs an X display and a session bus (ctest runs it under dbus-run-session and xvfb-run)";
    panel.Start();
    ASSERT_TRUE(bus.registerService(kWatcherName));
    NotificationArea().SetTrayAvailableForTesting(std::nullopt);
    SetDoubleClickTimeForTesting(200);
  }
  void TearDown() override {
    NOTIFYICONDATAA data = Record(receiver.window, 1);
    Shell_NotifyIconA(NIM_DELETE, &data);
    bus.unregisterService(kWatcherName);
    panel.quit();
    panel.wait();
    ResetInputForTesting();
  }

  // Adds the receiver's icon; gives the item's name on the bus once it registered with the watcher.
  QString AddIcon() {
    NOTIFYICONDATAA data = Record(receiver.window, 1, "Orvalix Express");
    EXPECT_EQ(Shell_NotifyIconA(NIM_ADD, &data), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel.registrations.Items().empty(); }, 5000));
    return panel.registrations.Items().value(0);
  }
  // The desktop's left click on the item.
  void Activate(const QString &item) {
    QDBusMessage click = QDBusMessage::createMethodCall(item, QStringLiteral("/StatusNotifierItem"),
                                                        QStringLiteral("org.kde.StatusNotifierItem"),
                                                        QStringLiteral("Activate"));
    click << 0 << 0;
    bus.call(click, QDBus::NoBlock);
  }
  // The method calls that anyone on the bus makes within the next milliseconds, as dbus-monitor sees them.
  static int MethodCallsWithin(int milliseconds) {
    QProcess monitor;
    monitor.start(QStringLiteral("dbus-monitor"), {QStringLiteral("--session"), QStringLiteral("--profile")});
    QByteArray seen;
    // Monitoring has begun once the bus tells the monitor that it lost its own name.
    EXPECT_TRUE(QTest::qWaitFor([&] { return (seen += monitor.readAllStandardOutput()).contains("NameLost"); }, 5000));
    QTest::qWait(milliseconds);
    monitor.terminate();
    monitor.waitForFinished();
    seen += monitor.readAllStandardOutput();
    int calls = 0;
    for (const QByteArray &line : seen.split('\n')) calls += line.startsWith("mc\t");
    return calls;
  }

  QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("desktop"));
  Desktop panel{bus};
  Receiver receiver;
};

TEST_F(StatusNotifierTray, OnASessionBusASecondActivateWithinTheDoubleClickTimeIsADoubleClick) {
  const QString item = AddIcon();
  struct Case {
    int gap;  // ms between the two clicks; the double-click time is 200 ms
    std::vector<LPARAM> callbacks;
  };
  const Case cases[] = {
      {80, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {400, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.gap);
    receiver.got.clear();
    Activate(item);
    QTest::qWait(c.gap);
    Activate(item);
    EXPECT_TRUE(QTest::qWaitFor([&] { return receiver.Callbacks().size() >= 4; }, 2000));
    EXPECT_EQ(receiver.Callbacks(), c.callbacks);
  }
}

TEST_F(StatusNotifierTray, OnASessionBusTheTrayIsFollowedByItsSignalsWithNoCallAtRest) {
  AddIcon();
  ASSERT_NE(NotificationArea().FindIcon(receiver.window, 1)->Mirror, nullptr);
  EXPECT_EQ(MethodCallsWithin(2500), 0);

  // The desktop's panel goes: the icon stands in the corner window. It comes back: the icon registers anew.
  bus.unregisterService(kWatcherName);
  EXPECT_TRUE(QTest::qWaitFor([] { return NotificationArea().CornerWindow() && NotificationArea().CornerWindow()->isVisible(); }, 2000));
  ASSERT_TRUE(bus.registerService(kWatcherName));
  EXPECT_TRUE(QTest::qWaitFor([&] { return panel.registrations.Items().size() == 2; }, 2000));
  EXPECT_FALSE(NotificationArea().CornerWindow()->isVisible());
  EXPECT_NE(NotificationArea().FindIcon(receiver.window, 1)->Mirror, nullptr);
}

}  // namespace

#include "StatusNotifierTrayTest.moc"
