#pragma once
// What the batch tells about its failures: lines on standard error (the journal, when a service
// manager starts the program). No window.

#include "platform/ansi/AnsiString.h"
#include "platform/sys/DateTime.h"

#include <exception>
#include <map>

// The message of the failure, with a word on what it means where the message alone does not say it.
AnsiString FailureReason(std::exception_ptr failure);
// The first characters of a statement on one line, between quotes.
AnsiString StatementHead(const AnsiString &statement);
// Writes the time, the file's name (in its own bytes; "-" when none) and the text as one line.
void Journal(const AnsiString &fileName, const AnsiString &text);

// The failed ticks, told without flooding the journal while a fault lasts: the first failure of a kind
// (the same file and text) at once, then at most one line a minute with how many ticks failed since,
// and one line when its queue (CONS, TRANS, INSERE_DADO; the link's own failures have none) moves again.
class TTickJournal {
 public:
  void Failed(const AnsiString &fileName, const AnsiString &text);
  // A tick that worked on a file of the queue without failing; of no queue: a tick that found no file
  // to work on.
  void Moved(const AnsiString &queue = {});

 private:
  struct TKind {
    TDateTime Told = 0;
    int Untold = 0;  // failed ticks since the line was written
  };
  struct TQueue {
    std::map<std::pair<AnsiString, AnsiString>, TKind> Failing;
    int Failed = 0;  // failed ticks since the queue last moved
  };
  std::map<AnsiString, TQueue> queues_;
};
