// Locks of other sessions on the server: a backup's global read lock and a member's table locks hold the
// batch only while they last, and never count against a file.

#include "UpdateFileFixture.h"

#include "support/LinkRelay.h"
#include "support/ServerControl.h"

#include <QThread>
#include <atomic>
#include <thread>

namespace {

class ServerLocks : public UpdateFileTest {
 protected:
  void SetUp() override {
    UpdateFileTest::SetUp();
    if (!testdb::ServerControllable()) GTEST_SKIP() << "the test server is not one of scripts/db's on the tests' port";
    // Short bounds: lock waits of 2 s within a statement bound of 3 s.
    Form().Database1->CommandTimeout = 4;
    Connect();
  }
  void Ticks(int count) {
    for (int tick = 0; tick < count; ++tick) Tick();
  }
  // Ticks until nothing waits in REMESSA, or for long enough.
  void Finish() {
    for (int tick = 0; tick < 40 && (Waiting(kFirst) || Waiting("TRANS0001.TXT") || InProgress()); ++tick) Tick();
  }
};

TEST_F(ServerLocks, ABackupsReadLockHoldsTheFileOnlyWhileItLasts) {
  Form().cons->show();  // the consultation entries, as the start screen leaves them
  Form().Consultar1->Visible = true;
  Drop(kFirst, Inserts(1, 20));
  Ticks(2);
  {
    testdb::AdminSession backup("flush tables with read lock");
    Ticks(4);
    EXPECT_EQ(Rows(), 2);
    Drop("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
    for (int tick = 0; tick < 3 && Waiting("CONS0001.TXT"); ++tick) Tick();
    EXPECT_EQ(Answer("RET0001.ret"), "#\r\n");  // read under the lock: the session holds no branch
  }
  Finish();
  EXPECT_EQ(Rows(), 20);
  EXPECT_EQ(Repeated(), 0);
  EXPECT_FALSE(Waiting("INSERE_DADO0001.TXT.ERR"));
  EXPECT_TRUE(Form().Database1->Connected());
  EXPECT_FALSE(Form().cons->isHidden());
  EXPECT_TRUE(Form().Consultar1->Visible);
}

TEST_F(ServerLocks, TableLocksAreWaitedOutByDataUpdateFilesAndCustomerRecords) {
  Drop(kFirst, Inserts(1, 4));
  Tick();
  testdb::AdminSession member("lock tables clientes read, dados read");
  Ticks(4);  // one more than the failures of one statement that set a file aside
  EXPECT_TRUE(InProgress());  // kept in place, not started again
  EXPECT_TRUE(Form().Timer3->Enabled());
  EXPECT_FALSE(Waiting("INSERE_DADO0001.TXT.ERR"));
  Drop("TRANS0001.TXT", "INSERE_CLIENTE('111','NOVO','RUA B','BAIRRO','22000-000','RIO','RJ','9','8','n@x','7','RG 2')\r\n");
  Ticks(2);
  EXPECT_TRUE(Waiting("TRANS0001.TXT"));
  EXPECT_TRUE(boxes.Calls().empty());
  member.End();
  Finish();
  EXPECT_EQ(sql.Value(QStringLiteral("select nome from clientes where cnpj_cpf='111'")).toString(), "NOVO");
  EXPECT_EQ(Rows(), 4);
  EXPECT_EQ(Repeated(), 0);
  EXPECT_FALSE(Waiting("INSERE_DADO0001.TXT.ERR"));
}

TEST_F(ServerLocks, APreparedStatementWhoseCommitMeetsABackupsLockTakesEffectOnceAfterIt) {
  LinkRelay relay;
  SetPort(AnsiString(QString::number(relay.Port()).toStdString()));
  Form().Database1->Close();
  Connect();
  Drop(kFirst, Inserts(1, 3));
  Tick();
  // The backup takes its lock once the server prepared the first statement, before the program hears
  // of it; its session lives in a thread of its own, as the program blocks in its statements.
  relay.SilenceAfter({"XA PREPARE"});
  std::atomic<bool> backupEnds = false;
  std::thread backup([&] {
    while (!relay.Silent()) QThread::msleep(10);
    testdb::AdminSession session("flush tables with read lock");
    relay.Speak();
    while (!backupEnds) QThread::msleep(10);
  });
  Tick();
  EXPECT_FALSE(Form().Database1->Connected());  // the session that holds the prepared statement goes
  Ticks(2);  // connected again; the commit waits for the lock in vain
  EXPECT_EQ(Rows(), 0);
  EXPECT_TRUE(Form().Database1->Connected());
  backupEnds = true;
  backup.join();
  Finish();
  EXPECT_EQ(Rows(), 3);
  EXPECT_EQ(Repeated(), 0);
  EXPECT_FALSE(Waiting("INSERE_DADO0001.TXT.ERR"));
}

}  // namespace
