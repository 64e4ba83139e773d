// The query: any statement, and whether its result can be written back to the one table it reads.

#include "platform/db/ADODB.h"

#include "platform/db/SqlLiteral.h"

#include <algorithm>

bool TADOQuery::Active() {
  // A changed statement closes the query, as it does in the class library.
  if (TDataSet::Active() && SQL.Text() != openedText_) Close();
  return TDataSet::Active();
}

TDataSet::TResult TADOQuery::InternalOpen() {
  const AnsiString text = SQL.Text();
  TResult result = Select(text);
  openedText_ = text;
  target_.reset();
  return result;
}

int TADOQuery::ExecSQL() {
  RequireConnection();
  return Connection()->Execute(SQL.Text());
}

bool TADOQuery::CanModify() const { return State() != dsInactive && Target().Refusal.empty(); }

AnsiString TADOQuery::ReadOnlyReason() const { return State() != dsInactive ? Target().Refusal : AnsiString(); }

const TKeyedTable &TADOQuery::WriteTable() const {
  CheckCanModify();
  return Target().Table;
}

const TADOQuery::TWriteTarget &TADOQuery::Target() const {
  if (!target_) target_ = FindTarget();
  return *target_;
}

TADOQuery::TWriteTarget TADOQuery::FindTarget() const {
  const auto refused = [](const AnsiString &why) { return TWriteTarget{{}, why}; };
  const std::vector<TColumnOrigin> &origins = Origins();
  if (origins.empty()) return refused("o resultado não tem colunas"_a);
  const TColumnOrigin &first = origins.front();
  std::vector<AnsiString> columns;
  for (const TColumnOrigin &origin : origins) {
    if (origin.Table.empty() || origin.Column.empty())
      return refused("a coluna '" + origin.Label + "' não é uma coluna de tabela"_a);
    if (origin.Database != first.Database || origin.Table != first.Table || origin.Alias != first.Alias)
      return refused("as colunas vêm de mais de uma tabela"_a);
    if (std::any_of(columns.begin(), columns.end(), [&](const AnsiString &c) { return SameText(c, origin.Column); }))
      return refused("a coluna '" + origin.Column + "' da tabela '" + first.Table + "' aparece mais de uma vez");
    columns.push_back(origin.Column);
  }

  const AnsiString table = QuotedSqlName(first.Database) + "." + QuotedSqlName(first.Table);
  std::vector<AnsiString> key;
  try {
    const std::vector<TRecordValues> database = Connection()->Rows("select database()");
    if (database.empty() || FromQString(database.front().at(0).toString()) != first.Database)
      return refused("a tabela '" + first.Table + "' é de outro banco de dados, "_a + first.Database);
    key = PrimaryKey(*Connection(), table);
  } catch (const std::exception &error) {
    return refused("não foi possível ler a chave primária da tabela '"_a + first.Table + "': " +
                   ExceptionMessage(error));
  }
  if (key.empty()) return refused("a tabela '" + first.Table + "' não tem chave primária"_a);
  TKeyedTable keyed{table, columns, KeyColumns(columns, key)};
  if (keyed.Key.empty())
    return refused("a chave primária da tabela '"_a + first.Table + "' não está entre as colunas"_a);
  return {std::move(keyed), {}};
}
