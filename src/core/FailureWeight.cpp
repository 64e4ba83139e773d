#include "core/FailureWeight.h"

#include "core/ServerErrors.h"
#include "platform/ansi/AnsiString.h"
#include "platform/files/TextFile.h"
#include "platform/sys/Exceptions.h"

#include <algorithm>
#include <array>

namespace {

// The server's codes for a statement refused for its own text or values.
constexpr std::array kFileFaults = {
    1048,  // column cannot be null
    1052,  // column is ambiguous
    1054,  // unknown column
    1058,  // column count does not match value count
    1059,  // identifier too long
    1062,  // duplicate entry
    1064,  // syntax error
    1065,  // query was empty
    1066,  // table or alias not unique
    1093,  // the target table named again in FROM
    1102,  // wrong database name
    1103,  // wrong table name
    1109,  // unknown table
    1110,  // column specified twice
    1111,  // invalid use of a group function
    1136,  // column count does not match value count on a row
    1138,  // invalid use of NULL
    1149,  // syntax error
    1166,  // wrong column name
    1222,  // selects with different numbers of columns
    1241,  // operand should contain one column
    1242,  // subquery returns more than one row
    1248,  // derived table without alias
    1264,  // value out of range
    1265,  // data truncated
    1267,  // illegal mix of collations
    1270,  // illegal mix of collations
    1271,  // illegal mix of collations
    1292,  // truncated or incorrect value
    1300,  // invalid character string
    1305,  // function does not exist
    1318,  // wrong number of arguments
    1327,  // undeclared variable
    1364,  // field without default value
    1365,  // division by zero
    1366,  // incorrect value for a column
    1367,  // illegal value for a type
    1406,  // data too long
    1411,  // incorrect value for a function
    1451,  // a row still referenced
    1452,  // a reference to a row that does not exist
    1525,  // incorrect value
    1582,  // wrong number of arguments to a function
    1583,  // wrong arguments to a function
    1586,  // duplicate entry for a key
    1630,  // function does not exist
    1644,  // refused by a trigger
    1690,  // value out of range
    1969,  // the statement ran past the session's bound by itself
    3819,  // check constraint
    4025,  // check constraint
    4078,  // illegal types for an operation
};

// The five tables the program expects: one of them missing is the server's fault, not the file's.
bool OneOfTheFive(const AnsiString &message) {
  const std::size_t open = message.find("Table '");
  if (open == AnsiString::npos) return false;
  const std::size_t start = open + 7;
  const std::size_t close = message.find('\'', start);
  AnsiString table = message.substr(start, close == AnsiString::npos ? AnsiString::npos : close - start);
  if (const std::size_t dot = table.rfind('.'); dot != AnsiString::npos) table = table.substr(dot + 1);
  for (const char *known : {"clientes", "dados", "empresas", "grupos", "setores"})
    if (SameText(table, known)) return true;
  return false;
}

}  // namespace

bool FileOwnFault(const EDatabaseError &error) {
  if (error.LinkLost) return false;
  if (error.ErrorCode == kNoSuchTable) return !OneOfTheFive(error.Message);
  return std::find(kFileFaults.begin(), kFileFaults.end(), error.ErrorCode) != kFileFaults.end();
}

TFailureWeight WeighFailure(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const EDatabaseError &e) {
    return FileOwnFault(e) ? TFailureWeight::Counts : TFailureWeight::None;
  } catch (const EStringListError &) {
    return TFailureWeight::Counts;  // a command line with fewer parameters than its command reads
  } catch (const EInOutError &e) {
    if (e.ErrorCode == kNotAFile || e.ErrorCode == kLineTooLong) return TFailureWeight::AtOnce;
    if (e.ErrorCode == kReadDenied) return TFailureWeight::Counts;
  } catch (...) {
  }
  return TFailureWeight::None;
}

bool LinkFailure(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const EDatabaseError &e) {
    return e.LinkLost;
  } catch (...) {
    return false;
  }
}

bool ServerFailure(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const EDatabaseError &e) {
    return !e.LinkLost;
  } catch (...) {
    return false;
  }
}
