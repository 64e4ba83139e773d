#include "admin/UInstr_sql.h"

#include "admin/ExitButton.h"
#include "core/CreditQueries.h"
#include "core/UPRINC.h"
#include "platform/files/FileSystem.h"
#include "platform/sys/FormatFloat.h"
#include "platform/vcl/Anchors.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Fonts.h"

#include <QStyle>

TInstr_SQL *Instr_SQL = nullptr;

namespace {

const char *const kBackground = "c:\\Orvalix\\fundo2.bmp";

TLabel *NewLabel(QWidget *form, const char *name, const AnsiString &caption, int left, int top) {
  auto *label = new TLabel(form);
  label->setObjectName(name);
  label->setText(ToQString(caption));
  label->move(left, top);
  label->adjustSize();
  return label;
}

TSpeedButton *ToolButton(QWidget *form, const char *name, QStyle::StandardPixmap glyph, const AnsiString &hint,
                         QRect place) {
  auto *button = new TSpeedButton(form);
  button->setObjectName(name);
  button->SetGlyph(form->style()->standardIcon(glyph));
  button->SetHint(hint);
  button->SetShowHint(true);
  button->setGeometry(place);
  return button;
}

}  // namespace

TInstr_SQL::TInstr_SQL(TComponent *AOwner)
    : TForm(AOwner), resultLink_([this](TDataEvent) {
        const auto *result = dynamic_cast<const TCustomADODataSet *>(resultLink_.DataSet());
        Label3->setVisible(result && result->MoreRecords());
      }) {
  Name = "Instr_SQL";
  QWidget *form = Widget();
  form->setObjectName("Instr_SQL");
  SetCaption("Executa Instrução SQL"_a);
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu});
  SetBounds(83, 60, 619, 438);
  form->setFont(DesignFont("MS Sans Serif", 11, true));

  Image1 = new TImage(form);
  Image1->setObjectName("Image1");
  Image1->setGeometry(0, 0, 619, 438);
  Image1->SetStretch(true);
  Bevel3 = new TBevel(form);
  Bevel3->setObjectName("Bevel3");
  Bevel3->setGeometry(3, 4, 613, 398);

  Label1 = NewLabel(form, "Label1", "Instrução SQL:"_a, 11, 8);
  Memo1 = new TMemo(form);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(8, 24, 602, 92);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  SpeedButton1 = ToolButton(form, "SpeedButton1", QStyle::SP_MediaPlay, "Executa SQL acima", {16, 120, 53, 27});
  SpeedButton1->SetCaption("<F9>");
  SpeedButton2 =
      ToolButton(form, "SpeedButton2", QStyle::SP_BrowserStop, "Fecha tabela abaixo quando aberta", {70, 120, 26, 27});

  Label2 = NewLabel(form, "Label2", "Resultado:", 11, 153);
  SetFontColor(Label2, Qt::blue);
  const AnsiString shown = FormatFloat("#,###,##0", kShownRecords);
  Label3 = NewLabel(form, "Label3", "mais de " + shown + " linhas: exibidas as primeiras " + shown, 80, 153);
  SetFontColor(Label3, Qt::red);
  Label3->hide();

  DataSource1 = new TDataSource(this);
  DataSource1->Name = "DataSource1";
  DataSource1->SetDataSet(Form1->quecon);
  DBGrid1 = new TDBGrid(form);
  DBGrid1->setObjectName("DBGrid1");
  DBGrid1->setGeometry(8, 168, 601, 228);
  DBGrid1->SetDataSource(DataSource1);

  BitBtn2 = ExitButton(form, {297, 406, 63, 27});
  SetAnchors(BitBtn2, {akLeft, akBottom});

  QWidget::setTabOrder(Memo1, BitBtn2);
  QWidget::setTabOrder(BitBtn2, DBGrid1);
  Memo1->setFocus();
  resultLink_.SetDataSource(DataSource1);

  // Event bindings of the window description.
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  Memo1->OnKeyDown = [this](TObject *Sender, WORD &Key, TShiftState Shift) { Memo1KeyDown(Sender, Key, Shift); };
  SpeedButton1->OnClick = [this](TObject *Sender) { SpeedButton1Click(Sender); };
  SpeedButton2->OnClick = [this](TObject *Sender) { SpeedButton2Click(Sender); };
  BitBtn2->OnClick = [this](TObject *Sender) { BitBtn2Click(Sender); };
  DBGrid1->OnExit = [this](TObject *Sender) { DBGrid1Exit(Sender); };
  OnClose = [this](TObject *Sender, TCloseAction &Action) { FormClose(Sender, Action); };

  DoCreate();
}

TInstr_SQL::~TInstr_SQL() {
  if (Instr_SQL == this) Instr_SQL = nullptr;
}

void TInstr_SQL::FormCreate(TObject *) {
  if (FileExists(kBackground)) Image1->LoadFromFile(kBackground);
}

void TInstr_SQL::Memo1KeyDown(TObject *, WORD &Key, TShiftState) {
  if (Key == VK_F9) SpeedButton1->Click();
}

void TInstr_SQL::SpeedButton1Click(TObject *) {
  const AnsiString statement = Memo1->Lines().Text();
  if (statement.empty() || !PostResult()) return;
  TADOQuery &quecon = *Form1->quecon;
  SetStatement(quecon, {statement});
  // Only the console's own results are bounded: the other users of quecon read their first row.
  quecon.MaxRecords = kShownRecords;
  try {
    quecon.Open();
  } catch (const std::exception &error) {
    quecon.MaxRecords = 0;
    ShowMessage("SQL Resultou em erro: \r" + ExceptionMessage(error));
    return;
  }
  quecon.MaxRecords = 0;
}

void TInstr_SQL::SpeedButton2Click(TObject *) {
  if (Form1->quecon->Active() && PostResult()) Form1->quecon->Close();
}

void TInstr_SQL::BitBtn2Click(TObject *) { Close(); }

// The console has no navigator: leaving the grid posts the row in editing, or drops it when nothing was
// typed. A refused post keeps the focus in the grid.
void TInstr_SQL::DBGrid1Exit(TObject *) {
  if (Form1->quecon->Active()) Form1->quecon->CheckBrowseMode();
}

// The buttons take no focus and the close box leaves the grid without its exit: each posts first.
bool TInstr_SQL::PostResult() {
  bool posted = false;
  Guarded([&posted] {
    if (Form1->quecon->Active()) Form1->quecon->CheckBrowseMode();
    posted = true;
  });
  return posted;
}

void TInstr_SQL::FormClose(TObject *, TCloseAction &Action) {
  if (!PostResult()) Action = caNone;
}
