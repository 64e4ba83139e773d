#pragma once
// The user's number separators set for one test, and given back afterwards.

#include "platform/sys/DateTime.h"

class NumberSeparators {
 public:
  NumberSeparators(char thousands, char decimal) {
    ThousandSeparator = thousands;
    DecimalSeparator = decimal;
  }
  ~NumberSeparators() {
    ThousandSeparator = thousands_;
    DecimalSeparator = decimal_;
  }
  NumberSeparators(const NumberSeparators &) = delete;
  NumberSeparators &operator=(const NumberSeparators &) = delete;

 private:
  char thousands_ = ThousandSeparator;
  char decimal_ = DecimalSeparator;
};

// Brazilian regional settings: 1.234.567 and 1.234,50.
struct BrazilianSeparators : NumberSeparators {
  BrazilianSeparators() : NumberSeparators('.', ',') {}
};
