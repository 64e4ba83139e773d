#include "ShellTestSupport.h"

#include "platform/vcl/Forms.h"
#include "platform/win/Icons.h"

#include <QLabel>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    NotificationArea().ClearCalls();
    NotificationArea().SetTrayAvailableForTesting(std::nullopt);
  }
  void TearDown() override {
    NOTIFYICONDATAA a = Record(receiver.window, 1), b = Record(receiver.window, 2);
    Shell_NotifyIconA(NIM_DELETE, &a);
    Shell_NotifyIconA(NIM_DELETE, &b);
    NotificationArea().SetTrayAvailableForTesting(std::nullopt);
  }
  // Adds the receiver's icon 1 with a red image and the tip "Orvalix Express".
  NOTIFYICONDATAA AddRedIcon() {
    QPixmap red(16, 16);
    red.fill(Qt::red);
    HICON handle = CreateIconFromImage(QIcon(red));
    NOTIFYICONDATAA data = Record(receiver.window, 1, "Orvalix Express");
    data.hIcon = handle;
    EXPECT_EQ(Shell_NotifyIconA(NIM_ADD, &data), 1);
    DestroyIcon(handle);  // the shell keeps its own copy
    return data;
  }
  // The callbacks that a click brings, the icon's shell version set first.
  std::vector<LPARAM> CallbacksOf(NOTIFYICONDATAA &data, UINT version, const std::function<void()> &click) {
    data.uVersion = version;
    EXPECT_EQ(Shell_NotifyIconA(NIM_SETVERSION, &data), 1);
    receiver.got.clear();
    click();
    EXPECT_TRUE(receiver.got.empty());  // posted: they come through the event loop
    QCoreApplication::processEvents();
    return receiver.Callbacks();
  }
  Receiver receiver;
};

TEST_F(Shell, AcceptsAndRefusesAsTheShellDoes) {
  NOTIFYICONDATAA one = Record(receiver.window, 1, "um");
  NOTIFYICONDATAA two = Record(receiver.window, 2, "dois");
  NOTIFYICONDATAA odd = Record(receiver.window, 3);
  odd.cbSize = 100;
  NOTIFYICONDATAA dead = Record(reinterpret_cast<HWND>(&odd), 4);
  struct Case {
    DWORD message;
    NOTIFYICONDATAA *data;
    BOOL answer;
  };
  const Case cases[] = {
      {NIM_MODIFY, &one, 0},     {NIM_DELETE, &one, 0},     {NIM_SETVERSION, &one, 0}, {NIM_ADD, &one, 1},
      {NIM_ADD, &one, 0},        {NIM_ADD, &two, 1},        {NIM_MODIFY, &one, 1},     {NIM_SETVERSION, &two, 1},
      {NIM_ADD, &odd, 0},        {NIM_ADD, &dead, 0},       {7, &one, 0},              {NIM_ADD, nullptr, 0},
      {NIM_DELETE, &one, 1},     {NIM_DELETE, &one, 0},     {NIM_MODIFY, &two, 1},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.message << " " << (c.data ? c.data->uID : 0));
    EXPECT_EQ(Shell_NotifyIconA(c.message, c.data), c.answer);
  }
  ASSERT_EQ(NotificationArea().Calls().size(), std::size(cases));
  EXPECT_EQ(NotificationArea().Calls()[3].Record.uID, 1u);
  EXPECT_EQ(NotificationArea().Calls()[3].Answer, 1);
  ASSERT_EQ(NotificationArea().Icons().size(), 1u);
  EXPECT_EQ(NotificationArea().Icons()[0]->Tip, "dois");
}

TEST_F(Shell, TheVersionsTheComponentAsksForAreAccepted) {
  NOTIFYICONDATAA data = Record(receiver.window, 1);
  Shell_NotifyIconA(NIM_ADD, &data);
  for (UINT version : {3u, 0u, 4u}) {
    data.uVersion = version;
    EXPECT_EQ(Shell_NotifyIconA(NIM_SETVERSION, &data), version != 4) << version;
  }
  EXPECT_EQ(NotificationArea().FindIcon(receiver.window, 1)->Version, 0u);
}

