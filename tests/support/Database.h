#pragma once
// Where the tests find the database server that scripts/db started.

#include <QString>

namespace testdb {
QString Host();
int Port();
}  // namespace testdb
