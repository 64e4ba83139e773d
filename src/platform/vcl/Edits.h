#pragma once
// The class library's one-line edit box, with the selection and clipboard calls the system makes.

#include "platform/ansi/AnsiString.h"
#include "platform/vcl/Classes.h"

#include <QLineEdit>

class TEdit : public QLineEdit, public TObject {
 public:
  explicit TEdit(QWidget *parent) : QLineEdit(parent) {}
  AnsiString Text() const { return FromQString(text()); }
  void SetText(const AnsiString &value) { setText(ToQString(value)); }
  void SelectAll() { selectAll(); }
  // Copies the selection, also while the box is hidden; nothing when nothing is selected. Where the desktop
  // has a second clipboard, the mouse selection that a middle click pastes (X11, some Wayland sessions),
  // the copy goes there too: Windows had one clipboard only.
  void CopyToClipboard();
};
