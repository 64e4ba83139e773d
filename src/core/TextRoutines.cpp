#include "core/TextRoutines.h"

#include "platform/files/FileSystem.h"

#include <string_view>

AnsiString ZeroPad(const AnsiString &text, int width) {
  AnsiString padded = Trim(text);
  if (width > Length(padded)) padded.insert(0, static_cast<std::size_t>(width - Length(padded)), '0');
  return padded;
}

AnsiString SqlDateLiteral(TDateTime date) {
  const AnsiString text = DateToStr(date);
  return "'" + Copy(text, 7, 4) + Copy(text, 3, 4) + Copy(text, 1, 2) + "'";
}

AnsiString BlankQuotes(const AnsiString &text) {
  AnsiString cleaned = text;
  for (char &c : cleaned)
    if (c == '\'' || c == '`') c = ' ';
  return cleaned;
}

AnsiString DigitsOnly(const AnsiString &text) {
  AnsiString digits;
  for (char c : Trim(text))
    if (c >= '0' && c <= '9') digits += c;
  return digits;
}

namespace {

// Both parse routines cut alike; they differ only in what a quoted item keeps of its apostrophes. The
// rest of the list is a view that moves on, so that a long line is cut in one pass.
void SplitValueList(const AnsiString &text, TStringList &list, bool keepQuotes) {
  list.Clear();
  const int open = Pos("(", text);
  const AnsiString inner = Trim(Copy(text, open + 1, Length(text) - open - 1));
  // The rest is a suffix of a trimmed text: it holds a non-blank for as long as it is not empty.
  std::string_view rest = inner;
  while (!rest.empty()) {
    std::string_view item;
    if (rest[0] == '\'') {
      const std::size_t q = rest.find("',");
      if (q != std::string_view::npos) {
        item = keepQuotes ? rest.substr(0, q + 1) : rest.substr(1, q > 0 ? q - 1 : 0);
        rest.remove_prefix(q + 2);
      } else {
        item = keepQuotes ? rest : rest.substr(1, rest.size() >= 2 ? rest.size() - 2 : 0);
        rest = {};
      }
    } else {
      const std::size_t q = rest.find(',');
      if (q != std::string_view::npos) {
        item = rest.substr(0, q);
        rest.remove_prefix(q + 1);
      } else {
        item = rest;
        rest = {};
      }
    }
    list.Add(AnsiString(item));
  }
}

}  // namespace

void ParseValueList(const AnsiString &text, TStringList &list) { SplitValueList(text, list, true); }

void ParseValueListUnquoted(const AnsiString &text, TStringList &list) { SplitValueList(text, list, false); }

void ListFiles(const AnsiString &mask, TStringList &list) {
  for (const TSearchRec &entry : FindEntries(mask, faAnyFile)) {
    if (!entry.Name.empty() && entry.Name[0] == '.') continue;
    list.Add(entry.Name);
  }
  list.Sort();
}

AnsiString WindowsDir() {
  char buffer[144] = {};
  GetWindowsDirectoryA(buffer, sizeof buffer);
  return AnsiString(buffer);
}
