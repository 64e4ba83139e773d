#pragma once
// Texts of the system: bytes in the Windows ANSI code page (cp1252), one character one byte.
// Positions in the design count from 1; the helpers below take them that way.

#include <QList>
#include <QString>
#include <string>
#include <string_view>

using AnsiString = std::string;

// cp1252 <-> Unicode, at the boundary with Qt (widgets, clipboard, database, host file names).
QString ToQString(std::string_view ansi);
AnsiString FromQString(const QString &text);  // characters cp1252 lacks become '?'
AnsiString FromUtf8(std::string_view utf8);
std::string ToUtf8(std::string_view ansi);
// Only codes below 128: the text reads the same in UTF-8 and in cp1252.
bool IsAscii(std::string_view text);

// Portuguese literals are written in UTF-8 source and converted once: "Atenção"_a.
inline AnsiString operator""_a(const char *utf8, std::size_t size) { return FromUtf8({utf8, size}); }

// Trimming removes every character of code 32 or less at the ends, never inside.
AnsiString Trim(std::string_view text);
AnsiString TrimLeft(std::string_view text);
AnsiString TrimRight(std::string_view text);

// Copy(text, index, count): count characters from the 1-based index, clipped to the text.
AnsiString Copy(std::string_view text, int index, int count);
// Pos(sub, text): 1-based position of the first occurrence, 0 when absent.
int Pos(std::string_view sub, std::string_view text);
inline int Length(std::string_view text) { return static_cast<int>(text.size()); }

AnsiString UpperCase(std::string_view text);  // ASCII letters only
AnsiString LowerCase(std::string_view text);  // ASCII letters only
AnsiString AnsiUpperCase(std::string_view text);  // cp1252 letters too
bool SameText(std::string_view a, std::string_view b);  // ASCII case-insensitive

AnsiString IntToStr(long long value);
// Raises EConvertError when the text is not a whole number.
int StrToInt(std::string_view text);
