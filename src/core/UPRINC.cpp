#include "core/UPRINC.h"

#include "core/ProgramIcon.h"
#include "platform/files/FileSystem.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/Dialogs.h"

#include <QApplication>
#include <QFont>
#include <QStyle>

TForm1 *Form1 = nullptr;

namespace {

QFont DesignFont(const QStringList &families, int pixels, bool bold = false) {
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QPushButton *BitBtn(QWidget *parent, const char *name, const AnsiString &caption, QStyle::StandardPixmap glyph,
                    int left, int top, int width, int height) {
  auto *button = new QPushButton(ToQString(caption), parent);
  button->setObjectName(QLatin1String(name));
  button->setIcon(QApplication::style()->standardIcon(glyph));
  button->setGeometry(left, top, width, height);
  return button;
}

}  // namespace

TForm1::TForm1(TComponent *AOwner) : TForm(AOwner) {
  Name = "Form1";
  QWidget *window = Widget();
  window->setObjectName(QStringLiteral("Form1"));
  SetCaption(" ");
  SetBorderStyle(bsNone);
  SetBounds(152, 145, 444, 300);
  window->setFont(DesignFont({"MS Sans Serif", "Nimbus Sans", "DejaVu Sans"}, 11));

  Image1 = new TImage(window);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(0, 0, 625, 364);

  Label2 = new TLabel(window);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->move(9, 267);
  Label2->setFont(DesignFont({"Times New Roman", "Nimbus Roman", "DejaVu Serif"}, 19, true));
  Label2->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
  Label2->SetCaption(QStringLiteral("CONECTADO"));  // sized to its text: "CONECTANDO..." is wider
  Label2->hide();

  Label3 = new QLabel(QStringLiteral(" "), window);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->move(14, 199);
  Label3->adjustSize();

  Panel1 = new TPanel(window);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(8, 192, 432, 27);
  Panel1->setEnabled(false);
  Panel1->hide();
  Label1 = new QLabel(QStringLiteral("Atualizando dados:"), Panel1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->move(8, 7);
  Label1->adjustSize();
  pb1 = new TProgressBar(Panel1);
  pb1->setObjectName(QStringLiteral("pb1"));
  pb1->setGeometry(99, 5, 326, 17);
  pb1->setRange(0, 100);
  pb1->setValue(0);
  pb1->setTextVisible(false);

  cons = BitBtn(window, "cons", "&Consultar", QStyle::SP_FileDialogContentsView, 164, 263, 85, 30);
  cons->hide();
  Button1 = BitBtn(window, "Button1", "&Minimizar", QStyle::SP_TitleBarMinButton, 286, 263, 79, 30);
  Button1->setEnabled(false);
  Button2 = BitBtn(window, "Button2", "&Fechar", QStyle::SP_DialogCloseButton, 366, 263, 72, 30);
  Button2->setEnabled(false);
  QWidget::setTabOrder(cons, Button1);
  QWidget::setTabOrder(Button1, Button2);

  Timer1 = new TTimer(this);
  Timer1->Name = "Timer1";
  Timer1->SetInterval(3000);

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->Name = "PopupMenu1";
  Sobre1 = new TMenuItem(PopupMenu1);
  Sobre1->Name = "Sobre1";
  Sobre1->Caption = "Abrir";
  Sobre1->Default = true;
  Consultar1 = new TMenuItem(PopupMenu1);
  Consultar1->Name = "Consultar1";
  Consultar1->Caption = "Consultar";
  Consultar1->Visible = false;
  N1 = new TMenuItem(PopupMenu1);
  N1->Name = "N1";
  N1->Caption = "-";
  Sair1 = new TMenuItem(PopupMenu1);
  Sair1->Name = "Sair1";
  Sair1->Caption = "Sair";
  for (TMenuItem *item : {Sobre1, Consultar1, N1, Sair1}) PopupMenu1->Items()->Add(item);

  TrayIcon1 = new TTrayIcon(this);
  TrayIcon1->Name = "TrayIcon1";
  TrayIcon1->BeginLoading();
  TrayIcon1->SetCycleInterval(0);
  TrayIcon1->SetHint("Orvalix Express");
  {
    TIcon icon;
    icon.SetImage(ProgramIcon());
    TrayIcon1->SetIcon(&icon);
  }
  TrayIcon1->SetIconVisible(true);
  TrayIcon1->SetIconIndex(0);
  TrayIcon1->SetPopupMenu(PopupMenu1);

  Timer2 = new TTimer(this);
  Timer2->Name = "Timer2";
  Timer2->SetEnabled(false);
  Timer2->SetInterval(500);
  Timer3 = new TTimer(this);
  Timer3->Name = "Timer3";
  Timer3->SetEnabled(false);
  Timer3->SetInterval(7200000);

  Database1 = new TADOConnection(this);
  Database1->Name = "Database1";
  Database1->Provider = "MSDASQL.1";
  Database1->LoginPrompt = false;
  quecon = new TADOQuery(this);
  quecon->Name = "quecon";
  quecon->SetConnection(Database1);
  Querytimer = new TADOQuery(this);
  Querytimer->Name = "Querytimer";
  Querytimer->SetConnection(Database1);
  Querytimer->SQL.Add("set session wait_timeout=31536000");

  // Event bindings of the window description.
  OnCreate = [this](TObject *s) { FormCreate(s); };
  OnClose = [this](TObject *s, TCloseAction &a) { FormClose(s, a); };
  QObject::connect(cons, &QPushButton::clicked, [this] { Guarded([this] { consClick(this); }); });
  QObject::connect(Button1, &QPushButton::clicked, [this] { Guarded([this] { Button1Click(this); }); });
  QObject::connect(Button2, &QPushButton::clicked, [this] { Guarded([this] { Button2Click(this); }); });
  Timer1->OnTimer = [this](TObject *s) { Timer1Timer(s); };
  Timer2->OnTimer = [this](TObject *s) { Timer2Timer(s); };
  Timer3->OnTimer = [this](TObject *s) { Timer3Timer(s); };
  Sobre1->OnClick = [this](TObject *s) { Sobre1Click(s); };
  Consultar1->OnClick = [this](TObject *s) { Consultar1Click(s); };
  Sair1->OnClick = [this](TObject *s) { Sair1Click(s); };
  TrayIcon1->OnDblClick = [this](TObject *s) { TrayIcon1DblClick(s); };
  Label2->OnDblClick = [this](TObject *s) { Label2DblClick(s); };
  Database1->AfterConnect = [this](TObject *s) { ADOConnection1AfterConnect(s); };
  quecon->AfterOpen = [this](TObject *s) { QuerytimerAfterOpen(s); };
  Querytimer->AfterOpen = [this](TObject *s) { QuerytimerAfterOpen(s); };

  // The window description is read: the icon component finishes its loading before FormCreate runs.
  TrayIcon1->EndLoading();
}

void TForm1::FormCreate(TObject *) {
  RegisterDataSource();
  // The account is kept scrambled; the password is read first, then the name.
  const AnsiString password = UnscrambleText("4]pC\x82^\x84>w");
  const AnsiString user = UnscrambleText("6\x81\x84\x88s~{\x8a");
  Database1->ConnectionString = "Provider=MSDASQL.1;Password=" + password + ";Persist Security Info=True;User ID=" +
                                user + ";Data Source=Check";
  UpdateFileOpen = false;
  CreateExchangeFolders();
  // From the start on, so that a file written meanwhile is known whole as soon as its writer closes it.
  remessa_.Update();
  {
    TStringList stale;
    ListFiles(kRetorno + "*.ret", stale);
    for (const AnsiString &name : stale) DeleteFile(kRetorno + name);
  }
  if (FileExists("c:\\Orvalix\\orvalix.bmp")) Image1->LoadFromFile("c:\\Orvalix\\orvalix.bmp");
  Timer2->SetEnabled(true);
}

void TForm1::CreateExchangeFolders() {
  for (const char *folder : {"c:\\Orvalix", "c:\\Orvalix\\Remessa", "c:\\Orvalix\\Retorno"})
    if (!DirectoryExists(folder)) CreateDir(folder);
}

void TForm1::Timer1Timer(TObject *) {
  Timer1->SetEnabled(false);
  Timer1->SetInterval(10);
  Button1->setEnabled(true);
  Button2->setEnabled(true);
  cons->setVisible(!LoadLocalConfig().empty());
  Consultar1->Visible = ::Visible(cons);
  TrayIcon1->SetIconVisible(true);
  TrayIcon1->HideMainForm();
  // A tick waiting in one of its message boxes keeps Timer2 off until it ends.
  if (!Timer2->Enabled() && !tickRunning_) Timer2->SetEnabled(true);
}

void TForm1::Button1Click(TObject *) { Timer1->SetEnabled(true); }

void TForm1::Button2Click(TObject *) { Close(); }

void TForm1::Sair1Click(TObject *) { Close(); }

void TForm1::Sobre1Click(TObject *) {
  TrayIcon1->SetIconVisible(false);
  TrayIcon1->RestoreMainForm();
}

void TForm1::TrayIcon1DblClick(TObject *) {
  TrayIcon1->SetIconVisible(false);
  TrayIcon1->RestoreMainForm();
}

void TForm1::Consultar1Click(TObject *) {
  if (::Visible(cons)) cons->click();
}

void TForm1::FormClose(TObject *, TCloseAction &Action) {
  // The end of the session does not wait for a data-update file: it resumes where it stopped.
  if (::Visible(Panel1) && !Application->EndingSession()) {
    Application->MessageBox("Você não pode fechar o sistema em processamento."_a, "Orvalix", MB_OK);
    Action = caNone;
    return;
  }
  const AnsiString question = "NÃO É ACONSELHÁVEL QUE VOCÊ DESLIGUE O ORVALIX. "_a + "\r" + "Deseja continuar?";
  if (Application->MessageBox(question, "A T E N Ç Ã O"_a, MB_YESNO) == IDNO) {
    Action = caNone;
    return;
  }
  DisconnectDatabase();
}
