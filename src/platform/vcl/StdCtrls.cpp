#include "platform/vcl/StdCtrls.h"

#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"

void TLabel::mouseDoubleClickEvent(QMouseEvent *event) {
  QLabel::mouseDoubleClickEvent(event);
  if (OnDblClick) Guarded([this] { CallEvent(OnDblClick, this); });
}
