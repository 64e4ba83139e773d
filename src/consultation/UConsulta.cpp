#include "consultation/UConsulta.h"

#include "core/CreditQueries.h"
#include "core/UPRINC.h"
#include "platform/files/FileSystem.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Fonts.h"

#include <QStyle>

TConsulta *Consulta = nullptr;

namespace {

const AnsiString kCpfMask = "!999.999.999-99;1;_";
const AnsiString kCnpjMask = "!99.999.999/9999-99;1;_";
// What the box gives with nothing typed.
const AnsiString kCpfEmpty = "   .   .   -  ";
const AnsiString kCnpjEmpty = "  .   .   /    -  ";
const char *const kBackground = "c:\\Orvalix\\fundo2.bmp";

TLabel *BoldLabel(QWidget *parent, const char *name, const char *utf8, int left, int top, int rightAlignedWidth = 0) {
  auto *label = new TLabel(parent);
  label->setObjectName(name);
  label->setText(QString::fromUtf8(utf8));
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  label->move(left, top);
  label->adjustSize();
  if (rightAlignedWidth > 0) {
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setGeometry(left, top, rightAlignedWidth, label->height());
  }
  return label;
}

TEdit *RecordBox(QWidget *parent, const char *name, int left, int top, int width, TEditCharCase charCase) {
  auto *box = new TEdit(parent);
  box->setObjectName(name);
  box->setGeometry(left, top, width, 21);
  box->setReadOnly(true);
  box->CharCase = charCase;
  return box;
}

// Controls on a disabled panel of the class library take no input but keep their looks.
void KeepLooksWhenDisabled(QWidget *panel) {
  QPalette palette = panel->palette();
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::Base, QPalette::Window})
    palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
  panel->setPalette(palette);
}

}  // namespace

