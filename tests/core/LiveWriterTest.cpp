// The exchange folder as a member's software feeds it: files written while the program runs, taken as
// soon as they are whole, on the one connection of the start; faults that are not a file's own are
// waited out, never held against it.

#include "UpdateFileFixture.h"

#include "support/ServerControl.h"

#include <QThread>
#include <fstream>

namespace {

class LiveWriter : public UpdateFileTest {
 protected:
  void SetUp() override {
    UpdateFileTest::SetUp();
    const TNotifyEvent afterConnect = Form().Database1->AfterConnect;
    Form().Database1->AfterConnect = [this, afterConnect](TObject *sender) {
      ++connects;
      afterConnect(sender);
    };
    Connect();
  }
  // Written and closed now, as its writer does: nothing is back-dated.
  void Write(const std::string &name, const std::string &bytes) {
    std::ofstream(drive.Host("C:\\ORVALIX\\REMESSA") / name, std::ios::binary) << bytes;
  }
  std::filesystem::path Folder(const char *windowsPath) { return drive.Host(windowsPath); }

  int connects = 0;
};

TEST_F(LiveWriter, ConsultationsAreAnsweredAtTheNextTickOnOneConnectionAndConsultarStaysShown) {
  WriteLocalConfig("42");
  Form().Timer1Timer(Form().Timer1);
  testing::internal::CaptureStderr();
  for (const char *n : {"1", "2", "3", "4", "5"}) {
    Write(std::string("CONS000") + n + ".TXT", "CONSULTA_EMPRESA\r\n");
    Tick();
    EXPECT_EQ(Answer(AnsiString("RET000") + n + ".ret"), "000042\r\n") << n;
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(connects, 1);
  EXPECT_TRUE(::Visible(Form().cons));
  EXPECT_TRUE(Form().Consultar1->Visible);
}

TEST_F(LiveWriter, AConsultationDuringADataUpdateFileIsAnsweredAtTheNextTickAndTheFileGoesOn) {
  Write(kFirst, Inserts(1, 6));
  Tick();  // starts it
  Tick();
  Write("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  Tick();
  EXPECT_TRUE(Answered("RET0001.ret"));
  EXPECT_EQ(Rows(), 2);
  EXPECT_TRUE(InProgress());
  EXPECT_EQ(TicksToEnd(), 2);
  EXPECT_EQ(Rows(), 6);
  EXPECT_EQ(connects, 1);
}

TEST_F(LiveWriter, AFileStillBeingWrittenWaitsWithoutFailingAndHoldsOnlyTheNamesOfItsKind) {
  testing::internal::CaptureStderr();
  {
    std::ofstream writer(Folder("C:\\ORVALIX\\REMESSA\\CONS0001.TXT"), std::ios::binary);
    writer << "CONSULTA_EMPRESA\r\n" << std::flush;
    Write("CONS0002.TXT", "CONSULTA_EMPRESA\r\n");
    Write("TRANS0001.TXT", "INSERE_EMITENTE_CLI('77','ANA')\r\n");
    Tick();  // the customer record goes first
    EXPECT_FALSE(Waiting("TRANS0001.TXT"));
    for (int tick = 0; tick < 3; ++tick) Tick();
    EXPECT_TRUE(Waiting("CONS0001.TXT"));
    EXPECT_TRUE(Waiting("CONS0002.TXT"));  // in its order, behind the file being written
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    testing::internal::CaptureStderr();
    SetClockForTesting(QDateTime(QDate(2026, 12, 8), QTime(10, 31, 1)));
    Tick();
    Tick();
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find("CONS0001.TXT: ainda em gravação há 1 min"), std::string::npos) << told;
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
  }
  Tick();
  EXPECT_TRUE(Answered("RET0001.ret"));
  Tick();
  EXPECT_TRUE(Answered("RET0002.ret"));
  // A last line without its end may be written in several opens: it waits until it stands still.
  Write("CONS0003.TXT", "CONSULTA_EMPRESA");
  Tick();
  EXPECT_TRUE(Waiting("CONS0003.TXT"));
  QThread::msleep(1100);
  Tick();
  EXPECT_TRUE(Answered("RET0003.ret"));
  EXPECT_EQ(connects, 1);
  EXPECT_FALSE(Waiting("CONS0001.TXT.ERR"));
}

TEST_F(LiveWriter, TheWatchFollowsRemessaRemovedAndMadeAgain) {
  std::filesystem::remove_all(Folder("C:\\ORVALIX\\REMESSA"));
  Tick();
  std::filesystem::create_directory(Folder("C:\\ORVALIX") / "REMESSA");
  Tick();
  Write("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  Tick();  // at once: no second of standing still for a file seen whole
  EXPECT_TRUE(Answered("RET0001.ret"));
}

TEST_F(LiveWriter, AnAnswerFolderMissingOrBlockedIsWaitedOutNeverHeldAgainstTheFile) {
  const std::filesystem::path retorno = Folder("C:\\ORVALIX\\RETORNO");
  std::filesystem::remove_all(retorno);
  Write("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  Tick();
  EXPECT_TRUE(Answered("RET0001.ret"));  // made again, as the start makes it
  std::filesystem::remove_all(retorno);
  std::ofstream(retorno) << "";  // a file in its place: no folder can be made
  Write("CONS0002.TXT", "CONSULTA_EMPRESA\r\n");
  testing::internal::CaptureStderr();
  for (int tick = 0; tick < 8; ++tick) Tick();
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
  EXPECT_TRUE(Waiting("CONS0002.TXT"));
  std::filesystem::remove(retorno);
  Tick();
  EXPECT_TRUE(Answered("RET0002.ret"));
  EXPECT_FALSE(Waiting("CONS0002.TXT.ERR"));
  EXPECT_EQ(connects, 1);
}

class LiveWriterLocks : public LiveWriter {
 protected:
  void SetUp() override {
    testdb::SetGlobal(QStringLiteral("innodb_lock_wait_timeout"), QStringLiteral("1"));
    LiveWriter::SetUp();
  }
  void TearDown() override {
    LiveWriter::TearDown();
    testdb::SetGlobal(QStringLiteral("innodb_lock_wait_timeout"), QStringLiteral("default"));
  }
};

TEST_F(LiveWriterLocks, RowsLockedPastTheLockWaitAreWaitedOutAndTheStatementsAppliedOnce) {
  sql.Exec("insert into dados (cnpj_cpf, empresa, data_mov, chp_dev) values ('9', 42, '2026/12/08', 0)");
  sql.Exec("insert into clientes (cnpj_cpf, nome) values ('77', 'VELHO')");
  testdb::Sql other;
  other.Exec("start transaction");
  other.Exec("select * from dados where cnpj_cpf='9' for update");
  other.Exec("select * from clientes where cnpj_cpf='77' for update");
  Write("TRANS0001.TXT", "INSERE_EMITENTE_CLI('77','NOVO')\r\n");
  for (int tick = 0; tick < 6; ++tick) Tick();  // past the bound of five
  EXPECT_TRUE(Waiting("TRANS0001.TXT"));
  other.Exec("rollback");
  other.Exec("start transaction");
  other.Exec("select * from dados where cnpj_cpf='9' for update");
  Tick();
  Write(kFirst, "UPDATE DADOS SET chp_dev=chp_dev+1 WHERE cnpj_cpf='9';\r\n" + Inserts(1, 1));
  for (int tick = 0; tick < 8; ++tick) Tick();  // four waits, past the bound of three
  EXPECT_TRUE(Waiting(kFirst));
  other.Exec("commit");
  for (int tick = 0; tick < 3 && Waiting(kFirst); ++tick) Tick();
  EXPECT_FALSE(Waiting(kFirst));
  EXPECT_FALSE(Waiting("INSERE_DADO0001.TXT.ERR"));
  EXPECT_FALSE(Waiting("TRANS0001.TXT.ERR"));
  EXPECT_EQ(sql.Value(QStringLiteral("select nome from clientes where cnpj_cpf='77'")).toString(), "NOVO");
  EXPECT_EQ(sql.Value(QStringLiteral("select chp_dev from dados where cnpj_cpf='9'")).toInt(), 1);
  EXPECT_EQ(Rows(), 2);
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(connects, 1);
}

TEST_F(LiveWriter, ANameWithABackslashIsSetAsideAtOnceAndTheQueueGoesOn) {
  Write("CONS0\\x.TXT", "CONSULTA_EMPRESA\r\n");
  Write("CONS1.TXT", "CONSULTA_EMPRESA\r\n");
  testing::internal::CaptureStderr();
  Tick();
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("CONS0\\x.TXT: posto de lado como CONS0\\x.TXT.ERR: nome com barra invertida"),
            std::string::npos)
      << told;
  EXPECT_TRUE(std::filesystem::exists(Folder("C:\\ORVALIX\\REMESSA") / "CONS0\\x.TXT.ERR"));
  Tick();
  EXPECT_TRUE(Answered("RET1.ret"));
}

}  // namespace
