#include "trayicon/WindowTimer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

bool Running(const TWindowTimer &timer) {
  return SharedTimerHandler && TimerRunningForTesting(SharedTimerHandler->TimerWindow(), timer.TimerId());
}

struct StateCase {
  const char *name;
  std::function<void(TWindowTimer &)> steps;
  bool active;
  bool running;
};

TEST(TWindowTimer, StateTable) {
  const TNotifyEvent tick = [](TObject *) {};
  const StateCase cases[] = {
      {"constructed: Stopped", [](TWindowTimer &) {}, false, false},
      {"Active true: Running", [](TWindowTimer &t) { t.SetActive(true); }, true, true},
      {"Active true with Period 0: Stopped",
       [](TWindowTimer &t) {
         t.SetPeriod(0);
         t.SetActive(true);
       },
       false, false},
      {"Period 0 while Running: Held",
       [](TWindowTimer &t) {
         t.SetActive(true);
         t.SetPeriod(0);
       },
       true, false},
      {"Active true while Held stays Held",
       [](TWindowTimer &t) {
         t.SetActive(true);
         t.SetPeriod(0);
         t.SetActive(true);
       },
       true, false},
      {"a non-zero Period after Held: Running",
       [](TWindowTimer &t) {
         t.SetActive(true);
         t.SetPeriod(0);
         t.SetPeriod(300);
       },
       true, true},
      {"empty OnTick while Running: Held",
       [](TWindowTimer &t) {
         t.SetActive(true);
         t.SetOnTick(nullptr);
       },
       true, false},
      {"a handler again does not resume",
       [&](TWindowTimer &t) {
         t.SetActive(true);
         t.SetOnTick(nullptr);
         t.SetOnTick(tick);
       },
       true, false},
      {"Active true resumes after an empty handler",
       [&](TWindowTimer &t) {
         t.SetActive(true);
         t.SetOnTick(nullptr);
         t.SetOnTick(tick);
         t.SetActive(true);
       },
       true, true},
      {"Active false: Stopped",
       [](TWindowTimer &t) {
         t.SetActive(true);
         t.SetActive(false);
       },
       false, false},
      {"Disarm keeping Active: Held",
       [](TWindowTimer &t) {
         t.SetActive(true);
         t.Disarm(false);
       },
       true, false},
      {"Period while Stopped changes only the period",
       [](TWindowTimer &t) { t.SetPeriod(5); }, false, false},
  };
  for (const StateCase &c : cases) {
    SCOPED_TRACE(c.name);
    TWindowTimer timer(1000, tick);
    c.steps(timer);
    EXPECT_EQ(timer.Active(), c.active);
    EXPECT_EQ(Running(timer), c.running);
  }
}

TEST(TWindowTimer, ArmAnswersWhetherAWindowTimerStarted) {
  TWindowTimer timer;
  EXPECT_EQ(timer.Period(), 1000u);
  EXPECT_FALSE(timer.OnTick());
  EXPECT_FALSE(timer.OneShot());
  EXPECT_FALSE(timer.Disarm(true));  // nothing ran
  timer.SetPeriod(0);
  EXPECT_FALSE(timer.Arm());
  timer.SetPeriod(50);
  EXPECT_TRUE(timer.Arm());
  EXPECT_TRUE(timer.Active());
  EXPECT_TRUE(timer.Disarm(true));
  EXPECT_FALSE(timer.Active());
}

// Waits for the next tick and gives the milliseconds from the start of the wait.
qint64 MsToNextTick(int &ticks, QElapsedTimer &clock) {
  const int before = ticks;
  clock.restart();
  while (ticks == before && clock.elapsed() < 2000) QTest::qWait(2);
  return clock.elapsed();
}

TEST(TWindowTimer, WritingTheSamePeriodKeepsTheCountAndAnotherRestartsIt) {
  int ticks = 0;
  TWindowTimer timer(240, [&](TObject *) { ++ticks; });
  QElapsedTimer clock;
  timer.SetActive(true);
  QTest::qWait(150);
  timer.SetPeriod(240);  // same value: the tick is due about 90 ms from now
  EXPECT_LT(MsToNextTick(ticks, clock), 200);

  QTest::qWait(150);
  timer.SetPeriod(250);  // another value: a full new period
  EXPECT_GE(MsToNextTick(ticks, clock), 230);

  QTest::qWait(150);
  timer.SetActive(true);  // writing true restarts too
  EXPECT_GE(MsToNextTick(ticks, clock), 230);
}

