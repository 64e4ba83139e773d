#pragma once
// Drawn controls without a window of their own: the rectangle shape and the bevel box.

#include "platform/vcl/Classes.h"

#include <QColor>
#include <QWidget>

// A solid fill, or lines of the colour going down from left to right over what lies behind.
enum TBrushStyle { bsSolid, bsFDiagonal };
enum TPenStyle { psSolid, psClear };

struct TBrush {
  QColor Color = Qt::white;
  TBrushStyle Style = bsSolid;
};

struct TPen {
  QColor Color = Qt::black;
  int Width = 1;
  TPenStyle Style = psSolid;  // psClear: no edge
};

// A rectangle filled with its brush and edged with its pen, drawn inside its bounds.
class TShape : public QWidget, public TObject {
 public:
  explicit TShape(QWidget *parent);
  TBrush Brush;
  TPen Pen;

 protected:
  void paintEvent(QPaintEvent *event) override;
};

// A lowered box: shadow on the top and left edges, highlight on the bottom and right.
class TBevel : public QWidget, public TObject {
 public:
  explicit TBevel(QWidget *parent);

 protected:
  void paintEvent(QPaintEvent *event) override;
};
