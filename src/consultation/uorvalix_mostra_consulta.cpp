#include "consultation/uorvalix_mostra_consulta.h"

#include "consultation/uorvalix_consulta.h"
#include "platform/files/FileSystem.h"
#include "platform/vcl/Anchors.h"
#include "platform/vcl/Fonts.h"

#include <QStyle>
#include <memory>

Torvalix_mostra_consulta *orvalix_mostra_consulta = nullptr;

namespace {

const char *const kPrintFile = "TEMP.RTF";  // in the current folder

TLabel *Heading(QWidget *parent, const char *name, int left, int top, const QColor &color) {
  auto *label = new TLabel(parent);
  label->setObjectName(name);
  label->setText(ToQString("Atenção"_a));
  label->setFont(DesignFont("Verdana", 29, true));
  SetFontColor(label, color);
  label->move(left, top);
  label->adjustSize();  // AutoSize; no background of its own (Transparent)
  return label;
}

}  // namespace

Torvalix_mostra_consulta::Torvalix_mostra_consulta(TComponent *AOwner) : TForm(AOwner) {
  Name = "orvalix_mostra_consulta";
  QWidget *form = Widget();
  form->setObjectName("orvalix_mostra_consulta");
  SetCaption("Tela de Consulta - Orvalix Express");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetBounds(6, 10, 620, 549);
  form->setFont(DesignFont("MS Sans Serif", 11));  // on the desktop's button face (clBtnFace)

  Shape1 = new TShape(form);
  Shape1->setObjectName("Shape1");
  Shape1->setGeometry(-1, -1, 622, 517);
  Shape1->Brush.Color = QColor(255, 0, 0);    // clRed
  Shape1->Pen.Color = QColor(192, 192, 192);  // clSilver
  SetAnchors(Shape1, {akLeft, akTop, akRight, akBottom});

  Bevel3 = new TBevel(form);
  Bevel3->setObjectName("Bevel3");
  Bevel3->setGeometry(2, 518, 617, 31);
  SetAnchors(Bevel3, {akLeft, akRight, akBottom});

  Label1 = Heading(form, "Label1", 234, 1, Qt::white);
  Label2 = Heading(form, "Label2", 233, 0, QColor(255, 255, 128));

  rick = new TRichEdit(form);
  rick->setObjectName("rick");
  rick->setGeometry(1, 38, 617, 476);
  QPalette palette = rick->palette();
  palette.setColor(QPalette::Base, QColor(255, 255, 251));
  rick->setPalette(palette);
  rick->setReadOnly(true);
  rick->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  rick->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  rick->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  rick->setLineWrapMode(QTextEdit::WidgetWidth);
  rick->setPlainText("rick");
  SetAnchors(rick, {akLeft, akTop, akRight, akBottom});

  BitBtn5 = new TBitBtn(form);
  BitBtn5->setObjectName("BitBtn5");
  BitBtn5->SetCaption("Im&primir");
  BitBtn5->setGeometry(22, 520, 99, 28);
  BitBtn5->SetHint("Imprime Orçamento de Venda."_a);
  BitBtn5->SetShowHint(true);
  BitBtn5->SetGlyph(QIcon::fromTheme("document-print", form->style()->standardIcon(QStyle::SP_FileIcon)));
  BitBtn5->setVisible(false);
  BitBtn5->OnClick = [this](TObject *Sender) { BitBtn5Click(Sender); };

  BitBtn2 = new TBitBtn(form);
  BitBtn2->setObjectName("BitBtn2");
  BitBtn2->SetCaption("&Sair");
  BitBtn2->setGeometry(520, 519, 75, 28);
  BitBtn2->SetHint("Fechar janela.");
  BitBtn2->SetShowHint(false);
  BitBtn2->SetGlyph(form->style()->standardIcon(QStyle::SP_DialogCloseButton));
  BitBtn2->OnClick = [this](TObject *Sender) { BitBtn2Click(Sender); };
  SetAnchors(BitBtn2, {akRight, akBottom});

  Edit1 = new TEdit(form);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(360, 520, 33, 21);
  Edit1->SetText(" ");
  Edit1->setVisible(false);

  // rick is first in the tab order.
  QWidget::setTabOrder(rick, BitBtn5);
  QWidget::setTabOrder(BitBtn5, BitBtn2);
  QWidget::setTabOrder(BitBtn2, Edit1);

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->SetInterval(50);
  Timer1->SetEnabled(true);
  Timer1->OnTimer = [this](TObject *Sender) { Timer1Timer(Sender); };
}

Torvalix_mostra_consulta::~Torvalix_mostra_consulta() {
  if (orvalix_mostra_consulta == this) orvalix_mostra_consulta = nullptr;
}

void Torvalix_mostra_consulta::BitBtn2Click(TObject *) { Close(); }

// Whatever was copied, from the result or elsewhere, gives way to one blank.
void Torvalix_mostra_consulta::Timer1Timer(TObject *) {
  Edit1->SelectAll();
  Edit1->CopyToClipboard();
}

void Torvalix_mostra_consulta::BitBtn5Click(TObject *) {
  const std::unique_ptr<Torvalix_consulta> report(new Torvalix_consulta(this));
  orvalix_consulta = report.get();
  rick->Lines->SaveToFile(kPrintFile);
  try {
    orvalix_consulta->rick->Lines()->LoadFromFile(kPrintFile);
  } catch (...) {
    DeleteFile(kPrintFile);
    throw;
  }
  DeleteFile(kPrintFile);
  orvalix_consulta->Preview();
}
