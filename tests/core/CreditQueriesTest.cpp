#include "core/CreditQueries.h"

#include <gtest/gtest.h>

namespace {

TEST(CreditQueries, TheMemberAndCustomerQueriesPasteTheirValuesAsWritten) {
  EXPECT_EQ(MemberCheckSql("42"), std::vector<AnsiString>{"select NOME from empresas where NUMERO=42 AND ATIVO='S'"});
  EXPECT_EQ(MemberQuerySql(" 0042"),
            std::vector<AnsiString>{"select a.setor,a.grupo,a.ativo,b.nome from empresas a inner join grupos b on "
                                    "(b.numero=a.grupo) where a.numero= 0042"});
  EXPECT_EQ(ClientRecordSql("'123'"), std::vector<AnsiString>{"select * from clientes where cnpj_cpf='123'"});
}

TEST(CreditQueries, TheSumsCountFifteenDaysOnTheServerAndJoinBySectorAndGroup) {
  const AnsiString sums = "select a.cnpj_cpf,sum(a.chp_dev) chp_dev,sum(a.chp_dev_vlr) chp_dev_vlr from dados a ";
  const AnsiString tail = " where a.cnpj_cpf='123' and a.data_mov+interval 15 day>='2026/12/08' group by a.cnpj_cpf";
  EXPECT_EQ(SectorQuerySql("3", "'123'", "'2026/12/08'"),
            std::vector<AnsiString>{sums + "inner join empresas b on (b.numero=a.empresa and b.setor=3)" + tail});
  EXPECT_EQ(SectorQuerySql("0", "'123'", "'2026/12/08'"),
            std::vector<AnsiString>{sums + "inner join empresas b on (b.numero=a.empresa)" + tail});

  const AnsiString first =
      "select a.cnpj_cpf,sum(a.cht_dev) cht_dev,sum(a.cht_dev_vlr) cht_dev_vlr,sum(a.TIT_EM_AB) tit_em_ab,"
      "sum(a.chp_dev) chp_dev,sum(a.chp_dev_vlr) chp_dev_vlr,sum(chp_acomp) chp_acomp,sum(cht_acomp) cht_acomp";
  const AnsiString second = ",sum(chq_dev_outros) chq_dev_outros,sum(chq_dev_outros_vlr) chq_dev_outros_vlr from "
                            "dados a inner join empresas b on (b.numero=a.empresa and b.grupo=7";
  EXPECT_EQ(GroupQuerySql("7", "3", "'123'", "'2026/12/08'"),
            (std::vector<AnsiString>{first, second + " and b.setor=3)" + tail}));
  EXPECT_EQ(GroupQuerySql("7", "0", "'123'", "'2026/12/08'"), (std::vector<AnsiString>{first, second + ")" + tail}));
}

TEST(CreditQueries, SectorsOfZerosAreAllSectors) {
  const std::pair<AnsiString, AnsiString> cases[] = {{"0", "0"},   {"00", "0"},  {"000", "0"}, {"0000", "0"},
                                                     {"00000", "00000"}, {"3", "3"}, {"10", "10"}, {"", ""}};
  for (const auto &[sector, text] : cases) EXPECT_EQ(SectorText(sector), text) << sector;
}

TEST(CreditQueries, AmountsHaveTwoDecimalsAPointAndNoBlanks) {
  const std::pair<double, AnsiString> cases[] = {{1234.5, "1234.50"}, {0, "0.00"},      {-12, "-12.00"},
                                                 {160.5, "160.50"},   {0.004, "0.00"},  {99999999999.99, "99999999999.99"},
                                                 {1e20, "100000000000000000000.00"}};
  for (const auto &[amount, text] : cases) EXPECT_EQ(AmountText(amount), text) << amount;
}

TEST(CreditQueries, TheSummaryLineHasThirteenItemsWithOnlyTheFirstQuoted) {
  TCreditSummary summary;
  EXPECT_EQ(CreditSummaryLine(summary), "('',0,0,0.00,0.00,0.00,0,0.00,0.00,0.00,0,0.00,)");
  summary.Document = "123";
  summary.ChpDev = "1";
  summary.ChtDev = "2";
  summary.ChpDevVlr = "3.00";
  summary.ChtDevVlr = "4.00";
  summary.TitEmAb = "5.00";
  summary.SectorChpDev = "6";
  summary.SectorChpDevVlr = "7.00";
  summary.ChpAcomp = "8.00";
  summary.ChtAcomp = "9.00";
  summary.ChqDevOutros = "10";
  summary.ChqDevOutrosVlr = "11.00";
  summary.GroupName = "D'OESTE, SUL";
  EXPECT_EQ(CreditSummaryLine(summary), "('123',1,2,3.00,4.00,5.00,6,7.00,8.00,9.00,10,11.00,D'OESTE, SUL)");
}

}  // namespace
