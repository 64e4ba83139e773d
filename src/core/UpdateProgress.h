#pragma once
// How far the data-update files begun in REMESSA have come, kept in memory and in a state file of the
// Windows directory, so that an interrupted file resumes after its last statement that took effect,
// also after a restart of the program, and no statement of it runs twice.

#include "platform/ansi/AnsiString.h"
#include "platform/files/TextFile.h"

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

// How far the statement after the handled ones has come on the server.
enum class TStatementPhase {
  Idle = 0,      // nothing of it was sent
  Sent = 1,      // its XA transaction may have been started
  Prepared = 2,  // the server prepared it: it takes effect once committed
};

// A file from its start to the end of a statement: the number of bytes, their SHA-256 in hex, and the
// line where the next statement starts.
struct TFilePrefix {
  std::uint64_t Bytes = 0;
  AnsiString Digest;
  int Line = 1;
  bool operator==(const TFilePrefix &) const = default;
};

struct TUpdateProgress {
  AnsiString Path;   // "C:\ORVALIX\REMESSA\" + the file's name
  int Done = 0;      // statement starts handled: executed, or dropped with the message
  int Failures = 0;  // failed ticks at the statement start after those
  TStatementPhase Phase = TStatementPhase::Idle;
  AnsiString Token;  // names this file's XA transactions: random, new for every begin
  // The file as far as its handled statements go, and, while the statement after them is in doubt,
  // as far as that one goes: it becomes the handled part when the statement took effect.
  TFilePrefix Handled;
  TFilePrefix Pending;
  // The session that sent the statement in doubt and the server's start (seconds since 1970), so that
  // a session lost with its link can be ended while it holds the statement.
  long long Session = 0;
  long long ServerStart = 0;
  // Set aside under its name plus this (".ERR"): the record serves a mended file sent again under its
  // name for as long as the set-aside file stands in REMESSA.
  AnsiString Aside;
  // The file the record also serves when it comes under the name: the set-aside file itself (mended
  // and renamed back), or the file found under the name when this one ended. None when all 0.
  TFileIdentity Returning;
  // A record of the earlier form: the file's size and modification time when it was begun (Age -1 in
  // the present form, which recognises a file by its digest).
  std::uintmax_t Size = 0;
  long long Age = -1;
  bool operator==(const TUpdateProgress &) const = default;
};

// One record a line, its fields separated by tabs, the path last. Lines of the form before the returning
// file (v2) read without one; lines of the two earliest forms (done, failures, size, age, [phase,
// token,] path) read as records of the earlier form.
AnsiString FormatUpdateProgress(const TUpdateProgress &progress);
// False for a line that is no record.
bool ParseUpdateProgress(const AnsiString &line, TUpdateProgress &progress);

class TUpdateProgressFile {
 public:
  explicit TUpdateProgressFile(AnsiString statePath) : statePath_(std::move(statePath)) {}

  // The record of the file at path (identity: the file opened there) when it is the file the record was
  // begun on, as far as it took effect (samePrefix tells, from the record's bytes and digest; a record
  // of the earlier form goes by the file's size and time); else one begun afresh (nothing done, a new
  // token). A record with a returning file serves only that file, or any file while its set-aside one
  // stands. The records of files gone, and not in doubt or set aside, are dropped.
  TUpdateProgress &Resume(const AnsiString &path, const TFileIdentity &identity,
                          const std::function<bool(const TUpdateProgress &)> &samePrefix);
  TUpdateProgress &Begin(const AnsiString &path);
  TUpdateProgress *Find(const AnsiString &path);
  // The records whose statement is not idle, of files in place or gone.
  std::vector<TUpdateProgress *> InDoubt();
  void Forget(const AnsiString &path);
  // Notes again the identity of each set-aside file that stands (an editor may save it by replacing
  // the file); whether a record changed.
  bool FollowAside();
  // Replaces the state file with the records; raises EInOutError. A durable save is on the disk when
  // it returns, so that not even a power failure takes it back.
  void Save(bool durable = false);

 private:
  void Load();
  AnsiString statePath_;
  bool loaded_ = false;
  std::map<AnsiString, TUpdateProgress> records_;  // by the path in upper case
};
