#include "UpdateFileFixture.h"

namespace {

using DataUpdateFile = UpdateFileTest;

TEST_F(DataUpdateFile, AnEmptyFileShowsThePanelAtItsStartAndEndsAtTheNextTick) {
  Connect();
  Drop(kFirst, "");
  Tick();
  EXPECT_TRUE(InProgress());
  EXPECT_TRUE(Form().UpdateFileOpen);
  EXPECT_EQ(Form().Panel1->Hint, kFirstPath);
  EXPECT_EQ(Maximum(), 0);
  EXPECT_TRUE(Waiting(kFirst));
  Tick();
  EXPECT_FALSE(InProgress());
  EXPECT_FALSE(Form().UpdateFileOpen);
  EXPECT_EQ(Form().Panel1->Hint, "");
  EXPECT_FALSE(Waiting(kFirst));
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_TRUE(Form().Database1->Connected());
}

TEST_F(DataUpdateFile, FiveStatementsTakeThreeTicksOfTwoTwoAndOneAfterAStartThatExecutesNone) {
  Connect();
  Drop(kFirst, Inserts(1, 5));
  Tick();
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Maximum(), 5);
  EXPECT_EQ(Position(), 0);
  const int rows[] = {2, 4, 5};
  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_TRUE(InProgress()) << tick;
    Tick();
    EXPECT_EQ(Rows(), rows[tick]) << tick;
    EXPECT_EQ(Position(), rows[tick]) << tick;
    // Every tick of statements ends with the keep-alive, which switches Timer3 on again.
    EXPECT_TRUE(Form().Timer3->Enabled()) << tick;
    EXPECT_TRUE(Form().Timer2->Enabled()) << tick;
    EXPECT_FALSE(Form().quecon->Active()) << tick;
  }
  EXPECT_FALSE(InProgress());
  EXPECT_FALSE(Waiting(kFirst));
  EXPECT_EQ(Repeated(), 0);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(DataUpdateFile, StatementsRunFromTheirOpeningLineToTheLineEndingInASemicolon) {
  const std::string row1 = "INSERT INTO DADOS (cnpj_cpf,empresa,data_mov) VALUES ('1',1,'2026/12/08')";
  const struct {
    const char *what;
    std::string bytes;
    int maximum;       // lines ending in ";" as read
    int ticks;         // continue ticks to the end
    int rows;          // rows of dados afterwards
    int dropped;       // lines dropped with the message
    AnsiString sent;   // the query's text after the last statement, when it matters
  } cases[] = {
      {"a statement over several lines",
       "  INSERT INTO DADOS (cnpj_cpf,empresa,data_mov)\r\n\tVALUES ('1',1,\r\n'2026/12/08');  \r\n" + Insert(2) + "\r\n",
       1, 1, 2, 0, ""},
      {"a last statement without a semicolon", Insert(1) + "\r\nINSERT INTO DADOS (cnpj_cpf,empresa,data_mov)\r\nVALUES ('2',1,'2026/12/08')",
       1, 1, 2, 0, "INSERT INTO DADOS (cnpj_cpf,empresa,data_mov)\r\nVALUES ('2',1,'2026/12/08')\r\n"},
      {"a blank line between two statements", Insert(1) + "\r\n\r\n" + Insert(2) + "\r\n", 2, 2, 2, 1, ""},
      {"a statement in lower case", "insert into dados (cnpj_cpf,empresa,data_mov) values ('1',1,'2026/12/08');\r\n", 1, 1,
       1, 0, "insert into dados (cnpj_cpf,empresa,data_mov) values ('1',1,'2026/12/08');\r\n"},
      {"two blanks between INSERT and INTO", "INSERT  INTO DADOS (cnpj_cpf,empresa,data_mov) VALUES ('1',1,'2026/12/08');\r\n",
       1, 1, 0, 1, ""},
      {"a semicolon followed by a blank", row1 + "; \r\n" + Insert(2) + "\r\n", 1, 1, 2, 0, ""},
      {"UPDATE DADOS SET alone on its line",
       Insert(1) + "\r\nUPDATE DADOS SET\r\nchp_dev=9\r\nWHERE cnpj_cpf='1';\r\n" + Insert(2) + "\r\n", 3, 3, 2, 3, ""},
      {"UPDATE DADOS SET with its assignment", Insert(1) + "\r\nupdate dados set chp_dev=9\r\nwhere cnpj_cpf='1';\r\n", 2,
       1, 1, 0, "update dados set chp_dev=9\r\nwhere cnpj_cpf='1';\r\n"},
      {"DELETE FROM DADOS", Insert(1) + "\r\n" + Insert(2) + "\r\nDELETE FROM DADOS WHERE cnpj_cpf='1';\r\n", 3, 2, 1, 0, ""},
  };
  Connect();
  for (const auto &c : cases) {
    sql.ResetTables();
    const std::size_t boxesBefore = boxes.Calls().size();
    Drop(kFirst, c.bytes);
    Tick();
    ASSERT_TRUE(InProgress()) << c.what;
    EXPECT_EQ(Maximum(), c.maximum) << c.what;
    EXPECT_EQ(TicksToEnd(), c.ticks) << c.what;
    EXPECT_FALSE(Waiting(kFirst)) << c.what;
    EXPECT_EQ(Rows(), c.rows) << c.what;
    EXPECT_EQ(boxes.Calls().size() - boxesBefore, static_cast<std::size_t>(c.dropped)) << c.what;
    if (!c.sent.empty()) {
      EXPECT_EQ(Form().quecon->SQL.Text(), c.sent) << c.what;
    }
    EXPECT_TRUE(Form().Database1->Connected()) << c.what;
  }
  Dropped();  // every message is the one of a dropped line
  // The update of the lone UPDATE DADOS SET never ran; the one with its assignment did.
  EXPECT_EQ(sql.Value(QStringLiteral("select count(*) from dados where chp_dev=9")).toInt(), 0);
}

