#include "platform/db/ADODB.h"

#include "platform/files/Drive.h"
#include "platform/sys/DateTime.h"
#include "platform/sys/Exceptions.h"
#include "platform/win/Registry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlField>
#include <QSqlRecord>
#include <algorithm>
#include <atomic>
#include <optional>

namespace {

AnsiString ErrorText(const QSqlError &error) {
  return FromQString(error.text().trimmed());
}

// The error of a statement, told apart by its number: the link to the server failed (the client
// library's own errors, 2000 to 2999, a server that shuts down or kills the session, a network error
// on the server's side, or no error number at all, which the driver gives for a connection it has
// given up), or the server refused the statement.
EDatabaseError StatementError(const QSqlError &error) {
  bool numbered = false;
  const int code = error.nativeErrorCode().section(QLatin1Char(';'), 0, 0).trimmed().toInt(&numbered);
  const bool linkLost = !numbered || code == 0 || (code >= 2000 && code <= 2999) || code == 1053 || code == 1152 ||
                        (code >= 1158 && code <= 1161) || code == 1184 || code == 1927 || code == 4031;
  return EDatabaseError(ErrorText(error), numbered ? code : 0, linkLost);
}

// "Key=Value;Key=Value": the value of a key, compared trimmed and without case; nothing when absent.
std::optional<AnsiString> ConnectionValue(const AnsiString &text, const AnsiString &key) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == AnsiString::npos) end = text.size();
    const AnsiString pair = text.substr(start, end - start);
    const std::size_t equal = pair.find('=');
    if (equal != AnsiString::npos && SameText(Trim(pair.substr(0, equal)), key)) return pair.substr(equal + 1);
    start = end + 1;
  }
  return std::nullopt;
}

// An ODBC attribute value in braces, so that ";" and "=" inside it are taken as they stand.
AnsiString Braced(const AnsiString &value) {
  AnsiString out = "{";
  for (char c : value) {
    out += c;
    if (c == '}') out += '}';
  }
  return out + "}";
}

// A statement that returns rows, run as the datasets read them: sums and decimals in the server's own
// digits. Raises when the statement fails.
QSqlQuery RunSelect(const QString &connection, const AnsiString &statement) {
  QSqlQuery query(QSqlDatabase::database(connection, false));
  query.setForwardOnly(true);
  query.setNumericalPrecisionPolicy(QSql::HighPrecision);
  if (!query.exec(ToQString(statement))) throw StatementError(query.lastError());
  return query;
}

TRecordValues ReadRow(const QSqlQuery &query, int columns) {
  TRecordValues row;
  row.reserve(static_cast<std::size_t>(columns));
  for (int i = 0; i < columns; ++i) row.push_back(query.value(i));
  return row;
}

// Whether the text of a column's values is the server's own, so that it can be written back as typed:
// texts, whole numbers, and decimals (read as the server's digits). Dates and times show in the user's
// format, other types not as the server reads them.
bool ServerForm(QMetaType type) {
  switch (type.id()) {
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
      return true;
    default:
      return false;
  }
}

// Numbers stand right-aligned in a grid.
bool Numeric(QMetaType type) {
  switch (type.id()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
      return true;
    default:
      return false;
  }
}

// The session's bound on the rows of a select, while it lives. The driver takes a whole result into
// its memory before the first row can be read, so a bound must be the server's.
class TSelectLimit {
 public:
  TSelectLimit(TADOConnection &connection, long long maxRecords) : connection_(maxRecords > 0 ? &connection : nullptr) {
    if (connection_) connection_->Execute("set session sql_select_limit=" + IntToStr(maxRecords));
  }
  ~TSelectLimit() {
    if (!connection_) return;
    try {
      connection_->Execute("set session sql_select_limit=default");
    } catch (const std::exception &) {
      // Only a lost link refuses it, and the session's settings went with the link.
    }
  }
  TSelectLimit(const TSelectLimit &) = delete;
  TSelectLimit &operator=(const TSelectLimit &) = delete;

 private:
  TADOConnection *connection_;
};

}  // namespace

// ---------------------------------------------------------------- connection

TADOConnection::TADOConnection(TComponent *AOwner) : TComponent(AOwner) {
  static std::atomic<int> counter{0};
  qtName_ = QStringLiteral("ado-%1").arg(++counter);
}

