#pragma once
// The class library's masked edit box, on QLineEdit's input mask. An edit mask is "mask;save;blank":
// in the mask, '9' is a digit position that may stay untyped and any other character a literal kept in
// the text ('!' is read and changes nothing here); the blank character is shown for an untyped
// position. Text gives the digits typed, the literals in their places and a blank for every untyped
// position: "   .   .   -  " for "!999.999.999-99;1;_" with nothing typed.
//
// Typing takes digits (a literal typed moves to the field after it). Blanks of every kind around a
// paste are set aside. A paste that holds a whole number (as many digits as the mask has positions,
// besides blanks and the mask's literals) fills the box from its first position, wherever the caret.
// Any other paste fills the positions from the caret: digits skip the literals, a literal in its place
// is taken, and the first character that has no place (a letter, a blank inside, a literal out of
// place, more digits than positions) ends it. A new mask keeps the positions typed, in their order.
// Entering the box other than by a click selects its whole text (the class library's AutoSelect), and a
// click into a box without digits puts the caret on its first position, so that typing starts there.

#include "platform/ansi/AnsiString.h"
#include "platform/vcl/Keys.h"

#include <QChar>
#include <QLineEdit>

class TMaskEdit : public TKeyControl<QLineEdit> {
 public:
  explicit TMaskEdit(QWidget *parent);

  AnsiString EditMask() const { return editMask_; }
  void SetEditMask(const AnsiString &mask);
  AnsiString Text() const;
  // The empty text shows the empty mask; a blank stands for an untyped position.
  void SetText(const AnsiString &text);
  void PasteFromClipboard();

 protected:
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

 private:
  bool IsDigitPosition(int position) const;
  bool HoldsDigits() const;
  void HomeWhenEmpty();
  // The digits of a paste that holds a whole number; empty for any other.
  QString WholeNumber(const QString &text) const;
  // The text as the box shows it, with the blank character for an untyped position.
  QString Shown(const AnsiString &text) const;
  void Paste(const QString &text);

  AnsiString editMask_;
  AnsiString form_;  // the mask proper without '!': '9' and literals
  QChar blank_ = u'_';
};
