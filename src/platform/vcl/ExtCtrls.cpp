#include "platform/vcl/ExtCtrls.h"

#include "platform/vcl/Forms.h"

TTimer::TTimer(TComponent *AOwner) : TComponent(AOwner) {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (OnTimer) Guarded([this] { OnTimer(this); });
  });
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Restart();
}

void TTimer::SetInterval(unsigned interval) {
  interval_ = interval;
  Restart();
}

void TTimer::Restart() {
  timer_.stop();
  if (enabled_ && interval_ > 0) timer_.start(static_cast<int>(interval_));
}
