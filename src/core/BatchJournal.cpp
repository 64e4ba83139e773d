#include "core/BatchJournal.h"

#include "core/ServerErrors.h"
#include "platform/files/Drive.h"
#include "platform/files/TextFile.h"
#include "platform/sys/DateTime.h"
#include "platform/sys/Exceptions.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kStatementHead = 60;

}  // namespace

AnsiString FailureReason(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const EDatabaseError &e) {
    if (e.LinkLost) return e.Message + " (ligação com o servidor perdida)"_a;
    // An XA id still held by the session whose link was lost (the server has not ended it yet): only
    // the batch's own XA statements meet these.
    if (e.ErrorCode == kXaUnknownId || e.ErrorCode == kXaDuplicateId)
      return e.Message + " (instrução ainda presa à ligação perdida; nova tentativa a seguir)"_a;
    if (e.ErrorCode == kNoSuchTable)
      return e.Message +
             " (o servidor deve comparar nomes de tabela sem distinção de maiúsculas: lower_case_table_names=1)"_a;
    return e.Message;
  } catch (const EInOutError &e) {
    if (e.ErrorCode == kFileInUse) return e.Message + " (arquivo ainda em gravação; lido quando parado)"_a;
    if (e.ErrorCode == kNotAFile) return e.Message + " (não é um arquivo comum)"_a;
    if (e.ErrorCode == kLineTooLong) return e.Message + " (linha de mais de 16 MB)"_a;
    if (e.ErrorCode == kReadDenied) return e.Message + " (este programa não tem permissão para lê-lo)"_a;
    return e.Message;
  } catch (const std::exception &e) {
    return FromUtf8(e.what());
  } catch (...) {
    return "?";
  }
}

AnsiString StatementHead(const AnsiString &statement) {
  const AnsiString text = Trim(statement);
  AnsiString head = Copy(text, 1, kStatementHead);
  for (char &c : head)
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  return "\"" + head + (Length(text) > kStatementHead ? "...\"" : "\"");
}

void Journal(const AnsiString &fileName, const AnsiString &text) {
  const AnsiString when = FormatDateTime("dd/mm/yyyy hh:nn:ss", Now());
  const std::string name = fileName.empty() ? std::string("-") : ToHostName(fileName);
  std::fprintf(stderr, "%s %s: %s\n", when.c_str(), name.c_str(), ToUtf8(text).c_str());
  std::fflush(stderr);
}

namespace {

// The queue a file waits in; the empty text for the link itself.
AnsiString QueueOf(const AnsiString &fileName) {
  for (const char *queue : {"CONS", "TRANS", "INSERE_DADO"})
    if (SameText(Copy(fileName, 1, static_cast<int>(std::strlen(queue))), queue)) return queue;
  return {};
}

}  // namespace

void TTickJournal::Failed(const AnsiString &fileName, const AnsiString &text) {
  constexpr TDateTime kMinute = 1.0 / (24 * 60);
  TQueue &queue = queues_[QueueOf(fileName)];
  ++queue.Failed;
  const TDateTime now = Now();
  const auto [kind, first] = queue.Failing.try_emplace({fileName, text});
  if (first) {
    kind->second.Told = now;
    Journal(fileName, text);
    return;
  }
  TKind &told = kind->second;
  ++told.Untold;
  if (now - told.Told >= kMinute) {
    Journal(fileName, text + " (mais " + IntToStr(told.Untold) + " tentativas falharam desde " +
                          FormatDateTime("hh:nn:ss", told.Told) + ")");
    told = {now, 0};
  }
}

void TTickJournal::Moved(const AnsiString &queue) {
  int failed = 0;
  const auto ended = std::erase_if(queues_, [&](const auto &failing) {
    // A queue that moves tells that the link works, too; the empty text stands for every queue.
    const bool ends = queue.empty() || failing.first.empty() || failing.first == queue;
    if (ends) failed += failing.second.Failed;
    return ends;
  });
  if (ended > 0) Journal(queue, "a fila voltou a andar depois de " + IntToStr(failed) + " tentativas falhas");
}