TConsulta::TConsulta(TComponent *AOwner) : TForm(AOwner) {
  Name = "Consulta";
  QWidget *form = Widget();
  form->setObjectName("Consulta");
  SetCaption("Consultar CNPJ/CPF");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetBounds(242, 170, 539, 300);
  form->setFont(DesignFont("MS Sans Serif", 11));

  Image1 = new TImage(form);
  Image1->setObjectName("Image1");
  Image1->setGeometry(0, 0, 539, 300);
  Image1->SetStretch(true);

  Panel2 = new TPanel(form);
  Panel2->setObjectName("Panel2");
  Panel2->setGeometry(0, 0, 539, 72);
  Panel2->setFrameStyle(QFrame::NoFrame);
  Bevel1 = new TBevel(Panel2);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setGeometry(0, 0, 539, 29);
  RadioButton1 = new TRadioButton(Panel2);
  RadioButton1->setObjectName("RadioButton1");
  RadioButton1->setText(QString::fromUtf8("Pessoa Física"));
  RadioButton1->setGeometry(16, 6, 120, 17);
  RadioButton1->SetChecked(true);
  RadioButton2 = new TRadioButton(Panel2);
  RadioButton2->setObjectName("RadioButton2");
  RadioButton2->setText(QString::fromUtf8("Pessoa Jurídica"));
  RadioButton2->setGeometry(150, 6, 130, 17);
  Label1 = new TLabel(Panel2);
  Label1->setObjectName("Label1");
  Label1->setText("CPF:");
  Label1->move(16, 45);
  Label1->adjustSize();
  DOC = new TMaskEdit(Panel2);
  DOC->setObjectName("DOC");
  DOC->setGeometry(56, 41, 98, 21);
  DOC->SetEditMask(kCpfMask);
  QWidget::setTabOrder(DOC, RadioButton1);
  QWidget::setTabOrder(RadioButton1, RadioButton2);

  Panel1 = new TPanel(form);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(0, 72, 539, 196);
  Panel1->setFrameShadow(QFrame::Raised);
  Panel1->setEnabled(false);
  Panel3 = new TPanel(Panel1);
  Panel3->setObjectName("Panel3");
  Panel3->setGeometry(4, 4, 531, 160);
  Panel3->setFrameShadow(QFrame::Raised);
  Panel3->setEnabled(false);
  KeepLooksWhenDisabled(Panel3);

  ddd = BoldLabel(Panel3, "ddd", "Nome:", 6, 10);
  nome = RecordBox(Panel3, "nome", 72, 6, 449, ecUpperCase);
  Label2 = BoldLabel(Panel3, "Label2", "Endereço:", 6, 36);
  endereco = RecordBox(Panel3, "endereco", 72, 32, 449, ecUpperCase);
  poden = BoldLabel(Panel3, "poden", "Bairro:", 6, 62);
  bairro = RecordBox(Panel3, "bairro", 72, 58, 342, ecUpperCase);
  Label12 = BoldLabel(Panel3, "Label12", "CEP:", 415, 62, 32);
  cep = RecordBox(Panel3, "cep", 449, 58, 72, ecUpperCase);
  Label3 = BoldLabel(Panel3, "Label3", "Cidade:", 6, 88);
  cidade = RecordBox(Panel3, "cidade", 72, 84, 390, ecUpperCase);
  Label4 = BoldLabel(Panel3, "Label4", "UF:", 463, 88, 28);
  uf = RecordBox(Panel3, "uf", 493, 84, 28, ecUpperCase);
  Label5 = BoldLabel(Panel3, "Label5", "Telefone:", 6, 114);
  telefone = RecordBox(Panel3, "telefone", 72, 110, 110, ecUpperCase);
  Label10 = BoldLabel(Panel3, "Label10", "Tel.Contato:", 186, 114);
  fax = RecordBox(Panel3, "fax", 256, 110, 126, ecUpperCase);
  Label14 = BoldLabel(Panel3, "Label14", "Cel.:", 385, 114);
  celular = RecordBox(Panel3, "celular", 413, 110, 108, ecUpperCase);
  Label7 = BoldLabel(Panel3, "Label7", "E-Mail:", 6, 140);
  email = RecordBox(Panel3, "email", 72, 136, 188, ecLowerCase);
  Label6 = BoldLabel(Panel3, "Label6", "Inscr/RG:", 264, 140);
  rg = RecordBox(Panel3, "rg", 332, 136, 189, ecUpperCase);

  SpeedButton1 = new TBitBtn(Panel1);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setGeometry(8, 167, 40, 25);
  SpeedButton1->SetGlyph(form->style()->standardIcon(QStyle::SP_FileDialogContentsView));
  SpeedButton1->SetHint("Consultar outras informações"_a);
  SpeedButton1->SetShowHint(true);
  limpa = new TSpeedButton(Panel1);
  limpa->setObjectName("limpa");
  limpa->SetCaption("&Outra consulta");
  limpa->SetGlyph(form->style()->standardIcon(QStyle::SP_BrowserReload));
  limpa->setGeometry(52, 167, 130, 25);
  QWidget::setTabOrder(RadioButton2, SpeedButton1);

  BitBtn2 = new TBitBtn(form);
  BitBtn2->setObjectName("BitBtn2");
  BitBtn2->SetCaption("&Sair");
  BitBtn2->SetGlyph(form->style()->standardIcon(QStyle::SP_DialogCloseButton));
  BitBtn2->SetHint("Fechar janela.");
  BitBtn2->SetShowHint(false);
  BitBtn2->setGeometry(451, 271, 80, 25);
  QWidget::setTabOrder(SpeedButton1, BitBtn2);

  // Event bindings of the window description.
  OnCreate = [this](TObject *s) { FormCreate(s); };
  OnShow = [this](TObject *s) { FormShow(s); };
  OnClose = [this](TObject *s, TCloseAction &a) { FormClose(s, a); };
  RadioButton1->OnClick = [this](TObject *s) { RadioButton1Click(s); };
  RadioButton2->OnClick = [this](TObject *s) { RadioButton2Click(s); };
  RadioButton1->OnKeyDown = [this](TObject *s, WORD &k, TShiftState sh) { RadioButton1KeyDown(s, k, sh); };
  RadioButton2->OnKeyDown = [this](TObject *s, WORD &k, TShiftState sh) { RadioButton1KeyDown(s, k, sh); };
  DOC->OnKeyPress = [this](TObject *s, char &k) { DOCKeyPress(s, k); };
  SpeedButton1->OnClick = [this](TObject *s) { SpeedButton1Click(s); };
  limpa->OnClick = [this](TObject *s) { limpaClick(s); };
  BitBtn2->OnClick = [this](TObject *s) { BitBtn2Click(s); };
  DoCreate();
}