TEST_F(Shell, TheTipEndsAtItsNulOrAtTheRecordsLastByte) {
  NOTIFYICONDATAA data = Record(receiver.window, 1);
  std::memset(data.szTip, 'x', sizeof data.szTip);  // no NUL at all
  Shell_NotifyIconA(NIM_ADD, &data);
  EXPECT_EQ(NotificationArea().FindIcon(receiver.window, 1)->Tip, AnsiString(127, 'x'));
  std::strcpy(data.szTip, "curto");
  data.uFlags = NIF_ICON;  // no NIF_TIP: the tip stays
  Shell_NotifyIconA(NIM_MODIFY, &data);
  EXPECT_EQ(NotificationArea().FindIcon(receiver.window, 1)->Tip, AnsiString(127, 'x'));
  data.uFlags = NIF_TIP;
  Shell_NotifyIconA(NIM_MODIFY, &data);
  EXPECT_EQ(NotificationArea().FindIcon(receiver.window, 1)->Tip, "curto");
}

TEST_F(Shell, WithoutATrayTheShellObjectAloneKeepsTheIcons) {
  ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());  // offscreen
  EXPECT_FALSE(NotificationArea().TrayAvailable());
  NOTIFYICONDATAA data = Record(receiver.window, 1, "Orvalix Express");
  ASSERT_EQ(Shell_NotifyIconA(NIM_ADD, &data), 1);
  const TShellIcon *icon = NotificationArea().FindIcon(receiver.window, 1);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->Mirror, nullptr);
  EXPECT_TRUE(NotificationArea().InjectCallback(receiver.window, 1, WM_LBUTTONDBLCLK));
  EXPECT_FALSE(NotificationArea().InjectCallback(receiver.window, 9, WM_LBUTTONDBLCLK));
  EXPECT_EQ(receiver.Callbacks(), (std::vector<LPARAM>{WM_LBUTTONDBLCLK}));
}

