#include "admin/USTATUS.h"

#include "admin/ExitButton.h"
#include "core/UPRINC.h"
#include "platform/files/FileSystem.h"
#include "platform/sys/FormatFloat.h"
#include "platform/vcl/Anchors.h"
#include "platform/vcl/Fonts.h"

#include <vector>

TSTATUS *STATUS = nullptr;

namespace {

const char *const kBackground = "c:\\Orvalix\\fundo2.bmp";
const char *const kWhole = "#,###,##0";
const char *const kAmount = "#,###,##0.00";

struct Figure {
  const char *column;
  TLabel *TSTATUS::*label;
  const char *pattern;
};

struct Statement {
  const char *text;
  std::vector<Figure> figures;
};

const Statement kStatements[] = {
    {"select count(*) ct from clientes", {{"ct", &TSTATUS::A, kWhole}}},
    {"select sum(chp_dev) b, max(chp_dev_vlr) c,max(cht_dev_vlr) e,max(tit_em_ab) g from dados",
     {{"b", &TSTATUS::B, kWhole}, {"c", &TSTATUS::C, kAmount}, {"e", &TSTATUS::E, kAmount},
      {"g", &TSTATUS::G, kAmount}}},
    {"select min(chp_dev_vlr) d from dados where chp_dev_vlr>0", {{"d", &TSTATUS::D, kAmount}}},
    {"select min(cht_dev_vlr) f from dados where cht_dev_vlr>0", {{"f", &TSTATUS::F, kAmount}}},
    {"select min(tit_em_ab) h from dados where tit_em_ab>0", {{"h", &TSTATUS::H, kAmount}}},
};

// A transparent label that sizes itself to its text.
TLabel *NewLabel(QWidget *form, const char *name, const AnsiString &caption, const QFont &font, const QColor &color) {
  auto *label = new TLabel(form);
  label->setObjectName(name);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  label->setText(ToQString(caption));
  label->adjustSize();
  return label;
}

TLabel *CaptionLabel(QWidget *form, const char *name, const AnsiString &caption, int top) {
  TLabel *label = NewLabel(form, name, caption, DesignFont("MS Sans Serif", 11), Qt::black);
  label->move(11, top);
  return label;
}

// A value label sizes itself to its figure and keeps its aligned edge: the left one, or the right one
// of a right-aligned label.
void SetValue(TLabel *label, const AnsiString &text) {
  const int right = label->x() + label->width();
  label->setText(ToQString(text));
  label->adjustSize();
  if (label->alignment() & Qt::AlignRight) label->move(right - label->width(), label->y());
}

// A bold value label, "0" until filled, with its left edge or (right-aligned) its right edge at `edge`.
TLabel *ValueLabel(QWidget *form, const char *name, const QColor &color, int top, int edge, Qt::Alignment side) {
  TLabel *label = NewLabel(form, name, "0", DesignFont("MS Sans Serif", 11, true), color);
  label->setAlignment(side | Qt::AlignVCenter);
  label->move(side == Qt::AlignRight ? edge - label->width() : edge, top);
  return label;
}

}  // namespace

TSTATUS::TSTATUS(TComponent *AOwner) : TForm(AOwner) {
  Name = "STATUS";
  QWidget *form = Widget();
  form->setObjectName("STATUS");
  SetCaption("STATUS");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetBounds(158, 176, 471, 253);
  form->setFont(DesignFont("MS Sans Serif", 11));

  Image1 = new TImage(form);
  Image1->setObjectName("Image1");
  Image1->setGeometry(0, 0, 471, 253);
  Image1->SetStretch(true);

  Bevel1 = new TBevel(form);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setGeometry(4, 45, 464, 172);

  Shape1 = new TShape(form);
  Shape1->setObjectName("Shape1");
  Shape1->setGeometry(5, 47, 463, 169);
  Shape1->Brush.Color = QColor(208, 230, 242);
  Shape1->Brush.Style = bsFDiagonal;
  Shape1->Pen.Style = psClear;
  SetAnchors(Shape1, {akLeft, akTop, akRight});

  QFont title = DesignFont("Verdana", 16, true);
  title.setUnderline(true);
  Label1 = NewLabel(form, "Label1", "Estatísticas"_a, title, QColor(0, 0, 128));  // clNavy
  Label1->move(171, 13);

  Label2 = CaptionLabel(form, "Label2", "DADOS CADASTRAIS DE EMPRESAS:", 64);
  Label3 = CaptionLabel(form, "Label3", "CHEQUES DEVOLVIDOS:", 82);
  Label5 = CaptionLabel(form, "Label5", "EMPRESA COM MAIOR VALOR DE CHEQUES PRÓPRIOS DEVOLVIDOS:"_a, 103);
  Label7 = CaptionLabel(form, "Label7", "EMPRESA COM MENOR VALOR DE CHEQUES PRÓPRIOS DEVOLVIDOS:"_a, 118);
  Label9 = CaptionLabel(form, "Label9", "EMPRESA COM MAIOR VALOR DE CHEQUES DE TERCEIROS DEVOLVIDOS:", 139);
  Label10 = CaptionLabel(form, "Label10", "EMPRESA COM MENOR VALOR DE CHEQUES DE TERCEIROS DEVOLVIDOS:", 154);
  Label13 = CaptionLabel(form, "Label13", "EMPRESA COM MAIOR VALOR DE TÍTULOS EM ABERTO:"_a, 176);
  Label14 = CaptionLabel(form, "Label14", "EMPRESA COM MENOR VALOR DE TÍTULOS EM ABERTO:"_a, 191);

  A = ValueLabel(form, "A", Qt::blue, 64, 208, Qt::AlignLeft);
  B = ValueLabel(form, "B", Qt::red, 82, 141, Qt::AlignLeft);
  C = ValueLabel(form, "C", Qt::black, 103, 462, Qt::AlignRight);
  D = ValueLabel(form, "D", Qt::black, 118, 462, Qt::AlignRight);
  E = ValueLabel(form, "E", Qt::black, 139, 462, Qt::AlignRight);
  F = ValueLabel(form, "F", Qt::black, 154, 462, Qt::AlignRight);
  G = ValueLabel(form, "G", Qt::black, 176, 373, Qt::AlignRight);
  H = ValueLabel(form, "H", Qt::black, 191, 373, Qt::AlignRight);

  BitBtn2 = ExitButton(form, {209, 222, 63, 27});
  BitBtn2->OnClick = [this](TObject *Sender) { BitBtn2Click(Sender); };
  SetAnchors(BitBtn2, {akLeft, akBottom});

  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  DoCreate();
}

TSTATUS::~TSTATUS() {
  if (STATUS == this) STATUS = nullptr;
}

void TSTATUS::FormCreate(TObject *) {
  if (FileExists(kBackground)) Image1->LoadFromFile(kBackground);
}

void TSTATUS::BitBtn2Click(TObject *) { Close(); }

void TSTATUS::FillStatistics() {
  TADOQuery *quecon = Form1->quecon;
  for (const Statement &statement : kStatements) {
    // A new statement closes the query's last result, even one of the same text.
    quecon->Close();
    quecon->SQL.Clear();
    quecon->SQL.Add(statement.text);
    quecon->Open();
    if (!quecon->IsEmpty())
      for (const Figure &figure : statement.figures)
        SetValue(this->*figure.label, FormatFloat(figure.pattern, quecon->FieldByName(figure.column)->AsFloat()));
    quecon->Close();
  }
}
