// Every statement of a data-update file takes effect exactly once, also when the link drops after the
// server ran it and before its answer came back. Each statement runs in an XA transaction of its own,
// named after the file's token and the statement's number: started, executed, prepared, written down
// as prepared, committed. The phase kept with the file's progress tells, after an interruption, what
// to ask the server: a prepared transaction survives the lost session and is committed by the next;
// one that never got prepared died with it, and the statement runs again. XA RECOVER is not used: the
// ODBC driver reads its rows wrongly and loses step with the server; the XA statements on the id itself
// tell all that is needed.

#include "core/UPRINC.h"

#include "core/BatchJournal.h"
#include "core/ServerErrors.h"
#include "platform/sys/Exceptions.h"

#include <cstdlib>

void TForm1::MarkStatementDone(TUpdateProgress &progress) {
  // One write: a statement that took effect is never written down as idle and not done.
  ++progress.Done;
  progress.Handled = progress.Pending;
  progress.Phase = TStatementPhase::Idle;
  progress.Failures = 0;
  updateProgress_.Save();
}

void TForm1::SendXa(const AnsiString &verb, const TUpdateProgress &progress) {
  // A query of its own, so that quecon keeps the file's statement, as the design shows it.
  TADOQuery xa(nullptr);
  xa.SetConnection(Database1);
  xa.SQL.Add("XA " + verb + " 'orvalix." + progress.Token + "','" + IntToStr(progress.Done) + "'");
  xaStatement_ = xa.SQL.Text();
  xa.ExecSQL();
}

void TForm1::ExecuteOnce(const std::vector<AnsiString> &lines, TUpdateProgress &progress) {
  if (progress.Phase != TStatementPhase::Idle && SettleStatement(progress)) return;
  ReadSession();
  progress.Session = session_;
  progress.ServerStart = serverStart_;
  progress.Phase = TStatementPhase::Sent;
  updateProgress_.Save();
  try {
    SendXa("START", progress);
  } catch (const EDatabaseError &e) {
    if (e.ErrorCode != kXaDuplicateId) throw;
    // The id is on the server although nothing here says it was sent (the note was lost with the
    // machine's power): the statement is in doubt like any other.
    if (SettleStatement(progress)) return;
    progress.Phase = TStatementPhase::Sent;
    updateProgress_.Save();
    StartXa(progress);
  }
  SetStatement(lines);
  try {
    quecon->ExecSQL();
  } catch (const EDatabaseError &e) {
    if (e.LinkLost) throw;
    // Refused by the server: its transaction is ended here, so that the next try starts cleanly; the
    // failure line names the file's statement.
    try {
      SendXa("END", progress);
      SendXa("ROLLBACK", progress);
      progress.Phase = TStatementPhase::Idle;
      updateProgress_.Save();
    } catch (const std::exception &) {
      // Left in doubt: the disconnect ends the transaction, the next start settles it.
    }
    xaStatement_.clear();
    throw;
  }
  SendXa("END", progress);
  SendXa("PREPARE", progress);
  progress.Phase = TStatementPhase::Prepared;
  // The one write that must outlast a power failure: without it a commit whose answer got lost would
  // read as a statement that never got prepared, and run again.
  updateProgress_.Save(true);
  SendXa("COMMIT", progress);
  MarkStatementDone(progress);
}

bool TForm1::SettleStatement(TUpdateProgress &progress) {
  try {
    SendXa("COMMIT", progress);  // prepared, by this session or a lost one: now it takes effect
    MarkStatementDone(progress);
    return true;
  } catch (const EDatabaseError &e) {
    if (e.LinkLost || !(e.ErrorCode == kXaUnknownId || XaRolledBack(e.ErrorCode))) throw;
    if (XaRolledBack(e.ErrorCode)) {
      progress.Phase = TStatementPhase::Idle;
      updateProgress_.Save();
      return false;
    }
  }
  // No prepared transaction of that id to commit: none is left, or the lost session still holds it,
  // prepared or not. A start of the same id tells them apart: refused while it is held (the tick fails
  // without counting and the next start asks again), accepted when none is left. Then a prepared one
  // was committed by the answer that got lost, and any other died with its session.
  StartXa(progress);
  SendXa("END", progress);
  SendXa("ROLLBACK", progress);
  if (progress.Phase == TStatementPhase::Prepared) {
    MarkStatementDone(progress);
    return true;
  }
  progress.Phase = TStatementPhase::Idle;
  updateProgress_.Save();
  return false;
}

void TForm1::StartXa(const TUpdateProgress &progress) {
  try {
    SendXa("START", progress);
  } catch (const EDatabaseError &e) {
    if (e.ErrorCode == kXaDuplicateId) EndLostSession(progress);
    throw;
  }
}

void TForm1::ReadSession() {
  if (session_ != 0) return;
  const TRecordValues row =
      Database1->Rows("select connection_id(), cast(unix_timestamp() - variable_value as signed) "
                      "from information_schema.global_status where variable_name = 'UPTIME'")
          .at(0);
  session_ = row.at(0).toLongLong();
  serverStart_ = row.at(1).toLongLong();
}

void TForm1::EndLostSession(const TUpdateProgress &progress) {
  // Until the server notices that the link of the session that started the statement is gone (its
  // TCP keep-alive, hours), the session holds the statement's id, and the file waits. Every member
  // logs in with the same account, which may end any of its sessions: so only that session, on the
  // same server run, from this machine.
  try {
    ReadSession();
    if (progress.Session == 0 || progress.Session == session_ || std::llabs(progress.ServerStart - serverStart_) > 2)
      return;
    const bool fromHere = !Database1
                               ->Rows("select 1 from information_schema.processlist lost, information_schema.processlist "
                                      "own where lost.id = " + IntToStr(progress.Session) +
                                      " and own.id = connection_id() and "
                                      "substring_index(lost.host, ':', 1) = substring_index(own.host, ':', 1)")
                               .empty();
    if (!fromHere) return;
    // Ended asynchronously: the next start finds the id free.
    Database1->Execute("KILL " + IntToStr(progress.Session));
    Journal(RemessaName(progress.Path),
            "sessão "_a + IntToStr(progress.Session) + " da ligação perdida encerrada; a instrução presa a ela é retomada"_a);
  } catch (const std::exception &) {
    // The refusal of the start fails the tick all the same; the next start asks again.
  }
}

void TForm1::SettleInDoubt() {
  for (TUpdateProgress *progress : updateProgress_.InDoubt()) SettleStatement(*progress);
}