TADOConnection::~TADOConnection() {
  Close();
  for (TCustomADODataSet *dataSet : std::vector<TCustomADODataSet *>(datasets_)) dataSet->Forget();
  if (QSqlDatabase::contains(qtName_)) QSqlDatabase::removeDatabase(qtName_);
}

AnsiString TADOConnection::OdbcConnectionText() const {
  const AnsiString dataSource = ConnectionValue(ConnectionString, "Data Source").value_or("");
  TRegistry registry(KEY_READ);
  if (dataSource.empty() || !registry.OpenKeyReadOnly("\\Software\\ODBC\\ODBC.INI\\" + dataSource))
    throw EDatabaseError("[Microsoft][ODBC Driver Manager] Data source name not found and no default driver specified");
  const AnsiString driver = registry.ReadString("Driver");
  AnsiString port = Trim(registry.ReadString("Port"));
  if (port.empty()) port = IntToStr(ORVALIX_DB_PORT);
  // The connection string's account goes over the data source's own.
  AnsiString user = Trim(registry.ReadString("UID"));
  if (user.empty()) user = Trim(registry.ReadString("User"));
  user = ConnectionValue(ConnectionString, "User ID").value_or(user);
  const AnsiString password =
      ConnectionValue(ConnectionString, "Password").value_or(registry.ReadString("Password"));
  const AnsiString server = Trim(registry.ReadString("Server"));
  const AnsiString database = Trim(registry.ReadString("Database"));
  registry.CloseKey();
  // The cp1252 texts cross the driver as Unicode; the server keeps them in the tables' latin1 (cp1252).
  // Option 2: a statement counts the rows it matched, not only those it changed (Execute).
  return "DRIVER=" + Braced(FromUtf8(HostPath(driver).string())) + ";SERVER=" + Braced(server) +
         ";DATABASE=" + Braced(database) + ";PORT=" + port + ";UID=" + Braced(user) + ";PWD=" + Braced(password) +
         ";CHARSET=utf8mb4;OPTION=2;CONN_TIMEOUT=" + IntToStr(ConnectionTimeout) +
         ";READ_TIMEOUT=" + IntToStr(CommandTimeout) + ";WRITE_TIMEOUT=" + IntToStr(CommandTimeout);
}

void TADOConnection::Open() {
  if (connected_) return;
  const AnsiString odbc = OdbcConnectionText();
  QSqlDatabase db = QSqlDatabase::contains(qtName_) ? QSqlDatabase::database(qtName_, false)
                                                     : QSqlDatabase::addDatabase(QStringLiteral("QODBC"), qtName_);
  if (!db.isValid()) throw EDatabaseError("Provider cannot be found. It may not be properly installed");
  db.setDatabaseName(ToQString(odbc));
  db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(ConnectionTimeout));
  if (!db.open()) {
    EDatabaseError failure = StatementError(db.lastError());
    failure.LinkLost = true;  // no server to refuse anything
    db.close();
    throw failure;
  }
  connected_ = true;
  try {
    BoundStatements();
  } catch (const EDatabaseError &) {
    Close();
    throw;
  }
  if (AfterConnect) AfterConnect(this);
}

void TADOConnection::BoundStatements() {
  // The driver gives up on an answer after CommandTimeout, but that leaves the statement running on the
  // server: the server ends it a little before, and a lock held by another session (a row's, a table's,
  // a backup's on the whole server) is waited for shorter still, so that it is told as a lock (1205),
  // never as a slow statement. A lock wait the server keeps shorter stays.
  const int statement = std::max(1, CommandTimeout * 5 / 6);
  const AnsiString lockWait = IntToStr(std::max(1, CommandTimeout * 2 / 3));
  Execute("set session max_statement_time=" + IntToStr(statement) +
          ", innodb_lock_wait_timeout=least(@@global.innodb_lock_wait_timeout," + lockWait +
          "), lock_wait_timeout=least(@@global.lock_wait_timeout," + lockWait + ")");
}

void TADOConnection::Close() {
  if (!connected_) return;
  for (TCustomADODataSet *dataSet : std::vector<TCustomADODataSet *>(datasets_)) dataSet->Close();
  connected_ = false;
  inTransaction_ = false;
  if (QSqlDatabase::contains(qtName_)) QSqlDatabase::database(qtName_, false).close();
}

