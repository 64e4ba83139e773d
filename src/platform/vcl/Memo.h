#pragma once
// The class library's memo: a plain multi-line text box with key events. Its lines are the text's
// paragraphs, whatever the wrapping shows; a last line without text is not a line, so an empty box
// has none and "a" CR LF "b" CR LF has two. Tab moves on to the next control, as in a memo that does
// not want tabs.

#include "platform/sys/StringList.h"
#include "platform/vcl/Keys.h"

#include <QPlainTextEdit>

class TMemo : public TKeyControl<QPlainTextEdit> {
 public:
  explicit TMemo(QWidget *parent);
  TStringList Lines() const;
  // Every line is followed by a line break, as the class library writes them into the box.
  void SetLines(const TStringList &lines);
};
