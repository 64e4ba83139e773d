#pragma once
// Check digits of a CPF or CNPJ as the consultation's number box gives it:
// the formatted text with its literals, a blank at every position not typed.

#include "platform/ansi/AnsiString.h"

// The base digits, last digit first (14 characters: CPF, any other length: CNPJ).
AnsiString DocumentBaseDigits(const AnsiString &text);
// The last two characters of the text.
AnsiString DocumentCheckDigits(const AnsiString &text);
// True when the text holds no blank and both check digits fit the modulus-11 rule.
bool ValidateDocument(const AnsiString &text);
