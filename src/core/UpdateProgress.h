#pragma once
// How far the data-update files begun in REMESSA have come, kept in memory and in a state file of the
// Windows directory, so that an interrupted file resumes after its last executed statement, also after
// a restart of the program, and no statement of it runs twice.

#include "platform/ansi/AnsiString.h"

#include <cstdint>
#include <map>

struct TUpdateProgress {
  AnsiString Path;            // "C:\ORVALIX\REMESSA\" + the file's name
  std::uintmax_t Size = 0;    // the file's size and modification time when it was begun
  long long Age = -1;
  int Done = 0;               // statement starts handled: executed, or dropped with the message
  int Failures = 0;           // failed ticks at the statement start after those
  bool operator==(const TUpdateProgress &) const = default;
};

// One record a line: done, failures, size, age and path, separated by tabs.
AnsiString FormatUpdateProgress(const TUpdateProgress &progress);
// False for a line that is no record.
bool ParseUpdateProgress(const AnsiString &line, TUpdateProgress &progress);

class TUpdateProgressFile {
 public:
  explicit TUpdateProgressFile(AnsiString statePath) : statePath_(std::move(statePath)) {}

  // The record of the file at path, read from the state file at the first use; begun afresh (nothing
  // done) when the file is unknown or its size or time changed since it was begun.
  TUpdateProgress &Resume(const AnsiString &path);
  TUpdateProgress *Find(const AnsiString &path);
  void Forget(const AnsiString &path);
  // Replaces the state file with the records of the files still in place; raises EInOutError.
  void Save();

 private:
  void Load();
  AnsiString statePath_;
  bool loaded_ = false;
  std::map<AnsiString, TUpdateProgress> records_;  // by the path in upper case
};
