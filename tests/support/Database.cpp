#include "support/Database.h"

namespace testdb {
QString Host() { return QStringLiteral(ORVALIX_DB_HOST); }
int Port() { return ORVALIX_DB_PORT; }
}  // namespace testdb
