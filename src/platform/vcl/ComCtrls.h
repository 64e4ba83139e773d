#pragma once
// The class library's progress bar. A bar whose two ends meet (nothing to count) shows empty, as it does
// on Windows, not Qt's moving "busy" bar.

#include <QProgressBar>

class TProgressBar : public QProgressBar {
 public:
  explicit TProgressBar(QWidget *parent);

 protected:
  void paintEvent(QPaintEvent *event) override;
};
