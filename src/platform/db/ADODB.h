#pragma once
// ADO as the system uses it, over Qt SQL's ODBC driver. The connection string names an ODBC data source
// of the registry; the data source names the driver file (a Windows path on drive C:), the server, the
// database and the port. Connected is our own flag, as in ADO: a server that went away is noticed only
// when a statement fails.

#include "platform/sys/StringList.h"
#include "platform/vcl/Classes.h"

#include <QVariant>
#include <memory>
#include <vector>

class TADOQuery;

class TADOConnection : public TComponent {
 public:
  explicit TADOConnection(TComponent *AOwner);
  ~TADOConnection() override;

  AnsiString ConnectionString;
  AnsiString Provider = "MSDASQL.1";
  bool LoginPrompt = true;
  int ConnectionTimeout = 5;  // seconds to wait for the server at login
  TNotifyEvent AfterConnect;

  bool Connected() const { return connected_; }
  // Opens when closed (then runs AfterConnect); raises EDatabaseError when the server cannot be reached.
  void Open();
  // Closes the datasets on the connection, then the connection; nothing happens when closed.
  void Close();

  // The ODBC connection text for the driver manager, built from the connection string and its data source.
  AnsiString OdbcConnectionText() const;
  // The Qt connection's name, for the datasets.
  const QString &QtConnectionName() const { return qtName_; }

 private:
  friend class TADOQuery;
  void Attach(TADOQuery *query);
  void Detach(TADOQuery *query);
  QString qtName_;
  bool connected_ = false;
  std::vector<TADOQuery *> datasets_;
};

class TField {
 public:
  TField(AnsiString name, TADOQuery *dataSet, int column)
      : FieldName(std::move(name)), dataSet_(dataSet), column_(column) {}
  AnsiString FieldName;
  bool IsNull() const;
  // Text as the database gives it: sums and decimals in the server's own digits ("3", "160.50"),
  // dates in the short date format; NULL gives the empty text.
  AnsiString AsString() const;
  // NULL reads as 0; a text that is no number raises EConvertError.
  double AsFloat() const;

 private:
  const QVariant &Value() const;
  TADOQuery *dataSet_;
  int column_;
};

class TADOQuery : public TComponent {
 public:
  explicit TADOQuery(TComponent *AOwner);
  ~TADOQuery() override;

  TADOConnection *Connection() const { return connection_; }
  void SetConnection(TADOConnection *connection);
  // The statement; its lines are sent joined by line breaks. Changing it closes the query.
  TStringList SQL;
  TNotifyEvent AfterOpen;

  // Runs the statement and keeps its rows, positioned on the first; opens the connection first when it
  // is closed. A statement without a result set is executed and then raises EDatabaseError.
  void Open();
  // Runs the statement; gives the number of rows affected.
  int ExecSQL();
  void Close();
  bool Active();
  bool IsEmpty();
  // The field of the current record, by name without regard to case; raises EDatabaseError when absent.
  TField *FieldByName(const AnsiString &name);

 protected:
  void Notification(TComponent *AComponent, TOperation Operation) override;

 private:
  friend class TADOConnection;
  friend class TField;
  void Forget();
  void RequireConnection();
  const QVariant &CurrentValue(int column) const;  // NULL without a record

  TADOConnection *connection_ = nullptr;
  bool active_ = false;
  AnsiString openedText_;
  std::vector<std::unique_ptr<TField>> fields_;
  std::vector<std::vector<QVariant>> rows_;
  std::size_t recNo_ = 0;
};
