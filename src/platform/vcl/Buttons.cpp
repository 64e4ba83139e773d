#include "platform/vcl/Buttons.h"

#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"

TBitBtn::TBitBtn(QWidget *parent) : QPushButton(parent) {
  setAutoDefault(false);
  QObject::connect(this, &QPushButton::clicked, [this] { Guarded([this] { CallEvent(OnClick, this); }); });
}

void TBitBtn::SetHint(const AnsiString &hint) {
  hint_ = hint;
  UpdateToolTip();
}

void TBitBtn::SetShowHint(bool show) {
  showHint_ = show;
  UpdateToolTip();
}

void TBitBtn::UpdateToolTip() { setToolTip(showHint_ ? ToQString(hint_) : QString()); }
