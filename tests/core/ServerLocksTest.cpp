// Locks of other sessions on the server hold the batch only while they last, and never count against a file.

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
    Form().Database1->CommandTimeout = 4;  // lock waits of 2 s, statements of 3 s
    SetPort(AnsiString(QString::number(relay.Port()).toStdString()));
    Connect();
  }
  void Ticks(int count, const std::function<bool()> &until = [] { return false; }) {
    for (int tick = 0; tick < count && !until(); ++tick) Tick();
  }

  LinkRelay relay;
};

TEST_F(ServerLocks, ABackupsReadLockHoldsADataUpdateFileOnlyWhileItLasts) {
  Form().cons->show();  // the consultation entries, as the start screen leaves them
  // The backup locks once the statement's start, or its prepare, reached the server: the statement meets
  // the lock, or its commit does. Its session has a thread of its own: the program blocks in statements.
  for (const char *moment : {"XA START", "XA PREPARE"}) {
    sql.ResetTables();
    Drop(kFirst, Inserts(1, 20));
    Tick();
    relay.SilenceAfter({moment});
    std::atomic<bool> backupEnds = false;
    std::thread backup([&] {
      for (int wait = 0; wait < 1000 && !relay.Silent(); ++wait) QThread::msleep(10);
      testdb::AdminSession session("flush tables with read lock");
      relay.Speak();
      while (!backupEnds) QThread::msleep(10);
    });
    Tick();
    EXPECT_FALSE(Form().Database1->Connected()) << moment;  // the session that holds the branch goes
    Ticks(3);
    backupEnds = true;
    backup.join();
    Ticks(40, [&] { return !Waiting(kFirst); });
    EXPECT_EQ(Rows(), 20) << moment;
    EXPECT_EQ(Repeated(), 0) << moment;
    EXPECT_FALSE(Waiting("INSERE_DADO0001.TXT.ERR")) << moment;
    EXPECT_FALSE(Form().cons->isHidden()) << moment;
  }
}

TEST_F(ServerLocks, TableLocksAreWaitedOutByDataUpdateFilesAndCustomerRecords) {
  Drop(kFirst, Inserts(1, 4));
  Tick();
  {
    testdb::AdminSession member("lock tables clientes read, dados read");
    Ticks(4);  // one more than the failures of one statement that set a file aside
    EXPECT_TRUE(Form().Timer3->Enabled());
    Drop("TRANS0001.TXT", "INSERE_CLIENTE('111','NOVO','RUA B','BAIRRO','2','RIO','RJ','9','8','n@x','7','RG')\r\n");
    Ticks(2);
    EXPECT_TRUE(boxes.Calls().empty());
  }
  Ticks(40, [&] { return !Waiting(kFirst) && !Waiting("TRANS0001.TXT"); });
  EXPECT_EQ(sql.Value(QStringLiteral("select nome from clientes where cnpj_cpf='111'")).toString(), "NOVO");
  EXPECT_EQ(Rows(), 4);
  EXPECT_FALSE(Waiting("INSERE_DADO0001.TXT.ERR"));
}

}  // namespace
