#include "admin/UDados_empresas.h"

#include "admin/AccessCode.h"
#include "admin/ExitButton.h"
#include "admin/UInstr_sql.h"
#include "admin/USTATUS.h"
#include "admin/uHelp.h"
#include "core/UPRINC.h"
#include "platform/files/FileSystem.h"
#include "platform/vcl/Anchors.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Fonts.h"

#include <QStyle>
#include <memory>

TForm2 *Form2 = nullptr;

namespace {

TBevel *Frame(QWidget *parent, const char *name, QRect place) {
  auto *bevel = new TBevel(parent);
  bevel->setObjectName(name);
  bevel->setGeometry(place);
  return bevel;
}

TSpeedButton *ToolButton(QWidget *parent, const char *name, const AnsiString &caption, QStyle::StandardPixmap glyph,
                         int left, int top) {
  auto *button = new TSpeedButton(parent);
  button->setObjectName(name);
  button->SetCaption(caption);
  button->SetGlyph(parent->style()->standardIcon(glyph));
  button->SetLayout(blGlyphTop);
  button->setIconSize(QSize(24, 24));
  button->setGeometry(left, top, 89, 52);
  return button;
}

}  // namespace

TForm2::TForm2(TComponent *AOwner) : TForm(AOwner) {
  Name = "Form2";
  QWidget *form = Widget();
  form->setObjectName("Form2");
  SetCaption("Dados de Associados - Dados direto do site MYSQL");
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetBounds(82, 28, 619, 506);
  form->setFont(DesignFont("MS Sans Serif", 11));

  Image1 = new TImage(form);
  Image1->setObjectName("Image1");
  Image1->setGeometry(0, 0, 619, 506);
  Image1->SetStretch(true);
  Bevel1 = Frame(form, "Bevel1", {1, 1, 158, 46});
  Bevel2 = Frame(form, "Bevel2", {1, 46, 618, 424});

  Label2 = new TLabel(form);
  Label2->setObjectName("Label2");
  Label2->setText("Senha:");
  Label2->setFont(DesignFont("MS Sans Serif", 11, true));
  Label2->move(20, 14);
  Label2->adjustSize();

  Edit1 = new TEdit(form);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(70, 12, 56, 21);
  Edit1->setEchoMode(QLineEdit::Password);
  Edit1->setStyleSheet("lineedit-password-character: 42;");  // "*"
  Edit1->setFont(DesignFont("MS Sans Serif", 11, true));

  Label1 = new TLabel(form);
  Label1->setObjectName("Label1");
  Label1->setText("Acesso Restrito");
  QFont restricted = DesignFont("Verdana", 11);
  restricted.setItalic(true);
  restricted.setUnderline(true);
  Label1->setFont(restricted);
  Label1->setStyleSheet("color: white; background: transparent;");
  Label1->move(14, 208);
  Label1->adjustSize();

  Panel1 = new TPanel(form);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(2, 47, 617, 425);
  Panel1->hide();
  // The frames of the companies, the groups and the sectors, behind their grids.
  Bevel3 = Frame(Panel1, "Bevel3", {0, 0, 616, 169});
  Bevel4 = Frame(Panel1, "Bevel4", {0, 171, 510, 126});
  Bevel5 = Frame(Panel1, "Bevel5", {0, 298, 510, 124});
  CreateMemberTables();

  Button1 = new TBitBtn(Panel1);
  Button1->setObjectName("Button1");
  Button1->SetCaption("&Ajuda");
  Button1->SetGlyph(form->style()->standardIcon(QStyle::SP_DialogHelpButton));
  Button1->setGeometry(196, 139, 75, 29);

  Shape1 = new TShape(Panel1);
  Shape1->setObjectName("Shape1");
  Shape1->setGeometry(512, 169, 103, 251);
  Shape1->Brush.Color = QColor(218, 218, 218);
  Shape1->Pen.Color = QColor(218, 218, 218);
  SpeedButton2 = ToolButton(Panel1, "SpeedButton2", "&Estatísticas"_a, QStyle::SP_FileDialogInfoView, 520, 179);
  SpeedButton2->hide();
  SpeedButton1 = ToolButton(Panel1, "SpeedButton1", "&Instrução SQL"_a, QStyle::SP_FileDialogDetailedView, 520, 239);

  BitBtn2 = ExitButton(form, {297, 475, 63, 27});
  SetAnchors(BitBtn2, {akLeft, akBottom});

  // Panel1 comes first, then the password box: while the panel is hidden, the box has the focus.
  QWidget::setTabOrder(DBGrid1, DBGrid2);
  QWidget::setTabOrder(DBGrid2, DBGrid3);
  QWidget::setTabOrder(DBGrid3, Button1);
  QWidget::setTabOrder(Button1, Edit1);
  QWidget::setTabOrder(Edit1, BitBtn2);
  Edit1->setFocus();

  // Event bindings of the window description.
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  OnClose = [this](TObject *Sender, TCloseAction &Action) { FormClose(Sender, Action); };
  Edit1->OnKeyPress = [this](TObject *Sender, char &Key) { Edit1KeyPress(Sender, Key); };
  BitBtn2->OnClick = [this](TObject *Sender) { BitBtn2Click(Sender); };
  SpeedButton1->OnClick = [this](TObject *Sender) { SpeedButton1Click(Sender); };
  SpeedButton2->OnClick = [this](TObject *Sender) { SpeedButton2Click(Sender); };
  Button1->OnClick = [this](TObject *Sender) { Button1Click(Sender); };

  // The class library runs OnCreate once the window description is loaded.
  DoCreate();
}

TForm2::~TForm2() {
  if (Form2 == this) Form2 = nullptr;
}

void TForm2::FormCreate(TObject *) {
  if (FileExists("c:\\Orvalix\\fundo2.bmp")) Image1->LoadFromFile("c:\\Orvalix\\fundo2.bmp");
  attempts_ = 0;
}

void TForm2::Edit1KeyPress(TObject *, char &Key) {
  if (Key != '\r') return;
  if (UpperCase(Edit1->Text()) != AccessCode(Now())) {
    Edit1->setFocus();
    Edit1->clear();
    Edit1->SelectAll();
    if (++attempts_ == 4) {
      ShowMessage("Tentativas inspirarão."_a);
      Close();
    }
    return;
  }
  try {
    Table1->Open();
    table2->Open();
    Table3->Open();
  } catch (const std::exception &) {
    Form1->DisconnectDatabase();
    Form1->Timer2->SetEnabled(true);
    ShowMessage("Base estava desconectada. Tente novamente");
    return;
  }
  Edit1->setEnabled(false);
  Panel1->show();
  Label1->hide();
  DBGrid1->setFocus();
}

// The child windows: no guard of their own. An error reaches the default handler through the button,
// and the window goes at once, not shown.
void TForm2::SpeedButton1Click(TObject *) {
  const std::unique_ptr<TInstr_SQL> window(new TInstr_SQL(this));
  Instr_SQL = window.get();
  Instr_SQL->ShowModal();
}

void TForm2::SpeedButton2Click(TObject *) {
  const std::unique_ptr<TSTATUS> window(new TSTATUS(this));
  STATUS = window.get();
  STATUS->FillStatistics();
  STATUS->ShowModal();
}

void TForm2::Button1Click(TObject *) {
  const std::unique_ptr<Thelp> window(new Thelp(this));
  help = window.get();
  help->ShowModal();
}

void TForm2::BitBtn2Click(TObject *) { Close(); }

void TForm2::FormClose(TObject *, TCloseAction &) {
  if (Table1->Active()) Table1->Close();
  if (table2->Active()) table2->Close();
}
