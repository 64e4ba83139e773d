#pragma once
// The class library's buttons with a picture: TBitBtn, a push button that takes the focus, and
// TSpeedButton, a flat tool button that never does. A hint is a tooltip only while ShowHint is on.

#include "platform/ansi/AnsiString.h"
#include "platform/vcl/Classes.h"

#include <QPushButton>
#include <QToolButton>

template <typename Button>
class TButtonControl : public Button, public TObject {
 public:
  explicit TButtonControl(QWidget *parent);

  AnsiString Caption() const { return FromQString(this->text()); }
  void SetCaption(const AnsiString &caption) { this->setText(ToQString(caption)); }
  AnsiString Hint() const { return hint_; }
  void SetHint(const AnsiString &hint) {
    hint_ = hint;
    UpdateToolTip();
  }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show) {
    showHint_ = show;
    UpdateToolTip();
  }
  void SetGlyph(const QIcon &glyph) { this->setIcon(glyph); }

  // Runs OnClick as a press of the button does; what it raises goes to the default error box.
  void Click() { this->click(); }
  TNotifyEvent OnClick;

 private:
  void UpdateToolTip() { this->setToolTip(showHint_ ? ToQString(hint_) : QString()); }
  AnsiString hint_;
  bool showHint_ = false;
};

// Enter on the focused button presses it, as on the desktop it stands for.
class TBitBtn : public TButtonControl<QPushButton> {
 public:
  explicit TBitBtn(QWidget *parent);

 protected:
  void keyPressEvent(QKeyEvent *event) override;
};

enum TButtonLayout { blGlyphLeft, blGlyphTop };

class TSpeedButton : public TButtonControl<QToolButton> {
 public:
  explicit TSpeedButton(QWidget *parent);
  void SetLayout(TButtonLayout layout);
};
