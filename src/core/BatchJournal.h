#pragma once
// What the batch tells about its failures: one line on standard error (the journal, when a service
// manager starts the program) for each failed tick and for each command file set aside. No window.
// And how a failure weighs: against the file in hand, not at all, or at once.

#include "platform/ansi/AnsiString.h"

#include <exception>

enum class TFailureWeight {
  None,    // the link to the server failed, or the file is still being written: the file is not at fault
  Counts,  // the server refused, or the file is wrong: towards the bound of failures in a row
  AtOnce,  // the entry is no file to read (a folder, a pipe, a device, a dangling link) or its line has no end
};

TFailureWeight WeighFailure(std::exception_ptr failure);
// The message of the failure, with a word on what it means where the message alone does not say it.
AnsiString FailureReason(std::exception_ptr failure);
// The first characters of a statement on one line, between quotes.
AnsiString StatementHead(const AnsiString &statement);
// Writes the time, the file's name (in its own bytes; "-" when none) and the text as one line.
void Journal(const AnsiString &fileName, const AnsiString &text);