TEST(TWindowTimer, OneShotRunsOncePerArmingAndFindsItselfStopped) {
  int ticks = 0;
  bool activeInHandler = true;
  TWindowTimer timer(10, nullptr);
  timer.SetOneShot(true);
  timer.SetOnTick([&](TObject *sender) {
    EXPECT_EQ(sender, &timer);
    activeInHandler = timer.Active();
    if (++ticks == 2) return;
    timer.SetActive(true);  // the handler arms it once more
  });
  timer.SetActive(true);
  QTest::qWait(120);
  EXPECT_EQ(ticks, 2);
  EXPECT_FALSE(activeInHandler);
  EXPECT_FALSE(timer.Active());
  EXPECT_FALSE(Running(timer));
}

TEST(TWindowTimer, TicksArriveInsideAModalLoop) {
  QEventLoop modal;
  int ticks = 0;
  TWindowTimer timer(10, [&](TObject *) {
    if (++ticks == 3) modal.quit();
  });
  timer.SetActive(true);
  QTimer::singleShot(1000, &modal, &QEventLoop::quit);  // safety net only
  modal.exec();
  EXPECT_EQ(ticks, 3);
}

TEST(TWindowTimer, TheSharedWindowLivesFromTheFirstTimerToTheLast) {
  ASSERT_EQ(SharedTimerHandler, nullptr);
  HWND first = nullptr;
  {
    TWindowTimer a;
    ASSERT_NE(SharedTimerHandler, nullptr);
    first = SharedTimerHandler->TimerWindow();
    {
      TWindowTimer b;
      EXPECT_EQ(SharedTimerHandler->TimerCount(), 2u);
      EXPECT_EQ(SharedTimerHandler->TimerWindow(), first);  // one window for every timer
      EXPECT_NE(a.TimerId(), b.TimerId());
    }
    EXPECT_EQ(SharedTimerHandler->TimerCount(), 1u);
  }
  EXPECT_EQ(SharedTimerHandler, nullptr);
  EXPECT_FALSE(IsWindow(first));

  int ticks = 0;
  TWindowTimer again(10, [&](TObject *) { ++ticks; });
  ASSERT_NE(SharedTimerHandler, nullptr);
  EXPECT_TRUE(IsWindow(SharedTimerHandler->TimerWindow()));
  again.SetActive(true);
  QTest::qWait(60);
  EXPECT_GT(ticks, 0);
}

TEST(TWindowTimer, TheCountNeverGoesBelowZero) {
  TWindowTimerHandler handler;
  handler.CountDown();
  handler.CountDown();
  EXPECT_EQ(handler.TimerCount(), 0u);
  handler.CountUp();
  EXPECT_EQ(handler.TimerCount(), 1u);
  ReleaseTimerWindow();  // no shared handler: nothing happens
  EXPECT_EQ(SharedTimerHandler, nullptr);
}

TEST(TWindowTimer, ATickForATimerThatIsGoneReachesNothing) {
  int ticks = 0;
  auto *gone = new TWindowTimer(10, [&](TObject *) { ++ticks; });
  const UINT goneId = gone->TimerId();
  TWindowTimer live(1000, [&](TObject *) { ticks += 100; });
  delete gone;
  const HWND window = SharedTimerHandler->TimerWindow();
  EXPECT_EQ(SendMessageA(window, WM_TIMER, goneId, 0), 0);
  EXPECT_EQ(ticks, 0);
  TWindowTimer next(10, nullptr);
  EXPECT_NE(next.TimerId(), live.TimerId());
  // Other messages get the default answer; the window stays.
  EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(IsWindow(window));
}

TEST(TWindowTimer, AHandlerThatFreesItsTimerEndsCleanly) {
  auto *timer = new TWindowTimer(10, nullptr);
  bool freed = false;
  timer->SetOnTick([&](TObject *sender) {
    delete static_cast<TWindowTimer *>(sender);
    freed = true;
  });
  timer->SetActive(true);
  for (int i = 0; i < 50 && !freed; ++i) QTest::qWait(5);
  EXPECT_TRUE(freed);
  EXPECT_EQ(SharedTimerHandler, nullptr);  // it was the last timer: the window went with it
}

}  // namespace
