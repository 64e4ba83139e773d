#include "platform/db/ColumnOrigins.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <algorithm>
#include <sql.h>
#include <sqlext.h>

namespace {

AnsiString Attribute(SQLHSTMT statement, int column, SQLUSMALLINT field) {
  SQLWCHAR text[256] = {};
  SQLSMALLINT bytes = 0;
  if (!SQL_SUCCEEDED(SQLColAttributeW(statement, static_cast<SQLUSMALLINT>(column), field, text, sizeof text, &bytes,
                                      nullptr)))
    return {};
  const int length = std::clamp<int>(bytes / static_cast<int>(sizeof(SQLWCHAR)), 0, std::size(text) - 1);
  return FromQString(QString::fromUtf16(reinterpret_cast<const char16_t *>(text), length));
}

}  // namespace

std::vector<TColumnOrigin> ColumnOrigins(const QSqlQuery &query) {
  const QSqlRecord record = query.record();
  std::vector<TColumnOrigin> origins;
  for (int i = 0; i < record.count(); ++i) origins.push_back({FromQString(record.fieldName(i)), {}, {}, {}, {}});
  const QVariant handle = query.result() ? query.result()->handle() : QVariant();
  if (handle.metaType() != QMetaType::fromType<SQLHANDLE>()) return origins;
  const auto statement = *static_cast<const SQLHANDLE *>(handle.constData());
  if (!statement) return origins;
  for (int i = 0; i < record.count(); ++i) {
    TColumnOrigin &origin = origins[static_cast<std::size_t>(i)];
    origin.Database = Attribute(statement, i + 1, SQL_DESC_CATALOG_NAME);
    origin.Table = Attribute(statement, i + 1, SQL_DESC_BASE_TABLE_NAME);
    origin.Alias = Attribute(statement, i + 1, SQL_DESC_TABLE_NAME);
    origin.Column = Attribute(statement, i + 1, SQL_DESC_BASE_COLUMN_NAME);
  }
  return origins;
}
