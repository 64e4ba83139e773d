// Data-update files (INSERE_DADO*.TXT): started in one tick, then worked through two statement starts a
// tick with the progress panel shown, and deleted after the last. Each file's progress is kept, so that
// a file interrupted by a failure, a lost network or a close resumes after its last executed statement,
// and each statement takes effect exactly once (StatementOnce.cpp).

#include "core/UPRINC.h"
#include "core/BatchJournal.h"
#include "core/UpdateStatements.h"

#include "platform/files/FileSystem.h"
#include "platform/vcl/Dialogs.h"

#include <algorithm>

namespace {

const AnsiString kRemessa = "C:\\ORVALIX\\REMESSA\\";
// A file whose same statement start failed this many ticks is set aside under its name plus ".ERR".
constexpr int kStatementFailuresBound = 3;
constexpr int kStartsPerTick = 2;
constexpr std::size_t kLongStatement = 1024 * 1024;

}  // namespace

void TForm1::StartUpdateFile(const AnsiString &name, TextFile &command) {
  Panel1->Hint = kRemessa + name;
  const int statements = CountStatementEnds(command);
  CloseFile(command);
  pb1->setMaximum(statements);

  // A statement interrupted earlier, of this file or of one gone since, is settled with the server first.
  SettleInDoubt();
  const int done = updateProgress_.Resume(Panel1->Hint).Done;
  AssignFile(UpdateFile, Panel1->Hint);
  ResetSettled(UpdateFile, remessa_.Finished(name));
  UpdateFileOpen = true;
  std::vector<AnsiString> lines;
  for (int skipped = 0; skipped < done && !Eof(UpdateFile); ++skipped) ReadStatement(UpdateFile, lines);
  pb1->setValue(std::min(done, statements));
  Panel1->show();
}

bool TForm1::ContinueUpdateFile() {
  Timer3->SetEnabled(false);
  bool longStatement = false;
  std::vector<AnsiString> lines;
  for (int started = 0; started < kStartsPerTick && !Eof(UpdateFile); ++started) {
    const bool statement = ReadStatement(UpdateFile, lines);
    for (const AnsiString &line : lines) longStatement = longStatement || line.size() >= kLongStatement;
    TUpdateProgress *progress = updateProgress_.Find(Panel1->Hint);
    if (!progress) progress = &updateProgress_.Resume(Panel1->Hint);  // its file was taken away meanwhile
    if (statement) {
      ExecuteOnce(lines, *progress);  // written down as done there
    } else {
      ShowMessage("ERRO DE INSTRUÇÃO: CONSULTE SEU PROGRAMADOR."_a);
      MarkStatementDone(*progress);
    }
    pb1->setValue(std::min(pb1->value() + 1, pb1->maximum()));
  }
  if (Eof(UpdateFile)) EndUpdateFile();
  return longStatement;
}

void TForm1::EndUpdateFile() {
  Panel1->hide();
  CloseFile(UpdateFile);
  UpdateFileOpen = false;
  const AnsiString path = Panel1->Hint;
  const AnsiString name = Copy(path, Length(kRemessa) + 1, Length(path));
  Panel1->Hint.clear();
  if (DeleteFile(path) || !FileExists(path) ||
      SetAside(name, "terminado, mas não pôde ser apagado; nada dele será executado de novo"_a)) {
    updateProgress_.Forget(path);
    updateProgress_.Save();
    return;
  }
  // It stays, and resumes at its end after a restart, so that none of its statements runs again;
  // meanwhile the files behind it get their turn.
  stuck_[name] = FileAge(path);
  Journal(name, "terminado, mas não pôde ser apagado nem posto de lado; fica em REMESSA sem ser lido de novo"_a);
}

void TForm1::StopUpdateFile() {
  if (UpdateFileOpen) {
    UpdateFileOpen = false;
    try {
      CloseFile(UpdateFile);
    } catch (const std::exception &) {
      // Closed either way.
    }
  }
  Panel1->hide();
}

bool TForm1::Stuck(const AnsiString &name) {
  const auto found = stuck_.find(name);
  if (found == stuck_.end()) return false;
  if (FileAge(kRemessa + name) == found->second) return true;
  stuck_.erase(found);  // written again since: a file of its own
  return false;
}

void TForm1::NoteStatementFailed() {
  // Called by the tick's failure handler, which must not fail in turn: a count that cannot be written
  // stays in memory and goes with the next save.
  try {
    TUpdateProgress *progress = updateProgress_.Find(Panel1->Hint);
    if (!progress) return;
    // A statement that the server always rejects would hold the file and the queue behind it for ever.
    if (++progress->Failures >= kStatementFailuresBound &&
        SetAside(Copy(progress->Path, Length(kRemessa) + 1, Length(progress->Path)),
                 "a mesma instrução falhou " + IntToStr(kStatementFailuresBound) + " vezes"_a) &&
        progress->Phase == TStatementPhase::Idle)
      updateProgress_.Forget(progress->Path);
    updateProgress_.Save();
  } catch (const std::exception &) {
  }
}
