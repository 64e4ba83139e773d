#include "platform/vcl/Buttons.h"

#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"

#include <QKeyEvent>

template <typename Button>
TButtonControl<Button>::TButtonControl(QWidget *parent) : Button(parent) {
  QObject::connect(this, &Button::clicked, [this] { Guarded([this] { CallEvent(OnClick, this); }); });
}

template class TButtonControl<QPushButton>;
template class TButtonControl<QToolButton>;

TBitBtn::TBitBtn(QWidget *parent) : TButtonControl<QPushButton>(parent) { setAutoDefault(false); }

void TBitBtn::keyPressEvent(QKeyEvent *event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

TSpeedButton::TSpeedButton(QWidget *parent) : TButtonControl<QToolButton>(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAutoRaise(true);
  SetLayout(blGlyphLeft);
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
  setToolButtonStyle(layout == blGlyphTop ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextBesideIcon);
}
