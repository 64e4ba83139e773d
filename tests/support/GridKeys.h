#pragma once
// Keys for a data grid as a user types them: to the open cell editor when there is one, else to the grid;
// clicks on its cells.

#include "platform/vcl/DBGrids.h"

#include <QString>

namespace gridkeys {
void Key(TDBGrid *grid, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Each character, then Enter when the text ends in "\r".
void Type(TDBGrid *grid, const QString &text);
// A click of the left button on the middle of the cell, as the mouse gives it to the grid's viewport.
void Click(TDBGrid *grid, int row, int column);
}  // namespace gridkeys
