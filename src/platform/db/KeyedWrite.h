#pragma once
// A posted or deleted record written to one table of the server by statements of its own, the row
// found by its key values as they were read and every value an SQL literal. Tables and queries alike
// write their records this way.

#include "platform/db/DB.h"

class TADOConnection;

struct TKeyedTable {
  AnsiString Name;                  // as it stands in a statement
  std::vector<AnsiString> Columns;  // the table's column behind each column of the records
  std::vector<int> Key;             // the columns of the records that find a row
};

// The columns of the table's primary key, in key order; none when it has no primary key. Raises what
// the server raises.
std::vector<AnsiString> PrimaryKey(TADOConnection &connection, const AnsiString &table);
// Where each key column stands among the columns (compared without case); none when one is missing.
std::vector<int> KeyColumns(const std::vector<AnsiString> &columns, const std::vector<AnsiString> &key);
// The first of the rows with the record's key values; -1 when there is none.
int FindByKey(const TKeyedTable &table, const TRecordValues &record, const std::vector<TRecordValues> &rows);
