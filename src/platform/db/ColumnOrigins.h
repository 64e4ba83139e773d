#pragma once
// Where the columns of a result come from, as the ODBC driver tells it. Qt's driver gives a column's
// label and at most its table; the base column, the table and its database are asked of the driver on
// the statement handle that Qt's driver exposes.

#include "platform/ansi/AnsiString.h"

#include <vector>

class QSqlQuery;

struct TColumnOrigin {
  AnsiString Label;     // the column's name in the result
  AnsiString Database;  // empty, like Table, for a column of no table (an expression, a union)
  AnsiString Table;     // the base table
  AnsiString Alias;     // the table's name in the statement
  AnsiString Column;    // the base column
};

// One per column of the executed query; all empty but the labels when the driver tells nothing.
std::vector<TColumnOrigin> ColumnOrigins(const QSqlQuery &query);
