// The commands of a customer record file: INSERE_CLIENTE and INSERE_EMITENTE_CLI insert a customer of
// the shared register, or update it when its number is known. No answer is written.

#include "core/CustomerRecordSql.h"
#include "core/FailureWeight.h"
#include "core/UPRINC.h"

#include "platform/sys/Exceptions.h"
#include "platform/vcl/Dialogs.h"

void TForm1::InsereCliente(const AnsiString &line, std::unique_ptr<TStringList> &params) {
  SaveCustomer(line, params, InsertCustomerSql, UpdateCustomerSql);
}

void TForm1::InsereEmitenteCli(const AnsiString &line, std::unique_ptr<TStringList> &params) {
  SaveCustomer(line, params, InsertIssuerSql, UpdateIssuerSql);
}

void TForm1::SaveCustomer(const AnsiString &line, std::unique_ptr<TStringList> &params,
                          std::vector<AnsiString> (*insert)(const AnsiString &, const AnsiString &),
                          std::vector<AnsiString> (*update)(const TStringList &, const AnsiString &)) {
  params = std::make_unique<TStringList>();
  TrayIcon1->Tag = 1;
  ParseValueList(line, *params);

  SendQuery(CustomerExistsSql((*params)[0]));
  const AnsiString today = SqlDateLiteral(Date());
  SetStatement(quecon->IsEmpty() ? insert(line, today) : update(*params, today));
  try {
    quecon->ExecSQL();
  } catch (const EDatabaseError &e) {
    // A fault that is not the command's own (a lost link, a lock, missing rights...) says nothing of
    // it: the tick fails and the file is taken again (the existence check then finds the customer if
    // the statement ran).
    if (!FileOwnFault(e)) throw;
    Application->MessageBox("Comando não reconhecido pelo sistema, consulte seu programador."_a, "Orvalix", MB_OK);
  } catch (const std::exception &) {
    // The command counts as done: the file goes, nothing is retried.
    Application->MessageBox("Comando não reconhecido pelo sistema, consulte seu programador."_a, "Orvalix", MB_OK);
  }
  params.reset();
  TrayIcon1->Tag = 0;
}
