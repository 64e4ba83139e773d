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

AnsiString FormatPrefix(const TFilePrefix &prefix) {
  return IntToStr(static_cast<long long>(prefix.Bytes)) + "\t" + prefix.Digest + "\t" + IntToStr(prefix.Line);
}

bool ParsePrefix(const AnsiString *fields, TFilePrefix &prefix) {
  prefix.Digest = fields[1];
  return ParseNumber(fields[0], prefix.Bytes) && ParseNumber(fields[2], prefix.Line);
}

// The first count tab-separated fields of line into fields, the rest after them into rest.
bool SplitFields(const AnsiString &line, std::size_t count, std::vector<AnsiString> &fields, AnsiString &rest) {
  fields.clear();
  std::size_t start = 0;
  while (fields.size() < count) {
    const std::size_t tab = line.find('\t', start);
    if (tab == AnsiString::npos) return false;
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  rest = line.substr(start);
  return true;
}
bool ParsePresentForm(const AnsiString &line, TUpdateProgress &read) {
  std::vector<AnsiString> f;
  AnsiString path;
  int phase = 0;
  const bool returning = line.starts_with("v3\t");
  if (!SplitFields(line, returning ? 17 : 14, f, path) || !ParseNumber(f[1], read.Done) ||
      !ParseNumber(f[2], read.Failures) || !ParseNumber(f[3], phase) || !ParsePrefix(&f[5], read.Handled) ||
      !ParsePrefix(&f[8], read.Pending) || !ParseNumber(f[11], read.Session) || !ParseNumber(f[12], read.ServerStart) ||
      phase < 0 || phase > 2)
    return false;
  if (returning && (!ParseNumber(f[14], read.Returning.Device) || !ParseNumber(f[15], read.Returning.Inode) ||
                    !ParseNumber(f[16], read.Returning.Born)))
    return false;
  read.Phase = static_cast<TStatementPhase>(phase);
  read.Token = f[4];
  read.Aside = f[13];
  read.Path = path;
  return true;
}

// Done, failures, size, age, then the path, or a phase, a token and the path.
bool ParseEarlierForm(const AnsiString &line, TUpdateProgress &read) {
  std::vector<AnsiString> f;
  AnsiString rest;
  if (!SplitFields(line, 4, f, rest) || !ParseNumber(f[0], read.Done) || !ParseNumber(f[1], read.Failures) ||
      !ParseNumber(f[2], read.Size) || !ParseNumber(f[3], read.Age))
    return false;
  std::vector<AnsiString> more;
  AnsiString path;
  int phase = 0;
  if (SplitFields(rest, 2, more, path) && ParseNumber(more[0], phase) && phase >= 0 && phase <= 2) {
    read.Phase = static_cast<TStatementPhase>(phase);
    read.Token = more[1];
    rest = path;
  }
  read.Path = rest;
  return true;
}

}  // namespace

AnsiString FormatUpdateProgress(const TUpdateProgress &p) {
  return "v3\t" + IntToStr(p.Done) + "\t" + IntToStr(p.Failures) + "\t" + IntToStr(static_cast<int>(p.Phase)) + "\t" +
         p.Token + "\t" + FormatPrefix(p.Handled) + "\t" + FormatPrefix(p.Pending) + "\t" + IntToStr(p.Session) + "\t" +
         IntToStr(p.ServerStart) + "\t" + p.Aside + "\t" + IntToStr(p.Returning.Device) + "\t" +
         IntToStr(p.Returning.Inode) + "\t" + IntToStr(p.Returning.Born) + "\t" + p.Path;
}

bool ParseUpdateProgress(const AnsiString &line, TUpdateProgress &progress) {
  TUpdateProgress read;
  const bool present = line.starts_with("v2\t") || line.starts_with("v3\t");
  if (!(present ? ParsePresentForm(line, read) : ParseEarlierForm(line, read))) return false;
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

TUpdateProgress &TUpdateProgressFile::Resume(const AnsiString &path, const TFileIdentity &identity,
                                             const std::function<bool(const TUpdateProgress &)> &samePrefix) {
  Load();
  const auto asideStands = [](const TUpdateProgress &record) {
    return !record.Aside.empty() && FileExists(record.Path + record.Aside);
  };
  // Records of files gone go here, where no one holds a record, not at a save: a record in doubt stays
  // until the server has told what became of its statement.
  std::erase_if(records_, [&](const auto &record) {
    return record.second.Phase == TStatementPhase::Idle && !FileExists(record.second.Path) && !asideStands(record.second);
  });
  const auto found = records_.find(UpperCase(path));
  if (found == records_.end()) return Begin(path);
  TUpdateProgress &progress = found->second;
  // The set-aside file sent again while it stands, or the returning file itself, or a file in progress.
  const bool serves = asideStands(progress) ||
                      (progress.Returning == TFileIdentity{} ? progress.Aside.empty() : progress.Returning == identity);
  const bool same = serves && (progress.Age >= 0 ? progress.Size == FileSize(path) && progress.Age == FileAge(path)
                                       : samePrefix(progress));
  if (!same) return Begin(path);
  progress.Path = path;
  progress.Aside.clear();
  progress.Returning = {};
  if (progress.Token.empty()) progress.Token = NewToken();
  return progress;
}

TUpdateProgress &TUpdateProgressFile::Begin(const AnsiString &path) {
  Load();
  TUpdateProgress &progress = records_[UpperCase(path)];
  progress = TUpdateProgress{};
  progress.Path = path;
  progress.Token = NewToken();
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

bool TUpdateProgressFile::FollowAside() {
  Load();
  bool changed = false;
  for (auto &record : records_) {
    TUpdateProgress &progress = record.second;
    if (progress.Aside.empty()) continue;
    const TFileIdentity aside = FileIdentity(progress.Path + progress.Aside);
    if (aside == TFileIdentity{} || aside == progress.Returning) continue;
    progress.Returning = aside;
    changed = true;
  }
  return changed;
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
