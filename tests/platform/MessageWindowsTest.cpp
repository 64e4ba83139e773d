#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/MessageWindows.h"
#include "platform/sys/Exceptions.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(MessageWindows, AHiddenWindowHandsItsMessagesToTheMethod) {
  std::vector<UINT> got;
  HWND window = AllocateHWnd([&](TMessage &m) {
    got.push_back(m.Msg);
    m.Result = m.Msg == WM_USER ? 7 : 0;
  });
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 7);
  DeallocateHWnd(window);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(got, (std::vector<UINT>{WM_USER, WM_DESTROY, WM_NCDESTROY}));
  DeallocateHWnd(window);  // twice: nothing
}

TEST(MessageWindows, AWindowDestroyedInsideItsOwnMessageGoesAfterIt) {
  HWND window = nullptr;
  int after = 0;
  window = AllocateHWnd([&](TMessage &m) {
    if (m.Msg != WM_USER) return;
    DeallocateHWnd(window);
    m.Result = 5;
    ++after;
  });
  EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 5);
  EXPECT_EQ(after, 1);
  EXPECT_FALSE(IsWindow(window));
}

TEST(MessageWindows, PostedMessagesComeInOrderFromTheEventLoopAndNeverToAWindowThatWent) {
  std::vector<WPARAM> got;
  HWND window = AllocateHWnd([&](TMessage &m) {
    if (m.Msg == WM_USER) got.push_back(m.WParam);
  });
  HWND doomed = AllocateHWnd([&](TMessage &m) {
    if (m.Msg == WM_USER) got.push_back(100 + m.WParam);
  });
  EXPECT_TRUE(PostMessageA(window, WM_USER, 1, 0));
  EXPECT_TRUE(PostMessageA(doomed, WM_USER, 2, 0));
  EXPECT_TRUE(PostMessageA(window, WM_USER, 3, 0));
  EXPECT_TRUE(got.empty());
  DeallocateHWnd(doomed);
  EXPECT_FALSE(PostMessageA(doomed, WM_USER, 4, 0));
  QCoreApplication::processEvents();
  EXPECT_EQ(got, (std::vector<WPARAM>{1, 3}));
  DeallocateHWnd(window);
}

TEST(MessageWindows, RegisteredMessagesHaveOneNumberPerName) {
  const UINT a = RegisterWindowMessageA("TaskbarCreated");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageA("TASKBARCREATED"), a);
  const UINT b = RegisterWindowMessageA("OrvalixOther");
  EXPECT_NE(b, a);
  EXPECT_GE(b, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST(MessageWindows, WindowTimersTickWithTheirIdAndDieWithTheWindow) {
  std::vector<WPARAM> ticks;
  HWND window = AllocateHWnd([&](TMessage &m) {
    if (m.Msg == WM_TIMER) ticks.push_back(m.WParam);
  });
  EXPECT_EQ(SetTimer(nullptr, 1, 10, nullptr), 0u);
  EXPECT_NE(SetTimer(window, 42, 10, nullptr), 0u);
  EXPECT_NE(SetTimer(window, 42, 10, nullptr), 0u);  // replaces, does not add
  for (int i = 0; i < 40 && ticks.size() < 3; ++i) QTest::qWait(5);
  ASSERT_GE(ticks.size(), 3u);
  EXPECT_EQ(ticks[0], 42u);
  EXPECT_TRUE(KillTimer(window, 42));
  EXPECT_FALSE(KillTimer(window, 42));
  ticks.clear();
  QTest::qWait(40);
  EXPECT_TRUE(ticks.empty());

  SetTimer(window, 7, 10, nullptr);
  DeallocateHWnd(window);
  EXPECT_FALSE(TimerRunningForTesting(window, 7));
  EXPECT_FALSE(KillTimer(window, 7));
}

TEST(MessageWindows, AnErrorInAMessageFromTheEventLoopGoesToTheErrorBox) {
  MessageBoxSeam seam;
  HWND window = AllocateHWnd([](TMessage &m) {
    if (m.Msg == WM_TIMER) throw EDatabaseError("Falha no tique");
  });
  SetTimer(window, 1, 10, nullptr);
  for (int i = 0; i < 40 && seam.Calls().empty(); ++i) QTest::qWait(5);
  KillTimer(window, 1);
  ASSERT_FALSE(seam.Calls().empty());
  EXPECT_EQ(seam.Calls()[0].Text, "Falha no tique.");
  DeallocateHWnd(window);
}

TEST(MessageWindows, AnObjectInstanceForwardsAWindowsMessagesToTheMethod) {
  TForm form(nullptr);
  std::vector<UINT> seen;
  WNDPROC saved = reinterpret_cast<WNDPROC>(GetWindowLongA(form.Handle(), GWL_WNDPROC));
  WNDPROC stub = MakeObjectInstance([&](TMessage &m) {
    seen.push_back(m.Msg);
    m.Result = CallWindowProcA(saved, form.Handle(), m.Msg, m.WParam, m.LParam) + 1;
  });
  SetWindowLongA(form.Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(stub));
  EXPECT_EQ(form.Perform(WM_USER, 0, 0), 1);
  EXPECT_EQ(SetWindowLongA(form.Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(saved)),
            reinterpret_cast<LONG_PTR>(stub));
  FreeObjectInstance(stub);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_USER}));
}

TEST(Input, TestsFixTheCursorTheKeysAndTheDoubleClickTime) {
  POINT p;
  SetCursorPosForTesting({3, 4});
  ASSERT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p, (POINT{3, 4}));
  SetCursorPosFailsForTesting(true);
  EXPECT_FALSE(GetCursorPos(&p));
  EXPECT_FALSE(GetCursorPos(nullptr));
  SetKeyDownForTesting(VK_CONTROL, true);
  EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0);
  SetKeyDownForTesting(VK_CONTROL, false);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), 0);
  SetDoubleClickTimeForTesting(25);
  EXPECT_EQ(GetDoubleClickTime(), 25u);
  ResetInputForTesting();
  EXPECT_TRUE(GetCursorPos(&p));
  EXPECT_GT(GetDoubleClickTime(), 0u);
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);  // nobody holds a key in a test
}

}  // namespace
