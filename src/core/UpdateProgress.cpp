#include "core/UpdateProgress.h"

#include "platform/files/Drive.h"
#include "platform/files/FileSystem.h"
#include "platform/files/TextFile.h"
#include "platform/sys/Exceptions.h"

#include <QRandomGenerator>
#include <charconv>
#include <filesystem>

namespace {

template <typename Number>
bool ParseNumber(const AnsiString &text, Number &number) {
  const char *end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, number);
  return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

AnsiString NewToken() {
  return FromQString(QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, u'0'));
}

}  // namespace

AnsiString FormatUpdateProgress(const TUpdateProgress &progress) {
  return IntToStr(progress.Done) + "\t" + IntToStr(progress.Failures) + "\t" +
         IntToStr(static_cast<long long>(progress.Size)) + "\t" + IntToStr(progress.Age) + "\t" +
         IntToStr(static_cast<int>(progress.Phase)) + "\t" + progress.Token + "\t" + progress.Path;
}

bool ParseUpdateProgress(const AnsiString &line, TUpdateProgress &progress) {
  AnsiString fields[4];
  std::size_t start = 0;
  for (AnsiString &field : fields) {
    const std::size_t tab = line.find('\t', start);
    if (tab == AnsiString::npos) return false;
    field = line.substr(start, tab - start);
    start = tab + 1;
  }
  TUpdateProgress read;
  if (!ParseNumber(fields[0], read.Done) || !ParseNumber(fields[1], read.Failures) ||
      !ParseNumber(fields[2], read.Size) || !ParseNumber(fields[3], read.Age))
    return false;
  AnsiString rest = line.substr(start);
  // The present form goes on with a phase and a token; the earlier one with the path at once.
  const std::size_t phaseEnd = rest.find('\t');
  const std::size_t tokenEnd = phaseEnd == AnsiString::npos ? phaseEnd : rest.find('\t', phaseEnd + 1);
  int phase = 0;
  if (tokenEnd != AnsiString::npos && ParseNumber(rest.substr(0, phaseEnd), phase) && phase >= 0 && phase <= 2) {
    read.Phase = static_cast<TStatementPhase>(phase);
    read.Token = rest.substr(phaseEnd + 1, tokenEnd - phaseEnd - 1);
    rest = rest.substr(tokenEnd + 1);
  }
  read.Path = rest;
  if (read.Done < 0 || read.Failures < 0 || read.Path.empty()) return false;
  if (read.Phase != TStatementPhase::Idle && read.Token.empty()) return false;
  progress = read;
  return true;
}

void TUpdateProgressFile::Load() {
  if (loaded_) return;
  records_.clear();
  if (FileExists(statePath_)) {
    TextFile state;
    AssignFile(state, statePath_);
    Reset(state);
    AnsiString line;
    while (!Eof(state)) {
      Readln(state, line);
      TUpdateProgress progress;
      if (ParseUpdateProgress(line, progress)) records_[UpperCase(progress.Path)] = progress;
    }
    CloseFile(state);
  }
  loaded_ = true;
}

TUpdateProgress &TUpdateProgressFile::Resume(const AnsiString &path) {
  Load();
  // Records of files gone go here, where no one holds a record, not at a save: a record in doubt stays
  // until the server has told what became of its statement.
  std::erase_if(records_, [](const auto &record) {
    return record.second.Phase == TStatementPhase::Idle && !FileExists(record.second.Path);
  });
  const std::uintmax_t size = FileSize(path);
  const long long age = FileAge(path);
  TUpdateProgress &progress = records_[UpperCase(path)];
  if (progress.Path.empty() || progress.Size != size || progress.Age != age)
    progress = {path, size, age, 0, 0, TStatementPhase::Idle, NewToken()};
  if (progress.Token.empty()) progress.Token = NewToken();
  return progress;
}

std::vector<TUpdateProgress *> TUpdateProgressFile::InDoubt() {
  Load();
  std::vector<TUpdateProgress *> found;
  for (auto &record : records_)
    if (record.second.Phase != TStatementPhase::Idle) found.push_back(&record.second);
  return found;
}

TUpdateProgress *TUpdateProgressFile::Find(const AnsiString &path) {
  Load();
  const auto found = records_.find(UpperCase(path));
  return found == records_.end() ? nullptr : &found->second;
}

void TUpdateProgressFile::Forget(const AnsiString &path) {
  Load();
  records_.erase(UpperCase(path));
}

void TUpdateProgressFile::Save(bool durable) {
  Load();
  // Written aside and moved over the old state at once, so that a stop in between leaves one of the two.
  const AnsiString written = statePath_ + ".new";
  TextFile state;
  AssignFile(state, written);
  Rewrite(state);
  for (const auto &record : records_) Writeln(state, FormatUpdateProgress(record.second));
  CloseFile(state);
  if (durable && !FlushFileBuffers(written)) throw EInOutError("Disk write error", 101);
  std::error_code error;
  std::filesystem::rename(HostPath(written), HostPath(statePath_), error);
  if (error) throw EInOutError("File access denied", 5);
  if (durable && !FlushFileBuffers(Copy(statePath_, 1, statePath_.find_last_of('\\'))))
    throw EInOutError("Disk write error", 101);
}
