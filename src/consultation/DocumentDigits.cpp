#include "consultation/DocumentDigits.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::size_t kCpfLength = 14;

// The number box's forms: '9' a digit, anything else a literal in its place.
constexpr std::string_view kCpfForm = "999.999.999-99";
constexpr std::string_view kCnpjForm = "99.999.999/9999-99";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Only texts the number box can produce are weighed; anything else, a blank left untyped included,
// is not a valid number.
bool FitsForm(const AnsiString &text) {
  const std::string_view form = text.size() == kCpfLength ? kCpfForm : kCnpjForm;
  if (text.size() != form.size()) return false;
  for (std::size_t i = 0; i < form.size(); ++i) {
    if (form[i] == '9' ? !IsDigit(text[i]) : text[i] != form[i]) return false;
  }
  return true;
}

// Modulus-11 digit of the digits in `reversed` (last digit first), weights 2..highest, again from 2.
int CheckDigit(const AnsiString &reversed, int highest) {
  int sum = 0;
  int weight = 2;
  for (char c : reversed) {
    sum += (c - '0') * weight;
    weight = weight == highest ? 2 : weight + 1;
  }
  const int remainder = sum % 11;
  return remainder < 2 ? 0 : 11 - remainder;
}

}  // namespace

AnsiString DocumentBaseDigits(const AnsiString &text) {
  const bool cpf = text.size() == kCpfLength;
  const std::size_t last = std::min<std::size_t>(cpf ? 11 : 15, text.size());
  AnsiString base;
  for (std::size_t i = last; i >= 1; --i) {
    const char c = text[i - 1];
    if (c == '.' || (!cpf && c == '/')) continue;
    base += c;
  }
  return base;
}

AnsiString DocumentCheckDigits(const AnsiString &text) {
  return text.size() < 2 ? text : text.substr(text.size() - 2);
}

bool ValidateDocument(const AnsiString &text) {
  if (!FitsForm(text)) return false;
  AnsiString base = DocumentBaseDigits(text);
  const AnsiString check = DocumentCheckDigits(text);
  const int highest = base.size() == 9 ? 11 : 9;
  if (CheckDigit(base, highest) != check[0] - '0') return false;
  base.insert(base.begin(), check[0]);
  return CheckDigit(base, highest) == check[1] - '0';
}
