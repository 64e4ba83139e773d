#pragma once
// Rich text files as word processors write them, read into a QTextDocument.
// Read: groups, paragraphs (\par, \pard, \ql \qc \qr \qj), \line, \tab, bold, italic, underline,
// font size, colour and font tables, \plain, \'hh (cp1252), \uN with its \ucN fallback and the escaped
// symbols; every other destination (\*\..., stylesheet, info, pictures, ...) is skipped.
// A malformed file raises EReadError and leaves the document as it was.

#include <QTextDocument>
#include <string_view>

void ReadRtf(std::string_view rtf, QTextDocument &document);
