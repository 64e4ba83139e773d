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
  AssignFile(UpdateFile, Panel1->Hint);
  ResetSettled(UpdateFile, remessa_.Finished(name));
  UpdateFileOpen = true;
  heldStatement_.clear();
  ResetDigest();
  // It resumes after its last statement that took effect when it is still the same file up to there.
  TUpdateProgress &progress = updateProgress_.Resume(Panel1->Hint, [this](const TUpdateProgress &record) {
    return DigestTo(record.Handled.Bytes) == record.Handled.Digest;
  });
  updateLine_ = 1;
  std::vector<AnsiString> lines;
  for (int skipped = 0; skipped < progress.Done && !Eof(UpdateFile); ++skipped) {
    ReadStatement(UpdateFile, lines);
    updateLine_ += static_cast<int>(lines.size());
  }
  const std::uint64_t resumed = UpdateFile.Position();
  progress.Handled = {resumed, DigestTo(resumed), updateLine_};
  progress.Age = -1;  // a record of the earlier form is known by its digest from now on
  pb1->setValue(std::min(progress.Done, statements));
  Panel1->show();
}

bool TForm1::ContinueUpdateFile() {
  Timer3->SetEnabled(false);
  bool longStatement = false;
  std::vector<AnsiString> &lines = heldStatement_;
  for (int started = 0; started < kStartsPerTick && (!lines.empty() || !Eof(UpdateFile)); ++started) {
    // Begun by the file's start, and kept until its end.
    TUpdateProgress &progress = *updateProgress_.Find(Panel1->Hint);
    // A statement held since the server refused it for a cause not its own is tried again first.
    bool statement = true;
    if (lines.empty()) {
      statement = ReadStatement(UpdateFile, lines);
      updateLine_ += static_cast<int>(lines.size());
      for (const AnsiString &line : lines) longStatement = longStatement || line.size() >= kLongStatement;
      const std::uint64_t end = UpdateFile.Position();
      progress.Pending = {end, DigestTo(end), updateLine_};
    }
    if (statement) {
      ExecuteOnce(lines, progress);  // written down as done there
    } else {
      ShowMessage("ERRO DE INSTRUÇÃO: CONSULTE SEU PROGRAMADOR."_a);
      MarkStatementDone(progress);
    }
    lines.clear();
    pb1->setValue(std::min(pb1->value() + 1, pb1->maximum()));
  }
  if (Eof(UpdateFile)) EndUpdateFile();
  return longStatement;
}

void TForm1::ResetDigest() {
  updateDigest_.reset();
  updateHashed_ = 0;
}

AnsiString TForm1::DigestTo(std::uint64_t end) {
  constexpr std::size_t kChunk = 1024 * 1024;
  if (end < updateHashed_) ResetDigest();  // a shorter stretch than the last: from the start again
  while (updateHashed_ < end) {
    const std::string bytes = UpdateFile.ReadAt(updateHashed_, std::min<std::uint64_t>(end - updateHashed_, kChunk));
    if (bytes.empty()) return {};  // the file is shorter
    updateDigest_.addData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    updateHashed_ += bytes.size();
  }
  return AnsiString(updateDigest_.result().toHex().toStdString());
}

void TForm1::EndUpdateFile() {
  Panel1->hide();
  // All of it was read: its size is where the reading stands.
  const TFileIdentity identity = UpdateFile.Identity();
  const std::uint64_t size = UpdateFile.Position();
  CloseFile(UpdateFile);
  UpdateFileOpen = false;
  const AnsiString path = Panel1->Hint;
  const AnsiString name = RemessaName(path);
  Panel1->Hint.clear();
  const TDeleteOutcome outcome = DeleteFileIfSame(path, identity, size);
  // Statements added to it after the last one read: it resumes after the ones it had.
  if (outcome == TDeleteOutcome::Grown) return;
  if (outcome == TDeleteOutcome::Failed &&
      SetAside(name, "terminado, mas não pôde ser apagado; nada dele será executado de novo"_a).empty()) {
    // It stays, and resumes at its end after a restart, so that none of its statements runs again;
    // meanwhile the files behind it get their turn.
    stuck_[name] = FileAge(path);
    Journal(name, "terminado, mas não pôde ser apagado nem posto de lado; fica em REMESSA sem ser lido de novo"_a);
    return;
  }
  // Deleted, set aside, or another file put in its place, which is a new one.
  updateProgress_.Forget(path);
  updateProgress_.Save();
}

void TForm1::StopUpdateFile() {
  heldStatement_.clear();
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

void TForm1::NoteStatementFailed(TFailureWeight weight, const AnsiString &reason) {
  // Called by the tick's failure handler, which must not fail in turn: a count that cannot be written
  // stays in memory and goes with the next save.
  try {
    TUpdateProgress *progress = updateProgress_.Find(Panel1->Hint);
    if (!progress) return;
    // A statement that the server always rejects would hold the file and the queue behind it for ever.
    if (weight == TFailureWeight::AtOnce)
      SetUpdateFileAside(*progress, reason);
    else if (++progress->Failures >= kStatementFailuresBound)
      SetUpdateFileAside(*progress, "a mesma instrução falhou "_a + IntToStr(kStatementFailuresBound) + " vezes");
    updateProgress_.Save();
  } catch (const std::exception &) {
  }
}

void TForm1::SetUpdateFileAside(TUpdateProgress &progress, const AnsiString &why) {
  const AnsiString name = RemessaName(progress.Path);
  // Whoever mends the file and sends it again under its name must know what took effect already; its
  // record serves the mended file while the set-aside one stands beside it.
  const AnsiString aside =
      SetAside(name, why + "; instruções que tiveram efeito: "_a + IntToStr(progress.Done) +
                         ", a recusada começa na linha "_a + IntToStr(progress.Handled.Line) +
                         "; enviado de novo com este nome enquanto o posto de lado estiver em REMESSA, continua depois "
                         "delas");
  if (aside.empty()) return;
  progress.Aside = aside.substr(name.size());
  progress.Failures = 0;
}
