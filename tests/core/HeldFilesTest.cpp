// When a command file is taken and let go, with its writer at work while the program runs: a writer
// that holds the file open, one that writes it in several opens, a time that is no guide to stillness,
// a file this program may not read or delete.

#include "UpdateFileFixture.h"

#include <QElapsedTimer>
#include <QThread>
#include <fcntl.h>
#include <fstream>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The calling thread without the rights that let root read and delete any file: the kernel refuses it
// what it refuses any other user. The tests run as root; the ticks run on this thread.
class WithoutFileRights {
 public:
  WithoutFileRights() {
    ::syscall(SYS_capget, &header_, saved_);
    __user_cap_data_struct dropped[2] = {saved_[0], saved_[1]};
    for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
      dropped[cap / 32].effective &= ~(1u << (cap % 32));
    ::syscall(SYS_capset, &header_, dropped);
  }
  ~WithoutFileRights() { ::syscall(SYS_capset, &header_, saved_); }

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2]{};
};

class HeldFiles : public UpdateFileTest {
 protected:
  void SetUp() override {
    UpdateFileTest::SetUp();
    Connect();
  }
  std::filesystem::path Remessa(const std::string &name) { return drive.Host("C:\\ORVALIX\\REMESSA") / name; }
  // Written in one open and closed now, as its writer does.
  void Write(const std::string &name, const std::string &bytes, std::ios::openmode mode = {}) {
    std::ofstream(Remessa(name), std::ios::binary | std::ios::out | mode) << bytes;
  }
  void Age(const std::string &name, std::chrono::seconds by) {
    std::filesystem::last_write_time(Remessa(name), std::filesystem::file_time_type::clock::now() + by);
  }
  // Ticks for about the time given, as the timer does.
  void TickFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
      Tick();
      QThread::msleep(100);
    }
  }
  int Rows() { return UpdateFileTest::Rows(); }
};

TEST_F(HeldFiles, AStatementAppendedByAWriterThatPausesWaitsForItsEndAndTheFileForItsWriter) {
  sql.Exec("insert into dados (cnpj_cpf, empresa, data_mov) values ('a', 1, '2026/12/08'), ('b', 1, '2026/12/08')");
  Write(kFirst, Inserts(1, 4));  // the first open
  Tick();                        // started
  Tick();
  std::ofstream writer(Remessa(kFirst), std::ios::binary | std::ios::app);  // the second
  writer << "DELETE FROM DADOS\r\n" << std::flush;
  TickFor(2500);
  EXPECT_EQ(Rows(), 6);
  EXPECT_TRUE(InProgress());
  writer << "WHERE cnpj_cpf='NOBODY';\r\n" << Insert(5) << "\r\n" << std::flush;
  TickFor(1500);
  EXPECT_TRUE(Waiting(kFirst));  // worked through, but still held by its writer
  writer.close();
  TicksToEnd();
  EXPECT_EQ(Rows(), 7);
  EXPECT_FALSE(Waiting(kFirst));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(HeldFiles, ALastLineWithoutItsEndIsUnfinishedWhateverItsLastCharacter) {
  Write(kFirst, Inserts(1, 4));
  Tick();
  Tick();
  Write(kFirst, "INSERT INTO DADOS (cnpj_cpf,empresa,data_mov) VALUES ('x;", std::ios::app);
  for (int tick = 0; tick < 3; ++tick) Tick();
  Write(kFirst, "y',1,'2026/12/08');\r\n", std::ios::app);
  TicksToEnd();
  EXPECT_EQ(Rows(), 5);
  EXPECT_EQ(sql.Value(QStringLiteral("select count(*) from dados where cnpj_cpf='x;y'")).toInt(), 1);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(HeldFiles, AFileDatedAheadOfTheClockIsTakenOnceItStoodStillASecond) {
  Write("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  Age("CONS0001.TXT", std::chrono::minutes(3));
  RestartProgram();  // there before the watch began
  Tick();
  TickFor(2000);
  EXPECT_TRUE(Answered("RET0001.ret"));
}

TEST_F(HeldFiles, AFileDatedBehindTheClockWaitsWhileItIsWritten) {
  Write("CONS0001.TXT", "CONSULTA_EMPRE");
  Age("CONS0001.TXT", -std::chrono::hours(1));  // a share's clock that runs behind
  for (int tick = 0; tick < 3; ++tick) Tick();
  EXPECT_TRUE(Waiting("CONS0001.TXT"));
  Write("CONS0001.TXT", "SA\r\n", std::ios::app);
  Age("CONS0001.TXT", -std::chrono::hours(1));
  TickFor(1500);
  EXPECT_EQ(Answer("RET0001.ret"), "#\r\n");
}

TEST_F(HeldFiles, AFileThisProgramMayNotReadIsSetAsideAndTheOneBehindItAnswered) {
  Write("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  Write("CONS0002.TXT", "CONSULTA_EMPRESA\r\n");
  std::filesystem::permissions(Remessa("CONS0001.TXT"), std::filesystem::perms::none);
  WithoutFileRights rights;
  ASSERT_LT(::open(Remessa("CONS0001.TXT").c_str(), O_RDONLY), 0);
  int ticks = 0;
  while (!Answered("RET0002.ret") && ticks < 12) {
    Tick();
    ++ticks;
  }
  EXPECT_TRUE(Waiting("CONS0001.TXT.ERR"));
  EXPECT_EQ(ticks, 6);  // five failed ticks, then the file behind it
}

TEST_F(HeldFiles, AnAnsweredFileThatCannotBeDeletedIsNotAnsweredAgainAndTheOneBehindItIs) {
  Write("CONS0001.TXT", "CONSULTA_EMPRESA\r\n");
  Write("CONS0002.TXT", "CONSULTA_EMPRESA\r\n");
  const std::filesystem::path remessa = drive.Host("C:\\ORVALIX\\REMESSA");
  std::filesystem::permissions(remessa, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
  testing::internal::CaptureStderr();
  {
    WithoutFileRights rights;
    Tick();
    ASSERT_TRUE(Answered("RET0001.ret"));
    std::filesystem::remove(drive.Host("C:\\ORVALIX\\RETORNO\\RET0001.ret"));
    Tick();
    Tick();
  }
  std::filesystem::permissions(remessa, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(Answered("RET0001.ret"));
  EXPECT_TRUE(Answered("RET0002.ret"));
  EXPECT_NE(told.find("CONS0001.TXT: terminado, mas não pôde ser apagado nem posto de lado"), std::string::npos) << told;
}

TEST_F(HeldFiles, AFileLeftUnderItsHiddenNameComesBackAsSoonAsTheNameIsFree) {
  RefuseNoReplaceForTesting(true);  // as a share does: the move back is a link and an unlink
  Write(std::string(".") + kFirst + ".apagando", Inserts(1, 2));
  Write(kFirst, Inserts(3, 2));
  RestartProgram();
  Connect();
  for (int tick = 0; tick < 50 && Rows() < 4; ++tick) {
    Tick();
    QThread::msleep(100);
  }
  RefuseNoReplaceForTesting(false);
  EXPECT_EQ(Rows(), 4);
  EXPECT_EQ(Repeated(), 0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drive.Host("C:\\ORVALIX\\REMESSA")), {}), 0);
}

}  // namespace
