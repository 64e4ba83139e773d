#pragma once
// The statements of a data-update file (INSERE_DADO*.TXT): a statement begins with a line whose first 17
// characters, upper-cased, are "INSERT INTO DADOS", "DELETE FROM DADOS" or "UPDATE DADOS SET ", and runs
// to the first line that ends in ";", or to the end of the file. Lines are trimmed as they are read.

#include "platform/ansi/AnsiString.h"
#include "platform/files/TextFile.h"

#include <vector>

// Reads the next statement start: the trimmed lines of a statement (true), or the one line that begins
// none (false, the line alone in lines). The file must not be at its end.
bool ReadStatement(TextFile &file, std::vector<AnsiString> &lines);
// Whether what ReadStatement read ends whole: a statement up to its ";", or a line of none.
bool StatementEnded(bool statement, const std::vector<AnsiString> &lines);
// The number of lines of the file whose last character, untrimmed, is ";"; reads the file to its end.
int CountStatementEnds(TextFile &file);
