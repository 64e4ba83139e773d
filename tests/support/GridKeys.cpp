#include "support/GridKeys.h"

#include <QTest>

namespace gridkeys {

namespace {
QWidget *Receiver(TDBGrid *grid) {
  if (QLineEdit *editor = grid->InplaceEditor()) return editor;
  return grid;
}
}  // namespace

void Key(TDBGrid *grid, Qt::Key key, Qt::KeyboardModifiers modifiers) { QTest::keyClick(Receiver(grid), key, modifiers); }

void Type(TDBGrid *grid, const QString &text) {
  for (QChar c : text) {
    if (c == '\r') {
      Key(grid, Qt::Key_Return);
    } else {
      QTest::keyClick(Receiver(grid), c.toLatin1());
    }
  }
}

void Click(TDBGrid *grid, int row, int column) {
  const QRect cell = grid->visualRect(grid->model()->index(row, column));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

}  // namespace gridkeys
