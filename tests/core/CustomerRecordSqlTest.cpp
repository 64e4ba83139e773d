#include "core/CustomerRecordSql.h"
#include "core/TextRoutines.h"
#include "platform/sys/Exceptions.h"

#include <gtest/gtest.h>

namespace {

const AnsiString kToday = "'2026/12/08'";

TEST(CustomerRecordSql, InsertsTakeTheTrimmedLineAfterTheWordWithTheDatesInPlaceOfTheClosingParenthesis) {
  const struct {
    AnsiString line;
    bool issuer;
    AnsiString values;
  } cases[] = {
      {"INSERE_CLIENTE('1','A','B')", false, "('1','A','B','2026/12/08','2026/12/08')"},
      {"\t INSERE_CLIENTE('1','A') \r", false, "('1','A','2026/12/08','2026/12/08')"},
      {"insere_cliente( '1' , 2 )", false, "( '1' , 2 ,'2026/12/08','2026/12/08')"},
      {"INSERE_EMITENTE_CLI('9','NOME')", true, "('9','NOME','2026/12/08','2026/12/08')"},
      {"INSERE_EMITENTE_CLI('9','NOME'", true, "('9','NOME,'2026/12/08','2026/12/08')"},  // the last character goes
  };
  for (const auto &c : cases) {
    const auto sql = c.issuer ? InsertIssuerSql(c.line, kToday) : InsertCustomerSql(c.line, kToday);
    ASSERT_EQ(sql.size(), 2u) << c.line;
    EXPECT_EQ(sql[1], c.values) << c.line;
  }
  EXPECT_EQ(InsertCustomerSql("X", kToday)[0],
            "INSERT INTO clientes (CNPJ_CPF,NOME,ENDERECO,BAIRRO,CEP,CIDADE,UF,TELEFONE,FAX,EMAIL,CELULAR,INSC_RG,"
            "DATA_CAD,DATA_ULT_ATU) VALUES ");
  EXPECT_EQ(InsertIssuerSql("X", kToday)[0], "INSERT INTO clientes (CNPJ_CPF,NOME,DATA_CAD,DATA_ULT_ATU) VALUES ");
}

TEST(CustomerRecordSql, UpdatesTakeTheSplitParametersLineByLine) {
  TStringList params;
  ParseValueList("INSERE_CLIENTE('1','N','E','B','C','CI','UF','T','F','M','CE','RG')", params);
  const std::vector<AnsiString> all = {"UPDATE clientes SET", "NOME='N'",   ",ENDERECO='E'", ",BAIRRO='B'",
                                       ",CEP='C'",            ",CIDADE='CI'", ",UF='UF'",     ",TELEFONE='T'",
                                       ",FAX='F'",            ",EMAIL='M'",  ",CELULAR='CE'", ",INSC_RG='RG'",
                                       ",DATA_ULT_ATU='2026/12/08'", "WHERE CNPJ_CPF='1'"};
  EXPECT_EQ(UpdateCustomerSql(params, kToday), all);
  EXPECT_EQ(UpdateIssuerSql(params, kToday),
            (std::vector<AnsiString>{"UPDATE clientes SET", "NOME='N'", ",DATA_ULT_ATU='2026/12/08'", "WHERE CNPJ_CPF='1'"}));
  EXPECT_EQ(CustomerExistsSql("'1'"), std::vector<AnsiString>{"select cnpj_cpf from clientes where cnpj_cpf='1'"});
  TStringList two;
  ParseValueList("INSERE_CLIENTE('1','N')", two);
  EXPECT_THROW(UpdateCustomerSql(two, kToday), EStringListError);
  EXPECT_EQ(UpdateIssuerSql(two, kToday),  // the issuer's update needs no more than the number and the name
            (std::vector<AnsiString>{"UPDATE clientes SET", "NOME='N'", ",DATA_ULT_ATU='2026/12/08'", "WHERE CNPJ_CPF='1'"}));
}

}  // namespace