int TADOConnection::Execute(const AnsiString &statement) {
  QSqlQuery query(QSqlDatabase::database(qtName_, false));
  query.setForwardOnly(true);
  if (!query.exec(ToQString(statement))) throw StatementError(query.lastError());
  return query.numRowsAffected();
}

std::vector<TRecordValues> TADOConnection::Rows(const AnsiString &statement) {
  QSqlQuery query = RunSelect(qtName_, statement);
  if (!query.isSelect()) throw EDatabaseError(Name + ": CommandText does not return a result set");
  std::vector<TRecordValues> rows;
  while (query.next()) rows.push_back(ReadRow(query, query.record().count()));
  if (query.lastError().isValid()) throw StatementError(query.lastError());
  return rows;
}

void TADOConnection::BeginTrans() {
  if (!connected_) Open();
  QSqlDatabase db = QSqlDatabase::database(qtName_, false);
  if (inTransaction_) throw EDatabaseError("A transaction is active already");
  if (!db.transaction()) throw StatementError(db.lastError());
  inTransaction_ = true;
}

void TADOConnection::CommitTrans() {
  QSqlDatabase db = QSqlDatabase::database(qtName_, false);
  if (!inTransaction_) throw EDatabaseError("No transaction is active");
  inTransaction_ = false;
  if (!db.commit()) {
    const AnsiString message = ErrorText(db.lastError());
    db.rollback();  // also gives the connection its autocommit back
    throw EDatabaseError(message);
  }
}

void TADOConnection::RollbackTrans() {
  QSqlDatabase db = QSqlDatabase::database(qtName_, false);
  if (!inTransaction_) throw EDatabaseError("No transaction is active");
  inTransaction_ = false;
  if (!db.rollback()) throw StatementError(db.lastError());
}

void TADOConnection::Attach(TCustomADODataSet *dataSet) {
  if (std::find(datasets_.begin(), datasets_.end(), dataSet) == datasets_.end()) datasets_.push_back(dataSet);
}

void TADOConnection::Detach(TCustomADODataSet *dataSet) { std::erase(datasets_, dataSet); }

// ---------------------------------------------------------------- datasets

TCustomADODataSet::~TCustomADODataSet() { SetConnection(nullptr); }

void TCustomADODataSet::SetConnection(TADOConnection *connection) {
  if (connection == connection_) return;
  Close();
  if (connection_) {
    connection_->Detach(this);
    RemoveFreeNotification(connection_);
  }
  connection_ = connection;
  if (connection_) {
    connection_->Attach(this);
    FreeNotification(connection_);
  }
}

void TCustomADODataSet::Notification(TComponent *AComponent, TOperation Operation) {
  TDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == connection_) Forget();
}

void TCustomADODataSet::Forget() {
  Close();
  if (connection_) connection_->Detach(this);
  connection_ = nullptr;
}

void TCustomADODataSet::RequireConnection() {
  if (!connection_) throw EDatabaseError(Name + ": Missing Connection or ConnectionString");
  if (!connection_->Connected()) connection_->Open();
}

TDataSet::TResult TCustomADODataSet::Select(const AnsiString &statement) {
  RequireConnection();
  moreRecords_ = false;
  // One row over the bound tells whether the bound cut the result.
  const TSelectLimit limit(*connection_, MaxRecords > 0 ? MaxRecords + 1LL : 0);
  QSqlQuery query = RunSelect(connection_->QtConnectionName(), statement);
  if (!query.isSelect()) throw EDatabaseError(Name + ": CommandText does not return a result set");
  const QSqlRecord record = query.record();
  TResult result;
  for (int i = 0; i < record.count(); ++i) {
    result.columns.push_back(FromQString(record.fieldName(i)));
    result.sizes.push_back(std::max(record.field(i).length(), 0));
    result.readOnly.push_back(!ServerForm(record.field(i).metaType()));
    result.numeric.push_back(Numeric(record.field(i).metaType()));
  }
  origins_ = NeedsOrigins() ? ColumnOrigins(query) : std::vector<TColumnOrigin>();
  // A statement the server does not bound (SHOW, a LIMIT of its own) is cut here.
  while ((MaxRecords <= 0 || static_cast<int>(result.rows.size()) < MaxRecords) && query.next())
    result.rows.push_back(ReadRow(query, record.count()));
  if (query.lastError().isValid()) throw StatementError(query.lastError());
  moreRecords_ = MaxRecords > 0 && static_cast<int>(result.rows.size()) == MaxRecords && query.next();
  return result;
}
