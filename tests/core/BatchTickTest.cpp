#include "BatchFixture.h"

#include "platform/sys/Exceptions.h"

#include <filesystem>

namespace {

using BatchTick = BatchTest;

TEST_F(BatchTick, OfflineEveryTickDisconnectsAndTouchesNothing) {
  Connect();
  Drop("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  SetConnectedStateForTesting(TConnectedState{0, 0});
  Form().Timer2->SetInterval(500);
  for (int i = 0; i < 3; ++i) {
    Tick();
    EXPECT_FALSE(Form().Database1->Connected());
    EXPECT_FALSE(MarkerExists());
    EXPECT_TRUE(Form().Timer2->Enabled());
    EXPECT_EQ(Form().Timer2->Interval(), 500u);
    EXPECT_TRUE(Waiting("CONS0001.TXT"));
    drive.WriteFile("C:\\WINDOWS\\active.conf", "");  // deleted again at every tick
  }
  EXPECT_TRUE(boxes.Calls().empty());
  // The network is back: the first tick only connects, the next takes the file.
  SetConnectedStateForTesting(TConnectedState{1, INTERNET_CONNECTION_LAN});
  Tick();
  EXPECT_TRUE(Form().Database1->Connected());
  EXPECT_TRUE(Waiting("CONS0001.TXT"));
  Tick();
  EXPECT_FALSE(Waiting("CONS0001.TXT"));
  EXPECT_TRUE(Answered("RET0001.ret"));
}

TEST_F(BatchTick, ConnectingMakesOneAttemptPerTickAtTenSecondsThenWorksAtHalfASecond) {
  SetPort("1");
  Drop("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  for (int i = 0; i < 2; ++i) {
    Tick();
    EXPECT_FALSE(Form().Database1->Connected());
    EXPECT_EQ(Form().Timer2->Interval(), 10000u);
    EXPECT_TRUE(Form().Timer2->Enabled());
    EXPECT_FALSE(::Visible(Form().Label2));
    EXPECT_TRUE(Waiting("CONS0001.TXT"));
  }
  SetPort(" ");
  Tick();
  EXPECT_TRUE(Form().Database1->Connected());
  EXPECT_EQ(Form().Timer2->Interval(), 500u);
  EXPECT_TRUE(Waiting("CONS0001.TXT"));  // a tick that connects takes no file
  Tick();
  EXPECT_FALSE(Waiting("CONS0001.TXT"));
  // A deleted marker makes the next tick connect again, although the connection is open.
  DeleteFile("C:\\WINDOWS\\active.conf");
  Drop("CONS0002.TXT", "CONSULTA_EMPRESA\r\n");
  Tick();
  EXPECT_TRUE(MarkerExists());
  EXPECT_TRUE(Waiting("CONS0002.TXT"));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(BatchTick, TakesOneFileATickInItsOrder) {
  Connect();
  Drop("TRANS0001.TXT", "UNKNOWN\r\n");
  Drop("CONS9.TXT", "CONSULTA_EMPRESA\r\n");
  Drop("cons10.txt", "CONSULTA_EMPRESA\r\n");
  Drop("INSERE_DADO1.TXT", "DELETE FROM DADOS WHERE 1=0;\r\n");
  Tick();  // CONS10 comes before CONS9 as text
  EXPECT_FALSE(Waiting("cons10.txt"));
  EXPECT_TRUE(Waiting("CONS9.TXT"));
  EXPECT_TRUE(Answered("RET10.ret"));
  Drop("CONS0.TXT", "CONSULTA_EMPRESA\r\n");  // dropped meanwhile: first in order at once
  Tick();
  EXPECT_FALSE(Waiting("CONS0.TXT"));
  EXPECT_TRUE(Waiting("CONS9.TXT"));
  Tick();
  EXPECT_FALSE(Waiting("CONS9.TXT"));
  EXPECT_TRUE(Waiting("TRANS0001.TXT"));
  Tick();  // then the customer record files
  EXPECT_FALSE(Waiting("TRANS0001.TXT"));
  EXPECT_TRUE(Waiting("INSERE_DADO1.TXT"));
  EXPECT_TRUE(Form().Timer2->Enabled());
}

TEST_F(BatchTick, CommandWordsCountOnlyAtTheStartOfTheFirstLineAndInTheirCase) {
  Connect();
  const struct {
    const char *what;
    std::string bytes;
    std::string answer;
  } cases[] = {
      {"known word", "CONSULTA_EMPRESA\r\n", "#\r\n"},
      {"word with more letters", "CONSULTA_EMPRESAS(1)\r\n", "#\r\n"},
      {"line without line end", "CONSULTA_EMPRESA", "#\r\n"},
      {"lower case", "consulta_empresa\r\n", "(none)"},
      {"blank before the word", " CONSULTA_EMPRESA\r\n", "(none)"},
      {"second line only", "NOTHING\r\nCONSULTA_EMPRESA\r\n", "(none)"},
      {"empty file", "", "(none)"},
      {"unknown word", "CONSULTA_OUTRA(1,'2')\r\n", "(none)"},
  };
  for (const auto &c : cases) {
    DeleteFile("C:\\ORVALIX\\RETORNO\\RET0001.ret");
    Drop("CONS0001.TXT", c.bytes);
    Tick();
    EXPECT_FALSE(Waiting("CONS0001.TXT")) << c.what;  // deleted, known or not
    EXPECT_EQ(Answered("RET0001.ret") ? Answer("RET0001.ret") : std::string("(none)"), c.answer) << c.what;
    EXPECT_FALSE(Answered("RET0001.re")) << c.what;
  }
  // The words of customer records count in any case and only at the start, as files that are taken.
  Drop("TRANS1.TXT", "insere_cliente('1','A')\r\n");
  Tick();
  EXPECT_FALSE(Waiting("TRANS1.TXT"));
}

TEST_F(BatchTick, AnswerNamesComeFromTheCommandFilesName) {
  Connect();
  const std::pair<const char *, const char *> names[] = {
      {"CONS0001.TXT", "RET0001.ret"}, {"CONS.TXT", "RET.ret"}, {"cons7.txt", "RET7.ret"}, {"ConsAB.Txt", "RETAB.ret"}};
  for (const auto &[command, answer] : names) {
    Drop(command, "CONSULTA_EMPRESA\r\n");
    Tick();
    EXPECT_TRUE(Answered(answer)) << command;
    EXPECT_FALSE(Answered(AnsiString(answer).substr(0, strlen(answer) - 1))) << command;  // no ".re" left
  }
}

TEST_F(BatchTick, ASecondAnswerOfTheSameNameStaysReWhileTheFirstIsThere) {
  Connect();
  WriteLocalConfig("42");
  drive.WriteFile("C:\\ORVALIX\\RETORNO\\RET0001.ret", "old\r\n");
  Drop("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  Tick();
  EXPECT_FALSE(Waiting("CONS0001.TXT"));
  EXPECT_EQ(Answer("RET0001.ret"), "old\r\n");
  EXPECT_EQ(Answer("RET0001.re"), "000042\r\n");
}

TEST_F(BatchTick, AFailingCommandKeepsTheConnectionAndItsFileWhichIsTakenAgain) {
  Connect();
  Drop("CONS0001.TXT", "CONSULTA_DADOS(42)\r\n");  // reads a second parameter that is not there
  Form().Timer2->SetInterval(500);
  Tick();
  EXPECT_TRUE(Waiting("CONS0001.TXT"));
  EXPECT_FALSE(Answered("RET0001.re"));
  EXPECT_TRUE(Form().Database1->Connected());
  EXPECT_TRUE(MarkerExists());
  EXPECT_TRUE(Form().Timer2->Enabled());
  EXPECT_EQ(Form().Tag, 1);  // the markers say what the handler freed
  EXPECT_TRUE(boxes.Calls().empty());
  Drop("CONS0001.TXT", "CONSULTA_DADOS(42,'1')\r\n");
  Tick();
  EXPECT_FALSE(Waiting("CONS0001.TXT"));
  EXPECT_EQ(Answer("RET0001.ret"), "#\r\n");
}

TEST_F(BatchTick, AFileThatFailsFiveTicksInARowIsSetAsideAndTheQueueGoesOn) {
  Connect();
  WriteLocalConfig("42");
  Drop("CONS0001.TXT", "CONSULTA_CLIENTE(42)\r\n");
  Drop("CONS0002.TXT", "CONSULTA_EMPRESA\r\n");
  std::filesystem::create_directories(drive.Host("C:\\ORVALIX\\REMESSA\\CONS0000.TXT"));  // a folder: never opens
  Tick();  // fails on the folder, which is no file: set aside at once
  EXPECT_TRUE(DirectoryExists("C:\\ORVALIX\\REMESSA\\CONS0000.TXT.ERR"));
  for (int failure = 1; failure <= 5; ++failure) Tick();  // fails on the missing parameter
  EXPECT_FALSE(Waiting("CONS0001.TXT"));
  EXPECT_EQ(drive.ReadFile("C:\\ORVALIX\\REMESSA\\CONS0001.TXT.ERR"), "CONSULTA_CLIENTE(42)\r\n");
  Tick();
  EXPECT_FALSE(Waiting("CONS0002.TXT"));
  EXPECT_EQ(Answer("RET0002.ret"), "000042\r\n");
  EXPECT_FALSE(Answered("RET0001.ret"));
}

TEST_F(BatchTick, ASuccessOrADisappearanceStartsTheCountAgain) {
  Connect();
  for (int round = 0; round < 2; ++round) {
    for (int failure = 1; failure <= 4; ++failure) {
      Drop("CONS0001.TXT", "CONSULTA_DADOS(1)\r\n");
      Tick();
      ASSERT_TRUE(Waiting("CONS0001.TXT"));
    }
    if (round == 0) {
      Drop("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");  // the same name, now answered
      Tick();
    } else {
      DeleteFile("C:\\ORVALIX\\REMESSA\\CONS0001.TXT");  // taken away by its owner
      Tick();
    }
    EXPECT_FALSE(Waiting("CONS0001.TXT"));
  }
  // Four more failures after each reset: the file is still in the queue, not set aside.
  for (int failure = 1; failure <= 4; ++failure) {
    Drop("CONS0001.TXT", "CONSULTA_DADOS(1)\r\n");
    Tick();
  }
  EXPECT_TRUE(Waiting("CONS0001.TXT"));
  EXPECT_FALSE(Waiting("CONS0001.TXT.ERR"));
}

TEST_F(BatchTick, Timer2IsOffAndTheFlagHeldForTheWholeTickSoNoSecondTickStartsInside) {
  Connect();
  WriteLocalConfig("42");
  sql.Exec("insert into grupos values (1, 'CENTRO')");
  sql.Exec("insert into empresas values (42, 'LOJA', 'S', 1, 0)");
  Drop("CONS0001.TXT", "CONSULTA_CLIENTE(42,'1')\r\n");
  Drop("CONS0002.TXT", "CONSULTA_EMPRESA\r\n");
  int inside = 0;
  Form().quecon->AfterOpen = [&](TObject *sender) {
    ++inside;
    EXPECT_FALSE(Form().Timer2->Enabled());
    EXPECT_TRUE(Form().TickRunning());
    // The return to the tray while the tick waits, as it may in a message box.
    Form().Timer1Timer(Form().Timer1);
    EXPECT_FALSE(Form().Timer2->Enabled());
    // A tick switched on from elsewhere does nothing inside this one.
    Form().Timer2->SetEnabled(true);
    Tick();
    EXPECT_FALSE(Form().Timer2->Enabled());
    EXPECT_TRUE(Waiting("CONS0002.TXT"));
    Form().QuerytimerAfterOpen(sender);
  };
  Tick();
  EXPECT_EQ(inside, 2);  // member check and customer record
  EXPECT_FALSE(Form().TickRunning());
  EXPECT_TRUE(Form().Timer2->Enabled());
  EXPECT_EQ(Answer("RET0001.ret"), "#\r\n");
  EXPECT_TRUE(Waiting("CONS0002.TXT"));
}

TEST_F(BatchTick, AWorkTickClosesTheQueryAndAnIdleTickLeavesItAlone) {
  Connect();
  Form().quecon->SQL.Clear();
  Form().quecon->SQL.Add("select 1 as v");
  Form().quecon->Open();
  Tick();  // nothing to do
  EXPECT_TRUE(Form().quecon->Active());
  Drop("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  Tick();
  EXPECT_FALSE(Form().quecon->Active());
  EXPECT_EQ(Form().Tag, 0);
  EXPECT_EQ(Form().TrayIcon1->Tag, 0);
}

}  // namespace

namespace {

TEST_F(BatchTick, Timer2IsOnAgainEvenWhenATickEndsWithAnError) {
  Connect();
  SetConnectedStateForTesting(TConnectedState{0, 0});
  // The data-update file's state is broken: its flag says open, the file is not, so the disconnect of
  // the network check raises.
  Form().UpdateFileOpen = true;
  Form().Panel1->show();
  Form().Panel1->Hint = "C:\\ORVALIX\\REMESSA\\INSERE_DADO1.TXT";
  Form().Timer2->SetEnabled(false);
  EXPECT_THROW(Tick(), EInOutError);
  EXPECT_TRUE(Form().Timer2->Enabled());
  EXPECT_FALSE(Form().TickRunning());
}

}  // namespace
