#include "support/ServerControl.h"

#include "support/Database.h"

#include <QProcess>
#include <pwd.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace testdb {
namespace {

QString DataFolder() {
  const QString folder = qEnvironmentVariable("ORVALIX_DB_DATA");
  return folder.isEmpty() ? QStringLiteral(ORVALIX_TEST_DB_DATA) : folder;
}

// Runs scripts/db with the arguments; gives its exit code and output.
int RunScript(const QStringList &arguments, QString *output = nullptr) {
  QProcess script;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("ORVALIX_DB_PORT"), QString::number(Port()));
  environment.insert(QStringLiteral("ORVALIX_DB_DATA"), DataFolder());
  script.setProcessEnvironment(environment);
  script.setProcessChannelMode(QProcess::MergedChannels);
  script.start(QStringLiteral("bash"), QStringList{QStringLiteral(ORVALIX_DB_SCRIPT)} + arguments);
  if (!script.waitForFinished(120000)) {
    script.kill();
    script.waitForFinished();
    return -1;
  }
  if (output) *output = QString::fromLocal8Bit(script.readAll());
  return script.exitStatus() == QProcess::NormalExit ? script.exitCode() : -1;
}

QString AdminUser() {
  const passwd *user = ::getpwuid(::getuid());
  return QString::fromLocal8Bit(user ? user->pw_name : "root");
}

}  // namespace

bool ServerControllable() {
  QString output;
  return RunScript({QStringLiteral("status")}, &output) == 0 &&
         output.contains(QStringLiteral("%1:%2,").arg(Host()).arg(Port()));
}

void StopServer() {
  QString output;
  ASSERT_EQ(RunScript({QStringLiteral("stop")}, &output), 0) << output.toStdString();
}

void StartServerKeepingRows() {
  QString output;
  ASSERT_EQ(RunScript({QStringLiteral("start"), QStringLiteral("--keep")}, &output), 0) << output.toStdString();
}

void SetGlobal(const QString &name, const QString &value) {
  QProcess client;
  client.setProcessChannelMode(QProcess::MergedChannels);
  client.start(QStringLiteral("mariadb"),
               {QStringLiteral("--defaults-file=%1/my.cnf").arg(DataFolder()), QStringLiteral("-u"), AdminUser(),
                QStringLiteral("-e"), QStringLiteral("set global %1=%2").arg(name, value)});
  ASSERT_TRUE(client.waitForFinished(30000));
  ASSERT_EQ(client.exitCode(), 0) << client.readAll().toStdString();
}

AdminSession::AdminSession(const QString &statements) {
  client_.setProcessChannelMode(QProcess::MergedChannels);
  client_.start(QStringLiteral("mariadb"), {QStringLiteral("--defaults-file=%1/my.cnf").arg(DataFolder()),
                                            QStringLiteral("-u"), AdminUser(), QStringLiteral("--unbuffered"),
                                            QStringLiteral("--batch"), QStringLiteral("--skip-column-names"),
                                            QStringLiteral("quendara")});
  // The client answers the mark only once the statements before it are done.
  client_.write((statements + QStringLiteral(";\nselect 'held';\n")).toUtf8());
  QByteArray output;
  while (!output.contains("held\n") && client_.waitForReadyRead(30000)) output += client_.readAll();
  if (!output.contains("held\n")) ADD_FAILURE() << "administrator's session: " << output.toStdString();
}

AdminSession::~AdminSession() {
  client_.closeWriteChannel();  // the client ends, and its session with what it held
  if (!client_.waitForFinished(30000)) client_.kill();
  client_.waitForFinished();
}

}  // namespace testdb
