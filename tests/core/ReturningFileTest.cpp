// A file that comes back under the name of a data-update file: renamed into place while that file was
// in progress, or the set-aside file mended and renamed back. It resumes after the statements that took
// effect when it is the same up to there; any other file runs from its first line.

#include "UpdateFileFixture.h"

#include <fstream>
#include <functional>

namespace {

class ReturningFile : public UpdateFileTest {
 protected:
  std::filesystem::path Host(const std::string &name) { return drive.Host("C:\\ORVALIX\\REMESSA") / name; }
  void WriteAside(const std::string &name, const std::string &bytes) {
    std::ofstream(Host(name), std::ios::binary) << bytes;
  }
  void Deliver(const std::string &name, const std::string &bytes) {
    WriteAside(name + ".tmp", bytes);
    std::filesystem::rename(Host(name + ".tmp"), Host(name));
  }
  void Finish(const std::string &name) {
    for (int tick = 0; tick < 50 && (Waiting(name) || InProgress()); ++tick) Tick();
  }
  void Begin() {
    sql.ResetTables();
    RestartProgram();
    Connect();
  }
};

TEST_F(ReturningFile, AFileRenamedIntoPlaceWhileInProgressResumesWhenItIsTheSameUpToWhereTheOldOneEnded) {
  const struct {
    const char *what;
    std::string replacement;
    int position, rows;
  } cases[] = {
      {"the same statements and four more", Inserts(1, 20) + Inserts(21, 4), 20, 24},
      {"another last statement", Inserts(1, 19) + Inserts(30, 5), 0, 44},
  };
  for (const auto &c : cases) {
    Begin();
    Deliver(kFirst, Inserts(1, 20));
    Tick();
    for (int tick = 0; tick < 3; ++tick) Tick();
    ASSERT_EQ(Rows(), 6) << c.what;
    Deliver(kFirst, c.replacement);
    TicksToEnd();  // the old file, as it was opened
    ASSERT_TRUE(Waiting(kFirst)) << c.what;
    Tick();
    EXPECT_EQ(Position(), c.position) << c.what;
    Finish(kFirst);
    EXPECT_EQ(Rows(), c.rows) << c.what;
  }
}

TEST_F(ReturningFile, ASetAsideFileMendedAndRenamedBackResumesAndAnyOtherFileUnderTheNameRunsWhole) {
  const std::string aside = std::string(kFirst) + ".ERR";
  const std::string mended = Inserts(1, 11);
  const struct {
    const char *what;
    std::function<void()> mend;
    int rows;
  } cases[] = {
      {"mended in place and renamed back",
       [&] {
         WriteAside(aside, mended);
         std::filesystem::rename(Host(aside), Host(kFirst));
       },
       11},
      {"saved by replacing, seen by a tick, renamed back after a restart",
       [&] {
         Deliver(aside, mended);
         Tick();
         RestartProgram();
         Connect();
         std::filesystem::rename(Host(aside), Host(kFirst));
       },
       11},
      {"another file under the name once the set-aside one is deleted",
       [&] {
         WriteAside("other", mended);
         std::filesystem::remove(Host(aside));
         std::filesystem::rename(Host("other"), Host(kFirst));
       },
       17},
  };
  for (const auto &c : cases) {
    Begin();
    Deliver(kFirst, Inserts(1, 6) + "INSERT INTO DADOS VALUES ((;\r\n" + Inserts(8, 4));
    Finish(kFirst);
    ASSERT_TRUE(Waiting(aside)) << c.what;
    ASSERT_EQ(Rows(), 6) << c.what;
    c.mend();
    Settle(kFirst);
    Finish(kFirst);
    EXPECT_FALSE(Waiting(kFirst)) << c.what;
    EXPECT_EQ(Rows(), c.rows) << c.what;
    EXPECT_EQ(sql.Value(QStringLiteral("select count(distinct cnpj_cpf) from dados")).toInt(), 11) << c.what;
  }
}

}  // namespace
