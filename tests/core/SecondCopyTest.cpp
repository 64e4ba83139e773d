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

TEST(SecondCopy, EndsWithItsMessageTakingNothingAndTheLockDiesWithTheFirst) {
  TempDrive drive;
  testdb::LinkOdbcDriver(drive);
  testdb::Sql sql;
  sql.ResetTables();
  QProcess a, b, c;
  const auto start = [&](QProcess &copy) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ORVALIX_ROOT", QString::fromStdString(drive.Root().string()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    copy.setProcessEnvironment(environment);
    copy.start(ORVALIX_PROGRAM, {});
  };
  // The rows of dados once a file of inserts from customer first on is worked through.
  const auto update = [&](const std::string &name, int first, int count) {
    const auto host = drive.Root() / "c/Orvalix/Remessa" / name;
    std::ofstream file(host, std::ios::binary);
    for (int n = first; n < first + count; ++n)
      file << "INSERT INTO DADOS (cnpj_cpf,empresa,data_mov) VALUES ('" << n << "',1,'2026/12/08');\r\n";
    file.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !std::filesystem::exists(host); }, 60000)) << name;
    return sql.Value("select count(*) from dados").toInt();
  };
  start(a);
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(drive.Root() / "c/WINDOWS/active.conf"); }, 30000));
  start(b);
  EXPECT_TRUE(b.waitForFinished(30000));
  EXPECT_EQ(b.exitCode(), 1);
  const std::string told = b.readAllStandardError().toStdString();
  EXPECT_NE(told.find("O Orvalix Express já está em execução para a pasta " + drive.Root().string()), std::string::npos)
      << told;
  EXPECT_EQ(update("INSERE_DADO0001.TXT", 1, 8), 8);
  EXPECT_EQ(a.state(), QProcess::Running);

  ::kill(static_cast<pid_t>(a.processId()), SIGKILL);
  a.waitForFinished();
  start(c);
  EXPECT_EQ(update("INSERE_DADO0002.TXT", 9, 4), 12);
  EXPECT_EQ(c.state(), QProcess::Running);
  EXPECT_EQ(sql.Value("select count(distinct cnpj_cpf) from dados").toInt(), 12);
  for (QProcess *copy : {&b, &c}) copy->kill(), copy->waitForFinished();
}

}  // namespace
