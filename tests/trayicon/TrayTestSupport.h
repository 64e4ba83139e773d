#pragma once
// Shared pieces of the tray component's tests: a clean shell and input state, an event log, and the
// callbacks the shell sends for the component's icon.

#include "platform/vcl/Forms.h"
#include "platform/win/ShellApi.h"
#include "trayicon/TrayIcon.h"

#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Gives tests the callback style, which only a descendant can set.
class TTestTrayIcon : public TTrayIcon {
 public:
  using TTrayIcon::TTrayIcon;
  using TTrayIcon::CallbackStyle;
  using TTrayIcon::SetCallbackStyle;
};

class TrayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NotificationArea().ClearCalls();
    NotificationArea().SetTrayAvailableForTesting(false);
    ResetInputForTesting();
    SetDoubleClickTimeForTesting(30);
    SetCursorPosForTesting({100, 200});
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU}) SetKeyDownForTesting(key, false);
    Application->ResetForTesting();
    Application->ShowMainForm = true;
  }
  void TearDown() override {
    ResetInputForTesting();
    NotificationArea().SetTrayAvailableForTesting(std::nullopt);
    Application->ResetForTesting();
    if (IsWindowVisible(Application->Handle())) ShowWindow(Application->Handle(), SW_HIDE);
    Application->Restore();
  }

  // The shell's calls since the test began, as "ADD 1", "MODIFY 0" (message and answer).
  static std::vector<std::string> ShellLog() {
    static const char *names[] = {"ADD", "MODIFY", "DELETE", "?", "SETVERSION"};
    std::vector<std::string> log;
    for (const TShellCall &call : NotificationArea().Calls())
      log.push_back(std::string(call.Message < 5 ? names[call.Message] : "?") + " " + std::to_string(call.Answer));
    return log;
  }
  static const TShellIcon *ShownIcon(const TTrayIcon &tray) {
    return NotificationArea().FindIcon(tray.TrayRecord().hWnd, tray.TrayRecord().uID);
  }
  // What the shell sends for the icon; the icon must be in the area.
  static void Callback(const TTrayIcon &tray, LPARAM message) {
    ASSERT_TRUE(NotificationArea().InjectCallback(tray.TrayRecord().hWnd, tray.TrayRecord().uID, message));
  }
  static void Wait(int ms) { QTest::qWait(ms); }
};

// Records the component's events in order.
struct EventLog {
  std::vector<std::string> log;
  std::vector<TShiftState> shifts;
  std::vector<POINT> points;

  static std::string Button(TMouseButton b) { return b == mbLeft ? "L" : b == mbRight ? "R" : "M"; }
  void Attach(TTrayIcon &tray, bool dblClick = true) {
    tray.OnClick = [this](TObject *) { log.push_back("click"); };
    if (dblClick) tray.OnDblClick = [this](TObject *) { log.push_back("dblclick"); };
    tray.OnMouseDown = [this](TObject *, TMouseButton b, TShiftState s, int x, int y) { Mouse("down " + Button(b), s, x, y); };
    tray.OnMouseUp = [this](TObject *, TMouseButton b, TShiftState s, int x, int y) { Mouse("up " + Button(b), s, x, y); };
    tray.OnMouseMove = [this](TObject *, TShiftState s, int x, int y) { Mouse("move", s, x, y); };
    tray.OnMouseEnter = [this](TObject *) { log.push_back("enter"); };
    tray.OnMouseExit = [this](TObject *) { log.push_back("exit"); };
    tray.OnBalloonHintShow = [this](TObject *) { log.push_back("balloon show"); };
    tray.OnBalloonHintHide = [this](TObject *) { log.push_back("balloon hide"); };
    tray.OnBalloonHintTimeout = [this](TObject *) { log.push_back("balloon timeout"); };
    tray.OnBalloonHintClick = [this](TObject *) { log.push_back("balloon click"); };
  }
  void Mouse(const std::string &what, TShiftState s, int x, int y) {
    log.push_back(what);
    shifts.push_back(s);
    points.push_back({x, y});
  }
  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(log);
    shifts.clear();
    points.clear();
    return taken;
  }
};

using Log = std::vector<std::string>;
