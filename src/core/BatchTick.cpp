// The batch tick: network and connection checks, then at most one command file of REMESSA per tick,
// in the order CONS, TRANS, the data-update file in progress, a new data-update file.

#include "core/UPRINC.h"

#include "core/BatchJournal.h"
#include "core/ExchangeFolders.h"
#include "core/FailureWeight.h"
#include "platform/files/FileSystem.h"
#include "platform/sys/Exceptions.h"
#include "platform/sys/Memory.h"

namespace {

// A command file that failed this many ticks in a row is set aside under its name plus ".ERR".
constexpr int kFailedTicksBound = 5;
constexpr TDateTime kMinute = 1.0 / (24 * 60);

// Holds the tick's flag for the whole run and leaves Timer2 on, whatever way the tick ends (also when
// its failure handler fails in turn).
class TTickHold {
 public:
  TTickHold(bool &flag, TTimer &timer) : flag_(flag), timer_(timer) { flag_ = true; }
  ~TTickHold() {
    flag_ = false;
    if (!timer_.Enabled()) timer_.SetEnabled(true);
    if (worked) ReleaseFreeMemory();  // a line of megabytes leaves no peak behind
  }
  bool worked = false;  // the tick took a file, or failed, or read a long statement
  TTickHold(const TTickHold &) = delete;
  TTickHold &operator=(const TTickHold &) = delete;

 private:
  bool &flag_;
  TTimer &timer_;
};

void CloseQuietly(TextFile &file) {
  if (!file.IsOpen()) return;
  try {
    CloseFile(file);
  } catch (const std::exception &) {
    // The tick has failed already; the file is closed either way.
  }
}

}  // namespace

void TForm1::Timer2Timer(TObject *) {
  if (tickRunning_) {
    // Switched on again from inside a running tick: that tick switches it on when it ends.
    Timer2->SetEnabled(false);
    return;
  }
  TTickHold hold(tickRunning_, *Timer2);
  queconTaken_ = false;
  xaStatement_.clear();
  Tag = 0;
  TrayIcon1->Tag = 0;
  TextFile command;
  TextFile answer;
  Timer2->SetEnabled(false);
  FollowSetAsideFiles();

  if (InternetState() == 0) {
    DisconnectDatabase();
    Timer2->SetEnabled(true);
    return;
  }

  std::unique_ptr<TStringList> files;
  std::unique_ptr<TStringList> params;
  AnsiString taken;         // the command file this tick works on
  bool continuing = false;  // the tick works on the data-update file in progress
  try {
    remessa_.Update();
    if (!FileExists(WindowsDir() + "\\active.conf") || !Database1->Connected()) {
      Timer2->SetInterval(10000);
      ConnectDatabase();
      Timer2->SetEnabled(true);
      return;
    }

    ForgetVanishedFiles();
    BringBackHiddenFiles();
    files = std::make_unique<TStringList>();
    Tag = 1;
    ListQueue(kRemessa + "CONS*.TXT", *files);
    if (TakeFirst(*files, command, taken)) {
      hold.worked = true;
      HandleConsultationFile(taken, params, command, answer);
      NoteFileDone(taken);
      tickJournal_.Moved("CONS");
      EndWorkTick(files);
      return;
    }

    files->Clear();
    ListQueue(kRemessa + "TRANS*.TXT", *files);
    if (TakeFirst(*files, command, taken)) {
      hold.worked = true;
      HandleCustomerRecordFile(taken, params, command);
      NoteFileDone(taken);
      tickJournal_.Moved("TRANS");
      EndWorkTick(files);
      return;
    }

    if (::Visible(Panel1)) {
      continuing = true;
      TakeQuery();
      hold.worked = ContinueUpdateFile();  // the frequent tick: the heap is trimmed after a long statement only
      tickJournal_.Moved("INSERE_DADO");
      EndWorkTick(files);
      if (Timer3->OnTimer) Timer3->OnTimer(Timer3);
      return;
    }

    files->Clear();
    ListQueue(kRemessa + "INSERE_DADO*.TXT", *files);
    if (TakeFirst(*files, command, taken)) {
      hold.worked = true;
      StartUpdateFile(taken, command);
      NoteFileDone(taken);
      EndWorkTick(files);
      return;
    }
    files.reset();
    tickJournal_.Moved();
    Timer2->SetEnabled(true);
  } catch (...) {
    const std::exception_ptr failure = std::current_exception();
    if (Tag == 1) files.reset();
    if (TrayIcon1->Tag == 1) params.reset();
    CloseQuietly(command);
    CloseQuietly(answer);
    // The path of the data-update file in progress, before it is stopped.
    const AnsiString updating = RemessaName(Panel1->Hint);
    const bool linkFailed = LinkFailure(failure);
    // A failure of another file leaves the data-update file in progress where it is, and so does the
    // server refusing its statement for a cause not the file's own: it is tried again, the file not
    // read afresh.
    const bool kept = ServerFailure(failure) && WeighTickFailure(failure) == TFailureWeight::None;
    if ((continuing && !kept) || linkFailed || !::Visible(Panel1)) StopUpdateFile();
    Label3->repaint();
    // Only a lost link drops the connection: any other fault is the file's, or passes, and dropping
    // the connection would hide the consultation and close the administration's tables for nothing.
    if (linkFailed) DisconnectDatabase();
    // The data-update tick switched the keep-alive off.
    if (continuing && Database1->Connected()) Timer3->SetEnabled(true);
    Timer2->SetEnabled(true);
    hold.worked = true;
    NoteFailedTick(continuing ? updating : taken, continuing, failure);
  }
}

