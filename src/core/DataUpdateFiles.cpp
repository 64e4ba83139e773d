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
  ResetSettled(UpdateFile, remessa_.Finished(name), remessa_.StillnessOf(name));
  UpdateFileOpen = true;
  heldStatement_.clear();
  ResetDigest();
  // It resumes after its last statement that took effect when it is still the same file up to there.
  TUpdateProgress &progress =
      updateProgress_.Resume(Panel1->Hint, UpdateFile.Identity(), [this](const TUpdateProgress &record) {
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
  const AnsiString name = RemessaName(Panel1->Hint);
  for (int started = 0; started < kStartsPerTick && (!lines.empty() || !Eof(UpdateFile)); ++started) {
    // Begun by the file's start, and kept until its end.
    TUpdateProgress &progress = *updateProgress_.Find(Panel1->Hint);
    // A statement held since the server refused it for a cause not its own is tried again first.
    bool statement = true;
    if (lines.empty()) {
      const std::uint64_t start = UpdateFile.Position();
      statement = ReadStatement(UpdateFile, lines);
      if (Eof(UpdateFile) && !LastStatementSettled(statement, lines)) {
        // Its writer may still be at it: read again from its start at a later tick.
        lines.clear();
        UpdateFile.Seek(start);
        NoteUnsettled(name);
        return longStatement;
      }
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
  if (!Eof(UpdateFile)) return longStatement;
  // Deleted only once no writer holds it and it stands still.
  if (UpdateFile.Settled(remessa_.Finished(name), remessa_.StillnessOf(name))) {
    EndUpdateFile();
  } else {
    UpdateFile.Seek(UpdateFile.Position());  // what is appended meanwhile is read
    NoteUnsettled(name);
  }
  return longStatement;
}

bool TForm1::LastStatementSettled(bool statement, const std::vector<AnsiString> &lines) {
  const std::uint64_t end = UpdateFile.Position();
  const std::string last = end > 0 ? UpdateFile.ReadAt(end - 1, 1) : std::string();
  const bool lineEnded = last == "\n" || last == "\r";
  if (lineEnded && StatementEnded(statement, lines)) return true;
  // A statement without its ";", or a line without its end: sent as it stands only once it stood still
  // a full second with no writer holding it, whoever closed it last.
  return UpdateFile.Settled(false, remessa_.StillnessOf(RemessaName(Panel1->Hint)));
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
  if (outcome == TDeleteOutcome::Hidden) {
    Journal(name, "terminado, mas outro arquivo tomou seu nome; fica oculto e volta a ele quando estiver livre"_a);
    return;
  }
  // Left in place, it resumes at its end after a restart, so that none of its statements runs again.
  if (outcome == TDeleteOutcome::Failed && !SetAsideUndeletable(name)) return;
  // Another file put in its place meanwhile: it resumes after these statements when it is the same up
  // to there, as a file in progress does.
  TUpdateProgress *progress = updateProgress_.Find(path);
  const TFileIdentity found = outcome == TDeleteOutcome::Replaced ? FileIdentity(path) : TFileIdentity{};
  if (progress && found != TFileIdentity{}) {
    progress->Returning = found;
  } else {
    updateProgress_.Forget(path);  // deleted or set aside: a file that comes later is a new one
  }
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
                         "; corrigido e renomeado de volta, ou enviado de novo com este nome enquanto o posto de lado "
                         "estiver em REMESSA, continua depois delas");
  if (aside.empty()) return;
  progress.Aside = aside.substr(name.size());
  progress.Returning = FileIdentity(kRemessa + aside);  // the file itself, mended and renamed back
  progress.Failures = 0;
}

void TForm1::FollowSetAsideFiles() {
  // A record that cannot be saved now goes with the next save.
  try {
    if (updateProgress_.FollowAside()) updateProgress_.Save();
  } catch (const std::exception &) {
  }
}
