#include "core/CreditQueries.h"

#include "core/TextRoutines.h"
#include "platform/db/ADODB.h"

#include <charconv>

namespace {

// The window of 15 days counts in days on the server: a date plus a bare 15 would be a number there,
// and a number compared with the date literal holds for every row ever reported.
const AnsiString kWindow = " and a.data_mov+interval 15 day>=";

}  // namespace

std::vector<AnsiString> MemberCheckSql(const AnsiString &member) {
  return {"select NOME from empresas where NUMERO=" + member + " AND ATIVO=" + "'" + "S" + "'"};
}

std::vector<AnsiString> MemberQuerySql(const AnsiString &member) {
  return {"select a.setor,a.grupo,a.ativo,b.nome from empresas a inner join grupos b on (b.numero=a.grupo) "
          "where a.numero=" +
          member};
}

std::vector<AnsiString> ClientRecordSql(const AnsiString &document) {
  return {"select * from clientes where cnpj_cpf=" + document};
}

std::vector<AnsiString> SectorQuerySql(const AnsiString &sector, const AnsiString &document, const AnsiString &today) {
  const AnsiString head = "select a.cnpj_cpf,sum(a.chp_dev) chp_dev,sum(a.chp_dev_vlr) chp_dev_vlr from dados a ";
  if (sector == "0")
    return {head + "inner join empresas b on (b.numero=a.empresa) where a.cnpj_cpf=" + document + kWindow + today +
            " group by a.cnpj_cpf"};
  return {head + "inner join empresas b on (b.numero=a.empresa and b.setor=" + sector + ") where a.cnpj_cpf=" +
          document + kWindow + today + " group by a.cnpj_cpf"};
}

std::vector<AnsiString> GroupQuerySql(const AnsiString &group, const AnsiString &sector, const AnsiString &document,
                                      const AnsiString &today) {
  const AnsiString first =
      "select a.cnpj_cpf,sum(a.cht_dev) cht_dev,sum(a.cht_dev_vlr) cht_dev_vlr,sum(a.TIT_EM_AB) tit_em_ab,"
      "sum(a.chp_dev) chp_dev,sum(a.chp_dev_vlr) chp_dev_vlr,sum(chp_acomp) chp_acomp,sum(cht_acomp) cht_acomp";
  const AnsiString head = ",sum(chq_dev_outros) chq_dev_outros,sum(chq_dev_outros_vlr) chq_dev_outros_vlr from dados a "
                          "inner join empresas b on (b.numero=a.empresa and b.grupo=" +
                          group;
  const AnsiString join = sector == "0" ? AnsiString(")") : " and b.setor=" + sector + ")";
  return {first, head + join + " where a.cnpj_cpf=" + document + kWindow + today + " group by a.cnpj_cpf"};
}

AnsiString SectorText(const AnsiString &sector) {
  if (sector == "00" || sector == "000" || sector == "0000") return "0";
  return sector;
}

AnsiString AmountText(double amount) {
  char buffer[400];  // room for the largest double in fixed point
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, amount, std::chars_format::fixed, 2);
  return Trim(AnsiString(buffer, result.ptr));
}

bool ReadSectorSums(TADOQuery &query, TCreditSummary &summary) {
  if (query.IsEmpty()) return false;
  summary.SectorChpDev = query.FieldByName("chp_dev")->AsString();
  summary.SectorChpDevVlr = AmountText(query.FieldByName("chp_dev_vlr")->AsFloat());
  return true;
}

bool ReadGroupSums(TADOQuery &query, TCreditSummary &summary) {
  if (query.IsEmpty()) return false;
  summary.Document = DigitsOnly(query.FieldByName("cnpj_cpf")->AsString());
  summary.ChtDev = query.FieldByName("cht_dev")->AsString();
  summary.ChtDevVlr = AmountText(query.FieldByName("cht_dev_vlr")->AsFloat());
  summary.TitEmAb = AmountText(query.FieldByName("TIT_EM_AB")->AsFloat());
  summary.ChpDev = query.FieldByName("chp_dev")->AsString();
  summary.ChpDevVlr = AmountText(query.FieldByName("chp_dev_vlr")->AsFloat());
  summary.ChpAcomp = AmountText(query.FieldByName("chp_acomp")->AsFloat());
  summary.ChtAcomp = AmountText(query.FieldByName("cht_acomp")->AsFloat());
  summary.ChqDevOutros = query.FieldByName("chq_dev_outros")->AsString();
  summary.ChqDevOutrosVlr = AmountText(query.FieldByName("chq_dev_outros_vlr")->AsFloat());
  return true;
}

void SetStatement(TADOQuery &query, const std::vector<AnsiString> &lines) {
  query.Close();
  query.SQL.Clear();
  for (const AnsiString &line : lines) query.SQL.Add(line);
}

void SendQuery(TADOQuery &query, const std::vector<AnsiString> &lines) {
  SetStatement(query, lines);
  query.Open();
}

bool MemberAccepted(TADOQuery &query) {
  TField *active = query.FieldByName("ativo");
  return !query.IsEmpty() && !query.FieldByName("grupo")->IsNull() && (active->IsNull() || active->AsString() == "S");
}

bool MemberInactive(TADOQuery &query) {
  TField *active = query.FieldByName("ativo");
  return !active->IsNull() && active->AsString() != "S";
}

bool SendCreditSums(TADOQuery &query, const AnsiString &document, const AnsiString &today, TCreditSummary &summary) {
  const AnsiString group = query.FieldByName("grupo")->AsString();
  const AnsiString sector = SectorText(query.FieldByName("setor")->AsString());
  summary.GroupName = query.FieldByName("nome")->AsString();
  SendQuery(query, SectorQuerySql(sector, document, today));
  const bool inSector = ReadSectorSums(query, summary);
  SendQuery(query, GroupQuerySql(group, sector, document, today));
  return ReadGroupSums(query, summary) || inSector;
}

AnsiString CreditSummaryLine(const TCreditSummary &s) {
  return "('" + s.Document + "'," + s.ChpDev + "," + s.ChtDev + "," + s.ChpDevVlr + "," + s.ChtDevVlr + "," +
         s.TitEmAb + "," + s.SectorChpDev + "," + s.SectorChpDevVlr + "," + s.ChpAcomp + "," + s.ChtAcomp + "," +
         s.ChqDevOutros + "," + s.ChqDevOutrosVlr + "," + s.GroupName + ")";
}

AnsiString ClientRecordLine(TADOQuery &query) {
  static const char *const kCleaned[] = {"NOME",     "ENDERECO", "BAIRRO", "CEP",     "CIDADE", "UF",
                                         "TELEFONE", "FAX",      "EMAIL",  "CELULAR", "INSC_RG"};
  AnsiString line = "('" + DigitsOnly(query.FieldByName("CNPJ_CPF")->AsString());
  for (const char *column : kCleaned) line += "','" + BlankQuotes(query.FieldByName(column)->AsString());
  return line + "')";
}
