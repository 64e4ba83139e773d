// The interactive credit consultation: the member check and the credit sums of the batch's
// CONSULTA_DADOS, the same two answer lines read back into items, and the result window.

#include "consultation/ResultTemplate.h"
#include "consultation/UConsulta.h"
#include "consultation/uAguarde.h"
#include "consultation/uorvalix_mostra_consulta.h"
#include "core/CreditQueries.h"
#include "core/UPRINC.h"
#include "platform/vcl/Dialogs.h"

#include <memory>

namespace {

const AnsiString kNothingFound = "Não constam informações de valores deste CNPJ/CPF."_a;

// Closes the query on every way out of the consultation, an error's too.
class TClosedOnExit {
 public:
  explicit TClosedOnExit(TADOQuery &query) : query_(query) {}
  ~TClosedOnExit() { Close(); }
  TClosedOnExit(const TClosedOnExit &) = delete;
  TClosedOnExit &operator=(const TClosedOnExit &) = delete;
  void Close() {
    if (query_.Active()) query_.Close();
  }

 private:
  TADOQuery &query_;
};

// Every count (items 2, 3, 7, 11) exactly "0" and every amount (items 4 to 6, 8 to 10, 12) exactly "0.00".
bool AllSumsZero(const TStringList &items) {
  for (int n = 2; n <= 12; ++n) {
    const bool count = n == 2 || n == 3 || n == 7 || n == 11;
    if (n > items.Count() || items[n - 1] != (count ? "0" : "0.00")) return false;
  }
  return true;
}

}  // namespace

void TConsulta::RunConsultation(const AnsiString &document) {
  // The digits alone go into the statements, whatever the caller hands over.
  const AnsiString digits = Trim(Form1->DigitsOnly(document));
  if (digits.empty()) {
    Application->MessageBox("Não há CNPJ/CPF para realizar a consulta."_a, "Orvalix", MB_OK);
    return;
  }
  TADOQuery &quecon = *Form1->quecon;
  TClosedOnExit closed(quecon);
  // The wait window goes on every way out, and at once when an error ends the consultation.
  std::unique_ptr<Taguarde> wait(new Taguarde(this));
  aguarde = wait.get();
  aguarde->Show();
  aguarde->Repaint();

  SendQuery(quecon, MemberQuerySql(Form1->LoadLocalConfig()));
  if (!MemberAccepted(quecon)) {
    ShowMessage(MemberInactive(quecon) ? "Status de associado esta inativo." : "Associado não encontrado."_a);
    return;
  }
  const AnsiString quoted = "'" + digits + "'";
  TCreditSummary summary;
  if (!SendCreditSums(quecon, quoted, Form1->SqlDateLiteral(Date()), summary)) {
    closed.Close();
    Application->MessageBox(kNothingFound, "Orvalix", MB_OK);
    return;
  }
  const AnsiString summaryLine = CreditSummaryLine(summary);
  SendQuery(quecon, ClientRecordSql(quoted));
  const AnsiString recordLine = quecon.IsEmpty() ? AnsiString("#") : ClientRecordLine(quecon);

  TStringList summaryItems;
  TStringList recordItems;
  Form1->ParseValueList(summaryLine, summaryItems);
  if (AllSumsZero(summaryItems)) {
    Application->MessageBox(kNothingFound, "Orvalix", MB_OK);
    return;
  }
  if (recordLine != "#") Form1->ParseValueListUnquoted(recordLine, recordItems);

  const std::unique_ptr<Torvalix_mostra_consulta> result(new Torvalix_mostra_consulta(this));
  orvalix_mostra_consulta = result.get();
  FillResultTemplate(*orvalix_mostra_consulta->rick, summaryItems, recordItems, digits);
  closed.Close();
  wait.reset();
  orvalix_mostra_consulta->ShowModal();
}
