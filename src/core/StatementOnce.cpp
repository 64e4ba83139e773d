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

void TForm1::SendXa(const AnsiString &verb, const TUpdateProgress &progress, int lockWait) {
  // A query of its own, so that quecon keeps the file's statement, as the design shows it.
  TADOQuery xa(nullptr);
  xa.SetConnection(Database1);
  xa.SQL.Add((lockWait > 0 ? "SET STATEMENT lock_wait_timeout=" + IntToStr(lockWait) + " FOR " : AnsiString()) +
             "XA " + verb + " 'orvalix." + progress.Token + "','" + IntToStr(progress.Done) + "'");
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
  TXaBranch branch = TXaBranch::Active;
  try {
    SetStatement(lines);  // from here the failure line names the file's statement
    quecon->ExecSQL();
    SendXa("END", progress);
    branch = TXaBranch::Idle;
    SendXa("PREPARE", progress);
    branch = TXaBranch::Prepared;
    progress.Phase = TStatementPhase::Prepared;
    // The one write that must outlast a power failure: without it a commit whose answer got lost would
    // read as a statement that never got prepared, and run again.
    updateProgress_.Save(true);
    SendXa("COMMIT", progress);
  } catch (...) {
    if (LetGoOfBranch(branch, progress, std::current_exception())) {
      progress.Phase = TStatementPhase::Idle;  // rolled back: the next try starts cleanly
      try {
        updateProgress_.Save();
      } catch (const std::exception &) {
        // Kept in memory; it goes with the next save.
      }
    }
    throw;
  }
  MarkStatementDone(progress);
}

bool TForm1::LetGoOfBranch(TXaBranch branch, const TUpdateProgress &progress, std::exception_ptr failure) {
  // With the link, the session goes: the tick drops the connection.
  if (LinkFailure(failure)) return false;
  // The failure line names the statement that failed, not these.
  const AnsiString failed = xaStatement_;
  bool released = false;
  // A prepared branch is committed, and its commit failed already (or its note could not be written,
  // and then it must not take effect before the note): it is left to the next connection.
  if (branch != TXaBranch::Prepared) {
    try {
      if (branch == TXaBranch::Active) {
        try {
          SendXa("END", progress);
        } catch (const EDatabaseError &) {
          // The rollback tells whether the branch is left.
        }
      }
      // A backup's lock holds the rollback too: it is not waited for long, the connection's end rolls
      // the branch back as well.
      SendXa("ROLLBACK", progress, 1);
      released = true;
    } catch (const EDatabaseError &e) {
      released = !e.LinkLost && (e.ErrorCode == kXaUnknownId || XaRolledBack(e.ErrorCode));
    }
  }
  // Every later statement of a session that holds a branch fails: the session goes, quietly (the
  // consultation entries stay), and the next tick connects again. A branch not prepared dies with it,
  // a prepared one outlives it and is committed by the next connection.
  if (!released) Database1->Close();
  xaStatement_ = failed;
  return released;
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
  TXaBranch branch = TXaBranch::Active;
  try {
    SendXa("END", progress);
    branch = TXaBranch::Idle;
    SendXa("ROLLBACK", progress);
  } catch (...) {
    LetGoOfBranch(branch, progress, std::current_exception());
    throw;  // the phase stands: the next try asks again
  }
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
    // Sent once: the server ends the session in its own time (the rollback of a large statement), and
    // a later start finds the id free.
    const std::pair ended{progress.Session, progress.ServerStart};
    if (endedSession_ == ended) return;
    const bool fromHere = !Database1
                               ->Rows("select 1 from information_schema.processlist lost, information_schema.processlist "
                                      "own where lost.id = " + IntToStr(progress.Session) +
                                      " and own.id = connection_id() and "
                                      "substring_index(lost.host, ':', 1) = substring_index(own.host, ':', 1)")
                               .empty();
    if (!fromHere) return;
    Database1->Execute("KILL " + IntToStr(progress.Session));
    endedSession_ = ended;
    Journal(RemessaName(progress.Path),
            "sessão "_a + IntToStr(progress.Session) + " da ligação perdida encerrada; a instrução presa a ela é retomada"_a);
  } catch (const std::exception &) {
    // The refusal of the start fails the tick all the same; the next start asks again.
  }
}

void TForm1::SettleInDoubt() {
  for (TUpdateProgress *progress : updateProgress_.InDoubt()) SettleStatement(*progress);
}
