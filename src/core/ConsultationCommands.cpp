// The commands of a consultation file: CONSULTA_EMPRESA, CONSULTA_CLIENTE and CONSULTA_DADOS, each
// answered in RETORNO, first as ".re" and, once closed, as ".ret".

#include "core/CreditQueries.h"
#include "core/UPRINC.h"

#include "platform/files/FileSystem.h"
#include "platform/sys/Exceptions.h"

void TForm1::SetStatement(const std::vector<AnsiString> &lines) {
  ::SetStatement(*quecon, lines);
  xaStatement_.clear();
}

void TForm1::SendQuery(const std::vector<AnsiString> &lines) { ::SendQuery(*quecon, lines); }

void TForm1::CreateAnswer(TextFile &answer, const AnsiString &answerName) {
  AssignFile(answer, answerName + ".re");
  try {
    Rewrite(answer);
  } catch (const EInOutError &) {
    // RETORNO removed under the running program: made again as the start makes it.
    CreateExchangeFolders();
    Rewrite(answer);
  }
}

void TForm1::CloseAnswer(TextFile &answer, const AnsiString &answerName) {
  CloseFile(answer);
  // Fails while an earlier answer of the same name is still there: this one then stays ".re".
  RenameFile(answerName + ".re", answerName + ".ret");
}

bool TForm1::SettleMember(TStringList &params) {
  if (Trim(params[0]).empty()) params[0] = "0";
  if (Trim(params[1]).empty()) params[1] = "0";
  AnsiString member = LoadLocalConfig();
  // Without a local configuration file every member number counts as this terminal's.
  if (member.empty()) member = ZeroPad(params[0], 6);
  return ZeroPad(Trim(params[0]), 6) == member;
}

void TForm1::ConsultaEmpresa(TextFile &answer, const AnsiString &answerName) {
  const AnsiString member = LoadLocalConfig();
  CreateAnswer(answer, answerName);
  Writeln(answer, member.empty() ? AnsiString("#") : member);
  CloseAnswer(answer, answerName);
}

void TForm1::ConsultaCliente(const AnsiString &line, TStringList &params, TextFile &answer,
                             const AnsiString &answerName) {
  ParseValueList(line, params);
  const bool ownMember = SettleMember(params);
  SendQuery(MemberCheckSql(params[0]));
  if (quecon->IsEmpty() || quecon->FieldByName("NOME")->IsNull() || !ownMember) {
    CreateAnswer(answer, answerName);
    Writeln(answer, "#");
    CloseAnswer(answer, answerName);
    return;
  }
  SendQuery(ClientRecordSql(params[1]));
  CreateAnswer(answer, answerName);
  Writeln(answer, quecon->IsEmpty() ? AnsiString("#") : ClientRecordLine(*quecon));
  CloseAnswer(answer, answerName);
}

void TForm1::ConsultaDados(const AnsiString &line, TStringList &params, TextFile &answer,
                           const AnsiString &answerName) {
  ParseValueList(line, params);
  const bool ownMember = SettleMember(params);
  SendQuery(MemberQuerySql(params[0]));
  if (!ownMember || !MemberAccepted(*quecon)) {
    CreateAnswer(answer, answerName);
    Writeln(answer, ownMember && MemberInactive(*quecon) ? "##" : "#");
    CloseAnswer(answer, answerName);
    return;
  }
  TCreditSummary summary;
  const bool found = SendCreditSums(*quecon, params[1], SqlDateLiteral(Date()), summary);

  CreateAnswer(answer, answerName);
  if (!found) {
    Writeln(answer, "#");
    CloseAnswer(answer, answerName);
    return;
  }
  Writeln(answer, CreditSummaryLine(summary));
  SendQuery(ClientRecordSql(params[1]));
  if (!quecon->IsEmpty()) Writeln(answer, ClientRecordLine(*quecon));
  CloseAnswer(answer, answerName);
}
