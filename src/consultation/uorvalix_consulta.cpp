#include "consultation/uorvalix_consulta.h"

#include "platform/vcl/Fonts.h"

Torvalix_consulta *orvalix_consulta = nullptr;

Torvalix_consulta::Torvalix_consulta(TComponent *AOwner) : TQuickRep(AOwner) {
  Name = "orvalix_consulta";
  Page.PaperSize = A4;
  Page.Orientation = poPortrait;
  Page.LeftMargin = Page.RightMargin = Page.TopMargin = Page.BottomMargin = 10.0;
  Page.Columns = 1;
  Zoom = 100;
  PrintIfEmpty = true;
  Options = {FirstPageHeader, LastPageFooter};
  Font = DesignFont("Arial", 13);

  QRBand1 = new TQRBand(this, this);
  QRBand1->Name = "QRBand1";
  QRBand1->BandType = rbTitle;
  QRBand1->Color = Qt::white;
  QRBand1->Width = 190.0;
  QRBand1->Height = 265.4;

  rick = new TQRRichText(this, QRBand1);
  rick->Name = "rick";
  rick->Left = 14.8;
  rick->Top = 2.1;
  rick->Width = 161.1;
  rick->Height = 258.5;
  rick->AutoStretch = false;
  rick->Alignment = taLeftJustify;
  rick->Font = DesignFont("Arial", 13);
}

Torvalix_consulta::~Torvalix_consulta() {
  if (orvalix_consulta == this) orvalix_consulta = nullptr;
}
