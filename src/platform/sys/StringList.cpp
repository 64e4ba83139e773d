#include "platform/sys/StringList.h"

#include "platform/sys/Exceptions.h"

#include <algorithm>

int AnsiCompareText(const AnsiString &a, const AnsiString &b) {
  return QString::localeAwareCompare(ToQString(a).toCaseFolded(), ToQString(b).toCaseFolded());
}

int TStringList::Add(const AnsiString &item) {
  items_.push_back(item);
  return Count() - 1;
}

void TStringList::Clear() { items_.clear(); }

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
  }
}

const AnsiString &TStringList::operator[](int index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)];
}

AnsiString &TStringList::operator[](int index) {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)];
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
}

int TStringList::IndexOf(const AnsiString &item) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiCompareText(items_[static_cast<std::size_t>(i)], item) == 0) return i;
  return -1;
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [](const AnsiString &a, const AnsiString &b) { return AnsiCompareText(a, b) < 0; });
}

AnsiString TStringList::Text() const {
  AnsiString out;
  for (const AnsiString &item : items_) out += item + "\r\n";
  return out;
}

void TStringList::SetText(const AnsiString &text) {
  items_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == AnsiString::npos) {
      items_.push_back(text.substr(start));
      break;
    }
    items_.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}
