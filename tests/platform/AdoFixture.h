#pragma once
// A connection of the program's account to the test database through the data source Check, with the
// query quecon on it, and the tables emptied first.

#include "platform/db/ADODB.h"
#include "platform/win/Registry.h"
#include "support/Database.h"
#include "support/TestSql.h"
#include "support/TempDrive.h"

#include <gtest/gtest.h>

#include <memory>

class AdoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testdb::LinkOdbcDriver(drive);
    WriteDataSource(" ");
    sql.ResetTables();
    owner = std::make_unique<TComponent>(nullptr);
    connection = new TADOConnection(owner.get());
    connection->ConnectionString = AnsiString("Provider=MSDASQL.1;Password=") + testdb::kPassword +
                                   ";Persist Security Info=True;User ID=" + testdb::kUser + ";Data Source=Check";
    connection->LoginPrompt = false;
    connection->AfterConnect = [this](TObject *) { ++connects; };
    query = new TADOQuery(owner.get());
    query->Name = "quecon";
    query->SetConnection(connection);
    query->AfterOpen = [this](TObject *) { ++opens; };
  }

  void WriteDataSource(const AnsiString &port) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\ODBC\\ODBC.INI\\Check", true));
    registry.WriteString("Database", "quendara");
    registry.WriteString("Driver", "C:\\WINDOWS\\system32\\myodbc3.dll");
    registry.WriteString("Password", "not the account's");
    registry.WriteString("Port", port);
    registry.WriteString("Server", FromQString(testdb::Host()));
    registry.WriteString("UID", " ");
  }

  void Sql(const AnsiString &text) {
    query->SQL.Clear();
    query->SQL.Add(text);
  }

  TempDrive drive;
  testdb::Sql sql;
  std::unique_ptr<TComponent> owner;
  TADOConnection *connection = nullptr;
  TADOQuery *query = nullptr;
  int connects = 0;
  int opens = 0;
};

// The groups' table as the administration has it: numero and nome, both required.
class AdoTableTest : public AdoTest {
 protected:
  void SetUp() override {
    AdoTest::SetUp();
    sql.Exec("insert into grupos (numero, nome) values (7, 'CENTRO'), (2, 'NORTE')");
    table = new TADOTable(owner.get());
    table->Name = "table2";
    table->SetConnection(connection);
    table->TableName = "grupos";
    table->IndexFieldNames = "numero";
    numero = new TIntegerField(owner.get());
    numero->FieldName = "numero";
    numero->Required = true;
    numero->SetDataSet(table);
    nome = new TStringField(owner.get());
    nome->FieldName = "nome";
    nome->Required = true;
    nome->SetDataSet(table);
  }

  int Stored() { return sql.Value("select count(*) from grupos").toInt(); }

  TADOTable *table = nullptr;
  TIntegerField *numero = nullptr;
  TStringField *nome = nullptr;
};
