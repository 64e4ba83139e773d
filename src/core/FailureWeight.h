#pragma once
// How a failed tick weighs on the file in hand. Only the file's own faults count towards setting it
// aside: the server refusing a statement for its text or its values, a command line the program
// cannot use, or a file this program may not read. Everything else (the link, the local file system, RETORNO, locks, rights, a read-only or
// full server, a missing table of the five, a code not on the list) is retried without end.

#include <exception>

class EDatabaseError;

enum class TFailureWeight {
  None,    // not the file's fault: retried, never counted
  Counts,  // the file's own fault: towards the bound of failures in a row
  AtOnce,  // the entry is no file to read (a folder, a pipe, a device, a dangling link) or its line has no end
};

TFailureWeight WeighFailure(std::exception_ptr failure);
// The server refused the statement for its text or its values.
bool FileOwnFault(const EDatabaseError &error);
// The link to the server failed: the connection is dropped and the next tick connects again.
bool LinkFailure(std::exception_ptr failure);
// The server refused a statement, whatever the cause; the link stands.
bool ServerFailure(std::exception_ptr failure);
