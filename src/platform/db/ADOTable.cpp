// The table: its rows read in the order of its index fields, written by its primary key.

#include "platform/db/ADODB.h"

#include "platform/db/SqlLiteral.h"

TDataSet::TResult TADOTable::InternalOpen() {
  AnsiString statement = "select * from " + TableName;
  AnsiString order;
  for (AnsiString rest = IndexFieldNames; !rest.empty();) {
    const std::size_t semicolon = rest.find(';');
    if (AnsiString name = Trim(rest.substr(0, semicolon)); !name.empty()) order += (order.empty() ? "" : ", ") + name;
    rest = semicolon == AnsiString::npos ? "" : rest.substr(semicolon + 1);
  }
  if (!order.empty()) statement += " order by " + order;
  TResult result = Select(statement);

  // The rows are found again by their primary key; a table without one by all its columns.
  const AnsiString table = QuotedSqlName(TableName);
  keyed_ = {table, result.columns, KeyColumns(result.columns, PrimaryKey(*Connection(), table))};
  if (keyed_.Key.empty())
    for (std::size_t i = 0; i < result.columns.size(); ++i) keyed_.Key.push_back(static_cast<int>(i));
  return result;
}

int TADOTable::LocateAfterRefresh(const TRecordValues &current, const std::vector<TRecordValues> &rows) const {
  return FindByKey(keyed_, current, rows);
}
