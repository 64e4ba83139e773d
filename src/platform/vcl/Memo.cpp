#include "platform/vcl/Memo.h"

#include <QTextDocument>

TMemo::TMemo(QWidget *parent) : TKeyControl<QPlainTextEdit>(parent) {
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);  // the class library's WordWrap
}

TStringList TMemo::Lines() const {
  // The raw text keeps no-break spaces, which the plain text turns into blanks.
  QString text = document()->toRawText();
  text.replace(QChar::ParagraphSeparator, '\n').replace(QChar::LineSeparator, '\n');
  TStringList lines;
  lines.SetText(FromQString(text));
  return lines;
}

void TMemo::SetLines(const TStringList &lines) {
  QString text;
  for (const AnsiString &line : lines) text += ToQString(line) + '\n';
  setPlainText(text);
}
