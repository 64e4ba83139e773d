#pragma once
// The class library's string list: items in the order added until sorted.

#include "platform/ansi/AnsiString.h"

#include <vector>

class TStringList {
 public:
  int Add(const AnsiString &item);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  // Item access raises EStringListError for an index outside 0..Count-1.
  const AnsiString &operator[](int index) const;
  AnsiString &operator[](int index);
  const AnsiString &Strings(int index) const { return (*this)[index]; }
  void Delete(int index);
  int IndexOf(const AnsiString &item) const;  // case-insensitive, -1 when absent
  // Ascending, case-insensitive and following the user's locale.
  void Sort();
  // All items, each followed by CR LF; assigning splits at CR LF, LF or CR.
  AnsiString Text() const;
  void SetText(const AnsiString &text);

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  void CheckIndex(int index) const;
  std::vector<AnsiString> items_;
};

// The list's default comparison: negative, zero or positive.
int AnsiCompareText(const AnsiString &a, const AnsiString &b);