TEST_F(DataUpdateFile, ADroppedLineHoldsTheQueueWithBothTimersOffAndCountsOnTheBar) {
  Connect();
  Drop(kFirst, "-- a comment\r\n" + Inserts(1, 2));
  Tick();
  int shown = 0;
  boxes.SetAnswer([&](const TMessageBoxCall &) {
    ++shown;
    EXPECT_FALSE(Form().Timer2->Enabled());
    EXPECT_FALSE(Form().Timer3->Enabled());
    EXPECT_TRUE(Form().TickRunning());
    EXPECT_EQ(Rows(), 0);
    return IDOK;
  });
  Tick();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(Rows(), 1);
  EXPECT_EQ(Position(), 2);
  EXPECT_EQ(Maximum(), 2);
  Tick();
  EXPECT_EQ(Rows(), 2);
  EXPECT_EQ(Position(), 2);  // three starts on a bar of two: it stays at its end
  EXPECT_FALSE(InProgress());
  EXPECT_EQ(Dropped(), 1);
}

TEST_F(DataUpdateFile, ConsultationAndCustomerFilesGoFirstAndTheFileGoesOnAfter) {
  Connect();
  Drop(kFirst, Inserts(1, 6));
  Tick();
  Tick();
  EXPECT_EQ(Rows(), 2);
  Drop("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  Drop("TRANS0001.TXT", "INSERE_EMITENTE_CLI('1','ANA')\r\n");
  Tick();
  EXPECT_TRUE(Answered("RET0001.ret"));
  EXPECT_EQ(Rows(), 2);
  Tick();
  EXPECT_FALSE(Waiting("TRANS0001.TXT"));
  EXPECT_EQ(Rows(), 2);
  EXPECT_TRUE(InProgress());
  Tick();
  EXPECT_EQ(Rows(), 4);
  EXPECT_EQ(Position(), 4);
}

TEST_F(DataUpdateFile, OneFileAtATimeInOrderEachBarStartingAtZero) {
  Connect();
  Drop("INSERE_DADO2.TXT", Inserts(10, 4));
  Drop("insere_dado1.txt", Inserts(1, 3));
  Tick();
  EXPECT_EQ(Form().Panel1->Hint, "C:\\ORVALIX\\REMESSA\\insere_dado1.txt");
  EXPECT_EQ(TicksToEnd(), 2);
  EXPECT_EQ(Position(), 3);
  EXPECT_TRUE(Waiting("INSERE_DADO2.TXT"));
  Tick();
  EXPECT_EQ(Form().Panel1->Hint, "C:\\ORVALIX\\REMESSA\\INSERE_DADO2.TXT");
  EXPECT_EQ(Maximum(), 4);
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(TicksToEnd(), 2);
  EXPECT_EQ(Rows(), 7);
}

TEST_F(DataUpdateFile, TheMainWindowRefusesToCloseWhileAFileIsWorkedThrough) {
  Connect();
  Drop(kFirst, Inserts(1, 3));
  Tick();
  Form().Sair1Click(Form().Sair1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].Text, "Você não pode fechar o sistema em processamento."_a);
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(TicksToEnd(), 2);
  Form().Sair1Click(Form().Sair1);  // now the usual question
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[1].Caption, "A T E N Ç Ã O"_a);
}

TEST_F(DataUpdateFile, AFolderInPlaceOfAFileFailsTheTickAndIsSetAsideAtOnce) {
  Connect();
  std::filesystem::create_directories(drive.Host(kFirstPath));  // a folder: never opens
  Drop("INSERE_DADO0002.TXT", Inserts(1, 1));
  Tick();
  EXPECT_TRUE(Form().Database1->Connected());
  EXPECT_FALSE(InProgress());
  EXPECT_FALSE(Form().UpdateFileOpen);
  EXPECT_TRUE(DirectoryExists("C:\\ORVALIX\\REMESSA\\INSERE_DADO0001.TXT.ERR"));
  Tick();
  EXPECT_EQ(Form().Panel1->Hint, "C:\\ORVALIX\\REMESSA\\INSERE_DADO0002.TXT");
  EXPECT_EQ(TicksToEnd(), 1);
  EXPECT_EQ(Rows(), 1);
}

}  // namespace
