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

// Both parse routines cut alike; they differ only in what a quoted item keeps of its apostrophes.
void SplitValueList(const AnsiString &text, TStringList &list, bool keepQuotes) {
  list.Clear();
  const int open = Pos("(", text);
  AnsiString rest = Trim(Copy(text, open + 1, Length(text) - open - 1));
  while (!Trim(rest).empty()) {
    AnsiString item;
    if (rest[0] == '\'') {
      const int q = Pos("',", rest);
      if (q > 0) {
        item = keepQuotes ? Copy(rest, 1, q) : Copy(rest, 2, q - 2);
        rest = Copy(rest, q + 2, Length(rest));
      } else {
        item = keepQuotes ? rest : Copy(rest, 2, Length(rest) - 2);
        rest.clear();
      }
    } else {
      const int q = Pos(",", rest);
      if (q > 0) {
        item = Copy(rest, 1, q - 1);
        rest = Copy(rest, q + 1, Length(rest));
      } else {
        item = rest;
        rest.clear();
      }
    }
    list.Add(item);
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
