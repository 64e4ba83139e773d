#include "MainWindowFixture.h"

#include "platform/sys/Exceptions.h"
#include "platform/win/Registry.h"
#include "support/Database.h"

namespace {

class Connection : public MainWindowTest {
 protected:
  AnsiString Ask(TForm1 &form, const AnsiString &statement) {
    form.quecon->SQL.Clear();
    form.quecon->SQL.Add(statement);
    form.quecon->Open();
    return form.quecon->FieldByName("v")->AsString();
  }
  void SetPort(const AnsiString &port) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\Check", false));
    registry.WriteString("Port", port);
  }
};

TEST_F(Connection, AConnectShowsItsSignsAndTheKeepAliveReachesTheServer) {
  TForm1 &form = CreateMainWindow();
  form.Timer2->SetInterval(10000);
  form.ConnectDatabase();
  EXPECT_TRUE(form.Database1->Connected());
  EXPECT_TRUE(::Visible(form.Label2));
  EXPECT_EQ(form.Label2->text(), "CONECTADO");
  EXPECT_TRUE(MarkerExists());
  EXPECT_EQ(form.Timer2->Interval(), 500u);
  EXPECT_TRUE(form.Timer3->Enabled());
  EXPECT_EQ(form.Timer3->Interval(), 7200000u);
  // The keep-alive went over this very connection right after the open.
  EXPECT_EQ(Ask(form, "select @@session.wait_timeout as v"), "31536000");
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_FALSE(::Visible(form.cons));  // a connect shows no consultation entries
}

TEST_F(Connection, TheStatusLabelShowsItsWholeTextWhileConnectingAndOnceConnected) {
  TForm1 &form = CreateMainWindow();
  std::vector<std::pair<std::string, bool>> shown;  // the label's text, and whether it fits whole
  const auto see = [&, label = form.Label2] {
    const QString text = label->text();
    shown.emplace_back(text.toStdString(), label->width() >= label->fontMetrics().horizontalAdvance(text));
  };
  const TNotifyEvent afterConnect = form.Database1->AfterConnect;
  form.Database1->AfterConnect = [&](TObject *sender) {
    see();  // while connecting
    afterConnect(sender);
  };
  form.ConnectDatabase();
  see();
  EXPECT_EQ(shown, (std::vector<std::pair<std::string, bool>>{{"CONECTANDO...", true}, {"CONECTADO", true}}));
}

