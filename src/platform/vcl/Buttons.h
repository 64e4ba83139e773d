#pragma once
// The class library's button with a picture. Its hint is a tooltip only while ShowHint is on.

#include "platform/ansi/AnsiString.h"
#include "platform/vcl/Classes.h"

#include <QPushButton>

class TBitBtn : public QPushButton, public TObject {
 public:
  explicit TBitBtn(QWidget *parent);

  AnsiString Caption() const { return FromQString(text()); }
  void SetCaption(const AnsiString &caption) { setText(ToQString(caption)); }
  AnsiString Hint() const { return hint_; }
  void SetHint(const AnsiString &hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show);
  void SetGlyph(const QIcon &glyph) { setIcon(glyph); }

  // Runs OnClick as a press of the button does; what it raises goes to the default error box.
  void Click() { click(); }
  TNotifyEvent OnClick;

 private:
  void UpdateToolTip();
  AnsiString hint_;
  bool showHint_ = false;
};
