#pragma once
// A QTextDocument written as rich text that RtfReader and word processors read back: paragraphs with
// their alignment; runs with font, size, bold, italic, underline and colour; tabs and line breaks.
// The file is 7-bit: cp1252 characters go as \'hh, all others as \uN with "?" as the fallback.

#include <QTextDocument>
#include <string>

std::string WriteRtf(const QTextDocument &document);
