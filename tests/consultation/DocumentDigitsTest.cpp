#include "consultation/DocumentDigits.h"

#include <gtest/gtest.h>

namespace {

struct DocumentCase {
  AnsiString text;
  bool valid;
};

const DocumentCase kDocumentCases[] = {
    // Worked examples and their check digits swapped or off by one.
    {"111.444.777-35", true},
    {"11.222.333/0001-81", true},
    {"111.444.777-53", false},
    {"111.444.777-36", false},
    {"111.444.777-25", false},
    {"11.222.333/0001-18", false},
    {"11.222.333/0001-82", false},
    // All digits equal: not rejected as such.
    {"000.000.000-00", true},
    {"111.111.111-11", true},
    {"00.000.000/0000-00", true},
    {"11.111.111/1111-80", true},
    // Remainder 0 or 1 gives the digit 0, first and second digit, CPF and CNPJ.
    {"710.465.634-08", true},
    {"962.913.702-04", true},
    {"359.256.341-60", true},
    {"736.625.851-20", true},
    {"28.576.139/6341-04", true},
    {"19.237.554/2267-02", true},
    {"41.224.824/4757-40", true},
    {"86.834.497/8690-50", true},
    // A blank anywhere: typed only in part.
    {"   .   .   -  ", false},
    {"  .   .   /    -  ", false},
    {"111.444.77 -35", false},
    {"111.444.777-3 ", false},
    {" 11.444.777-35", false},
    {"11.222.333/000 -81", false},
    {"11.222.333/0001- 1", false},
    // Texts the number box cannot produce.
    {"", false},
    {"1", false},
    {"35", false},
    {"11144477735", false},
    {"11222333000181", false},
    {"111.444.777-3a", false},
    {"abc.def.ghi-jk", false},
    {"111,444.777-35", false},
    {"111.444.777/35", false},
    {"11.222.333.0001-81", false},
    {"11.222.333/0001-8\x01", false},
    {"111.444.777-35 ", false},
    {"111.444.777-35111.444.777-35", false},
    {AnsiString(5000, '1'), false},
};

TEST(ValidateDocument, AcceptsOnlyNumbersWhoseCheckDigitsFit) {
  for (const DocumentCase &c : kDocumentCases)
    EXPECT_EQ(ValidateDocument(c.text), c.valid) << "text: [" << c.text << "]";
}

TEST(ValidateDocument, WeighsEighteenCharactersAsCnpjWhateverTheDigits) {
  // The CPF weights (highest 11) would give 8 and 7 for these twelve digits; the CNPJ weights give 3 and 0.
  EXPECT_TRUE(ValidateDocument("12.345.678/9012-30"));
  EXPECT_FALSE(ValidateDocument("12.345.678/9012-87"));
}

struct DigitsCase {
  AnsiString text;
  AnsiString base;
  AnsiString check;
};

const DigitsCase kDigitsCases[] = {
    {"111.444.777-35", "777444111", "35"},
    {"123.456.789-09", "987654321", "09"},
    {"11.222.333/0001-81", "100033322211", "81"},
    {"12.345.678/9012-30", "210987654321", "30"},
    {"   .   .   -  ", "         ", "  "},
    // Other lengths are read as a CNPJ, never beyond the text's end.
    {"1.2/3", "321", "/3"},
    {"7", "7", "7"},
    {"", "", ""},
};

TEST(DocumentDigits, TakeTheBaseReversedAndTheLastTwoCharacters) {
  for (const DigitsCase &c : kDigitsCases) {
    EXPECT_EQ(DocumentBaseDigits(c.text), c.base) << "text: [" << c.text << "]";
    EXPECT_EQ(DocumentCheckDigits(c.text), c.check) << "text: [" << c.text << "]";
  }
}

}  // namespace
