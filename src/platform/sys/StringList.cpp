#include "platform/sys/StringList.h"

#include "platform/sys/Exceptions.h"

#include <QCollator>
#include <algorithm>
#include <numeric>

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
  if (items_.size() < 2) return;
  // The collator's sort keys order as AnsiCompareText compares, at a fraction of the cost: each item
  // is converted and folded once, not at every comparison.
  QCollator collator;
  std::vector<QCollatorSortKey> keys;
  keys.reserve(items_.size());
  for (const AnsiString &item : items_) keys.push_back(collator.sortKey(ToQString(item).toCaseFolded()));
  std::vector<std::size_t> order(items_.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&keys](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });
  std::vector<AnsiString> sorted;
  sorted.reserve(items_.size());
  for (std::size_t index : order) sorted.push_back(std::move(items_[index]));
  items_ = std::move(sorted);
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
