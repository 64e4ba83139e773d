#include "consultation/uAguarde.h"

#include "platform/vcl/Fonts.h"

Taguarde *aguarde = nullptr;

Taguarde::Taguarde(TComponent *AOwner) : TForm(AOwner) {
  Name = "aguarde";
  QWidget *form = Widget();
  form->setObjectName("aguarde");
  SetCaption("Aviso");
  SetBorderStyle(bsNone);
  SetBounds(-1, 0, 118, 26);
  form->setFont(DesignFont("MS Sans Serif", 11));

  Shape1 = new TShape(form);
  Shape1->setObjectName("Shape1");
  Shape1->setGeometry(0, 0, 118, 26);
  Shape1->Brush.Color = Qt::black;

  Bevel1 = new TBevel(form);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setGeometry(0, 1, 117, 25);

  AGUARDE = new TLabel(form);
  AGUARDE->setObjectName("AGUARDE");
  AGUARDE->setText("Aguarde...");
  AGUARDE->setFont(DesignFont("Verdana", 15, true));
  SetFontColor(AGUARDE, QColor(255, 255, 242));
  AGUARDE->move(18, 5);
  AGUARDE->adjustSize();  // AutoSize; no background of its own (Transparent)
}

Taguarde::~Taguarde() {
  if (aguarde == this) aguarde = nullptr;
}
