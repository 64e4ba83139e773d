#include "consultation/AmountWords.h"

#include <algorithm>

namespace {

constexpr std::size_t kWordsFieldCapacity = 51;
constexpr int kMaxFieldWidth = 255;

bool AllDigits(const AnsiString &text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct WordTables {
  AnsiString hundreds[10];
  AnsiString tens[10];
  AnsiString teens[10];
  AnsiString units[10];
};

const WordTables &Words() {
  static const WordTables tables{
      {"", "Cento", "Duzentos", "Trezentos", "Quatrocentos", "Quinhentos", "Seissentos", "Setecentos",
       "Oitocentos", "Novecentos"},
      {"", "", " Vinte", " Trinta", " Quarenta", " Cinquenta", " Sessenta", " Setenta", " Oitenta",
       " Noventa"},
      {" Dez", " Onze", " Doze", " Treze", " Quatorze", " Quinze", " Dezesseis", " Dezessete", " Dezoito",
       " Dezenove"},
      {"", " Um", " Dois", " Três"_a, " Quatro", " Cinco", " Seis", " Sete", " Oito", " Nove"},
  };
  return tables;
}

// Hundreds, tens and units pieces of one group, joined as they are (blanks never merged).
void AppendGroupWords(AnsiString &words, int h, int t, int u) {
  const WordTables &w = Words();
  if (h == 0)
    words += ' ';
  else if (t == 0 && u == 0)
    words += " e " + (h == 1 ? AnsiString("Cem") : w.hundreds[h]);
  else
    words += ' ' + w.hundreds[h] + " e";
  if (t == 1) {
    words += w.teens[u];
    return;
  }
  if (t >= 2) {
    words += w.tens[t];
    if (u != 0) words += " e";
  }
  words += w.units[u];
}

// The amount's parts: the text before the first point, and the text after it (none without a point).
struct AmountParts {
  AnsiString integer;
  AnsiString decimals;
  bool hasPoint;
};

AmountParts SplitAmount(const AnsiString &amount) {
  const std::size_t point = amount.find('.');
  if (point == AnsiString::npos) return {amount, {}, false};
  return {amount.substr(0, point), amount.substr(point + 1), true};
}

}  // namespace

void AppendScaleWord(NumberWords &state) {
  const std::size_t count = state.remaining;
  const bool one = state.groupValue == 1;
  // A group of three zeros says nothing, its scale word neither ("1000000": Um milhao).
  if (state.groupValue != 0) {
    if (count >= 4 && count <= 6)
      state.words += " mil";
    else if (count >= 7 && count <= 9)
      state.words += one ? " milhao" : " milhoes";
    else if (count >= 10 && count <= 12)
      state.words += one ? " bilhao" : " bilhoes";
    else if (count >= 13 && count <= 15)
      state.words += one ? " trilhao" : " trilhoes";
    else if (count >= 16 && count <= 30)
      state.words += " -";
  }
  state.remaining -= std::min(state.groupLength, state.remaining);
}

AnsiString NumberToWords(const AnsiString &digits) {
  if (digits.empty() || !AllDigits(digits)) return {};
  NumberWords state;
  state.remaining = digits.size();
  std::size_t at = 0;
  while (at < digits.size()) {
    const std::size_t length = at == 0 && digits.size() % 3 != 0 ? digits.size() % 3 : 3;
    const AnsiString group = AnsiString(3 - length, '0') + digits.substr(at, length);
    const int h = group[0] - '0', t = group[1] - '0', u = group[2] - '0';
    AppendGroupWords(state.words, h, t, u);
    state.groupValue = h * 100 + t * 10 + u;
    state.groupLength = length;
    AppendScaleWord(state);
    at += length;
  }
  AnsiString words = Trim(state.words);
  // A round hundred that opens the number keeps no "e" before it ("200": Duzentos).
  while (words.size() >= 2 && words[0] == 'e' && words[1] == ' ') words.erase(0, 2);
  if (words.empty()) return words;
  return UpperCase(words.substr(0, 1)) + LowerCase(words.substr(1));
}

AnsiString AmountToWords(const AnsiString &amount) {
  const AmountParts parts = SplitAmount(amount);
  AnsiString integer = Trim(parts.integer.substr(0, kWordsFieldCapacity));
  // Cents: the two characters after the point, a missing one read as "0"; no point is a whole amount.
  AnsiString cents = TrimRight(parts.decimals.substr(0, 2));
  cents.resize(2, '0');
  // Anything but digits (a sign, letters, an empty integer part) has no words.
  if (integer.empty() || !AllDigits(integer) || !AllDigits(cents)) return {};
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));

  AnsiString words;
  if (integer == "0") {
    if (cents == "00") return {};
    words = NumberToWords(cents) + (cents == "01" ? " centavo" : " centavos");
  } else {
    words = NumberToWords(integer) + (integer == "1" ? " real" : " reais");
    if (cents == "01")
      words += " e " + LowerCase(NumberToWords(cents)) + " centavo";
    else if (cents != "00")
      words += " e " + LowerCase(NumberToWords(cents)) + " centavos";
  }
  return "(" + words + ")";
}

AnsiString FormatAmount(const AnsiString &amount) {
  AnsiString text = Trim(amount);
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.erase(0, 1);
  const auto [integer, decimals, hasPoint] = SplitAmount(text);
  // The whole integer part is grouped, however long; without a point the amount is whole.
  AnsiString grouped;  // built from the right, turned round at the end
  for (std::size_t counted = 0; counted < integer.size(); ++counted) {
    if (counted > 0 && counted % 3 == 0) grouped += '.';
    grouped += integer[integer.size() - 1 - counted];
  }
  std::reverse(grouped.begin(), grouped.end());
  return (negative ? "-" : "") + grouped + "," + (hasPoint ? decimals.substr(0, 3) : AnsiString("00"));
}

AnsiString PadField(const AnsiString &text, int n, const AnsiString &fill) {
  n = std::clamp(n, 0, kMaxFieldWidth);
  AnsiString field = Trim(text.substr(0, static_cast<std::size_t>(n)));
  if (fill.empty()) return field;
  while (field.size() < static_cast<std::size_t>(n)) field += fill;
  return field;
}
