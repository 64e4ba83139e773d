#pragma once
// Values written into statements as SQL literals of MariaDB, so that what a user typed is stored as
// typed and never read as SQL: no text is pasted into a statement unquoted.

#include "platform/ansi/AnsiString.h"

#include <QVariant>

// The text as a hexadecimal string of the connection's character set (_utf8mb4 X'...'): the server
// reads it byte for byte whatever its sql_mode, with or without backslash escapes.
AnsiString QuotedSqlText(const AnsiString &text);
// NULL, a whole number as its digits, anything else as quoted text.
AnsiString SqlLiteral(const QVariant &value);
// `name` with backquotes doubled: a table or column name as one name, whatever characters it holds.
AnsiString QuotedSqlName(const AnsiString &name);
