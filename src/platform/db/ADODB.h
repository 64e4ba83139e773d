#pragma once
// ADO as the system uses it, over Qt SQL's ODBC driver. The connection string names an ODBC data source
// of the registry; the data source names the driver file (a Windows path on drive C:), the server, the
// database and the port. Connected is our own flag, as in ADO: a server that went away is noticed only
// when a statement fails.

#include "platform/db/ColumnOrigins.h"
#include "platform/db/DB.h"
#include "platform/db/KeyedWrite.h"
#include "platform/sys/StringList.h"

#include <optional>
#include <vector>

class TCustomADODataSet;

class TADOConnection : public TComponent {
 public:
  explicit TADOConnection(TComponent *AOwner);
  ~TADOConnection() override;

  AnsiString ConnectionString;
  AnsiString Provider = "MSDASQL.1";
  bool LoginPrompt = true;
  int ConnectionTimeout = 5;  // seconds to wait for the server at login
  // Seconds a statement may take, its answer included: a link that goes silent fails it as a lost link.
  int CommandTimeout = 30;
  TNotifyEvent AfterConnect;

  bool Connected() const { return connected_; }
  // Opens when closed (then runs AfterConnect); raises EDatabaseError when the server cannot be reached.
  void Open();
  // Closes the datasets on the connection, then the connection (which drops an unfinished
  // transaction); nothing happens when closed.
  void Close();
  // Runs a statement on the open connection; gives the number of rows it matched (an update that
  // writes the values a row holds already counts that row).
  int Execute(const AnsiString &statement);
  // Runs a statement that returns rows on the open connection and reads them all, as datasets do.
  std::vector<TRecordValues> Rows(const AnsiString &statement);

  // One transaction at a time; the statements between begin and commit are one unit of work.
  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  bool InTransaction() const { return inTransaction_; }

  // The ODBC connection text for the driver manager, built from the connection string and its data source.
  AnsiString OdbcConnectionText() const;
  // The Qt connection's name, for the datasets.
  const QString &QtConnectionName() const { return qtName_; }

 private:
  friend class TCustomADODataSet;
  void Attach(TCustomADODataSet *dataSet);
  void Detach(TCustomADODataSet *dataSet);
  void BoundStatements();
  QString qtName_;
  bool connected_ = false;
  bool inTransaction_ = false;
  std::vector<TCustomADODataSet *> datasets_;
};

// A dataset on a connection, which it opens first when it is closed. A post writes the record to the
// server at once and a delete removes it, found by its key in the dataset's table.
class TCustomADODataSet : public TDataSet {
 public:
  explicit TCustomADODataSet(TComponent *AOwner) : TDataSet(AOwner) {}
  ~TCustomADODataSet() override;

  TADOConnection *Connection() const { return connection_; }
  void SetConnection(TADOConnection *connection);
  // The most records an open reads, 0 for all; the server stops after them, so that a larger result
  // neither crosses the link nor fills the driver's memory.
  int MaxRecords = 0;
  // Open, with records left unread because of MaxRecords.
  bool MoreRecords() const { return State() != dsInactive && moreRecords_; }

 protected:
  void Notification(TComponent *AComponent, TOperation Operation) override;
  void RequireConnection();
  // Runs a statement that returns rows; a statement without a result set is executed and then raises.
  // A column shown in a form of its own (a date as dd/mm/yyyy) is read-only.
  TResult Select(const AnsiString &statement);
  // Of the columns of the last Select; asked of the driver only where NeedsOrigins says so, for they
  // cost every statement some calls of the driver.
  const std::vector<TColumnOrigin> &Origins() const { return origins_; }
  virtual bool NeedsOrigins() const { return false; }
  // The table that posted and deleted records are written to; raises when there is none.
  virtual const TKeyedTable &WriteTable() const = 0;
  // After the write, the record is read again from the server.
  void InternalPost(bool inserted, const TRecordValues &stored, TRecordValues &values,
                    const std::vector<bool> &changed) override;
  void InternalDelete(const TRecordValues &stored) override;

 private:
  friend class TADOConnection;
  void Forget();
  TADOConnection *connection_ = nullptr;
  bool moreRecords_ = false;
  std::vector<TColumnOrigin> origins_;
};

class TADOQuery : public TCustomADODataSet {
 public:
  explicit TADOQuery(TComponent *AOwner) : TCustomADODataSet(AOwner) {}

  // The statement; its lines are sent joined by line breaks. Changing it closes the query.
  TStringList SQL;
  // Runs the statement; gives the number of rows it matched.
  int ExecSQL();
  bool Active() override;
  // A result can be changed when all its columns come from one table of the connection's database,
  // under one name, with the table's primary key (not a FLOAT) among them, and the server reads that
  // table alone, once, for the statement. Decided at the first try, which asks the server.
  bool CanModify() const override;
  AnsiString ReadOnlyReason() const override;

 protected:
  TResult InternalOpen() override;
  const TKeyedTable &WriteTable() const override;
  // Only a result shown in a grid can be edited: the batch's statements need no origins.
  bool NeedsOrigins() const override { return Followed(); }

 private:
  struct TWriteTarget {
    TKeyedTable Table;
    AnsiString Refusal;  // why the result cannot be changed; empty when it can
  };
  const TWriteTarget &Target() const;
  TWriteTarget FindTarget() const;
  AnsiString openedText_;
  mutable std::optional<TWriteTarget> target_;
};

// A table of the connection's database, its rows in the order of its index fields, written by its
// primary key (by all its columns when it has none).
class TADOTable : public TCustomADODataSet {
 public:
  explicit TADOTable(TComponent *AOwner) : TCustomADODataSet(AOwner) {}

  AnsiString TableName;
  AnsiString IndexFieldNames;  // "a;b"
  bool CanModify() const override { return true; }

 protected:
  TResult InternalOpen() override;
  const TKeyedTable &WriteTable() const override { return keyed_; }
  int LocateAfterRefresh(const TRecordValues &current, const std::vector<TRecordValues> &rows) const override;

 private:
  TKeyedTable keyed_;
};
