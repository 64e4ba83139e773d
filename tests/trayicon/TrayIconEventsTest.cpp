// The shell's callbacks turned into the component's events: clicks, double clicks, the menu, enter and
// exit, cycling, and the shared notification window.

#include "TrayTestSupport.h"

#include <QAction>
#include <QMenu>

namespace {

class TrayEvents : public TrayTest {
 public:
  void SetUp() override {
    TrayTest::SetUp();
    tray = new TTestTrayIcon(nullptr);
    tray->SetIconVisible(true);
    events.Attach(*tray);
  }
  void TearDown() override {
    delete tray;
    TrayTest::TearDown();
  }

 public:
  // A menu like the main window's: "Abrir" (default), "Consultar", "Sair" (also default, later).
  void AttachMenu() {
    menu = std::make_unique<TPopupMenu>(nullptr);
    for (const char *caption : {"Abrir", "Consultar", "-", "Sair"}) {
      auto *item = new TMenuItem(nullptr);
      item->Caption = caption;
      item->OnClick = [this, caption](TObject *) { events.log.push_back(std::string("menu ") + caption); };
      menu->Items()->Add(item);
    }
    menu->Items()->Items(0)->Default = true;
    menu->Items()->Items(3)->Default = true;
    tray->SetPopupMenu(menu.get());
  }