TEST_F(Shell, WhereATrayExistsEachIconIsMirroredAndItsClicksComeBackAsCallbacks) {
  NotificationArea().SetTrayAvailableForTesting(true);
  NOTIFYICONDATAA data = AddRedIcon();
  const TShellIcon *icon = NotificationArea().FindIcon(receiver.window, 1);
  ASSERT_NE(icon, nullptr);
  QPointer<QSystemTrayIcon> mirror = icon->Mirror;
  ASSERT_NE(mirror, nullptr);
  EXPECT_TRUE(mirror->isVisible());
  EXPECT_EQ(mirror->toolTip(), "Orvalix Express");
  EXPECT_EQ(mirror->icon().pixmap(16, 16).toImage().pixel(8, 8), QColor(Qt::red).rgb());

  struct Case {
    QSystemTrayIcon::ActivationReason reason;
    UINT version;
    std::vector<LPARAM> callbacks;
  };
  const Case cases[] = {
      {QSystemTrayIcon::Trigger, 0, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {QSystemTrayIcon::DoubleClick, 0, {WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {QSystemTrayIcon::Context, 0, {WM_RBUTTONDOWN, WM_RBUTTONUP}},
      {QSystemTrayIcon::MiddleClick, 0, {WM_MBUTTONDOWN, WM_MBUTTONUP}},
      {QSystemTrayIcon::Trigger, 3, {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT}},
      {QSystemTrayIcon::Context, 3, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.reason);
    EXPECT_EQ(CallbacksOf(data, c.version, [&] { emit mirror->activated(c.reason); }), c.callbacks);
  }

  std::strcpy(data.szTip, "outro");
  Shell_NotifyIconA(NIM_MODIFY, &data);
  EXPECT_EQ(mirror->toolTip(), "outro");
  Shell_NotifyIconA(NIM_DELETE, &data);
  EXPECT_EQ(mirror, nullptr);
}

TEST_F(Shell, WithoutATrayTheCornerWindowShowsTheIconsAndTakesTheTraysClicks) {
  NotificationArea().SetTrayAvailableForTesting(false);
  NOTIFYICONDATAA data = AddRedIcon();
  const TCornerArea *corner = NotificationArea().CornerWindow();
  ASSERT_NE(corner, nullptr);
  EXPECT_TRUE(corner->isVisible());
  QWidget *icon = corner->IconWidget(receiver.window, 1);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->toolTip(), "Orvalix Express");
  const QLabel *image = icon->findChild<QLabel *>();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->pixmap().toImage().pixel(8, 8), QColor(Qt::red).rgb());
  EXPECT_EQ(NotificationArea().FindIcon(receiver.window, 1)->Mirror, nullptr);

  enum Action { Press, DoubleClick };
  struct Case {
    Action action;
    Qt::MouseButton button;
    UINT version;
    std::vector<LPARAM> callbacks;
  };
  const Case cases[] = {
      {Press, Qt::LeftButton, 0, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {DoubleClick, Qt::LeftButton, 0, {WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {Press, Qt::RightButton, 0, {WM_RBUTTONDOWN, WM_RBUTTONUP}},
      {Press, Qt::MiddleButton, 0, {WM_MBUTTONDOWN, WM_MBUTTONUP}},
      {DoubleClick, Qt::RightButton, 0, {}},
      {Press, Qt::LeftButton, 3, {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT}},
      {Press, Qt::RightButton, 3, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.action << " " << c.button << " v" << c.version);
    const auto click = [&] {
      if (c.action == Press) QTest::mousePress(icon, c.button);
      else QTest::mouseDClick(icon, c.button);
      QTest::mouseRelease(icon, c.button);
    };
    EXPECT_EQ(CallbacksOf(data, c.version, click), c.callbacks);
  }

  std::strcpy(data.szTip, "outro");
  Shell_NotifyIconA(NIM_MODIFY, &data);
  EXPECT_EQ(icon->toolTip(), "outro");
  Shell_NotifyIconA(NIM_DELETE, &data);
  EXPECT_FALSE(corner->isVisible());
  EXPECT_EQ(corner->IconWidget(receiver.window, 1), nullptr);
}

TEST_F(Shell, TheIconsMoveToATrayThatAppearsAndBackToTheCornerWhenItGoes) {
  NotificationArea().SetTrayAvailableForTesting(false);
  NOTIFYICONDATAA one = Record(receiver.window, 1, "um"), two = Record(receiver.window, 2, "dois");
  Shell_NotifyIconA(NIM_ADD, &one);
  Shell_NotifyIconA(NIM_ADD, &two);
  const TCornerArea *corner = NotificationArea().CornerWindow();
  ASSERT_NE(corner, nullptr);
  ASSERT_NE(corner->IconWidget(receiver.window, 1), nullptr);
  ASSERT_NE(corner->IconWidget(receiver.window, 2), nullptr);

  NotificationArea().SetTrayAvailableForTesting(true);
  EXPECT_FALSE(corner->isVisible());
  for (UINT id : {1u, 2u}) EXPECT_NE(NotificationArea().FindIcon(receiver.window, id)->Mirror, nullptr) << id;

  NotificationArea().SetTrayAvailableForTesting(false);
  EXPECT_TRUE(corner->isVisible());
  for (UINT id : {1u, 2u}) {
    EXPECT_EQ(NotificationArea().FindIcon(receiver.window, id)->Mirror, nullptr) << id;
    EXPECT_NE(corner->IconWidget(receiver.window, id), nullptr) << id;
  }
  NotificationArea().RecreateTaskbar();
  EXPECT_FALSE(corner->isVisible());
}

TEST_F(Shell, ANewTaskbarLosesEveryIconAndTellsEveryTopLevelWindow) {
  NotificationArea().SetTrayAvailableForTesting(true);
  NOTIFYICONDATAA data = Record(receiver.window, 1);
  Shell_NotifyIconA(NIM_ADD, &data);
  QPointer<QSystemTrayIcon> mirror = NotificationArea().FindIcon(receiver.window, 1)->Mirror;
  std::vector<UINT> appMessages;
  const int hook = Application->HookMainWindow([&](TMessage &m) {
    appMessages.push_back(m.Msg);
    return false;
  });
  NotificationArea().RecreateTaskbar();
  Application->UnhookMainWindow(hook);
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  EXPECT_TRUE(NotificationArea().Icons().empty());
  EXPECT_EQ(mirror, nullptr);
  EXPECT_EQ(receiver.got, (std::vector<std::pair<UINT, LPARAM>>{{taskbarCreated, 0}}));
  EXPECT_EQ(appMessages, (std::vector<UINT>{taskbarCreated}));
}

TEST_F(Shell, IconsOfAWindowThatWentAreForgotten) {
  NotificationArea().SetTrayAvailableForTesting(true);
  auto *gone = new Receiver;
  NOTIFYICONDATAA data = Record(gone->window, 1);
  Shell_NotifyIconA(NIM_ADD, &data);
  QPointer<QSystemTrayIcon> mirror = NotificationArea().FindIcon(gone->window, 1)->Mirror;
  ASSERT_NE(mirror, nullptr);
  delete gone;
  NOTIFYICONDATAA other = Record(receiver.window, 1);
  Shell_NotifyIconA(NIM_ADD, &other);
  ASSERT_EQ(NotificationArea().Icons().size(), 1u);
  EXPECT_EQ(NotificationArea().Icons()[0]->Window, receiver.window);
  EXPECT_EQ(mirror, nullptr);  // its desktop copy went with it
}

}  // namespace
