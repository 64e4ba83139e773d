#pragma once
// Where the tests find the database server that scripts/db started, and the ODBC driver to reach it.

#include <QString>
#include <filesystem>

class TempDrive;

namespace testdb {
QString Host();
int Port();
// Host path of the MariaDB ODBC driver; empty when it was not found at configure time.
QString OdbcDriver();
// Links the driver into the drive as C:\WINDOWS\system32\myodbc3.dll and returns the link's host path.
std::filesystem::path LinkOdbcDriver(const TempDrive &drive);
}  // namespace testdb