  TTestTrayIcon *tray = nullptr;
  std::unique_ptr<TPopupMenu> menu;
  EventLog events;
};

TEST_F(TrayEvents, WithOnDblClickTheClickComesAfterTheDoubleClickTime) {
  Callback(*tray, WM_LBUTTONDOWN);
  Callback(*tray, WM_LBUTTONUP);
  EXPECT_EQ(events.Take(), (Log{"down L", "up L"}));
  Wait(80);
  EXPECT_EQ(events.Take(), (Log{"click"}));
  Wait(50);
  EXPECT_TRUE(events.log.empty());  // the delay ran once
}

TEST_F(TrayEvents, WithoutOnDblClickTheClickComesAtTheReleaseBeforeTheMouseUp) {
  tray->OnDblClick = nullptr;
  Callback(*tray, WM_LBUTTONDOWN);
  Callback(*tray, WM_LBUTTONUP);
  EXPECT_EQ(events.Take(), (Log{"down L", "click", "up L"}));
  Wait(60);
  EXPECT_TRUE(events.log.empty());
}

TEST_F(TrayEvents, APressLongerThanTheDoubleClickTimeClicksAtTheRelease) {
  Callback(*tray, WM_LBUTTONDOWN);
  Wait(80);  // the delay ends while the button is down: nothing is pending yet
  Callback(*tray, WM_LBUTTONUP);
  EXPECT_EQ(events.Take(), (Log{"down L", "click", "up L"}));
  Wait(60);
  EXPECT_TRUE(events.log.empty());
}

TEST_F(TrayEvents, ADoubleClickRunsTheFirstDefaultItemAndNoClick) {
  AttachMenu();
  for (LPARAM m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Callback(*tray, m);
  EXPECT_EQ(events.Take(), (Log{"down L", "up L", "dblclick", "menu Abrir", "up L"}));
  Wait(80);
  EXPECT_TRUE(events.log.empty());
}

TEST_F(TrayEvents, ADoubleClickRunsNoItemUnlessTheMenuAllowsIt) {
  struct Case {
    const char *name;
    std::function<void(TrayEvents &)> setup;
    Log expected;
  };
  const Case cases[] = {
      {"no menu", [](TrayEvents &) {}, {"dblclick"}},
      {"LeftPopup", [](TrayEvents &t) { t.AttachMenu(); t.tray->SetLeftPopup(true); }, {"dblclick"}},
      {"AutoPopup false", [](TrayEvents &t) { t.AttachMenu(); t.menu->AutoPopup = false; }, {"dblclick"}},
      {"no default item",
       [](TrayEvents &t) {
         t.AttachMenu();
         t.menu->Items()->Items(0)->Default = false;
         t.menu->Items()->Items(3)->Default = false;
       },
       {"dblclick"}},
      {"first default is hidden: it still runs",
       [](TrayEvents &t) {
         t.AttachMenu();
         t.menu->Items()->Items(0)->Visible = false;
       },
       {"dblclick", "menu Abrir"}},
      {"only a later default", [](TrayEvents &t) { t.AttachMenu(); t.menu->Items()->Items(0)->Default = false; },
       {"dblclick", "menu Sair"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    tray->SetPopupMenu(nullptr);
    menu.reset();
    tray->SetLeftPopup(false);
    c.setup(*this);
    Callback(*tray, WM_LBUTTONDBLCLK);
    EXPECT_EQ(events.Take(), c.expected);
  }
}

TEST_F(TrayEvents, DoubleClickSeenStaysUntilADelayRunsWhenOnDblClickComesLater) {
  tray->OnDblClick = nullptr;
  for (LPARAM m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Callback(*tray, m);
  EXPECT_EQ(events.Take(), (Log{"down L", "click", "up L", "up L"}));
  tray->OnDblClick = [&](TObject *) { events.log.push_back("dblclick"); };
  Callback(*tray, WM_LBUTTONDOWN);
  Callback(*tray, WM_LBUTTONUP);
  Wait(80);
  EXPECT_EQ(events.Take(), (Log{"down L", "up L"}));  // the first delay ends without a click
  Callback(*tray, WM_LBUTTONDOWN);
  Callback(*tray, WM_LBUTTONUP);
  Wait(80);
  EXPECT_EQ(events.Take(), (Log{"down L", "up L", "click"}));
}

TEST_F(TrayEvents, ARightPressOpensTheMenuAtTheCursorAndALeftPressOnlyWithLeftPopup) {
  AttachMenu();
  auto *owner = new TForm(nullptr);
  delete tray;
  tray = new TTestTrayIcon(owner);
  tray->SetIconVisible(true);
  events.Attach(*tray);
  tray->SetPopupMenu(menu.get());
  SetCursorPosForTesting({321, 654});

  Callback(*tray, WM_LBUTTONDOWN);
  EXPECT_EQ(menu->PopupCount(), 0);
  Callback(*tray, WM_RBUTTONDOWN);
  EXPECT_EQ(menu->PopupCount(), 1);
  ASSERT_NE(menu->Menu(), nullptr);
  EXPECT_TRUE(menu->Menu()->isVisible());
  EXPECT_EQ(menu->Menu()->pos(), QPoint(321, 654));
  EXPECT_EQ(menu->PopupComponent(), tray);
  EXPECT_EQ(GetForegroundWindow(), Application->Handle());

  tray->SetLeftPopup(true);
  Callback(*tray, WM_RBUTTONDOWN);  // whatever LeftPopup says
  Callback(*tray, WM_LBUTTONDOWN);
  EXPECT_EQ(menu->PopupCount(), 3);

  // Choosing an entry runs its item; the visible entries are the visible items.
  QList<QAction *> actions = menu->Menu()->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(menu->Menu()->defaultAction(), actions[0]);
  EXPECT_TRUE(actions[2]->isSeparator());
  events.Take();
  actions[1]->trigger();
  EXPECT_EQ(events.Take(), (Log{"menu Consultar"}));
  menu->Menu()->hide();

  menu->AutoPopup = false;
  Callback(*tray, WM_RBUTTONDOWN);
  EXPECT_EQ(menu->PopupCount(), 3);
  menu->AutoPopup = true;
  SetCursorPosFailsForTesting(true);  // no position: no menu
  Callback(*tray, WM_RBUTTONDOWN);
  EXPECT_EQ(menu->PopupCount(), 3);
  delete owner;  // takes the component with it
  tray = nullptr;
}

TEST_F(TrayEvents, TheCallbackStyleDecidesWhichMessageIsTheRightRelease) {
  const LPARAM releases[] = {WM_RBUTTONUP, WM_CONTEXTMENU, NIN_SELECT, NIN_KEYSELECT};
  struct Case {
    unsigned char style;
    UINT version;
    Log expected;
  };
  const Case cases[] = {
      {0, 0, {"up R"}},
      {1, NOTIFYICON_VERSION, {"up R", "up R", "up R"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(int(c.style));
    NotificationArea().ClearCalls();
    tray->SetCallbackStyle(c.style);
    EXPECT_EQ(tray->TrayRecord().uVersion, c.version);
    EXPECT_EQ(ShellLog(), (Log{"SETVERSION 1"}));
    for (LPARAM m : releases) Callback(*tray, m);
    EXPECT_EQ(events.Take(), c.expected);
  }
  tray->SetCallbackStyle(7);  // any other style keeps the record's version
  EXPECT_EQ(tray->TrayRecord().uVersion, NOTIFYICON_VERSION);
  EXPECT_EQ(tray->CallbackStyle(), 7);
  for (LPARAM m : releases) Callback(*tray, m);
  EXPECT_TRUE(events.log.empty());
}

TEST_F(TrayEvents, EnabledFalseDropsMouseCallbacksButNotBalloonOnes) {
  AttachMenu();
  tray->SetWantEnterExitEvents(true);
  Callback(*tray, WM_LBUTTONDOWN);
  Callback(*tray, WM_LBUTTONUP);  // a click is pending now
  events.Take();
  tray->SetEnabled(false);
  for (LPARAM m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
                   WM_MBUTTONDOWN, WM_MBUTTONUP, WM_CONTEXTMENU, NIN_SELECT, NIN_KEYSELECT})
    Callback(*tray, m);
  EXPECT_TRUE(events.log.empty());
  EXPECT_EQ(menu->PopupCount(), 0);
  for (LPARAM m : {NIN_BALLOONSHOW, NIN_BALLOONHIDE, NIN_BALLOONTIMEOUT, NIN_BALLOONUSERCLICK}) Callback(*tray, m);
  EXPECT_EQ(events.Take(), (Log{"balloon show", "balloon hide", "balloon timeout", "balloon click"}));
  Wait(80);
  EXPECT_EQ(events.Take(), (Log{"click"}));  // the earlier press still clicks
}

TEST_F(TrayEvents, ShiftReflectsTheKeysNowAndCarriesTheButton) {
  struct Case {
    LPARAM message;
    std::vector<int> keys;
    TShiftState expected;
  };
  const Case cases[] = {
      {WM_LBUTTONDOWN, {}, {ssLeft}},
      {WM_LBUTTONUP, {VK_SHIFT}, {ssLeft, ssShift}},
      {WM_RBUTTONDOWN, {VK_CONTROL}, {ssRight, ssCtrl}},
      {WM_RBUTTONUP, {VK_MENU, VK_SHIFT}, {ssRight, ssAlt, ssShift}},
      {WM_MBUTTONDOWN, {VK_CONTROL, VK_MENU}, {ssMiddle, ssCtrl, ssAlt}},
      {WM_MBUTTONUP, {}, {ssMiddle}},
      {WM_MOUSEMOVE, {VK_SHIFT}, {ssShift}},
      {WM_MOUSEMOVE, {}, {}},
  };
  tray->OnDblClick = nullptr;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU})
      SetKeyDownForTesting(key, std::find(c.keys.begin(), c.keys.end(), key) != c.keys.end());
    SetCursorPosForTesting({7, 9});
    events.Take();
    Callback(*tray, c.message);
    ASSERT_FALSE(events.shifts.empty());
    EXPECT_EQ(events.shifts.back(), c.expected);
    EXPECT_EQ(events.points.back(), (POINT{7, 9}));
  }
}

TEST_F(TrayEvents, AnUnreadableCursorGivesTheLastPositionSeen) {
  SetCursorPosForTesting({40, 50});
  Callback(*tray, WM_MOUSEMOVE);
  SetCursorPosFailsForTesting(true);
  Callback(*tray, WM_MBUTTONDOWN);
  EXPECT_EQ(events.points.back(), (POINT{40, 50}));
}

TEST_F(TrayEvents, EnterComesWithTheFirstMoveAndExitWhenTheCursorMovesUnreported) {
  SetCursorPosForTesting({10, 10});
  Callback(*tray, WM_MOUSEMOVE);
  EXPECT_EQ(events.Take(), (Log{"move"}));  // not wanted: no enter
  tray->SetWantEnterExitEvents(true);
  Callback(*tray, WM_MOUSEMOVE);
  Callback(*tray, WM_MOUSEMOVE);
  EXPECT_EQ(events.Take(), (Log{"enter", "move", "move"}));
  Wait(60);
  EXPECT_TRUE(events.log.empty());  // the cursor stays where the shell saw it
  SetCursorPosForTesting({11, 10});
  Wait(60);
  EXPECT_EQ(events.Take(), (Log{"exit"}));
  SetCursorPosFailsForTesting(true);
  Callback(*tray, WM_MOUSEMOVE);
  EXPECT_EQ(events.Take(), (Log{"enter", "move"}));
  Wait(60);
  EXPECT_TRUE(events.log.empty());  // an unreadable cursor counts as unmoved
  tray->SetWantEnterExitEvents(false);
  SetCursorPosFailsForTesting(false);
  SetCursorPosForTesting({99, 99});
  Wait(60);
  EXPECT_TRUE(events.log.empty());  // no poll while not wanted
}

TEST_F(TrayEvents, CyclingShowsEachImageInTurnAndWrapsToTheFirst) {
  TImageList list(nullptr);
  std::vector<QRgb> colours = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
  for (QRgb colour : colours) {
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(colour));
    list.Add(QIcon(pixmap));
  }
  auto colourShown = [&] {
    const TShellIcon *icon = ShownIcon(*tray);
    return icon ? icon->Image.pixmap(16, 16).toImage().pixel(8, 8) : 0u;
  };
  tray->SetIconList(&list);
  std::vector<int> nextIndexes;
  std::vector<QRgb> shownAtCycle;
  tray->OnCycle = [&](TObject *sender, int next) {
    EXPECT_EQ(sender, tray);
    nextIndexes.push_back(next);
    shownAtCycle.push_back(colourShown());
    if (nextIndexes.size() == 4) tray->SetCycleIcons(false);
  };
  tray->SetCycleInterval(15);
  tray->SetCycleIcons(true);
  for (int i = 0; i < 100 && nextIndexes.size() < 4; ++i) Wait(5);
  EXPECT_EQ(nextIndexes, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(shownAtCycle, (std::vector<QRgb>{colours[0], colours[1], colours[2], colours[0]}));
  EXPECT_EQ(tray->IconIndex(), 1);
  EXPECT_EQ(colourShown(), colours[1]);
  tray->SetIconList(nullptr);
}

TEST_F(TrayEvents, TheNotifyWindowNeverClosesItselfAndIgnoresUnknownComponents) {
  const HWND window = SharedTrayHandler->NotifyWindow();
  for (UINT m : {WM_CLOSE, WM_DESTROY, WM_NCDESTROY, WM_QUERYENDSESSION, WM_ENDSESSION, WM_QUIT})
    EXPECT_EQ(SendMessageA(window, m, 0, 0), 1) << m;
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(SendMessageA(window, WM_USER + 5, 0, 0), 0);

  auto *gone = new TTrayIcon(nullptr);
  const UINT goneId = gone->TrayRecord().uID;
  delete gone;
  EXPECT_EQ(SendMessageA(window, TrayCallbackMessage, goneId, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(SendMessageA(window, TrayCallbackMessage, tray->TrayRecord().uID, WM_USER + 77), 0);
  EXPECT_TRUE(events.log.empty());
}

TEST_F(TrayEvents, AHandlerThatFreesTheComponentEndsTheDispatch) {
  TTrayIcon *doomed = tray;
  tray->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int, int) {
    delete doomed;
    tray = nullptr;
  };
  const HWND window = doomed->TrayRecord().hWnd;
  const UINT id = doomed->TrayRecord().uID;
  SendMessageA(window, TrayCallbackMessage, id, WM_LBUTTONDOWN);
  EXPECT_EQ(tray, nullptr);
  EXPECT_EQ(SharedTrayHandler, nullptr);  // the last component took the window with it
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(TrayEvents, TheLastComponentDestroysTheSharedWindowAndANewOneMakesANewWindow) {
  auto *second = new TTrayIcon(nullptr);
  const HWND window = SharedTrayHandler->NotifyWindow();
  EXPECT_EQ(second->TrayRecord().hWnd, window);
  EXPECT_EQ(SharedTrayHandler->IconCount(), 2u);
  delete second;
  EXPECT_TRUE(IsWindow(window));
  delete tray;
  tray = nullptr;
  EXPECT_EQ(SharedTrayHandler, nullptr);
  EXPECT_FALSE(IsWindow(window));

  tray = new TTestTrayIcon(nullptr);
  ASSERT_NE(SharedTrayHandler, nullptr);
  EXPECT_TRUE(IsWindow(SharedTrayHandler->NotifyWindow()));
  EXPECT_EQ(tray->TrayRecord().hWnd, SharedTrayHandler->NotifyWindow());
  tray->SetIconVisible(true);
  events.Attach(*tray);
  tray->OnDblClick = nullptr;
  Callback(*tray, WM_LBUTTONDOWN);
  Callback(*tray, WM_LBUTTONUP);
  EXPECT_EQ(events.Take(), (Log{"down L", "click", "up L"}));
}

}  // namespace
