#include "platform/vcl/Edits.h"

#include <QClipboard>
#include <QGuiApplication>

void TEdit::CopyToClipboard() {
  if (!hasSelectedText()) return;
  copy();
  QClipboard *clipboard = QGuiApplication::clipboard();
  if (clipboard->supportsSelection()) clipboard->setText(selectedText(), QClipboard::Selection);
}
