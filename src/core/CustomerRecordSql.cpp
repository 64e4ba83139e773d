#include "core/CustomerRecordSql.h"

namespace {

// The command line trimmed, from the character after the command word to the one before the closing
// parenthesis, whose place the two dates and a new ")" take.
AnsiString ValuesWithDates(const AnsiString &line, int wordLength, const AnsiString &today) {
  const AnsiString text = Trim(line);
  return Copy(text, wordLength + 1, Length(text) - wordLength - 1) + "," + today + "," + today + ")";
}

}  // namespace

std::vector<AnsiString> CustomerExistsSql(const AnsiString &document) {
  return {"select cnpj_cpf from clientes where cnpj_cpf=" + document};
}

std::vector<AnsiString> InsertCustomerSql(const AnsiString &line, const AnsiString &today) {
  return {"INSERT INTO clientes (CNPJ_CPF,NOME,ENDERECO,BAIRRO,CEP,CIDADE,UF,TELEFONE,FAX,EMAIL,CELULAR,INSC_RG,"
          "DATA_CAD,DATA_ULT_ATU) VALUES ",
          ValuesWithDates(line, 14, today)};
}

std::vector<AnsiString> UpdateCustomerSql(const TStringList &params, const AnsiString &today) {
  return {"UPDATE clientes SET",
          "NOME=" + params[1],
          ",ENDERECO=" + params[2],
          ",BAIRRO=" + params[3],
          ",CEP=" + params[4],
          ",CIDADE=" + params[5],
          ",UF=" + params[6],
          ",TELEFONE=" + params[7],
          ",FAX=" + params[8],
          ",EMAIL=" + params[9],
          ",CELULAR=" + params[10],
          ",INSC_RG=" + params[11],
          ",DATA_ULT_ATU=" + today,
          "WHERE CNPJ_CPF=" + params[0]};
}

std::vector<AnsiString> InsertIssuerSql(const AnsiString &line, const AnsiString &today) {
  return {"INSERT INTO clientes (CNPJ_CPF,NOME,DATA_CAD,DATA_ULT_ATU) VALUES ", ValuesWithDates(line, 19, today)};
}

std::vector<AnsiString> UpdateIssuerSql(const TStringList &params, const AnsiString &today) {
  return {"UPDATE clientes SET", "NOME=" + params[1], ",DATA_ULT_ATU=" + today, "WHERE CNPJ_CPF=" + params[0]};
}
