// The main window's connection: the ODBC data source, connect and disconnect with their signs, the
// network state and the keep-alive.

#include "core/UPRINC.h"

#include "core/BatchJournal.h"
#include "platform/files/FileSystem.h"
#include "platform/sys/Exceptions.h"
#include "platform/win/Registry.h"
#include "platform/win/WinInet.h"

void TForm1::RegisterDataSource() {
  auto registry = std::make_unique<TRegistry>(KEY_ALL_ACCESS);
  registry->RootKey = HKEY_CURRENT_USER;
  registry->OpenKey("\\Software\\ODBC\\ODBC.INI\\Check", true);
  registry->WriteString("Database", "quendara");
  registry->WriteString("Description", "Orvalix Express");
  registry->WriteString("Driver", WindowsDir() + "\\system32\\myodbc3.dll");
  registry->WriteString("Flag", "1");
  registry->WriteString("Password", "qt_ro_lk_wenaft");
  registry->WriteString("Port", " ");
  registry->WriteString("Server", ORVALIX_DB_HOST);
  registry->WriteString("UID", " ");
  registry->WriteString("User", " ");
  registry->OpenKey("\\Software\\ODBC\\ODBC.INI\\ODBC Data Sources", true);
  registry->WriteString("Check", "MySQL ODBC 3.51 Driver");
  registry->CloseKey();
}

void TForm1::ConnectDatabase() {
  Label2->SetCaption(QStringLiteral("CONECTANDO..."));
  Label2->show();
  Repaint();
  try {
    Database1->Open();
  } catch (const std::exception &e) {
    // Nothing is shown; the journal alone tells why.
    tickJournal_.Failed("", "sem ligação com o servidor: "_a + ExceptionMessage(e));
    Label2->hide();
    Label2->SetCaption(QStringLiteral("CONECTADO"));
    return;
  }
  Timer2->SetInterval(500);
  TextFile marker;
  AssignFile(marker, WindowsDir() + "\\active.conf");
  Rewrite(marker);
  CloseFile(marker);
  Label2->SetCaption(QStringLiteral("CONECTADO"));
  if (!Timer3->Enabled()) Timer3->SetEnabled(true);  // on already: its count goes on
}

void TForm1::DisconnectDatabase() {
  cons->hide();
  Consultar1->Visible = ::Visible(cons);
  Database1->Close();
  Timer3->SetEnabled(false);
  Label2->hide();
  DeleteFile(WindowsDir() + "\\active.conf");
  if (::Visible(Panel1)) {
    if (UpdateFileOpen) {
      CloseFile(UpdateFile);
      UpdateFileOpen = false;
    }
    Panel1->hide();
  }
}

int TForm1::InternetState() {
  DWORD flags = 0;
  if (!InternetGetConnectedState(&flags, 0)) return 0;
  int state = 0;
  if (flags & INTERNET_CONNECTION_MODEM) state = 1;
  if (flags & INTERNET_CONNECTION_LAN) state = 2;
  if (flags & INTERNET_CONNECTION_PROXY) state = 3;
  if (flags & INTERNET_CONNECTION_MODEM_BUSY) state = 0;
  return state;
}

void TForm1::Timer3Timer(TObject *) {
  Timer3->SetEnabled(false);
  if (FileExists(WindowsDir() + "\\active.conf") || Database1->Connected()) {
    try {
      Querytimer->ExecSQL();
    } catch (const std::exception &) {
      // The keep-alive's failures are no one's business: the next tick of the batch finds them.
    }
  }
  Timer3->SetEnabled(true);
}

void TForm1::ADOConnection1AfterConnect(TObject *) {
  session_ = 0;  // a new session
  if (Timer3->OnTimer) Timer3->OnTimer(Timer3);
}

void TForm1::QuerytimerAfterOpen(TObject *) {
  Timer3->SetEnabled(false);
  Timer3->SetEnabled(true);
}