bool TForm1::TakeFirst(TStringList &files, TextFile &command, AnsiString &taken) {
  if (files.Count() == 0) return false;
  const AnsiString name = files[0];
  if (name.find('\\') != AnsiString::npos) {
    // Legal on Linux, but no path can hold it, and no Windows writer makes such a name.
    SetAside(name, "nome com barra invertida"_a);
    return false;
  }
  taken = name;  // from here on, a failure is this file's to weigh
  AssignFile(command, kRemessa + name);
  try {
    ResetSettled(command, remessa_.Finished(name), remessa_.StillnessOf(name));
  } catch (const EInOutError &e) {
    if (e.ErrorCode != kFileInUse) throw;
    // Still being written: it waits, and the names after it with it.
    NoteUnsettled(name);
    taken.clear();
    return false;
  }
  unsettled_.erase(name);
  TakeQuery();
  return true;
}

void TForm1::TakeQuery() {
  // The tick's statements replace the query's text: a failure line names only what this tick sent.
  quecon->SQL.Clear();
  queconTaken_ = true;
}

void TForm1::NoteUnsettled(const AnsiString &name) {
  const TDateTime now = Now();
  const auto [held, first] = unsettled_.try_emplace(name, THeld{now, now});
  if (first || now - held->second.Told < kMinute) return;
  held->second.Told = now;
  const long long minutes = static_cast<long long>((now - held->second.Since) / kMinute + 0.5);
  Journal(name, "ainda em gravação há "_a + IntToStr(minutes) + " min; será lido quando o escritor o fechar"_a);
}

void TForm1::NoteFailedTick(const AnsiString &name, bool continuing, std::exception_ptr failure) {
  // The failure handler must not fail in turn.
  try {
    const AnsiString statement = TickStatement();
    tickJournal_.Failed(name,
                        (statement.empty() ? AnsiString() : StatementHead(statement) + ": ") + FailureReason(failure));
    const TFailureWeight weight = WeighTickFailure(failure);
    if (name.empty() || weight == TFailureWeight::None) return;
    if (continuing) {
      NoteStatementFailed(weight, FailureReason(failure));
    } else if (weight == TFailureWeight::AtOnce) {
      SetAside(name, FailureReason(failure));
    } else {
      NoteFileFailed(name);
    }
  } catch (const std::exception &) {
  }
}

void TForm1::HandleConsultationFile(const AnsiString &name, std::unique_ptr<TStringList> &params, TextFile &command,
                                    TextFile &answer) {
  params = std::make_unique<TStringList>();
  TrayIcon1->Tag = 1;
  const AnsiString answerName = kRetorno + "RET" + Copy(Copy(name, 1, Length(name) - 4), 5, Length(name));

  AnsiString line;
  Readln(command, line);

  if (Copy(line, 1, 16) == "CONSULTA_EMPRESA") {
    ConsultaEmpresa(answer, answerName);
  } else if (Copy(line, 1, 16) == "CONSULTA_CLIENTE") {
    ConsultaCliente(line, *params, answer, answerName);
  } else if (Copy(line, 1, 14) == "CONSULTA_DADOS") {
    ConsultaDados(line, *params, answer, answerName);
  }

  CloseFile(command);
  params.reset();
  TrayIcon1->Tag = 0;
  DeleteDone(name);
}

