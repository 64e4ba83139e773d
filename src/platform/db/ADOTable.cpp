// The table: its rows read in the order of its index fields, and the statements that write a posted
// or deleted record, built as text with every value quoted as an SQL literal (the driver stores a
// bound text parameter with a trailing zero byte).

#include "platform/db/ADODB.h"

#include "platform/db/SqlLiteral.h"

namespace {

AnsiString Joined(const std::vector<AnsiString> &items, const AnsiString &separator) {
  AnsiString text;
  for (const AnsiString &item : items) text += (text.empty() ? "" : separator) + item;
  return text;
}

}  // namespace

TDataSet::TResult TADOTable::InternalOpen() {
  AnsiString statement = "select * from " + TableName;
  std::vector<AnsiString> order;
  for (AnsiString rest = IndexFieldNames; !rest.empty();) {
    const std::size_t semicolon = rest.find(';');
    if (AnsiString name = Trim(rest.substr(0, semicolon)); !name.empty()) order.push_back(name);
    rest = semicolon == AnsiString::npos ? "" : rest.substr(semicolon + 1);
  }
  if (!order.empty()) statement += " order by " + Joined(order, ", ");
  TResult result = Select(statement);

  // The rows are found again by their primary key; a table without one by all its columns.
  const TResult keys = Select("show keys from " + TableName + " where Key_name = 'PRIMARY'");
  keyColumns_.clear();
  for (const TRecordValues &key : keys.rows)
    for (std::size_t i = 0; i < result.columns.size(); ++i)
      if (SameText(result.columns[i], FromQString(key.at(4).toString()))) keyColumns_.push_back(static_cast<int>(i));
  if (keyColumns_.empty())
    for (std::size_t i = 0; i < result.columns.size(); ++i) keyColumns_.push_back(static_cast<int>(i));
  columnNames_ = result.columns;
  return result;
}

AnsiString TADOTable::KeyCondition(const TRecordValues &row) const {
  std::vector<AnsiString> terms;
  for (int column : keyColumns_)
    terms.push_back(columnNames_[static_cast<std::size_t>(column)] + "<=>" + SqlLiteral(row[static_cast<std::size_t>(column)]));
  return Joined(terms, " and ");
}

void TADOTable::InternalPost(bool inserted, const TRecordValues &stored, const TRecordValues &values,
                             const std::vector<bool> &changed) {
  std::vector<AnsiString> names, literals, assignments;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (inserted ? values[i].isNull() : !changed[i]) continue;
    names.push_back(columnNames_[i]);
    literals.push_back(SqlLiteral(values[i]));
    assignments.push_back(columnNames_[i] + "=" + literals.back());
  }
  RequireConnection();
  if (inserted) {
    Connection()->Execute("insert into " + TableName + " (" + Joined(names, ", ") + ") values (" +
                          Joined(literals, ", ") + ")");
  } else if (!assignments.empty()) {
    Connection()->Execute("update " + TableName + " set " + Joined(assignments, ", ") + " where " +
                          KeyCondition(stored));
  }
}

void TADOTable::InternalDelete(const TRecordValues &stored) {
  RequireConnection();
  Connection()->Execute("delete from " + TableName + " where " + KeyCondition(stored));
}

int TADOTable::LocateAfterRefresh(const TRecordValues &current, const std::vector<TRecordValues> &rows) const {
  for (std::size_t r = 0; r < rows.size(); ++r) {
    bool same = true;
    for (int column : keyColumns_) {
      const auto c = static_cast<std::size_t>(column);
      if (c >= rows[r].size() || c >= current.size() || rows[r][c] != current[c]) same = false;
    }
    if (same) return static_cast<int>(r);
  }
  return -1;
}
