// The statements that write a record, built as text with every value quoted as an SQL literal (the
// driver stores a bound text parameter with a trailing zero byte), and the datasets' post and delete
// through them. A row changed by another session meanwhile is not written over.

#include "platform/db/KeyedWrite.h"

#include "platform/db/ADODB.h"
#include "platform/db/SqlLiteral.h"

#include <algorithm>

namespace {

AnsiString Joined(const std::vector<AnsiString> &items, const AnsiString &separator) {
  AnsiString text;
  for (const AnsiString &item : items) text += (text.empty() ? "" : separator) + item;
  return text;
}

AnsiString ColumnName(const TKeyedTable &table, std::size_t column) { return QuotedSqlName(table.Columns[column]); }

// NULL matches NULL: a key read as NULL finds its row again.
AnsiString KeyCondition(const TKeyedTable &table, const TRecordValues &record) {
  std::vector<AnsiString> terms;
  for (int column : table.Key) {
    const auto c = static_cast<std::size_t>(column);
    terms.push_back(ColumnName(table, c) + "<=>" + SqlLiteral(record[c]));
  }
  return Joined(terms, " and ");
}

// The columns with a value; the server gives the others their defaults.
AnsiString InsertStatement(const TKeyedTable &table, const TRecordValues &values) {
  std::vector<AnsiString> names, literals;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i].isNull()) continue;
    names.push_back(ColumnName(table, i));
    literals.push_back(SqlLiteral(values[i]));
  }
  return "insert into " + table.Name + " (" + Joined(names, ", ") + ") values (" + Joined(literals, ", ") + ")";
}

// The column still holds the value as read. A text (a decimal too: it is read as the server's digits)
// is compared character for character, so that a change of case or of trailing blanks counts.
AnsiString Unchanged(const TKeyedTable &table, std::size_t column, const QVariant &read) {
  const AnsiString name = ColumnName(table, column);
  if (read.isNull() || read.typeId() != QMetaType::QString) return name + "<=>" + SqlLiteral(read);
  return "hex(convert(" + name + " using utf8mb4))=hex(" + SqlLiteral(read) + ")";
}

// Found by its key and by the values as read of the columns it changes; empty when none changed.
AnsiString UpdateStatement(const TKeyedTable &table, const TRecordValues &stored, const TRecordValues &values,
                           const std::vector<bool> &changed) {
  std::vector<AnsiString> assignments;
  AnsiString condition = KeyCondition(table, stored);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!changed[i]) continue;
    assignments.push_back(ColumnName(table, i) + "=" + SqlLiteral(values[i]));
    condition += " and " + Unchanged(table, i, stored[i]);
  }
  if (assignments.empty()) return {};
  return "update " + table.Name + " set " + Joined(assignments, ", ") + " where " + condition;
}

// The connection counts the rows a statement matched, so a row that holds the written values already
// counts too: none means that the row is gone, or was changed since it was read.
void ExecuteOnOneRow(TADOConnection &connection, const AnsiString &statement) {
  if (connection.Execute(statement) == 0)
    throw EDatabaseError(
        "O registro não foi encontrado no banco de dados: outro usuário pode tê-lo alterado ou excluído."_a);
}

}  // namespace

std::vector<AnsiString> PrimaryKey(TADOConnection &connection, const AnsiString &table) {
  std::vector<AnsiString> key;
  for (const TRecordValues &row : connection.Rows("show keys from " + table + " where Key_name = 'PRIMARY'"))
    key.push_back(FromQString(row.at(4).toString()));  // Column_name
  return key;
}

std::vector<int> KeyColumns(const std::vector<AnsiString> &columns, const std::vector<AnsiString> &key) {
  std::vector<int> found;
  for (const AnsiString &name : key) {
    const auto same = [&name](const AnsiString &column) { return SameText(column, name); };
    const auto at = std::find_if(columns.begin(), columns.end(), same);
    if (at == columns.end()) return {};
    found.push_back(static_cast<int>(at - columns.begin()));
  }
  return found;
}

int FindByKey(const TKeyedTable &table, const TRecordValues &record, const std::vector<TRecordValues> &rows) {
  const auto same = [&](const TRecordValues &row) {
    return std::all_of(table.Key.begin(), table.Key.end(), [&](int column) {
      const auto c = static_cast<std::size_t>(column);
      return c < row.size() && c < record.size() && row[c] == record[c];
    });
  };
  const auto at = std::find_if(rows.begin(), rows.end(), same);
  return at == rows.end() ? -1 : static_cast<int>(at - rows.begin());
}

void TCustomADODataSet::InternalPost(bool inserted, const TRecordValues &stored, TRecordValues &values,
                                     const std::vector<bool> &changed) {
  const TKeyedTable &table = WriteTable();
  RequireConnection();
  if (inserted) {
    Connection()->Execute(InsertStatement(table, values));
  } else if (const AnsiString update = UpdateStatement(table, stored, values, changed); !update.empty()) {
    ExecuteOnOneRow(*Connection(), update);
  } else {
    return;
  }
  // The record shows what the server holds: its defaults, and its own form of what was typed.
  std::vector<AnsiString> names;
  for (std::size_t i = 0; i < table.Columns.size(); ++i) names.push_back(ColumnName(table, i));
  const auto rows = Connection()->Rows("select " + Joined(names, ", ") + " from " + table.Name + " where " +
                                       KeyCondition(table, values));
  if (!rows.empty()) values = rows.front();
}

void TCustomADODataSet::InternalDelete(const TRecordValues &stored) {
  const TKeyedTable &table = WriteTable();
  RequireConnection();
  ExecuteOnOneRow(*Connection(), "delete from " + table.Name + " where " + KeyCondition(table, stored));
}
