#include "platform/db/SqlLiteral.h"

AnsiString QuotedSqlText(const AnsiString &text) {
  return "_utf8mb4 X'" + ToQString(text).toUtf8().toHex().toUpper().toStdString() + "'";
}

AnsiString SqlLiteral(const QVariant &value) {
  if (value.isNull()) return "NULL";
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
      return FromQString(value.toString());
    default:
      return QuotedSqlText(FromQString(value.toString()));
  }
}

AnsiString QuotedSqlName(const AnsiString &name) {
  AnsiString quoted = "`";
  for (char c : name) quoted.append(c == '`' ? 2 : 1, c);
  return quoted + "`";
}
