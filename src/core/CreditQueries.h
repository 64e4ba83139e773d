#pragma once
// The member queries, the credit sums of the last 15 days and the customer record query, with the two
// answer lines built from them. The batch consultation and the interactive consultation send the same
// texts and build the same lines.

#include "platform/ansi/AnsiString.h"

#include <vector>

class TADOQuery;

// Each text is the statement's lines, in the order they are added to the query.
std::vector<AnsiString> MemberCheckSql(const AnsiString &member);
std::vector<AnsiString> MemberQuerySql(const AnsiString &member);
std::vector<AnsiString> ClientRecordSql(const AnsiString &document);
std::vector<AnsiString> SectorQuerySql(const AnsiString &sector, const AnsiString &document, const AnsiString &today);
std::vector<AnsiString> GroupQuerySql(const AnsiString &group, const AnsiString &sector, const AnsiString &document,
                                      const AnsiString &today);

// "00", "000" and "0000" are sector "0", which stands for all sectors.
AnsiString SectorText(const AnsiString &sector);
// Fixed point, two decimals, a point, no thousands separator: 1234.5 gives 1234.50.
AnsiString AmountText(double amount);

// The 13 items of a CreditSummaryLine; counts as the database gives them, amounts as AmountText.
struct TCreditSummary {
  AnsiString Document;  // the digits of the group query's cnpj_cpf
  AnsiString ChpDev = "0";
  AnsiString ChtDev = "0";
  AnsiString ChpDevVlr = "0.00";
  AnsiString ChtDevVlr = "0.00";
  AnsiString TitEmAb = "0.00";
  AnsiString SectorChpDev = "0";
  AnsiString SectorChpDevVlr = "0.00";
  AnsiString ChpAcomp = "0.00";
  AnsiString ChtAcomp = "0.00";
  AnsiString ChqDevOutros = "0";
  AnsiString ChqDevOutrosVlr = "0.00";
  AnsiString GroupName;
};

// Read the open sector or group query's row into the summary; false (nothing read) without a row.
bool ReadSectorSums(TADOQuery &query, TCreditSummary &summary);
bool ReadGroupSums(TADOQuery &query, TCreditSummary &summary);

// Put the statement's lines into the query, closed; SendQuery opens it too.
void SetStatement(TADOQuery &query, const std::vector<AnsiString> &lines);
void SendQuery(TADOQuery &query, const std::vector<AnsiString> &lines);

// The open member query's row is accepted when it exists, its grupo is not NULL and its ativo is NULL
// or exactly "S"; a refused row is of an inactive member when its ativo is neither.
bool MemberAccepted(TADOQuery &query);
bool MemberInactive(TADOQuery &query);
// From the accepted member's open row, its group's name into the summary; then the sector query and the
// group query with its group and sector, read into the summary. False when neither found a row. The
// group query stays open.
bool SendCreditSums(TADOQuery &query, const AnsiString &document, const AnsiString &today, TCreditSummary &summary);

AnsiString CreditSummaryLine(const TCreditSummary &summary);
// The open customer record query's row, its fields cleaned of apostrophes and grave accents.
AnsiString ClientRecordLine(TADOQuery &query);
