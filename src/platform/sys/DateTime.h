#pragma once
// Dates and times as the class library keeps them: days since 30 December 1899, time as the fraction.
// All of the system's time comes from one clock that tests can set. Beside them, the user's regional
// settings that dates and numbers are shown in.

#include "platform/ansi/AnsiString.h"

#include <QDateTime>
#include <optional>

using TDateTime = double;

TDateTime Now();
TDateTime Date();  // today at midnight

// Tests fix the clock; std::nullopt returns it to the system's time.
void SetClockForTesting(std::optional<QDateTime> fixed);

TDateTime ToDateTime(const QDateTime &when);
QDateTime ToQDateTime(TDateTime when);
TDateTime EncodeDate(int year, int month, int day);

// The user's short date format; dd/mm/yyyy unless a test sets another.
extern AnsiString ShortDateFormat;
// The user's number separators, read from the locale at start (LC_NUMERIC): "." and "," in Brazil,
// "," and "." in the C locale. Tests set them.
extern char ThousandSeparator;
extern char DecimalSeparator;

// Format letters: d dd m mm yy yyyy h hh n nn s ss; everything else is copied as it stands.
AnsiString FormatDateTime(const AnsiString &format, TDateTime when);
AnsiString DateToStr(TDateTime when);  // in ShortDateFormat
AnsiString TimeToStr(TDateTime when);  // hh:nn:ss
