#include "platform/db/ADODB.h"

#include "platform/files/Drive.h"
#include "platform/sys/DateTime.h"
#include "platform/sys/Exceptions.h"
#include "platform/win/Registry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
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

}  // namespace

// ---------------------------------------------------------------- connection

TADOConnection::TADOConnection(TComponent *AOwner) : TComponent(AOwner) {
  static std::atomic<int> counter{0};
  qtName_ = QStringLiteral("ado-%1").arg(++counter);
}

TADOConnection::~TADOConnection() {
  Close();
  for (TADOQuery *query : std::vector<TADOQuery *>(datasets_)) query->Forget();
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
  return "DRIVER=" + Braced(FromUtf8(HostPath(driver).string())) + ";SERVER=" + Braced(server) +
         ";DATABASE=" + Braced(database) + ";PORT=" + port + ";UID=" + Braced(user) + ";PWD=" + Braced(password) +
         ";CHARSET=utf8mb4";
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
  if (AfterConnect) AfterConnect(this);
}

void TADOConnection::Close() {
  if (!connected_) return;
  for (TADOQuery *query : std::vector<TADOQuery *>(datasets_)) query->Close();
  connected_ = false;
  if (QSqlDatabase::contains(qtName_)) QSqlDatabase::database(qtName_, false).close();
}

void TADOConnection::Attach(TADOQuery *query) {
  if (std::find(datasets_.begin(), datasets_.end(), query) == datasets_.end()) datasets_.push_back(query);
}

void TADOConnection::Detach(TADOQuery *query) { std::erase(datasets_, query); }

// ---------------------------------------------------------------- fields

const QVariant &TField::Value() const { return dataSet_->CurrentValue(column_); }

bool TField::IsNull() const { return Value().isNull(); }

AnsiString TField::AsString() const {
  const QVariant &value = Value();
  if (value.isNull()) return {};
  switch (value.typeId()) {
    case QMetaType::QDate:
      return DateToStr(ToDateTime(value.toDate().startOfDay()));
    case QMetaType::QDateTime: {
      const QDateTime when = value.toDateTime();
      AnsiString text = DateToStr(ToDateTime(when));
      if (when.time() != QTime(0, 0)) text += " " + TimeToStr(ToDateTime(when));
      return text;
    }
    case QMetaType::QTime:
      return TimeToStr(ToDateTime(QDateTime(QDate(1899, 12, 30), value.toTime())));
    case QMetaType::QByteArray:
      return value.toByteArray().toStdString();
    default:
      return FromQString(value.toString());
  }
}

double TField::AsFloat() const {
  const QVariant &value = Value();
  if (value.isNull()) return 0;
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (!ok) throw EConvertError("'" + AsString() + "' is not a valid floating point value");
  return number;
}

// ---------------------------------------------------------------- query

TADOQuery::TADOQuery(TComponent *AOwner) : TComponent(AOwner) {}

TADOQuery::~TADOQuery() { SetConnection(nullptr); }

void TADOQuery::SetConnection(TADOConnection *connection) {
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

void TADOQuery::Notification(TComponent *AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == connection_) Forget();
}

void TADOQuery::Forget() {
  Close();
  if (connection_) connection_->Detach(this);
  connection_ = nullptr;
}

void TADOQuery::RequireConnection() {
  if (!connection_) throw EDatabaseError(Name + ": Missing Connection or ConnectionString");
  if (!connection_->Connected()) connection_->Open();
}

bool TADOQuery::Active() {
  // A changed statement closes the query, as it does in the class library.
  if (active_ && SQL.Text() != openedText_) Close();
  return active_;
}

void TADOQuery::Open() {
  if (Active()) return;
  RequireConnection();
  const AnsiString text = SQL.Text();
  QSqlQuery query(QSqlDatabase::database(connection_->QtConnectionName(), false));
  query.setForwardOnly(true);
  query.setNumericalPrecisionPolicy(QSql::HighPrecision);
  if (!query.exec(ToQString(text))) throw StatementError(query.lastError());
  if (!query.isSelect()) throw EDatabaseError(Name + ": CommandText does not return a result set");
  const QSqlRecord record = query.record();
  fields_.clear();
  rows_.clear();
  for (int i = 0; i < record.count(); ++i)
    fields_.push_back(std::make_unique<TField>(FromQString(record.fieldName(i)), this, i));
  while (query.next()) {
    std::vector<QVariant> row;
    row.reserve(static_cast<std::size_t>(record.count()));
    for (int i = 0; i < record.count(); ++i) row.push_back(query.value(i));
    rows_.push_back(std::move(row));
  }
  if (query.lastError().isValid()) throw StatementError(query.lastError());
  recNo_ = 0;
  active_ = true;
  openedText_ = text;
  if (AfterOpen) AfterOpen(this);
}

int TADOQuery::ExecSQL() {
  RequireConnection();
  QSqlQuery query(QSqlDatabase::database(connection_->QtConnectionName(), false));
  query.setForwardOnly(true);
  if (!query.exec(ToQString(SQL.Text()))) throw StatementError(query.lastError());
  return query.numRowsAffected();
}

void TADOQuery::Close() {
  active_ = false;
  openedText_.clear();
  rows_.clear();
  fields_.clear();
  recNo_ = 0;
}

bool TADOQuery::IsEmpty() { return !Active() || rows_.empty(); }

TField *TADOQuery::FieldByName(const AnsiString &name) {
  Active();
  for (const auto &field : fields_)
    if (SameText(field->FieldName, name)) return field.get();
  throw EDatabaseError(Name + ": Field '" + name + "' not found");
}

const QVariant &TADOQuery::CurrentValue(int column) const {
  static const QVariant null;
  if (recNo_ >= rows_.size()) return null;
  return rows_[recNo_][static_cast<std::size_t>(column)];
}
