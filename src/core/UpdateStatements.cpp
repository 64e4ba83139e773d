#include "core/UpdateStatements.h"

namespace {

bool EndsWithSemicolon(const AnsiString &line) { return !line.empty() && line.back() == ';'; }

// Whether a trimmed line begins a statement.
bool OpensStatement(const AnsiString &line) {
  const AnsiString head = UpperCase(Copy(line, 1, 17));
  return head == "INSERT INTO DADOS" || head == "DELETE FROM DADOS" || head == "UPDATE DADOS SET ";
}

}  // namespace

bool ReadStatement(TextFile &file, std::vector<AnsiString> &lines) {
  lines.clear();
  AnsiString line;
  Readln(file, line);
  lines.push_back(Trim(line));
  if (!OpensStatement(lines.back())) return false;
  while (!EndsWithSemicolon(lines.back()) && !Eof(file)) {
    Readln(file, line);
    lines.push_back(Trim(line));
  }
  return true;
}

bool StatementEnded(bool statement, const std::vector<AnsiString> &lines) {
  return !statement || EndsWithSemicolon(lines.back());
}

int CountStatementEnds(TextFile &file) {
  int count = 0;
  AnsiString line;
  while (!Eof(file)) {
    Readln(file, line);
    if (EndsWithSemicolon(line)) ++count;
  }
  return count;
}
