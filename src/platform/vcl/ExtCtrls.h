#pragma once
// The class library's timer component on QTimer: writing Enabled or Interval restarts the count.

#include "platform/vcl/Classes.h"

#include "platform/sys/Exceptions.h"

#include <QFrame>
#include <QLabel>
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

// A panel: a lowered frame whose Hint the system may use to keep a text (it is never shown).
class TPanel : public QFrame {
 public:
  explicit TPanel(QWidget *parent);
  AnsiString Hint;
};

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};

// A picture at its natural size, cut off at the control's edge, or stretched over the control.
class TImage : public QLabel {
 public:
  explicit TImage(QWidget *parent);
  void SetStretch(bool stretch) { setScaledContents(stretch); }
  // Raises EInvalidGraphic when the file is no readable picture, EFOpenError when it cannot be opened.
  void LoadFromFile(const AnsiString &path);
  bool Empty() const;
};
