#pragma once
// A direct connection of the program's account to the test database, for putting rows in place and
// reading them back.

#include <QString>
#include <QVariant>

namespace testdb {
// The program's account.
inline const char *kUser = "orvalix";
inline const char *kPassword = "Qd7vRx2k";

// One connection of the tests' own, to the database quendara of the test server.
class Sql {
 public:
  Sql();
  ~Sql();
  Sql(const Sql &) = delete;
  Sql &operator=(const Sql &) = delete;
  // Runs a statement (UTF-8 text); fails the test when it fails.
  void Exec(const QString &statement);
  // The first column of the first row, or a null value without rows.
  QVariant Value(const QString &statement);
  // Empties the system's five tables.
  void ResetTables();

 private:
  QString name_;
};
}  // namespace testdb
