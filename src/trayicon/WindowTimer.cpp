#include "trayicon/WindowTimer.h"

#include "platform/vcl/MessageWindows.h"
#include "trayicon/LiveObjects.h"

TWindowTimerHandler *SharedTimerHandler = nullptr;

namespace {
// Live timers by id; the object's address does not fit in a 32-bit id here.
TLiveObjects<TWindowTimer> &LiveTimers() {
  static auto *timers = new TLiveObjects<TWindowTimer>;  // never destroyed
  return *timers;
}

HWND TimerWindow() { return SharedTimerHandler ? SharedTimerHandler->TimerWindow() : nullptr; }

// Unit finalization: a handler left by timers that were never destroyed goes at the end of the program.
struct Finalization {
  ~Finalization() {
    delete SharedTimerHandler;
    SharedTimerHandler = nullptr;
  }
} finalization;
}  // namespace

// ---------------------------------------------------------------- handler

TWindowTimerHandler::TWindowTimerHandler() {
  timerWindow_ = AllocateHWnd([this](TMessage &Message) { TimerWindowProc(Message); });
}

TWindowTimerHandler::~TWindowTimerHandler() { DeallocateHWnd(timerWindow_); }

void TWindowTimerHandler::TimerWindowProc(TMessage &Message) {
  if (Message.Msg != WM_TIMER) {
    Message.Result = DefWindowProcA(timerWindow_, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  Message.Result = 0;
  TWindowTimer *timer = LiveTimers().Find(static_cast<UINT>(Message.WParam));
  if (!timer) return;
  if (timer->oneShot_) timer->Disarm(true);
  if (timer->onTick_) {
    const TNotifyEvent tick = timer->onTick_;  // the handler may free the timer
    tick(timer);
  }
}

void AcquireTimerWindow() {
  if (!SharedTimerHandler) SharedTimerHandler = new TWindowTimerHandler;
  SharedTimerHandler->CountUp();
}

void ReleaseTimerWindow() {
  if (!SharedTimerHandler) return;
  SharedTimerHandler->CountDown();
  if (SharedTimerHandler->TimerCount() == 0) {
    TWindowTimerHandler *handler = SharedTimerHandler;
    SharedTimerHandler = nullptr;
    delete handler;
  }
}

// ---------------------------------------------------------------- timer

TWindowTimer::TWindowTimer() { Setup(1000, nullptr); }

TWindowTimer::TWindowTimer(unsigned Period, TNotifyEvent Handler) { Setup(Period, std::move(Handler)); }

void TWindowTimer::Setup(unsigned Period, TNotifyEvent Handler) {
  timerId_ = LiveTimers().Add(this);
  oneShot_ = false;
  active_ = false;
  period_ = Period;
  SetOnTick(std::move(Handler));
  AcquireTimerWindow();
}

TWindowTimer::~TWindowTimer() {
  if (active_) Disarm(true);
  LiveTimers().Remove(timerId_);
  ReleaseTimerWindow();
}

bool TWindowTimer::Arm() {
  if (period_ == 0) return false;
  if (active_) Disarm(true);
  if (SetTimer(TimerWindow(), timerId_, period_, nullptr) == 0) return false;
  active_ = true;
  return true;
}

bool TWindowTimer::Disarm(bool ClearActive) {
  if (ClearActive) active_ = false;
  return KillTimer(TimerWindow(), timerId_) != 0;
}

void TWindowTimer::SetActive(bool Value) {
  if (Value) {
    Arm();
  } else {
    Disarm(true);
  }
}

void TWindowTimer::SetPeriod(unsigned Value) {
  if (Value == period_) return;
  period_ = Value;
  if (!active_) return;
  if (Value != 0) {
    Arm();
  } else {
    Disarm(false);
  }
}

void TWindowTimer::SetOnTick(TNotifyEvent Value) {
  onTick_ = std::move(Value);
  if (!onTick_ && active_) Disarm(false);
}