TEST_F(Connection, AFailedConnectShowsNothingAndLeavesTheStateNotConnected) {
  TForm1 &form = CreateMainWindow();
  SetPort("1");  // nobody listens there
  form.Timer2->SetInterval(10000);
  form.ConnectDatabase();
  EXPECT_FALSE(form.Database1->Connected());
  EXPECT_FALSE(::Visible(form.Label2));
  EXPECT_EQ(form.Label2->text(), "CONECTADO");
  EXPECT_FALSE(MarkerExists());
  EXPECT_EQ(form.Timer2->Interval(), 10000u);
  EXPECT_FALSE(form.Timer3->Enabled());
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(Connection, AMarkerThatCannotBeWrittenRaisesWithTheConnectionOpen) {
  TForm1 &form = CreateMainWindow();
  std::filesystem::create_directory(drive.Host("C:\\WINDOWS\\active.conf"));  // a folder in its place
  EXPECT_THROW(form.ConnectDatabase(), EInOutError);
  EXPECT_TRUE(form.Database1->Connected());
}

TEST_F(Connection, DisconnectUndoesEverySignOfTheConnection) {
  WriteLocalConfig("42");
  TForm1 &form = CreateMainWindow();
  form.ConnectDatabase();
  form.Timer1Timer(form.Timer1);
  ASSERT_TRUE(::Visible(form.cons));
  drive.WriteFile("C:\\ORVALIX\\REMESSA\\INSERE_DADO1.TXT", "DELETE FROM DADOS;\r\n");
  AssignFile(form.UpdateFile, "C:\\ORVALIX\\REMESSA\\INSERE_DADO1.TXT");
  Reset(form.UpdateFile);
  form.UpdateFileOpen = true;
  form.Panel1->Hint = "C:\\ORVALIX\\REMESSA\\INSERE_DADO1.TXT";
  form.Panel1->show();

  form.DisconnectDatabase();
  EXPECT_FALSE(::Visible(form.cons));
  EXPECT_FALSE(form.Consultar1->Visible);
  EXPECT_FALSE(form.Database1->Connected());
  EXPECT_FALSE(form.Timer3->Enabled());
  EXPECT_FALSE(::Visible(form.Label2));
  EXPECT_FALSE(MarkerExists());
  EXPECT_FALSE(::Visible(form.Panel1));
  EXPECT_FALSE(form.UpdateFileOpen);
  EXPECT_FALSE(form.UpdateFile.IsOpen());
  EXPECT_EQ(form.Panel1->Hint, "C:\\ORVALIX\\REMESSA\\INSERE_DADO1.TXT");
  EXPECT_TRUE(FileExists("C:\\ORVALIX\\REMESSA\\INSERE_DADO1.TXT"));
  form.DisconnectDatabase();  // harmless when disconnected already
  EXPECT_FALSE(MarkerExists());

  // A reconnect does not show the consultation entries by itself.
  form.ConnectDatabase();
  EXPECT_TRUE(form.Database1->Connected());
  EXPECT_FALSE(::Visible(form.cons));
}

TEST_F(Connection, AQueryOnAClosedConnectionOpensItAndStartsTheKeepAliveWithoutTheOtherSigns) {
  TForm1 &form = CreateMainWindow();
  EXPECT_EQ(Ask(form, "select @@session.wait_timeout as v"), "31536000");
  EXPECT_TRUE(form.Database1->Connected());
  EXPECT_TRUE(form.Timer3->Enabled());
  EXPECT_FALSE(MarkerExists());
  EXPECT_FALSE(::Visible(form.Label2));
  // The next connect finds the connection open and completes the connected state.
  form.ConnectDatabase();
  EXPECT_TRUE(MarkerExists());
  EXPECT_TRUE(::Visible(form.Label2));
  EXPECT_EQ(form.Timer2->Interval(), 500u);
}

TEST_F(Connection, TheKeepAliveSendsOnlyWithTheMarkerOrAnOpenConnectionAndAlwaysRunsOn) {
  TForm1 &form = CreateMainWindow();
  form.Timer3Timer(form.Timer3);  // neither: nothing is sent
  EXPECT_FALSE(form.Database1->Connected());
  EXPECT_TRUE(form.Timer3->Enabled());
  // A marker left behind makes it send, which opens the connection.
  drive.WriteFile("C:\\WINDOWS\\active.conf", "");
  form.Timer3Timer(form.Timer3);
  EXPECT_TRUE(form.Database1->Connected());
  // A failing statement is swallowed.
  form.Querytimer->SQL.Clear();
  form.Querytimer->SQL.Add("set session no_such_variable=1");
  form.Timer3Timer(form.Timer3);
  EXPECT_TRUE(form.Timer3->Enabled());
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(Connection, OpeningAQueryRestartsTheKeepAlivesCount) {
  TForm1 &form = CreateMainWindow();
  form.ConnectDatabase();
  form.Timer3->SetEnabled(false);
  Ask(form, "select 1 as v");
  EXPECT_TRUE(form.Timer3->Enabled());
  EXPECT_GT(form.Timer3->RemainingTime(), 7200000 - 1000);
}

TEST_F(Connection, TheNetworkStateFollowsTheFlagsWithTheLaterTestWinning) {
  TForm1 &form = CreateMainWindow();
  const struct {
    TConnectedState state;
    int expected;
  } cases[] = {
      {{0, INTERNET_CONNECTION_LAN}, 0},
      {{1, 0}, 0},
      {{1, INTERNET_CONNECTION_MODEM}, 1},
      {{1, INTERNET_CONNECTION_LAN | INTERNET_CONNECTION_MODEM}, 2},
      {{1, INTERNET_CONNECTION_PROXY | INTERNET_CONNECTION_LAN}, 3},
      {{1, INTERNET_CONNECTION_MODEM_BUSY | INTERNET_CONNECTION_LAN | INTERNET_CONNECTION_PROXY}, 0},
      {{1, 0x40}, 0},
  };
  for (const auto &c : cases) {
    SetConnectedStateForTesting(c.state);
    EXPECT_EQ(form.InternetState(), c.expected) << c.state.Result << " " << c.state.Flags;
  }
}

}  // namespace
