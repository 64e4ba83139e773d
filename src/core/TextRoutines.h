#pragma once
// Text, list and file routines shared by the batch, the consultation and the administration.
// Their cutting rules are part of the command and answer formats: keep them exact.

#include "platform/ansi/AnsiString.h"
#include "platform/sys/DateTime.h"
#include "platform/sys/StringList.h"

AnsiString ZeroPad(const AnsiString &text, int width);
AnsiString SqlDateLiteral(TDateTime date);
AnsiString BlankQuotes(const AnsiString &text);
AnsiString DigitsOnly(const AnsiString &text);
void ParseValueList(const AnsiString &text, TStringList &list);
void ParseValueListUnquoted(const AnsiString &text, TStringList &list);
void ListFiles(const AnsiString &mask, TStringList &list);
AnsiString WindowsDir();
