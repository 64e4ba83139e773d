#pragma once
// A label that tells its double click, which QLabel does not.

#include "platform/vcl/Classes.h"

#include <QLabel>

class TLabel : public QLabel, public TObject {
 public:
  explicit TLabel(QWidget *parent) : QLabel(parent) {}
  TNotifyEvent OnDblClick;

 protected:
  void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// The class library's Visible of a control: its own flag, whatever its window shows.
inline bool Visible(const QWidget *control) { return !control->isHidden(); }
