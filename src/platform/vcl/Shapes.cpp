#include "platform/vcl/Shapes.h"

#include <QPainter>

TShape::TShape(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void TShape::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  const int inset = Pen.Width / 2;
  QPen pen(Pen.Color);
  pen.setWidth(Pen.Width);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(Pen.Width > 0 ? pen : QPen(Qt::NoPen));
  painter.setBrush(Brush.Color);
  // The pen runs along the edge; with an even width the rectangle lies one pixel further in.
  painter.drawRect(QRect(inset, inset, width() - Pen.Width, height() - Pen.Width));
}

TBevel::TBevel(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void TBevel::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  const int right = width() - 1, bottom = height() - 1;
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, 0, right, 0);
  painter.drawLine(0, 0, 0, bottom);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(right, 0, right, bottom);
  painter.drawLine(0, bottom, right, bottom);
}
