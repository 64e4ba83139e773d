#include "platform/vcl/Shapes.h"

#include <QPainter>

TShape::TShape(QWidget *parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void TShape::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  const int edge = Pen.Style == psClear ? 0 : Pen.Width;
  const int inset = edge / 2;
  QPen pen(Pen.Color);
  pen.setWidth(edge);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(edge > 0 ? pen : QPen(Qt::NoPen));
  painter.setBrush(QBrush(Brush.Color, Brush.Style == bsFDiagonal ? Qt::FDiagPattern : Qt::SolidPattern));
  // The pen runs along the edge; with an even width the rectangle lies one pixel further in.
  painter.drawRect(QRect(inset, inset, width() - edge, height() - edge));
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
