#pragma once
// Money in the consultation's result text: amounts in Portuguese words, the Brazilian money format
// and fixed-width fields. Amount texts are "[-]digits.dd" as the credit sums give them.

#include "platform/ansi/AnsiString.h"

// The amount in reais and centavos between parentheses, or the empty text for zero.
AnsiString AmountToWords(const AnsiString &amount);
// The amount with thousands points and a decimal comma ("1234.56": "1.234,56").
AnsiString FormatAmount(const AnsiString &amount);
// A left-justified field: the first n characters, trimmed, then fill appended up to n (n is 0 to 255).
AnsiString PadField(const AnsiString &text, int n, const AnsiString &fill);
