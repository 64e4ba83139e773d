#pragma once
// The class library's exceptions. Every failure of the platform layer raises one of these.

#include "platform/ansi/AnsiString.h"

#include <exception>

class Exception : public std::exception {
 public:
  explicit Exception(AnsiString message) : Message(std::move(message)) {}
  const char *what() const noexcept override { return Message.c_str(); }
  AnsiString Message;
};

// The message of any error: an Exception's own, else the standard library's text.
inline AnsiString ExceptionMessage(const std::exception &error) {
  if (auto *known = dynamic_cast<const Exception *>(&error)) return known->Message;
  return FromUtf8(error.what());
}

#define ORVALIX_EXCEPTION(Name, Base)              \
  class Name : public Base {                       \
   public:                                         \
    using Base::Base;                              \
  };

ORVALIX_EXCEPTION(EAbort, Exception)
ORVALIX_EXCEPTION(EConvertError, Exception)
ORVALIX_EXCEPTION(EInvalidCast, Exception)
ORVALIX_EXCEPTION(EStringListError, Exception)
ORVALIX_EXCEPTION(EStreamError, Exception)
ORVALIX_EXCEPTION(EReadError, EStreamError)
ORVALIX_EXCEPTION(EFCreateError, EStreamError)
ORVALIX_EXCEPTION(EFOpenError, EStreamError)
ORVALIX_EXCEPTION(ERegistryException, Exception)

#undef ORVALIX_EXCEPTION

// Errors of the database layer carry the server's (or its client library's) error number, 0 when none
// came, and whether the link to the server failed, as against the server refusing the statement.
class EDatabaseError : public Exception {
 public:
  explicit EDatabaseError(AnsiString message, int errorCode = 0, bool linkLost = false)
      : Exception(std::move(message)), ErrorCode(errorCode), LinkLost(linkLost) {}
  int ErrorCode;
  bool LinkLost;
};

// Ends the present operation silently: the default handler shows nothing for it.
[[noreturn]] inline void Abort() { throw EAbort("Operation aborted"); }

// Input/output errors carry the system's error code, as the class library's do.
class EInOutError : public Exception {
 public:
  EInOutError(AnsiString message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode;
};
