#include "trayicon/WindowTimer.h"

#include "platform/vcl/MessageWindows.h"

#include <unordered_map>

TWindowTimerHandler *SharedTimerHandler = nullptr;

namespace {
// Live timers by id. An id is a 32-bit number, not the object's address: addresses do not fit in 32 bits
// here, and a WM_TIMER still queued for a timer that is gone must find nothing.
std::unordered_map<UINT, TWindowTimer *> &LiveTimers() {
  static auto *timers = new std::unordered_map<UINT, TWindowTimer *>;  // never destroyed
  return *timers;
}
UINT lastTimerId = 0;

UINT NewTimerId(TWindowTimer *timer) {
  do {
    ++lastTimerId;
  } while (lastTimerId == 0 || LiveTimers().count(lastTimerId));
  LiveTimers()[lastTimerId] = timer;
  return lastTimerId;
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
  auto it = LiveTimers().find(static_cast<UINT>(Message.WParam));
  if (it == LiveTimers().end()) return;
  TWindowTimer *timer = it->second;
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
  timerId_ = NewTimerId(this);
  oneShot_ = false;
  active_ = false;
  period_ = Period;
  SetOnTick(std::move(Handler));
  AcquireTimerWindow();
}

TWindowTimer::~TWindowTimer() {
  if (active_) Disarm(true);
  LiveTimers().erase(timerId_);
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