void TForm1::HandleCustomerRecordFile(const AnsiString &name, std::unique_ptr<TStringList> &params,
                                      TextFile &command) {
  AnsiString line;
  Readln(command, line);

  // The words of customer records count in any case; any other line is passed over.
  if (UpperCase(Copy(line, 1, 14)) == "INSERE_CLIENTE") {
    InsereCliente(line, params);
  } else if (UpperCase(Copy(line, 1, 19)) == "INSERE_EMITENTE_CLI") {
    InsereEmitenteCli(line, params);
  }

  CloseFile(command);
  DeleteDone(name);
}

void TForm1::DeleteDone(const AnsiString &name) {
  if (!DeleteFile(kRemessa + name) && EntryExistsIn(kRemessa, name)) SetAsideUndeletable(name);
}

bool TForm1::SetAsideUndeletable(const AnsiString &name) {
  if (!SetAside(name, "terminado, mas não pôde ser apagado; nada dele será executado de novo"_a).empty()) return true;
  // Left there, it would be worked again at every tick, and the files of its kind behind it never.
  stuck_[name] = FileAge(kRemessa + name);
  Journal(name, "terminado, mas não pôde ser apagado nem posto de lado; fica em REMESSA sem ser lido de novo"_a);
  return false;
}

void TForm1::EndWorkTick(std::unique_ptr<TStringList> &files) {
  files.reset();
  Tag = 0;
  Timer2->SetEnabled(true);
  if (quecon->Active()) quecon->Close();
}

void TForm1::ListQueue(const AnsiString &mask, TStringList &list) {
  // Only the first name is handled: no more is listed.
  remessa_.ListFiles(mask, list, [this](const AnsiString &name) { return !Stuck(name); }, 1);
}

void TForm1::ForgetVanishedFiles() {
  const auto vanished = [this](const auto &entry) { return !remessa_.Contains(entry.first); };
  std::erase_if(failedTicks_, vanished);
  std::erase_if(unsettled_, vanished);
  std::erase_if(stuck_, vanished);
}

void TForm1::BringBackHiddenFiles() {
  // Left hidden by a stop in the middle of a deletion, or because another file had taken the name.
  for (const std::string &hidden : remessa_.HiddenNames()) {
    if (const AnsiString name = BringBackHidden(kRemessa, hidden); !name.empty())
      Journal(name, "de volta ao seu nome, depois de ficar oculto como "_a + FromHostName(hidden));
  }
}

void TForm1::NoteFileDone(const AnsiString &name) { failedTicks_.erase(name); }

void TForm1::NoteFileFailed(const AnsiString &name) {
  if (!EntryExistsIn(kRemessa, name)) return;
  if (++failedTicks_[name] < kFailedTicksBound) return;
  if (!SetAside(name, "falhou " + IntToStr(kFailedTicksBound) + " vezes seguidas").empty())
    failedTicks_.erase(name);
}

AnsiString TForm1::SetAside(const AnsiString &name, const AnsiString &why) {
  // Set aside where no mask finds it, so that the files behind it get their turn; nothing is lost.
  AnsiString aside = name + ".ERR";
  for (int copy = 2; EntryExistsIn(kRemessa, aside) && copy < 1000; ++copy)
    aside = name + "." + IntToStr(copy) + ".ERR";
  if (!RenameFileIn(kRemessa, name, aside)) return {};
  Journal(name, "posto de lado como " + aside + ": " + why);
  return aside;
}

AnsiString TForm1::RemessaName(const AnsiString &path) { return Copy(path, Length(kRemessa) + 1, Length(path)); }

TFailureWeight TForm1::WeighTickFailure(std::exception_ptr failure) const {
  // A failed XA statement is the server's affair (a lock, a session that still holds the id), never
  // the file's.
  if (!xaStatement_.empty() && ServerFailure(failure)) return TFailureWeight::None;
  return WeighFailure(failure);
}

AnsiString TForm1::TickStatement() const {
  if (!xaStatement_.empty()) return xaStatement_;
  return queconTaken_ ? quecon->SQL.Text() : AnsiString();
}
