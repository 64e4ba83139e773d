#pragma once
// Stopping the test server and starting it again with its rows, for tests of a server that goes away.
// The server is the one scripts/db runs on the tests' port from ORVALIX_DB_DATA (by default the build
// folder's mariadb, as scripts/test lays it out); no other server is ever touched.

#include <QProcess>
#include <QString>

namespace testdb {
// Whether that server runs on the tests' port, so that the tests may stop it.
bool ServerControllable();
void StopServer();
// Starts it again on the same data; the tables keep their rows.
void StartServerKeepingRows();
// Sets a global variable of that server, as its administrator (the program's account may not).
void SetGlobal(const QString &name, const QString &value);

// A session of that server's administrator, as a backup or another member's tool holds one: runs the
// statements on quendara when made (they must succeed), and holds what they took until it ends.
class AdminSession {
 public:
  explicit AdminSession(const QString &statements);
  ~AdminSession();
  AdminSession(const AdminSession &) = delete;
  AdminSession &operator=(const AdminSession &) = delete;

 private:
  QProcess client_;
};
}  // namespace testdb
