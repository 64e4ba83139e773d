#include "platform/vcl/StdCtrls.h"

#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"

void TLabel::SetCaption(const QString &caption) {
  setText(caption);
  if (AutoSize) adjustSize();
}

void TLabel::mouseDoubleClickEvent(QMouseEvent *event) {
  QLabel::mouseDoubleClickEvent(event);
  if (OnDblClick) Guarded([this] { CallEvent(OnDblClick, this); });
}

TRadioButton::TRadioButton(QWidget *parent) : TKeyControl<QRadioButton>(parent) {
  QObject::connect(this, &QRadioButton::toggled, [this](bool checked) {
    if (checked) Guarded([this] { CallEvent(OnClick, this); });
  });
}
