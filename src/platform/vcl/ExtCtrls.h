#pragma once
// The class library's timer component on QTimer: writing Enabled or Interval restarts the count.

#include "platform/vcl/Classes.h"

#include <QTimer>

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent *AOwner);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned interval);
  TNotifyEvent OnTimer;
  int RemainingTime() const { return timer_.remainingTime(); }  // -1 while stopped

 private:
  void Restart();
  QTimer timer_;
  bool enabled_ = true;
  unsigned interval_ = 1000;
};
