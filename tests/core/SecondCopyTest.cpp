// One program per root: the real program started twice on one root. The second copy takes nothing,
// says why and ends; the first goes on; its lock ends with it, even when it is killed.

#include "support/Database.h"
#include "support/TempDrive.h"
#include "support/TestSql.h"

#include <QProcess>
#include <QTest>
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
    for (QProcess *copy : {&a, &b, &c}) copy->kill(), copy->waitForFinished();
  }
  void Start(QProcess &copy) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVALIX_ROOT"), QString::fromStdString(drive.Root().string()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    copy.setProcessEnvironment(environment);
    copy.start(QStringLiteral(ORVALIX_PROGRAM), {});
    ASSERT_TRUE(copy.waitForStarted());
  }
  // Rows of dados once a data-update file of count statements dropped into REMESSA is worked through.
  int Update(const std::string &name, int first, int count) {
    const auto host = drive.Root() / "c" / "Orvalix" / "Remessa" / name;
    std::ofstream(host, std::ios::binary) << [&] {
      std::string text;
      for (int n = first; n < first + count; ++n)
        text += "INSERT INTO DADOS (cnpj_cpf,empresa,data_mov) VALUES ('" + std::to_string(n) + "',1,'2026/12/08');\r\n";
      return text;
    }();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !std::filesystem::exists(host); }, 60000)) << name;
    return sql.Value(QStringLiteral("select count(*) from dados")).toInt();
  }

  TempDrive drive;
  testdb::Sql sql;
  QProcess a, b, c;
};

TEST_F(SecondCopy, EndsWithItsMessageTakingNothingAndTheLockDiesWithTheFirst) {
  Start(a);
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(drive.Root() / "c/WINDOWS/active.conf"); }, 30000));
  Start(b);
  ASSERT_TRUE(b.waitForFinished(30000));
  EXPECT_EQ(b.exitCode(), 1);
  const QString told = QString::fromUtf8(b.readAllStandardError());
  EXPECT_TRUE(told.contains(QString::fromStdString("O Orvalix Express já está em execução para a pasta " +
                                                    drive.Root().string())))
      << told.toStdString();
  EXPECT_EQ(Update("INSERE_DADO0001.TXT", 1, 8), 8);
  EXPECT_EQ(a.state(), QProcess::Running);

  ::kill(static_cast<pid_t>(a.processId()), SIGKILL);
  ASSERT_TRUE(a.waitForFinished());
  Start(c);
  EXPECT_EQ(Update("INSERE_DADO0002.TXT", 9, 4), 12);
  EXPECT_EQ(c.state(), QProcess::Running);
  EXPECT_EQ(sql.Value(QStringLiteral("select count(distinct cnpj_cpf) from dados")).toInt(), 12);
}

}  // namespace
