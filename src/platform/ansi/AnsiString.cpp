#include "platform/ansi/AnsiString.h"

#include "platform/sys/Exceptions.h"

#include <array>
#include <charconv>

namespace {

// Unicode of the bytes 0x80..0x9F in cp1252; 0 where the code page leaves the byte unassigned.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t UnicodeOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    char16_t mapped = kHighControls[byte - 0x80];
    return mapped ? mapped : char16_t(byte);  // unassigned bytes pass through as C1 controls
  }
  return char16_t(byte);
}

char ByteOf(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == code || (kHighControls[i] == 0 && code == 0x80 + i)) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

QString ToQString(std::string_view ansi) {
  QString out;
  out.reserve(static_cast<qsizetype>(ansi.size()));
  for (char c : ansi) out.append(QChar(UnicodeOf(static_cast<unsigned char>(c))));
  return out;
}

AnsiString FromQString(const QString &text) {
  AnsiString out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (uint code : text.toUcs4()) out.push_back(ByteOf(code));
  return out;
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

AnsiString FromUtf8(std::string_view utf8) {
  if (IsAscii(utf8)) return AnsiString(utf8);
  return FromQString(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string ToUtf8(std::string_view ansi) {
  if (IsAscii(ansi)) return std::string(ansi);
  return ToQString(ansi).toStdString();
}

AnsiString TrimLeft(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  return AnsiString(text.substr(start));
}

AnsiString TrimRight(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return AnsiString(text.substr(0, end));
}

AnsiString Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

AnsiString Copy(std::string_view text, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || static_cast<std::size_t>(index) > text.size()) return {};
  return AnsiString(text.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count)));
}

int Pos(std::string_view sub, std::string_view text) {
  if (sub.empty()) return 0;
  std::size_t at = text.find(sub);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

AnsiString UpperCase(std::string_view text) {
  AnsiString out(text);
  for (char &c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

AnsiString LowerCase(std::string_view text) {
  AnsiString out(text);
  for (char &c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

AnsiString AnsiUpperCase(std::string_view text) { return FromQString(ToQString(text).toUpper()); }

bool SameText(std::string_view a, std::string_view b) { return UpperCase(a) == UpperCase(b); }

AnsiString IntToStr(long long value) { return std::to_string(value); }

int StrToInt(std::string_view text) {
  AnsiString trimmed = Trim(text);
  std::string_view digits = trimmed;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  int value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    throw EConvertError("'" + AnsiString(text) + "' is not a valid integer value");
  }
  return value;
}
