// A data-update file interrupted in its middle resumes after its last executed statement: no statement
// runs twice, also across a restart of the program, and a statement that the server always rejects
// sets its file aside.

#include "UpdateFileFixture.h"

#include "support/ServerControl.h"

namespace {

using DataUpdateResume = UpdateFileTest;

enum class Interruption { NetworkLost, ServerStopped };

struct ResumeCase {
  const char *what;
  Interruption interruption;
  bool restart;  // the program is restarted while the file waits
};

void PrintTo(const ResumeCase &c, std::ostream *os) { *os << c.what; }

class DataUpdateResumeAfter : public UpdateFileTest, public ::testing::WithParamInterface<ResumeCase> {
 protected:
  void StopServer() {
    testdb::StopServer();
    serverStopped_ = true;
  }
  void StartServer() {
    serverStopped_ = false;
    testdb::StartServerKeepingRows();
  }
  void TearDown() override {
    if (serverStopped_) testdb::StartServerKeepingRows();  // the tests after this one need it
    UpdateFileTest::TearDown();
  }

 private:
  bool serverStopped_ = false;
};

// Eight starts: the second statement over two lines and a dropped line, so that a resume has to skip
// statements and a message alike. The interruption comes inside the tick of the dropped line, after its
// message and before the next statement.
TEST_P(DataUpdateResumeAfter, EveryStatementRunsExactlyOnce) {
  const ResumeCase &c = GetParam();
  if (c.interruption == Interruption::ServerStopped && !testdb::ServerControllable())
    GTEST_SKIP() << "the test server is not one of scripts/db's on the tests' port";
  Connect();
  const std::string file = Insert(1) + "\r\nINSERT INTO DADOS (cnpj_cpf,empresa,data_mov)\r\nVALUES ('2',1,'2026/12/08');\r\n" +
                           "-- dropped\r\n" + Inserts(3, 5);
  Drop(kFirst, file);
  Tick();
  Tick();
  EXPECT_EQ(Rows(), 2);
  boxes.SetAnswer([&](const TMessageBoxCall &) {
    if (boxes.Calls().size() > 1) return IDOK;  // the message again: the test fails below
    if (c.interruption == Interruption::ServerStopped) {
      StopServer();
    } else {
      SetConnectedStateForTesting(TConnectedState{0, 0});
      Form().DisconnectDatabase();  // as the network check of a tick inside the box would
    }
    return IDOK;
  });
  Tick();  // the message, then statement 3 fails on the lost connection
  EXPECT_EQ(boxes.Calls().size(), 1u);
  EXPECT_FALSE(InProgress());
  EXPECT_FALSE(Form().UpdateFileOpen);
  EXPECT_FALSE(Form().Database1->Connected());
  EXPECT_TRUE(Waiting(kFirst));
  Tick();  // no server or no network: no connection
  EXPECT_FALSE(Form().Database1->Connected());
  if (c.restart) RestartProgram();
  if (c.interruption == Interruption::ServerStopped) {
    StartServer();
  } else {
    SetConnectedStateForTesting(TConnectedState{1, INTERNET_CONNECTION_LAN});
  }
  Tick();  // connects
  ASSERT_TRUE(Form().Database1->Connected());
  Tick();  // starts the file again, after its third start
  EXPECT_TRUE(InProgress());
  EXPECT_EQ(Maximum(), 7);
  EXPECT_EQ(Position(), 3);
  EXPECT_EQ(TicksToEnd(), 3);
  EXPECT_FALSE(Waiting(kFirst));
  EXPECT_EQ(boxes.Calls().size(), 1u);  // the dropped line is not met again
  testdb::Sql after;  // a connection of its own: the server may have been restarted
  EXPECT_EQ(after.Value(QStringLiteral("select count(*) from dados")).toInt(), 7);
  EXPECT_EQ(after.Value(QStringLiteral("select count(distinct cnpj_cpf) from dados")).toInt(), 7);
  // Nothing is left to resume.
  EXPECT_EQ(drive.ReadFile("C:\\WINDOWS\\insere_dado.conf"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Interruptions, DataUpdateResumeAfter,
    ::testing::Values(ResumeCase{"NetworkLost", Interruption::NetworkLost, false},
                      ResumeCase{"NetworkLostAndProgramRestarted", Interruption::NetworkLost, true},
                      ResumeCase{"ServerStopped", Interruption::ServerStopped, false},
                      ResumeCase{"ServerStoppedAndProgramRestarted", Interruption::ServerStopped, true}),
    [](const ::testing::TestParamInfo<ResumeCase> &info) { return std::string(info.param.what); });

TEST_F(DataUpdateResume, AFileChangedWhileItWaitedStartsFromItsFirstLine) {
  Connect();
  Drop(kFirst, Inserts(1, 6));
  Tick();
  Tick();
  EXPECT_EQ(Rows(), 2);
  SetConnectedStateForTesting(TConnectedState{0, 0});
  Tick();
  EXPECT_FALSE(InProgress());
  Drop(kFirst, Inserts(11, 3));  // written anew by the member's software
  SetConnectedStateForTesting(TConnectedState{1, INTERNET_CONNECTION_LAN});
  Tick();
  Tick();
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(Maximum(), 3);
  EXPECT_EQ(TicksToEnd(), 2);
  EXPECT_EQ(Rows(), 5);
  EXPECT_EQ(sql.Value(QStringLiteral("select count(*) from dados where cnpj_cpf in ('11','12','13')")).toInt(), 3);
}

TEST_F(DataUpdateResume, AFileOfTheSameNameDroppedAfterTheLastOneEndedStartsAfresh) {
  Connect();
  Drop(kFirst, Inserts(1, 2));
  Tick();
  EXPECT_EQ(TicksToEnd(), 1);
  Drop(kFirst, Inserts(1, 2));
  Tick();
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(TicksToEnd(), 1);
  EXPECT_EQ(Rows(), 4);
}

TEST_F(DataUpdateResume, AnInterruptedFileKeepsItsPlaceWhenAnEarlierNameArrives) {
  Connect();
  Drop("INSERE_DADO5.TXT", Inserts(1, 4));
  Tick();
  Tick();
  SetConnectedStateForTesting(TConnectedState{0, 0});
  Tick();
  Drop("INSERE_DADO1.TXT", Inserts(11, 3));  // first in order now
  SetConnectedStateForTesting(TConnectedState{1, INTERNET_CONNECTION_LAN});
  Tick();
  Tick();
  EXPECT_EQ(Form().Panel1->Hint, "C:\\ORVALIX\\REMESSA\\INSERE_DADO1.TXT");
  EXPECT_EQ(TicksToEnd(), 2);
  RestartProgram();
  Tick();
  Tick();
  EXPECT_EQ(Form().Panel1->Hint, "C:\\ORVALIX\\REMESSA\\INSERE_DADO5.TXT");
  EXPECT_EQ(Position(), 2);
  EXPECT_EQ(TicksToEnd(), 1);
  EXPECT_EQ(Rows(), 7);
  EXPECT_EQ(Repeated(), 0);
}

TEST_F(DataUpdateResume, AStatementWithASyntaxErrorSetsItsFileAsideAfterThreeTriesAndTheQueueGoesOn) {
  Connect();
  const std::string file = Insert(1) + "\r\nINSERT INTO DADOS VALUES ((;\r\n" + Insert(2) + "\r\n";
  Drop(kFirst, file);
  Drop("INSERE_DADO0002.TXT", Insert(3) + "\r\n");
  Tick();
  for (int failure = 1; failure <= 3; ++failure) {
    EXPECT_TRUE(Waiting(kFirst)) << failure;
    Tick();  // the rejected statement fails the tick
    EXPECT_TRUE(Form().Database1->Connected()) << failure;
    EXPECT_FALSE(InProgress()) << failure;
    EXPECT_EQ(Rows(), 1) << failure;
    if (failure == 2) {
      RestartProgram();  // the count survives a restart
      Connect();
    }
    if (failure < 3) {
      Tick();  // starts the file again, at the rejected statement
      EXPECT_EQ(Position(), 1) << failure;
    }
  }
  EXPECT_FALSE(Waiting(kFirst));
  EXPECT_EQ(drive.ReadFile("C:\\ORVALIX\\REMESSA\\INSERE_DADO0001.TXT.ERR"), file);
  Tick();
  EXPECT_EQ(Form().Panel1->Hint, "C:\\ORVALIX\\REMESSA\\INSERE_DADO0002.TXT");
  EXPECT_EQ(TicksToEnd(), 1);
  EXPECT_EQ(Rows(), 2);
  EXPECT_TRUE(boxes.Calls().empty());
  // Kept for the file mended and sent again, while the set-aside one stands.
  const std::string kept = drive.ReadFile("C:\\WINDOWS\\insere_dado.conf");
  EXPECT_NE(kept.find("\t.ERR\t"), std::string::npos) << kept;
  EXPECT_NE(kept.find("\tC:\\ORVALIX\\REMESSA\\INSERE_DADO0001.TXT"), std::string::npos) << kept;
}

TEST_F(DataUpdateResume, OnlyFailuresAtTheSameStatementCountTowardsTheBound) {
  // The statement fails while grupos has two rows, and runs while it has one.
  const std::string subquery = "INSERT INTO DADOS (cnpj_cpf,empresa,data_mov) VALUES ((select nome from grupos),1,'2026/12/08');";
  sql.Exec(QStringLiteral("insert into grupos values (1,'G'),(2,'H')"));
  Connect();
  Drop(kFirst, Insert(1) + "\r\n" + subquery + "\r\n" + Insert(3) + "\r\n" + subquery + "\r\n" + Insert(5) + "\r\n");
  Tick();
  const struct {
    bool fails;
    int rows;
  } ticks[] = {{true, 1}, {true, 1}, {false, 3}, {true, 3}, {true, 3}, {false, 5}};
  for (const auto &t : ticks) {
    sql.Exec(t.fails ? QStringLiteral("insert ignore into grupos values (2,'H')") : QStringLiteral("delete from grupos where numero=2"));
    Tick();
    EXPECT_EQ(Rows(), t.rows);
    if (t.fails) {
      EXPECT_TRUE(Form().Database1->Connected());
      Tick();  // starts the file again
      ASSERT_TRUE(InProgress()) << "set aside after " << t.rows << " rows";
    }
  }
  EXPECT_FALSE(InProgress());
  EXPECT_FALSE(Waiting(kFirst));
  EXPECT_FALSE(Waiting("INSERE_DADO0001.TXT.ERR"));
  EXPECT_EQ(sql.Value(QStringLiteral("select count(*) from dados where cnpj_cpf='G'")).toInt(), 2);
}

}  // namespace