TConsulta::~TConsulta() {
  if (Consulta == this) Consulta = nullptr;
}

void TConsulta::FormCreate(TObject *) {
  if (FileExists(kBackground)) Image1->LoadFromFile(kBackground);
}

void TConsulta::FormShow(TObject *) { RadioButton1->setFocus(); }

void TConsulta::FormClose(TObject *, TCloseAction &) {
  if (Form1->quecon->Active()) Form1->quecon->Close();
}

void TConsulta::RadioButton1Click(TObject *) {
  Label1->setText("CPF:");
  Label1->adjustSize();
  DOC->SetEditMask(kCpfMask);
  DOC->resize(98, DOC->height());
}

void TConsulta::RadioButton2Click(TObject *) {
  Label1->setText("CNPJ:");
  Label1->adjustSize();
  DOC->SetEditMask(kCnpjMask);
  DOC->resize(123, DOC->height());
}

void TConsulta::RadioButton1KeyDown(TObject *, WORD &Key, TShiftState) {
  if (Key == VK_RETURN) DOC->setFocus();
}

void TConsulta::DOCKeyPress(TObject *, char &Key) {
  if (Key != '\r') return;
  const bool company = RadioButton2->Checked();
  const AnsiString text = DOC->Text();
  if (text != (company ? kCnpjEmpty : kCpfEmpty) && !Form1->ValidateDocument(text)) {
    ShowMessage(company ? "O CNPJ da empresa está incorreto!"_a : "O CPF está incorreto!"_a);
    DOC->setFocus();
    return;
  }
  if (!LoadClientRecord(DOC->Text())) nome->SetText("**Dados cadastrais não encontrados.**"_a);
  Panel2->setEnabled(false);
  DOC->setEnabled(false);
  Panel1->setEnabled(true);
  SpeedButton1->setEnabled(true);
  limpa->setEnabled(true);
  SpeedButton1->setFocus();
}

bool TConsulta::LoadClientRecord(const AnsiString &text) {
  const AnsiString digits = Form1->DigitsOnly(text);
  if (digits.empty()) return false;
  TADOQuery &quecon = *Form1->quecon;
  SendQuery(quecon, ClientRecordSql("'" + digits + "'"));
  if (quecon.IsEmpty()) {
    quecon.Close();
    return false;
  }
  const std::pair<TEdit *, const char *> boxes[] = {
      {nome, "nome"},         {endereco, "endereco"}, {bairro, "bairro"}, {cep, "cep"},
      {cidade, "cidade"},     {uf, "uf"},             {telefone, "telefone"}, {fax, "fax"},
      {email, "email"},       {celular, "celular"},   {rg, "insc_rg"},
  };
  for (const auto &[box, column] : boxes) box->SetText(quecon.FieldByName(column)->AsString());
  quecon.Close();
  return true;
}

void TConsulta::SpeedButton1Click(TObject *) { RunConsultation(Form1->DigitsOnly(DOC->Text())); }

void TConsulta::limpaClick(TObject *) {
  limpa->setEnabled(false);
  SpeedButton1->setEnabled(false);
  Panel1->setEnabled(false);
  for (TEdit *box : {nome, endereco, bairro, cep, cidade, uf, telefone, fax, celular, email, rg}) box->SetText("");
  DOC->SetText("");
  Panel2->setEnabled(true);
  DOC->setEnabled(true);
  if (RadioButton1->Checked()) RadioButton1->setFocus();
  else RadioButton2->setFocus();
}

void TConsulta::BitBtn2Click(TObject *) { Close(); }
