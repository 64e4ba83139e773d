#include "core/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

// A white O on a round blue badge.
QIcon ProgramIcon() {
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0, 70, 150));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(1, 1, 30, 30);
  painter.setPen(QPen(Qt::white, 4));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(9, 9, 14, 14);
  return QIcon(picture);
}
