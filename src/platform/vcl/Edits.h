#pragma once
// The class library's one-line edit box, with its key events and the selection and clipboard calls
// the system makes.

#include "platform/ansi/AnsiString.h"
#include "platform/vcl/Keys.h"

#include <QLineEdit>

// ecUpperCase and ecLowerCase: the box shows in capitals or small letters whatever text it is given.
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TEdit : public TKeyControl<QLineEdit> {
 public:
  explicit TEdit(QWidget *parent) : TKeyControl<QLineEdit>(parent) {}
  AnsiString Text() const { return FromQString(text()); }
  void SetText(const AnsiString &value);
  TEditCharCase CharCase = ecNormal;
  void SelectAll() { selectAll(); }
  // Copies the selection, also while the box is hidden; nothing when nothing is selected. Where the desktop
  // has a second clipboard, the mouse selection that a middle click pastes (X11, some Wayland sessions),
  // the copy goes there too: Windows had one clipboard only.
  void CopyToClipboard();
};
