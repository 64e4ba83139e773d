// One program per root: the real program started twice on one root. The second copy takes nothing,
// says why and ends; the first goes on; its lock ends with it, even when it is killed.

#include "support/Database.h"
#include "support/TempDrive.h"
#include "support/TestSql.h"

#include <QProcess>
#include <QTest>
#include <chrono>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class SecondCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    testdb::LinkOdbcDriver(drive);
    sql.ResetTables();
  }
  void TearDown() override {
    for (QProcess *copy : {&first, &second, &third}) {
      copy->kill();
      copy->waitForFinished();
    }
  }
  void Start(QProcess &copy) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVALIX_ROOT"), QString::fromStdString(drive.Root().string()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    copy.setProcessEnvironment(environment);
    copy.start(QStringLiteral(ORVALIX_PROGRAM), {});
    ASSERT_TRUE(copy.waitForStarted());
  }
  // Drops a data-update file and waits until the program has worked it through.
  void Update(const std::string &name, int first, int count) {
    using namespace std::chrono_literals;
    const auto host = drive.Root() / "c" / "Orvalix" / "Remessa" / name;
    std::ofstream out(host, std::ios::binary);
    for (int n = first; n < first + count; ++n)
      out << "INSERT INTO DADOS (cnpj_cpf,empresa,data_mov) VALUES ('" << n << "',1,'2026/12/08');\r\n";
    out.close();
    std::filesystem::last_write_time(host, std::filesystem::file_time_type::clock::now() - 5s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !std::filesystem::exists(host); }, 60000)) << name;
  }
  bool Connected() { return std::filesystem::exists(drive.Root() / "c" / "WINDOWS" / "active.conf"); }
  int Rows() { return sql.Value(QStringLiteral("select count(*) from dados")).toInt(); }
  int Customers() { return sql.Value(QStringLiteral("select count(distinct cnpj_cpf) from dados")).toInt(); }

  TempDrive drive;
  testdb::Sql sql;
  QProcess first, second, third;
};

TEST_F(SecondCopy, EndsWithItsMessageTakingNothingAndTheLockDiesWithTheFirst) {
  Start(first);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Connected(); }, 30000));
  Start(second);
  ASSERT_TRUE(second.waitForFinished(30000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 1);
  const QString told = QString::fromUtf8(second.readAllStandardError());
  EXPECT_TRUE(told.contains(QStringLiteral("O Orvalix Express já está em execução para a pasta ") +
                            QString::fromStdString(drive.Root().string())))
      << told.toStdString();
  Update("INSERE_DADO0001.TXT", 1, 8);
  EXPECT_EQ(Rows(), 8);
  EXPECT_EQ(first.state(), QProcess::Running);

  ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
  ASSERT_TRUE(first.waitForFinished());
  Start(third);
  Update("INSERE_DADO0002.TXT", 9, 4);
  EXPECT_EQ(Rows(), 12);
  EXPECT_EQ(Customers(), 12);
  EXPECT_EQ(third.state(), QProcess::Running);
  EXPECT_FALSE(QString::fromUtf8(third.readAllStandardError()).contains(QStringLiteral("já está em execução")));
}

}  // namespace
