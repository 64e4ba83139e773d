// The association's database as the program reaches it: a DSN-less ODBC connection through the
// driver that drive C: offers as C:\WINDOWS\system32\myodbc3.dll, with the program's own account.

#include "support/Database.h"
#include "support/TempDrive.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

constexpr const char *kTestDocument = "'98765432100'";

class OdbcConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(testdb::OdbcDriver().isEmpty()) << "the MariaDB ODBC driver was not found at configure time";
    const auto link = testdb::LinkOdbcDriver(drive_);
    auto db = QSqlDatabase::addDatabase("QODBC", name_);
    db.setDatabaseName(QString("DRIVER={%1};SERVER=%2;PORT=%3;DATABASE=quendara;UID=orvalix;PWD=Qd7vRx2k")
                           .arg(QString::fromStdString(link.string()), testdb::Host())
                           .arg(testdb::Port()));
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);
    ASSERT_TRUE(db.open()) << "is the database running (scripts/db start)? "
                           << db.lastError().text().toStdString();
    Clear();
  }

  void TearDown() override {
    if (QSqlDatabase::database(name_, false).isOpen()) Clear();
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
  }

  QSqlDatabase Db() const { return QSqlDatabase::database(name_, false); }

  // Runs a statement; false with the server's message when it fails.
  ::testing::AssertionResult Exec(const QString &sql) const {
    QSqlQuery query(Db());
    if (query.exec(sql)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << sql.toStdString() << ": " << query.lastError().text().toStdString();
  }

  QString Scalar(const QString &sql) const {
    QSqlQuery query(Db());
    EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
    return query.next() ? query.value(0).toString() : QString("(no row)");
  }

  void Clear() const {
    Exec(QString("delete from dados where cnpj_cpf=%1").arg(kTestDocument));
    Exec(QString("delete from clientes where cnpj_cpf=%1").arg(kTestDocument));
  }

  TempDrive drive_;
  QString name_ = "odbc-connection-test";
};

struct TableColumns {
  const char *table;
  QStringList columns;
};

// The columns every part of the program reads or writes, in the tables' own order.
const TableColumns kTables[] = {
    {"clientes", {"cnpj_cpf", "nome", "endereco", "bairro", "cep", "cidade", "uf", "telefone", "fax", "email",
                  "celular", "insc_rg", "data_cad", "data_ult_atu"}},
    {"dados", {"cnpj_cpf", "empresa", "data_mov", "chp_dev", "chp_dev_vlr", "cht_dev", "cht_dev_vlr", "tit_em_ab",
               "chp_acomp", "cht_acomp", "chq_dev_outros", "chq_dev_outros_vlr"}},
    {"empresas", {"numero", "nome", "ativo", "grupo", "setor"}},
    {"grupos", {"numero", "nome"}},
    {"setores", {"numero", "nome"}},
};

TEST_F(OdbcConnectionTest, EachTableReadsWithItsColumnsInOrder) {
  for (const auto &[table, columns] : kTables) {
    SCOPED_TRACE(table);
    QSqlQuery query(Db());
    ASSERT_TRUE(query.exec(QString("select * from %1").arg(table))) << query.lastError().text().toStdString();
    QStringList names;
    for (int i = 0; i < query.record().count(); ++i) names << query.record().fieldName(i).toLower();
    EXPECT_EQ(names, columns);
    while (query.next()) {
    }
    EXPECT_FALSE(query.lastError().isValid()) << query.lastError().text().toStdString();
  }
}

TEST_F(OdbcConnectionTest, TableNamesInCapitalsReachTheTables) {
  // The members' data-update files and the batch write DADOS and CLIENTES in capitals.
  EXPECT_TRUE(Exec(QString("INSERT INTO DADOS (CNPJ_CPF,EMPRESA,DATA_MOV,CHP_DEV,CHP_DEV_VLR) "
                           "VALUES (%1,7,'2024/02/29',1,10.00);").arg(kTestDocument)));
  EXPECT_TRUE(Exec(QString("UPDATE DADOS SET CHP_DEV=4 WHERE CNPJ_CPF=%1;").arg(kTestDocument)));
  EXPECT_EQ(Scalar(QString("select chp_dev from Dados where cnpj_cpf=%1").arg(kTestDocument)), "4");
  EXPECT_TRUE(Exec(QString("DELETE FROM DADOS WHERE CNPJ_CPF=%1;").arg(kTestDocument)));
  EXPECT_EQ(Scalar(QString("select count(*) from dados where cnpj_cpf=%1").arg(kTestDocument)), "0");
}

TEST_F(OdbcConnectionTest, SumsReadAsTheServersText) {
  ASSERT_TRUE(Exec(QString("insert into dados (cnpj_cpf,empresa,data_mov,chp_dev,chp_dev_vlr) values "
                           "(%1,7,'2024/02/29',1,100.25),(%1,7,'2024/02/29',2,60.25)").arg(kTestDocument)));
  QSqlQuery query(Db());
  ASSERT_TRUE(query.exec(QString("select sum(chp_dev) chp_dev,sum(chp_dev_vlr) chp_dev_vlr,sum(cht_dev) cht_dev "
                                 "from dados where cnpj_cpf=%1").arg(kTestDocument)));
  ASSERT_TRUE(query.next());
  EXPECT_EQ(query.value("chp_dev").toString(), "3");
  EXPECT_EQ(query.value("chp_dev_vlr").toString(), "160.50");
  EXPECT_EQ(query.value("cht_dev").toString(), "0");  // an omitted count counts as 0
}

TEST_F(OdbcConnectionTest, CustomerRecordKeepsWindowsTextsAndSlashDates) {
  // The batch's insert: the command's values, then today's date twice as 'yyyy/mm/dd'.
  const QString name = QString::fromUtf8("JOÃO D`ÁVILA – ÇÉ €");
  ASSERT_TRUE(Exec(QString("INSERT INTO clientes (CNPJ_CPF,NOME,UF,DATA_CAD,DATA_ULT_ATU) VALUES "
                           "(%1,'%2','SP','2024/02/29','2024/03/01')").arg(kTestDocument, name)));

  QSqlQuery query(Db());
  ASSERT_TRUE(query.exec(QString("select nome,hex(nome),data_cad,data_ult_atu,endereco from clientes "
                                 "where cnpj_cpf=%1").arg(kTestDocument)));
  ASSERT_TRUE(query.next());
  EXPECT_EQ(query.value(0).toString().toStdString(), name.toStdString());
  // Stored one byte a character, as Windows-1252: Ã C3, ` 60, Á C1, – 96, Ç C7, É C9, € 80.
  EXPECT_EQ(query.value(1).toString().toStdString(), "4A4FC34F204460C156494C41209620C7C92080");
  EXPECT_EQ(query.value(2).toDate(), QDate(2024, 2, 29));
  EXPECT_EQ(query.value(3).toDate(), QDate(2024, 3, 1));
  EXPECT_TRUE(query.value(4).isNull());
  // The key refuses a second record for the same document.
  EXPECT_FALSE(Exec(QString("INSERT INTO clientes (CNPJ_CPF,NOME) VALUES (%1,'X')").arg(kTestDocument)));
}

TEST_F(OdbcConnectionTest, ProgramAccountChangesRowsOnly) {
  const char *refused[] = {
      "create table quendara.orvalix_probe (a int)",
      "drop table setores",
      "alter table grupos add column probe int",
      "truncate table grupos",
      "create database orvalix_probe",
  };
  for (const char *sql : refused) EXPECT_FALSE(Exec(sql)) << sql;
}

}  // namespace
