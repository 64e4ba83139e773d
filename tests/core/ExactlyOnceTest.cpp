// Every statement of a data-update file takes effect once: when the file is replaced, touched, grown,
// mended and sent again or renamed back, and when the link to the server goes silent in the middle of a
// statement.

#include "UpdateFileFixture.h"

#include "support/LinkRelay.h"

#include <QElapsedTimer>
#include <QThread>
#include <fstream>

namespace {

class ExactlyOnce : public UpdateFileTest {
 protected:
  std::filesystem::path Host(const std::string &name) { return drive.Host("C:\\ORVALIX\\REMESSA") / name; }
  // Written elsewhere and renamed into place, as a writer delivers a file.
  void Deliver(const std::string &name, const std::string &bytes) {
    std::ofstream(Host(name + ".tmp"), std::ios::binary) << bytes;
    std::filesystem::rename(Host(name + ".tmp"), Host(name));
  }
  // Ticks until the file is gone, or set aside, or for long enough.
  void Finish(const std::string &name) {
    for (int tick = 0; tick < 50 && (Waiting(name) || InProgress()); ++tick) {
      Tick();
      QThread::msleep(50);  // a file changed is taken once it stood still a second
    }
  }
  int Customer(const char *document) {
    return sql.Value(QStringLiteral("select count(*) from dados where cnpj_cpf='%1'").arg(document)).toInt();
  }
};

TEST_F(ExactlyOnce, AFileRenamedIntoPlaceWhileTheOldOneRunsIsStartedAfterIt) {
  Connect();
  Deliver(kFirst, Inserts(1, 5));
  Tick();
  Tick();
  Deliver(kFirst, Inserts(11, 3));
  EXPECT_EQ(TicksToEnd(), 2);  // the old file, as it was opened
  EXPECT_TRUE(Waiting(kFirst));
  Finish(kFirst);
  EXPECT_EQ(Rows(), 8);
  EXPECT_EQ(Repeated(), 0);
}

TEST_F(ExactlyOnce, AFileChangedWhileTheProgramIsStoppedResumesOnlyWhenItIsTheSameUpToThere) {
  const std::string five = Inserts(1, 5);
  const struct {
    const char *what;
    std::function<void()> change;
    int rows;
  } cases[] = {
      {"touched",
       [&] {
         using namespace std::chrono_literals;
         std::filesystem::last_write_time(Host(kFirst), std::filesystem::file_time_type::clock::now() - 3s);
       },
       5},
      {"statements appended",
       [&] {
         std::ofstream(Host(kFirst), std::ios::app) << Inserts(6, 2);
         Settle(kFirst);
       },
       7},
      {"other statements of the same size and time",
       [&] {
         const auto time = std::filesystem::last_write_time(Host(kFirst));
         std::ofstream(Host(kFirst), std::ios::binary) << Inserts(5, 5);
         std::filesystem::last_write_time(Host(kFirst), time);
       },
       7},
      {"a record of the earlier form",
       [&] {
         drive.WriteFile("C:\\WINDOWS\\insere_dado.conf",
                         "2\t0\t" + std::to_string(five.size()) + "\t" + std::to_string(FileAge(kFirstPath)) + "\t" +
                             kFirstPath + "\r\n");
       },
       5},
  };
  for (const auto &c : cases) {
    sql.ResetTables();
    RestartProgram();
    Connect();
    Deliver(kFirst, five);
    Tick();
    Tick();
    ASSERT_EQ(Rows(), 2) << c.what;
    RestartProgram();
    c.change();
    Connect();
    Finish(kFirst);
    EXPECT_EQ(Rows(), c.rows) << c.what;
    EXPECT_EQ(Repeated(), 0) << c.what;
    EXPECT_FALSE(Waiting(kFirst)) << c.what;
  }
  EXPECT_EQ(drive.ReadFile("C:\\WINDOWS\\insere_dado.conf"), "");
}

TEST_F(ExactlyOnce, ASetAsideFileMendedAndSentAgainResumesAfterWhatTookEffectWhileItStands) {
  const std::string broken = Inserts(1, 2) + "INSERT INTO DADOS VALUES ((;\r\n" + Inserts(4, 1);
  const std::string mended = Inserts(1, 4);
  for (const bool asideRemoved : {false, true}) {
    sql.ResetTables();
    Connect();
    Deliver(kFirst, broken);
    testing::internal::CaptureStderr();
    Finish(kFirst);
    const std::string told = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(Waiting("INSERE_DADO0001.TXT.ERR"));
    EXPECT_NE(told.find("instruções que tiveram efeito: 2, a recusada começa na linha 3"), std::string::npos) << told;
    if (asideRemoved) DeleteFile("C:\\ORVALIX\\REMESSA\\INSERE_DADO0001.TXT.ERR");
    Deliver(kFirst, mended);
    Finish(kFirst);
    EXPECT_EQ(Rows(), asideRemoved ? 6 : 4) << asideRemoved;  // a new file runs from its first line
    EXPECT_EQ(Customer("3"), 1) << asideRemoved;
    DeleteFile("C:\\ORVALIX\\REMESSA\\INSERE_DADO0001.TXT.ERR");
  }
}

class SilentLink : public ExactlyOnce {
 protected:
  void SetUp() override {
    ExactlyOnce::SetUp();
    SetPort(AnsiString(QString::number(relay.Port()).toStdString()));
    // Short bounds, so that the test waits seconds where the program waits half a minute.
    Form().Database1->CommandTimeout = 2;
    Form().Database1->ConnectionTimeout = 2;
    Connect();
  }
  // Ticks until done holds or a minute has passed; gives the seconds it took, or -1.
  double TickUntil(const std::function<bool()> &done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
      if (clock.elapsed() > 60000) return -1;
      Tick();
      QThread::msleep(50);
    }
    return clock.elapsed() / 1000.0;
  }

