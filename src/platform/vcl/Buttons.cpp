#include "platform/vcl/Buttons.h"

#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"

template <typename Button>
TButtonControl<Button>::TButtonControl(QWidget *parent) : Button(parent) {
  QObject::connect(this, &Button::clicked, [this] { Guarded([this] { CallEvent(OnClick, this); }); });
}

template class TButtonControl<QPushButton>;
template class TButtonControl<QToolButton>;

TBitBtn::TBitBtn(QWidget *parent) : TButtonControl<QPushButton>(parent) { setAutoDefault(false); }

TSpeedButton::TSpeedButton(QWidget *parent) : TButtonControl<QToolButton>(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAutoRaise(true);
  SetLayout(blGlyphLeft);
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
  setToolButtonStyle(layout == blGlyphTop ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextBesideIcon);
}
