#include "platform/sys/FormatFloat.h"

#include "platform/sys/DateTime.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Pattern {
  int minIntegerDigits = 0;  // "0" places before the point
  int minDecimals = 0;       // "0" places after it
  int maxDecimals = 0;       // all places after it
  bool grouped = false;      // a "," before the point
};

Pattern ParsePattern(const AnsiString &format) {
  Pattern pattern;
  bool afterPoint = false;
  for (char c : format) {
    if (c == '.') {
      afterPoint = true;
    } else if (c == ',' && !afterPoint) {
      pattern.grouped = true;
    } else if (c == '0' || c == '#') {
      if (!afterPoint) {
        pattern.minIntegerDigits += c == '0';
      } else {
        ++pattern.maxDecimals;
        if (c == '0') pattern.minDecimals = pattern.maxDecimals;
      }
    }
  }
  return pattern;
}

// The digits of |value| to 15 significant places, and how many of them stand before the point.
std::pair<AnsiString, int> DecimalDigits(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  const AnsiString text = buffer;  // d.dddddddddddddde+XX
  const std::size_t e = text.find('e');
  return {text.substr(0, 1) + text.substr(2, e - 2), std::atoi(text.c_str() + e + 1) + 1};
}

// Rounds the digits half away from zero to `decimals` places after the point.
AnsiString RoundedFixed(AnsiString digits, int &point, int decimals) {
  if (point < 1) {
    digits.insert(0, static_cast<std::size_t>(1 - point), '0');
    point = 1;
  }
  const auto keep = static_cast<std::size_t>(point + decimals);
  if (digits.size() <= keep) digits.append(keep + 1 - digits.size(), '0');
  const bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (up) {
    auto i = digits.rbegin();
    for (; i != digits.rend() && *i == '9'; ++i) *i = '0';
    if (i == digits.rend()) {
      digits.insert(0, 1, '1');
      ++point;
    } else {
      ++*i;
    }
  }
  return digits;
}

AnsiString Grouped(const AnsiString &integer) {
  AnsiString out;
  for (std::size_t i = 0; i < integer.size(); ++i) {
    if (i > 0 && (integer.size() - i) % 3 == 0 && ThousandSeparator) out += ThousandSeparator;
    out += integer[i];
  }
  return out;
}

}  // namespace

AnsiString FormatFloat(const AnsiString &format, double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  const Pattern pattern = ParsePattern(format);
  auto [digits, point] = DecimalDigits(value);
  const AnsiString fixed = RoundedFixed(digits, point, pattern.maxDecimals);

  // Leading zeros go, down to the pattern's "0" places.
  AnsiString integer = fixed.substr(0, static_cast<std::size_t>(point));
  const auto minDigits = static_cast<std::size_t>(pattern.minIntegerDigits);
  if (integer.size() < minDigits) integer.insert(0, minDigits - integer.size(), '0');
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - minDigits));
  AnsiString decimals = fixed.substr(static_cast<std::size_t>(point));
  while (static_cast<int>(decimals.size()) > pattern.minDecimals && decimals.back() == '0') decimals.pop_back();

  const bool zero = fixed.find_first_not_of('0') == AnsiString::npos;
  AnsiString out = value < 0 && !zero ? "-" : "";
  out += pattern.grouped ? Grouped(integer) : integer;
  if (!decimals.empty()) out += DecimalSeparator + decimals;
  return out;
}
