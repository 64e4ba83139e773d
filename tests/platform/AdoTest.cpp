#include "AdoFixture.h"

#include "platform/sys/DateTime.h"
#include "platform/sys/Exceptions.h"

namespace {

TEST_F(AdoTest, ABlankPortMeansTheDefaultPortAndTheConnectionStringsAccountWins) {
  EXPECT_NE(connection->OdbcConnectionText().find("PORT=" + IntToStr(testdb::Port()) + ";"), AnsiString::npos);
  connection->Open();
  EXPECT_TRUE(connection->Connected());
  EXPECT_EQ(connects, 1);
  connection->Open();  // already open: nothing happens
  EXPECT_EQ(connects, 1);
  Sql("select current_user() as who, @@max_statement_time as bound, @@innodb_lock_wait_timeout as locks, "
      "@@lock_wait_timeout as tables");
  query->Open();
  EXPECT_EQ(query->FieldByName("WHO")->AsString().rfind("orvalix@", 0), 0u);
  // The server ends a statement before the driver gives up on its answer, and a lock wait before that.
  EXPECT_EQ(query->FieldByName("BOUND")->AsFloat(), 25);
  EXPECT_EQ(query->FieldByName("LOCKS")->AsInteger(), 20);
  EXPECT_EQ(query->FieldByName("TABLES")->AsInteger(), 20);
  connection->Close();
  EXPECT_FALSE(connection->Connected());
  EXPECT_FALSE(query->Active());  // closing the connection closes its datasets
}

TEST_F(AdoTest, TheConnectionStringsAccountCountsWhereverItsKeysStand) {
  struct {
    AnsiString connectionString;
    AnsiString account;  // what the driver is given
  } cases[] = {
      {"Data Source=Check;User ID=ana;Password=x;y", "UID={ana};PWD={x}"},
      {"Data Source=Check; user id =ana ; Password = x", "UID={ana };PWD={ x}"},
      {"Data Source=Check;User ID=;Password=", "UID={};PWD={}"},
      {"Data Source=Check", "UID={};PWD={not the account's}"},
  };
  for (const auto &c : cases) {
    connection->ConnectionString = c.connectionString;
    EXPECT_NE(connection->OdbcConnectionText().find(c.account), AnsiString::npos) << c.connectionString;
  }
}

TEST_F(AdoTest, AFailedOpenRaisesAndLeavesTheConnectionClosed) {
  struct {
    const char *what;
    AnsiString port;
    AnsiString dataSource;
  } cases[] = {
      {"nobody listens", "1", "Check"},
      {"no such data source", " ", "Missing"},
  };
  for (const auto &c : cases) {
    WriteDataSource(c.port);
    connection->ConnectionString = "Provider=MSDASQL.1;User ID=orvalix;Data Source=" + c.dataSource;
    EXPECT_THROW(connection->Open(), EDatabaseError) << c.what;
    EXPECT_FALSE(connection->Connected()) << c.what;
    EXPECT_EQ(connects, 0) << c.what;
  }
}

TEST_F(AdoTest, AQueryOnAClosedConnectionOpensItFirst) {
  Sql("select 1 as one");
  query->Open();
  EXPECT_TRUE(connection->Connected());
  EXPECT_EQ(connects, 1);
  EXPECT_EQ(opens, 1);
  connection->Close();
  Sql("set @orvalix_mark = 7");
  query->ExecSQL();
  EXPECT_EQ(connects, 2);
  EXPECT_EQ(opens, 1);  // executing is no opening
}

TEST_F(AdoTest, OpeningAStatementWithoutResultSetRunsItAndThenRaises) {
  Sql("insert into grupos (numero, nome) values (5, 'CENTRO')");
  try {
    query->Open();
    FAIL() << "no error";
  } catch (const EDatabaseError &error) {
    EXPECT_NE(error.Message.find("does not return a result set"), AnsiString::npos);
  }
  EXPECT_FALSE(query->Active());
  EXPECT_EQ(sql.Value("select nome from grupos where numero=5").toString(), "CENTRO");
}

TEST_F(AdoTest, SumsAndDecimalsReadAsTheServersText) {
  sql.Exec("insert into dados (cnpj_cpf, empresa, data_mov, chp_dev, chp_dev_vlr, cht_dev_vlr) values "
           "('1', 1, '2026-12-01', 1, 150.25, null), ('1', 1, '2026-12-02', 2, 10.25, null)");
  Sql("select sum(chp_dev) chp_dev, sum(chp_dev_vlr) chp_dev_vlr, sum(cht_dev_vlr) cht_dev_vlr, "
      "max(data_mov) data_mov from dados");
  query->Open();
  ASSERT_FALSE(query->IsEmpty());
  struct {
    const char *field;
    AnsiString text;
    double number;
    bool null;
  } cases[] = {
      {"chp_dev", "3", 3, false},
      {"CHP_DEV_VLR", "160.50", 160.5, false},
      {"cht_dev_vlr", "", 0, true},
      {"data_mov", "02/12/2026", 46358, false},
  };
  for (const auto &c : cases) {
    TField *field = query->FieldByName(c.field);
    EXPECT_EQ(field->AsString(), c.text) << c.field;
    EXPECT_EQ(field->IsNull(), c.null) << c.field;
    if (std::string(c.field) != "data_mov") {
      EXPECT_DOUBLE_EQ(field->AsFloat(), c.number) << c.field;
    }
  }
  EXPECT_THROW(query->FieldByName("nosuch"), EDatabaseError);
}

TEST_F(AdoTest, AnEmptyResultReadsNullAndAChangedStatementClosesTheQuery) {
  Sql("select nome from empresas where numero=-1");
  query->Open();
  EXPECT_TRUE(query->Active());
  EXPECT_TRUE(query->IsEmpty());
  EXPECT_TRUE(query->FieldByName("NOME")->IsNull());
  EXPECT_EQ(query->FieldByName("nome")->AsString(), "");
  query->Open();  // open already: nothing is run again
  EXPECT_EQ(opens, 1);
  query->SQL.Clear();
  EXPECT_FALSE(query->Active());
  EXPECT_TRUE(query->IsEmpty());
}

TEST_F(AdoTest, TextsTravelAsCp1252BothWays) {
  const AnsiString name = "Ação D'Ávila € ÿ"_a;
  Sql("insert into clientes (cnpj_cpf, nome) values ('1', '" + AnsiString("Ação D''Ávila € ÿ"_a) + "')");
  EXPECT_EQ(query->ExecSQL(), 1);
  EXPECT_EQ(sql.Value("select nome from clientes where cnpj_cpf='1'").toString(), QString::fromUtf8("Ação D'Ávila € ÿ"));
  Sql("select nome from clientes where nome='" + AnsiString("Ação D''Ávila € ÿ"_a) + "'");
  query->Open();
  ASSERT_FALSE(query->IsEmpty());
  EXPECT_EQ(query->FieldByName("nome")->AsString(), name);
}

TEST_F(AdoTest, AFailingStatementRaisesTheServersMessage) {
  Sql("select nosuch from empresas");
  try {
    query->Open();
    FAIL() << "no error";
  } catch (const EDatabaseError &error) {
    EXPECT_NE(error.Message.find("nosuch"), AnsiString::npos) << error.Message;
  }
  EXPECT_TRUE(connection->Connected());  // a failed statement does not close the connection
}

TEST_F(AdoTest, MaxRecordsBoundsEveryKindOfResultAndLeavesTheSessionUnbounded) {
  sql.Exec("insert into grupos (numero, nome) select seq, 'G' from seq_1_to_20");
  const struct {
    int max;
    const char *statement;
    int rows;
    bool more;
  } cases[] = {
      {3, "select * from grupos", 3, true},       {3, "select * from grupos limit 10", 3, true},
      {3, "show variables", 3, true},             {3, "select * from grupos limit 3", 3, false},
      {0, "select * from grupos", 20, false},
  };
  for (const auto &c : cases) {
    query->MaxRecords = c.max;
    Sql(c.statement);
    query->Open();
    EXPECT_EQ(query->RecordCount(), c.rows) << c.statement;
    EXPECT_EQ(query->MoreRecords(), c.more) << c.statement;
    query->Close();
  }
}

}  // namespace
