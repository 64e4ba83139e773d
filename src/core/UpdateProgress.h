#pragma once
// How far the data-update files begun in REMESSA have come, kept in memory and in a state file of the
// Windows directory, so that an interrupted file resumes after its last executed statement, also after
// a restart of the program, and no statement of it runs twice.

#include "platform/ansi/AnsiString.h"

#include <cstdint>
#include <map>
#include <vector>

// How far the statement after the handled ones has come on the server.
enum class TStatementPhase {
  Idle = 0,      // nothing of it was sent
  Sent = 1,      // its XA transaction may have been started
  Prepared = 2,  // the server prepared it: it takes effect once committed
};

struct TUpdateProgress {
  AnsiString Path;            // "C:\ORVALIX\REMESSA\" + the file's name
  std::uintmax_t Size = 0;    // the file's size and modification time when it was begun
  long long Age = -1;
  int Done = 0;               // statement starts handled: executed, or dropped with the message
  int Failures = 0;           // failed ticks at the statement start after those
  TStatementPhase Phase = TStatementPhase::Idle;
  AnsiString Token;           // names this file's XA transactions: random, new for every begin
  bool operator==(const TUpdateProgress &) const = default;
};

// One record a line: done, failures, size, age, phase, token and path, separated by tabs. A line of the
// earlier form (done, failures, size, age and path) reads with no phase and no token.
AnsiString FormatUpdateProgress(const TUpdateProgress &progress);
// False for a line that is no record.
bool ParseUpdateProgress(const AnsiString &line, TUpdateProgress &progress);

class TUpdateProgressFile {
 public:
  explicit TUpdateProgressFile(AnsiString statePath) : statePath_(std::move(statePath)) {}

  // The record of the file at path, read from the state file at the first use; begun afresh (nothing
  // done, a new token) when the file is unknown or its size or time changed since it was begun. The
  // records of files gone, and not in doubt, are dropped.
  TUpdateProgress &Resume(const AnsiString &path);
  TUpdateProgress *Find(const AnsiString &path);
  // The records whose statement is not idle, of files in place or gone.
  std::vector<TUpdateProgress *> InDoubt();
  void Forget(const AnsiString &path);
  // Replaces the state file with the records; raises EInOutError. A durable save is on the disk when
  // it returns, so that not even a power failure takes it back.
  void Save(bool durable = false);

 private:
  void Load();
  AnsiString statePath_;
  bool loaded_ = false;
  std::map<AnsiString, TUpdateProgress> records_;  // by the path in upper case
};
