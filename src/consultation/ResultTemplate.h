#pragma once
// The consultation's result: the template c:\Orvalix\layout.rtf loaded into the result window's
// rich edit, its placeholders replaced by the customer's record and the credit sums of the last
// 15 days.

#include "platform/ansi/AnsiString.h"
#include "platform/sys/StringList.h"

class TRichEdit;

extern const char *const ResultTemplateFile;

// summary: the items of the credit summary line (item N at N - 1); record: the items of the
// customer's record line, empty when the customer has none; digits: the document consulted.
// Raises the rich edit's file errors when the template cannot be loaded.
void FillResultTemplate(TRichEdit &rick, const TStringList &summary, const TStringList &record,
                        const AnsiString &digits);
