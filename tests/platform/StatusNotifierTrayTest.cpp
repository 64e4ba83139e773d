// The tray of KDE Plasma, GNOME's AppIndicator extension and Xfce's status tray, on a real session bus:
// a StatusNotifierWatcher of the test's own stands for the desktop, takes the icon's registration and
// clicks it as the desktop does; trayer stands for an XEmbed tray. ctest runs these under dbus-run-session
// and xvfb-run, a process for each kind of icon that Qt makes.

#include "ShellTestSupport.h"
#include "support/XEmbedTray.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <mutex>

namespace {

const QString kWatcherName = QStringLiteral("org.kde.StatusNotifierWatcher");

// The items that registered, written on the watcher's thread and read on the test's.
struct Registered {
  std::mutex mutex;
  QStringList items;
  QStringList Items() {
    std::lock_guard lock(mutex);
    return items;
  }
};

// The desktop's side of the protocol, as far as Qt's tray asks for it.
class Watcher : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ HostRegistered)

 public:
  explicit Watcher(Registered &registered) : registered_(registered) {}
  bool HostRegistered() const { return true; }

 public slots:
  void RegisterStatusNotifierItem(const QString &service) {
    std::lock_guard lock(registered_.mutex);
    registered_.items << service;
  }

 private:
  Registered &registered_;
};

// The watcher serves on a thread of its own, as the desktop's panel is a process of its own: the item
// asks it with blocking calls. Its name on the bus is the test's to take and to give up.
class Panel : public QThread {
 public:
  explicit Panel(QDBusConnection bus) : bus_(std::move(bus)) {}
  void Start() {
    start();
    ready_.acquire();
  }
  Registered registered;

 protected:
  void run() override {
    Watcher watcher(registered);
    bus_.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher, QDBusConnection::ExportAllContents);
    ready_.release();
    exec();
    bus_.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
  }

 private:
  QDBusConnection bus_;
  QSemaphore ready_;
};

bool CornerShown() {
  const TCornerArea *corner = NotificationArea().CornerWindow();
  return corner && corner->isVisible();
}

class StatusNotifierTray : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb" || !QDBusConnection::sessionBus().isConnected())
      GTEST_SKIP() << "needs an X display and a session bus (ctest runs it under dbus-run-session and xvfb-run)";
    panel.Start();
    // In the process of XEmbed icons the desktop's watcher comes only later.
    if (!QString(::testing::UnitTest::GetInstance()->current_test_info()->name()).startsWith("OnAnXEmbedTray")) {
      ASSERT_TRUE(bus.registerService(kWatcherName));
    }
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel.registered.Items().empty(); }, 5000));
    return panel.registered.Items().value(0);
  }
  // The desktop's left click on the item.
  void Activate(const QString &item) {
    bus.call(QDBusMessage::createMethodCall(item, QStringLiteral("/StatusNotifierItem"),
                                            QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"))
                 << 0 << 0,
             QDBus::NoBlock);
  }
  // The method calls that anyone makes on the bus within the next milliseconds, as dbus-monitor sees them.
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
    return static_cast<int>(seen.count("\nmc\t"));
  }

  QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("desktop"));
  Panel panel{bus};
  Receiver receiver;
};

TEST_F(StatusNotifierTray, OnASessionBusASecondActivateWithinTheDoubleClickTimeIsADoubleClick) {
  const QString item = AddIcon();
  const struct {
    int gap;  // ms between the two clicks; the double-click time is 200 ms
    std::vector<LPARAM> callbacks;
  } cases[] = {
      {80, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {400, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
  };
  for (const auto &c : cases) {
    receiver.got.clear();
    Activate(item);
    QTest::qWait(c.gap);
    Activate(item);
    EXPECT_TRUE(QTest::qWaitFor([&] { return receiver.Callbacks().size() >= 4; }, 2000));
    EXPECT_EQ(receiver.Callbacks(), c.callbacks) << c.gap;
  }
}

TEST_F(StatusNotifierTray, OnASessionBusTheTrayIsFollowedByItsSignalsWithNoCallAtRest) {
  AddIcon();
  EXPECT_EQ(MethodCallsWithin(2500), 0);
  // The panel goes: the icon stands in the corner window. It comes back: the icon registers anew.
  bus.unregisterService(kWatcherName);
  EXPECT_TRUE(QTest::qWaitFor(CornerShown, 2000));
  ASSERT_TRUE(bus.registerService(kWatcherName));
  EXPECT_TRUE(QTest::qWaitFor([&] { return panel.registered.Items().size() == 2; }, 2000));
  EXPECT_FALSE(CornerShown());
}

TEST_F(StatusNotifierTray, OnASessionBusAnXEmbedTrayAfterTheWatcherWentLeavesTheIconInTheCornerWindow) {
  AddIcon();
  bus.unregisterService(kWatcherName);
  EXPECT_TRUE(QTest::qWaitFor(CornerShown, 2000));
  QSignalSpy trayWindow(reinterpret_cast<QObject *>(QGuiApplication::platformNativeInterface()),
                        SIGNAL(systemTrayWindowChanged(QScreen *)));
  XEmbedTray tray;
  ASSERT_EQ(tray.Start(), QString());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !trayWindow.isEmpty(); }, 5000));  // the shell heard it first
  EXPECT_TRUE(CornerShown());
}

// Qt saw no D-Bus tray at its first look in this process: its icons are XEmbed icons.
TEST_F(StatusNotifierTray, OnAnXEmbedTrayAWatcherAfterTheTrayWentLeavesTheIconInTheCornerWindow) {
  XEmbedTray tray;
  ASSERT_EQ(tray.Start(), QString());
  NOTIFYICONDATAA data = Record(receiver.window, 1, "Orvalix Express");
  ASSERT_EQ(Shell_NotifyIconA(NIM_ADD, &data), 1);
  EXPECT_TRUE(QTest::qWaitFor([] { return XEmbedTray::IconWindow() != nullptr; }, 5000));
  EXPECT_FALSE(CornerShown());
  tray.Stop();
  EXPECT_TRUE(QTest::qWaitFor(CornerShown, 5000));
  QDBusServiceWatcher seen(kWatcherName, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForRegistration);
  QSignalSpy registered(&seen, &QDBusServiceWatcher::serviceRegistered);
  ASSERT_TRUE(bus.registerService(kWatcherName));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !registered.isEmpty(); }, 5000));  // the shell heard it first
  EXPECT_TRUE(CornerShown());
  EXPECT_TRUE(panel.registered.Items().empty());
}

}  // namespace

#include "StatusNotifierTrayTest.moc"
