#pragma once
// The class library's number-format patterns, for the patterns the system uses: digit places "0"
// (always shown) and "#" (shown when needed), a "," anywhere before the decimal point for thousands
// grouping, and one "." followed by the decimal places. "#,###,##0.00" gives 1234.5 as 1,234.50 in
// the C locale and as 1.234,50 with Brazilian settings (ThousandSeparator and DecimalSeparator).

#include "platform/ansi/AnsiString.h"

// The value is rounded half away from zero at the last decimal place, taken as written to 15
// significant digits (1.005 gives 1.01). A value that rounds to zero has no sign.
AnsiString FormatFloat(const AnsiString &format, double value);
