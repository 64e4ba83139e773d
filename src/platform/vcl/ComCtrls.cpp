#include "platform/vcl/ComCtrls.h"

#include <QStyleOptionProgressBar>
#include <QStylePainter>

TProgressBar::TProgressBar(QWidget *parent) : QProgressBar(parent) {}

void TProgressBar::paintEvent(QPaintEvent *event) {
  if (minimum() != maximum()) {
    QProgressBar::paintEvent(event);
    return;
  }
  QStyleOptionProgressBar option;
  initStyleOption(&option);
  option.maximum = option.minimum + 1;
  option.progress = option.minimum;
  QStylePainter painter(this);
  painter.drawControl(QStyle::CE_ProgressBar, option);
}
