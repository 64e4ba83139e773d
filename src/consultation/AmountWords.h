#pragma once
// Money in the consultation's result text: amounts in Portuguese words, the Brazilian
// money format and fixed-width fields. Amount texts are "[-]digits.dd" as the credit sums give them.

#include "platform/ansi/AnsiString.h"

#include <cstddef>

// Running state of NumberToWords while it walks the groups of three digits.
struct NumberWords {
  AnsiString words;           // words built so far
  std::size_t remaining = 0;  // digits from the current group's first digit to the end
  int groupValue = 0;         // the current group's three digits read as a number
  std::size_t groupLength = 0;  // digits of the current group in the text (1 to 3)
};

// A whole number given as digits, in words, first letter in capitals ("123": "Cento e vinte e três").
// Empty for an empty text, for zero and for a text holding anything but digits.
AnsiString NumberToWords(const AnsiString &digits);
// Appends the scale word of the current group (" mil", " milhao", ...) and lowers the remaining count.
void AppendScaleWord(NumberWords &state);
// The amount in reais and centavos between parentheses, or the empty text for zero.
AnsiString AmountToWords(const AnsiString &amount);
// The amount with thousands points and a decimal comma ("1234.56": "1.234,56").
AnsiString FormatAmount(const AnsiString &amount);
// A left-justified field: the first n characters, trimmed, then fill appended up to n (n is 0 to 255).
AnsiString PadField(const AnsiString &text, int n, const AnsiString &fill);