  LinkRelay relay;
};

TEST_F(SilentLink, AConsultationWaitsNoLongerThanItsBoundAndIsAnsweredWhenTheLinkIsBack) {
  sql.Exec("insert into grupos values (1, 'CENTRO')");
  sql.Exec("insert into empresas values (42, 'LOJA', 'S', 1, 0)");
  sql.Exec("insert into dados (cnpj_cpf, empresa, data_mov, chp_dev) values ('9', 42, '2026/12/08', 1)");
  relay.SilenceAfter({"from empresas"});
  Drop("CONS0001.TXT", "CONSULTA_DADOS(42,'9')\r\n");
  QElapsedTimer clock;
  clock.start();
  Tick();
  EXPECT_LT(clock.elapsed(), 10000);
  EXPECT_FALSE(Form().Database1->Connected());  // a link failure: dropped, to be connected again
  Tick();  // no connection while silent, within its bound
  EXPECT_FALSE(Form().Database1->Connected());
  relay.Speak();
  EXPECT_GE(TickUntil([&] { return Answered("RET0001.ret"); }), 0);
  EXPECT_EQ(Answer("RET0001.ret"), "('9',1,0,0.00,0.00,0.00,1,0.00,0.00,0.00,0,0.00,CENTRO)\r\n");
  EXPECT_FALSE(Waiting("CONS0001.TXT.ERR"));
}

TEST_F(SilentLink, AStatementWhoseSessionWasLostIsTakenUpAgainAndTakesEffectOnce) {
  // The link falls silent once the server ran statement 2 (not prepared yet), then once it prepared
  // statement 4: each time the lost session keeps the statement's id until the program ends it.
  Drop(kFirst, Inserts(1, 6));
  Tick();
  for (const QByteArrayList &trigger : {QByteArrayList{"VALUES ('2'"}, QByteArrayList{"XA PREPARE", "','3'"}}) {
    relay.SilenceAfter(trigger);
    EXPECT_GE(TickUntil([&] { return relay.Silent() && !Form().Database1->Connected(); }), 0);
    relay.Speak();
    EXPECT_GE(TickUntil([&] { return Form().Database1->Connected() && InProgress(); }), 0);
  }
  EXPECT_GE(TickUntil([&] { return !Waiting(kFirst); }), 0);
  EXPECT_EQ(Rows(), 6);
  EXPECT_EQ(Repeated(), 0);
  EXPECT_FALSE(Waiting("INSERE_DADO0001.TXT.ERR"));
}

TEST_F(ExactlyOnce, AFileRenamedIntoPlaceAsTheOldStatementsAndMoreRunsOnlyTheNewOnesAfterTheOldFile) {
  Connect();
  Deliver(kFirst, Inserts(1, 20));
  for (int tick = 0; tick < 4; ++tick) Tick();  // 6 statements
  Deliver(kFirst, Inserts(1, 24));
  Finish(kFirst);
  EXPECT_EQ(Rows(), 24);
  EXPECT_EQ(Repeated(), 0);
}

TEST_F(ExactlyOnce, ASetAsideFileMendedAndRenamedBackResumesAndAnyOtherFileUnderItsNameRunsWhole) {
  const std::string aside = std::string(kFirst) + ".ERR", mended = Inserts(1, 11);
  const auto back = [&](const std::string &from) { std::filesystem::rename(Host(from), Host(kFirst)); };
  const struct {
    const char *what;
    std::function<void()> mend;
    int rows;
  } cases[] = {
      {"mended in place", [&] { std::ofstream(Host(aside), std::ios::binary) << mended; back(aside); }, 11},
      {"saved by replacing, seen by a tick, renamed back after a restart",
       [&] { Deliver(aside, mended); Tick(); RestartProgram(); Connect(); back(aside); }, 11},
      {"another file once the set-aside one is deleted",
       [&] { Deliver("other", mended); std::filesystem::remove(Host(aside)); back("other"); }, 17},
  };
  for (const auto &c : cases) {
    sql.ResetTables();
    RestartProgram();
    Connect();
    Deliver(kFirst, Inserts(1, 6) + "INSERT INTO DADOS VALUES ((;\r\n" + Inserts(8, 4));
    Finish(kFirst);
    ASSERT_EQ(Rows(), 6) << c.what;
    c.mend();
    Settle(kFirst);
    Finish(kFirst);
    EXPECT_EQ(Rows(), c.rows) << c.what;
    EXPECT_EQ(sql.Value(QStringLiteral("select count(distinct cnpj_cpf) from dados")).toInt(), 11) << c.what;
  }
}

}  // namespace
