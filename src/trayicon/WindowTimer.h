#pragma once
// Timer objects that need no window and no component of their own. Every TWindowTimer is a window timer on
// one shared hidden window, which belongs to the single TWindowTimerHandler and lives exactly as long as at
// least one TWindowTimer does. WM_TIMER names the timer by its id, and the window procedure calls its tick.

#include "platform/vcl/Classes.h"
#include "platform/win/Windows.h"

class TWindowTimer : public TObject {
 public:
  TWindowTimer();
  TWindowTimer(unsigned Period, TNotifyEvent Handler);
  ~TWindowTimer() override;
  TWindowTimer(const TWindowTimer &) = delete;
  TWindowTimer &operator=(const TWindowTimer &) = delete;

  // The id handed to SetTimer and KillTimer: fixed at construction, unique among live timers.
  UINT TimerId() const { return timerId_; }

  bool Active() const { return active_; }
  void SetActive(bool Value);
  unsigned Period() const { return period_; }
  void SetPeriod(unsigned Value);
  bool OneShot() const { return oneShot_; }
  void SetOneShot(bool Value) { oneShot_ = Value; }
  const TNotifyEvent &OnTick() const { return onTick_; }
  void SetOnTick(TNotifyEvent Value);

  // Starts or restarts the timer; false (nothing changed) while Period is 0 or when SetTimer fails.
  bool Arm();
  // Stops the window timer, clearing Active too when asked; true when a window timer was running.
  bool Disarm(bool ClearActive);

 private:
  friend class TWindowTimerHandler;
  void Setup(unsigned Period, TNotifyEvent Handler);

  UINT timerId_ = 0;
  bool active_ = false;
  unsigned period_ = 0;
  bool oneShot_ = false;
  TNotifyEvent onTick_;
};

class TWindowTimerHandler : public TObject {
 public:
  TWindowTimerHandler();
  ~TWindowTimerHandler() override;
  TWindowTimerHandler(const TWindowTimerHandler &) = delete;
  TWindowTimerHandler &operator=(const TWindowTimerHandler &) = delete;

  UINT TimerCount() const { return timerCount_; }
  HWND TimerWindow() const { return timerWindow_; }
  void CountUp() { ++timerCount_; }
  void CountDown() {
    if (timerCount_ > 0) --timerCount_;
  }

 private:
  void TimerWindowProc(TMessage &Message);

  UINT timerCount_ = 0;
  HWND timerWindow_ = nullptr;
};

// The one handler; empty while no timer exists.
extern TWindowTimerHandler *SharedTimerHandler;

void AcquireTimerWindow();
void ReleaseTimerWindow();
