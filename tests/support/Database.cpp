#include "support/Database.h"

#include "support/TempDrive.h"

namespace testdb {
QString Host() { return QStringLiteral(ORVALIX_DB_HOST); }
int Port() { return ORVALIX_DB_PORT; }
QString OdbcDriver() { return QStringLiteral(ORVALIX_ODBC_DRIVER); }

std::filesystem::path LinkOdbcDriver(const TempDrive &drive) {
  const std::filesystem::path link = drive.Host("C:\\WINDOWS\\system32\\myodbc3.dll");
  std::filesystem::create_directories(link.parent_path());
  std::filesystem::remove(link);
  std::filesystem::create_symlink(OdbcDriver().toStdString(), link);
  return link;
}
}  // namespace testdb
