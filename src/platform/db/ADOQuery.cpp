// The query: any statement, and whether its result can be written back to the one table it reads.

#include "platform/db/ADODB.h"

#include "platform/db/SqlLiteral.h"

#include <algorithm>

namespace {

// The driver names a derived table, a CTE or a view as the table its columns come from, and the server
// merges them into the outer statement, where a plain EXPLAIN shows the table they read. Kept apart,
// each is a row of the plan of its own: the statement reads one table once when its plan is one simple
// select of the table the driver names. Gives why it is not, or nothing.
AnsiString PlanRefusal(TADOConnection &connection, const AnsiString &statement, const TColumnOrigin &origin) {
  // The driver takes a SET STATEMENT for a statement without rows: the switch is the session's meanwhile.
  connection.Execute("set @orvalix_switch = @@session.optimizer_switch, "
                     "session optimizer_switch = 'derived_merge=off'");
  std::vector<TRecordValues> plan;
  try {
    plan = connection.Rows("explain " + statement);
  } catch (...) {
    connection.Execute("set session optimizer_switch = @orvalix_switch");
    throw;
  }
  connection.Execute("set session optimizer_switch = @orvalix_switch");
  // id, select_type, table, ...
  if (plan.size() == 1 && plan.front().size() > 2 && plan.front()[2].isNull())
    return "o servidor sabe sem ler a tabela '" + origin.Table + "' que nenhuma linha atende à instrução"_a;
  if (plan.size() == 1 && plan.front().size() > 2 && plan.front()[1].toString() == QStringLiteral("SIMPLE") &&
      FromQString(plan.front()[2].toString()) == origin.Alias)
    return {};
  return "a instrução não lê uma só tabela do banco de dados uma só vez "_a
         "(junção, subconsulta, tabela derivada, CTE ou visão)"_a;
}

// A key column of type FLOAT, or none: the server shows its value rounded, which finds no row.
AnsiString FloatKeyColumn(TADOConnection &connection, const AnsiString &table, const std::vector<AnsiString> &key) {
  for (const TRecordValues &column : connection.Rows("show columns from " + table)) {  // Field, Type, ...
    const AnsiString name = FromQString(column.at(0).toString());
    const bool inKey = std::any_of(key.begin(), key.end(), [&](const AnsiString &k) { return SameText(k, name); });
    if (inKey && column.at(1).toString().startsWith(QStringLiteral("float"), Qt::CaseInsensitive)) return name;
  }
  return {};
}

}  // namespace

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
  try {
    if (const AnsiString why = PlanRefusal(*Connection(), openedText_, first); !why.empty()) return refused(why);
    if (const AnsiString column = FloatKeyColumn(*Connection(), table, key); !column.empty())
      return refused("a coluna '" + column + "' da chave primária da tabela '"_a + first.Table +
                     "' é FLOAT, cujo valor lido não encontra a sua linha"_a);
  } catch (const std::exception &error) {
    return refused("o servidor não mostra como lê a instrução: "_a + ExceptionMessage(error));
  }
  return {std::move(keyed), {}};
}
