// Amount and document routines over arbitrary bytes: no crash, no read out of bounds,
// and the results keep their form.
#include "consultation/AmountWords.h"
#include "consultation/DocumentDigits.h"

#include <cstddef>
#include <cstdint>

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const AnsiString text(reinterpret_cast<const char *>(data), size);

  const AnsiString words = AmountToWords(text);
  Require(words.empty() || (words.front() == '(' && words.back() == ')' && words.size() > 2));

  const AnsiString formatted = FormatAmount(text);
  Require(formatted.find(',') != AnsiString::npos);

  if (ValidateDocument(text)) {
    Require(text.size() == 14 || text.size() == 18);
    Require(text.find(' ') == AnsiString::npos);
  }
  Require(DocumentBaseDigits(text).size() <= 15);
  Require(DocumentCheckDigits(text).size() <= 2);

  const AnsiString number = NumberToWords(text);
  Require(number.empty() || (number.front() != ' ' && number.back() != ' '));

  const int width = size > 0 ? data[0] : 0;
  const AnsiString fill = size > 1 ? text.substr(1, data[1] % 3) : AnsiString();
  const AnsiString field = PadField(text, width, fill);
  if (!fill.empty()) Require(field.size() >= static_cast<std::size_t>(width));
  Require(field.size() <= static_cast<std::size_t>(width) + fill.size());
  return 0;
}
