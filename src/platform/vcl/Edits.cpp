#include "platform/vcl/Edits.h"

#include <QClipboard>
#include <QGuiApplication>

void TEdit::SetText(const AnsiString &value) {
  QString shown = ToQString(value);
  if (CharCase != ecNormal) {
    for (QChar &c : shown) {
      const QChar changed = CharCase == ecUpperCase ? c.toUpper() : c.toLower();
      // A letter whose other case the code page lacks (the micro sign) stays as it is.
      if (FromQString(QString(changed)) != "?") c = changed;
    }
  }
  setText(shown);
}

void TEdit::CopyToClipboard() {
  if (!hasSelectedText()) return;
  copy();
  QClipboard *clipboard = QGuiApplication::clipboard();
  if (clipboard->supportsSelection()) clipboard->setText(selectedText(), QClipboard::Selection);
}
