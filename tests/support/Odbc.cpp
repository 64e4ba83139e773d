#include "support/Odbc.h"

#include "support/Database.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

std::string MariaDbOdbcDriver() {
  std::ifstream ini("/etc/odbcinst.ini");
  std::string line;
  bool inMariaDb = false;
  std::string driver;
  while (std::getline(ini, line)) {
    if (!line.empty() && line[0] == '[') inMariaDb = line.find("MariaDB") != std::string::npos;
    if (inMariaDb && line.rfind("Driver", 0) == 0 && line.find('=') != std::string::npos) {
      driver = line.substr(line.find('=') + 1);
      driver.erase(0, driver.find_first_not_of(" \t"));
      break;
    }
  }
  if (driver.empty()) driver = "libmaodbc.so";
  if (driver[0] == '/') return driver;
  for (const char *folder : {"/usr/lib/x86_64-linux-gnu/odbc", "/usr/lib/aarch64-linux-gnu/odbc", "/usr/lib64",
                             "/usr/lib/odbc", "/usr/local/lib"})
    if (fs::exists(fs::path(folder) / driver)) return (fs::path(folder) / driver).string();
  return driver;
}

void LinkOdbcDriver(const TempDrive &drive) {
  const fs::path link = drive.Host("C:\\WINDOWS\\system32\\myodbc3.dll");
  fs::create_directories(link.parent_path());
  std::error_code error;
  fs::remove(link, error);
  fs::create_symlink(MariaDbOdbcDriver(), link);
}

namespace testdb {

Sql::Sql() {
  static int counter = 0;
  name_ = QStringLiteral("tests-%1").arg(++counter);
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
  db.setDatabaseName(QStringLiteral("DRIVER={%1};SERVER=%2;PORT=%3;DATABASE=quendara;UID=%4;PWD=%5;CHARSET=utf8mb4")
                         .arg(QString::fromStdString(MariaDbOdbcDriver()), Host())
                         .arg(Port())
                         .arg(QString::fromLatin1(kUser), QString::fromLatin1(kPassword)));
  if (!db.open()) ADD_FAILURE() << "test database: " << db.lastError().text().toStdString();
}

Sql::~Sql() {
  QSqlDatabase::database(name_, false).close();
  QSqlDatabase::removeDatabase(name_);
}

void Sql::Exec(const QString &statement) {
  QSqlQuery query(QSqlDatabase::database(name_, false));
  if (!query.exec(statement))
    ADD_FAILURE() << statement.toStdString() << ": " << query.lastError().text().toStdString();
}

QVariant Sql::Value(const QString &statement) {
  QSqlQuery query(QSqlDatabase::database(name_, false));
  query.setNumericalPrecisionPolicy(QSql::HighPrecision);
  if (!query.exec(statement)) {
    ADD_FAILURE() << statement.toStdString() << ": " << query.lastError().text().toStdString();
    return {};
  }
  return query.next() ? query.value(0) : QVariant();
}

void Sql::ResetTables() {
  for (const char *table : {"dados", "clientes", "empresas", "grupos", "setores"})
    Exec(QStringLiteral("delete from %1").arg(QLatin1String(table)));
}

}  // namespace testdb
