#include "admin/ExitButton.h"

#include <QStyle>

TBitBtn *ExitButton(QWidget *form, QRect place) {
  auto *button = new TBitBtn(form);
  button->setObjectName("BitBtn2");
  button->SetCaption("&Sair");
  button->SetGlyph(form->style()->standardIcon(QStyle::SP_DialogCloseButton));
  button->SetHint("Fechar janela.");
  button->setGeometry(place);
  return button;
}
