#include "support/TestSql.h"

#include "support/Database.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace testdb {

Sql::Sql() {
  static int counter = 0;
  name_ = QStringLiteral("tests-%1").arg(++counter);
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
  db.setDatabaseName(QStringLiteral("DRIVER={%1};SERVER=%2;PORT=%3;DATABASE=quendara;UID=%4;PWD=%5;CHARSET=utf8mb4")
                         .arg(OdbcDriver(), Host())
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
