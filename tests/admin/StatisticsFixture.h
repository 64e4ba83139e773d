#pragma once
// A connected main window over emptied tables, with Brazilian number settings, and rows to put in.

#include "core/MainWindowFixture.h"
#include "support/NumberSeparators.h"

#include <vector>

class StatisticsFixture : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    sql.ResetTables();
    CreateMainWindow().Timer2->SetEnabled(false);
    Form1->ConnectDatabase();
    ASSERT_TRUE(Form1->Database1->Connected());
  }

  // Customers numbered from 1; rows of dados give chp_dev, chp_dev_vlr, cht_dev_vlr and tit_em_ab.
  void Seed(int customers, const std::vector<const char *> &rows) {
    for (int i = 1; i <= customers; ++i)
      sql.Exec(QStringLiteral("insert into clientes (cnpj_cpf, nome) values ('%1', 'CLIENTE')").arg(i));
    for (const char *row : rows)
      sql.Exec(QStringLiteral("insert into dados (cnpj_cpf, empresa, data_mov, chp_dev, chp_dev_vlr, cht_dev_vlr, "
                              "tit_em_ab) values ('39053344705', 1, '2026-12-01', %1)")
                   .arg(row));
  }

  testdb::Sql sql;
  BrazilianSeparators brazil;
};
