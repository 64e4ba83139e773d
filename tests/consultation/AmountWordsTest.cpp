#include "consultation/AmountWords.h"

#include <gtest/gtest.h>

namespace {

struct WordsCase {
  AnsiString digits;
  AnsiString words;
};

const WordsCase kNumberCases[] = {
    // Worked results.
    {"1", "Um"},
    {"15", "Quinze"},
    {"21", "Vinte e um"},
    {"100", "Cem"},
    {"101", "Cento e um"},
    {"110", "Cento e dez"},
    {"123", "Cento e vinte e três"_a},
    {"600", "Seissentos"},
    {"1000", "Um mil"},
    {"1100", "Um mil e cem"},
    {"1550", "Um mil quinhentos e cinquenta"},
    {"21000", "Vinte e um mil"},
    {"1234567890",
     "Um bilhao duzentos e trinta e quatro milhoes quinhentos e sessenta e sete mil oitocentos e noventa"},
    // Nothing to say.
    {"", ""},
    {"0", ""},
    {"000", ""},
    {"000000", ""},
    // Teens stand alone; units and tens.
    {"3", "Três"_a},
    {"10", "Dez"},
    {"11", "Onze"},
    {"17", "Dezessete"},
    {"19", "Dezenove"},
    {"20", "Vinte"},
    {"99", "Noventa e nove"},
    {"616", "Seissentos e dezesseis"},
    {"999", "Novecentos e noventa e nove"},
    // A round hundred opening the number loses its "e"; inside it keeps it.
    {"200", "Duzentos"},
    {"0100", "Cem"},
    {"2500000", "Dois milhoes e quinhentos mil"},
    // Blanks inside are never merged.
    {"1001", "Um mil  um"},
    {"1050", "Um mil  cinquenta"},
    {"1000001", "Um milhao   um"},
    {"001", "Um"},
    // A group of three zeros gets no scale word.
    {"1000000", "Um milhao"},
    {"1000000000", "Um bilhao"},
    {"1001000", "Um milhao  um mil"},
    // Singular and plural scales.
    {"2000000", "Dois milhoes"},
    {"3000000000", "Três bilhoes"_a},
    {"1000000000000", "Um trilhao"},
    {"5000000000000", "Cinco trilhoes"},
    {"1000000000000000", "Um -"},
    {"1" + AnsiString(30, '0'), "Um"},
    // Not digits: no words.
    {"12a", ""},
    {"-5", ""},
    {" 5", ""},
    {"1.00", ""},
};

TEST(NumberToWords, WritesEachNumberInTheSystemsWords) {
  for (const WordsCase &c : kNumberCases)
    EXPECT_EQ(NumberToWords(c.digits), c.words) << "digits: [" << c.digits << "]";
}

TEST(NumberToWords, GroupsAVeryLongNumberWithoutFault) {
  const AnsiString words = NumberToWords(AnsiString(3001, '7'));
  // Groups counting 31 digits and more get no scale word, 16 to 30 a dash.
  EXPECT_EQ(words.substr(0, 43), "Sete setecentos e setenta e sete setecentos");
  EXPECT_NE(words.find("sete - setecentos"), AnsiString::npos);
  EXPECT_EQ(words.substr(words.size() - 31), "mil setecentos e setenta e sete");
}

struct ScaleCase {
  std::size_t remaining;
  int value;
  AnsiString word;
};

const ScaleCase kScaleCases[] = {
    {1, 1, ""},          {3, 5, ""},           {4, 1, " mil"},         {6, 2, " mil"},
    {7, 1, " milhao"},   {9, 2, " milhoes"},   {10, 1, " bilhao"},     {12, 999, " bilhoes"},
    {13, 1, " trilhao"}, {15, 2, " trilhoes"}, {16, 1, " -"},          {30, 2, " -"},
    {31, 1, ""},         {100, 7, ""},         {7, 0, ""},             {4, 0, ""},
};

TEST(AppendScaleWord, AppendsByCountAndValueAndLowersTheCount) {
  for (const ScaleCase &c : kScaleCases) {
    NumberWords state;
    state.words = "x";
    state.remaining = c.remaining;
    state.groupValue = c.value;
    state.groupLength = 3;
    AppendScaleWord(state);
    EXPECT_EQ(state.words, "x" + c.word) << "count " << c.remaining << ", value " << c.value;
    EXPECT_EQ(state.remaining, c.remaining >= 3 ? c.remaining - 3 : 0) << "count " << c.remaining;
  }
}

struct AmountCase {
  AnsiString amount;
  AnsiString words;
};

const AmountCase kAmountCases[] = {
    // Worked results.
    {"0.00", ""},
    {"0.01", "(Um centavo)"},
    {"0.50", "(Cinquenta centavos)"},
    {"1.00", "(Um real)"},
    {"1.01", "(Um real e um centavo)"},
    {"2.00", "(Dois reais)"},
    {"21.10", "(Vinte e um reais e dez centavos)"},
    {"1234.56", "(Um mil duzentos e trinta e quatro reais e cinquenta e seis centavos)"},
    // Cents words: capital alone, small letters after reais.
    {"1.50", "(Um real e cinquenta centavos)"},
    {"0.05", "(Cinco centavos)"},
    {"0.99", "(Noventa e nove centavos)"},
    {"0.13", "(Treze centavos)"},
    {"2.01", "(Dois reais e um centavo)"},
    {"3.03", "(Três reais e três centavos)"_a},
    {"11.00", "(Onze reais)"},
    {"100.00", "(Cem reais)"},
    {"1000000.00", "(Um milhao reais)"},
    {"2000000.10", "(Dois milhoes reais e dez centavos)"},
    {" 12.30", "(Doze reais e trinta centavos)"},
    // Outside the callers' form.
    {"00.50", "(Cinquenta centavos)"},
    {"01.00", "(Um real)"},
    {"000.00", ""},
    {"5", "(Cinco reais)"},
    {"5.", "(Cinco reais)"},
    {"1.5", "(Um real e cinquenta centavos)"},
    {"1.505", "(Um real e cinquenta centavos)"},
    {"-5.00", ""},
    {"-0.50", ""},
    {"", ""},
    {".50", ""},
    {"abc", ""},
    {"1.0x", ""},
    {"1a.00", ""},
};

TEST(AmountToWords, WritesReaisAndCentavosBetweenParentheses) {
  for (const AmountCase &c : kAmountCases)
    EXPECT_EQ(AmountToWords(c.amount), c.words) << "amount: [" << c.amount << "]";
}

TEST(AmountToWords, TakesTheFirst51DigitsOfTheIntegerPart) {
  const AnsiString digits(51, '9');
  EXPECT_EQ(AmountToWords(digits + "99.00"), AmountToWords(digits + ".00"));
  EXPECT_NE(AmountToWords(digits + ".00"), AmountToWords(digits.substr(1) + ".00"));
}

const AmountCase kFormatCases[] = {
    // Worked results.
    {"0.00", "0,00"},
    {"0.01", "0,01"},
    {"0.50", "0,50"},
    {"1.00", "1,00"},
    {"1.01", "1,01"},
    {"2.00", "2,00"},
    {"21.10", "21,10"},
    {"1234.56", "1.234,56"},
    // Points after every third digit from the right, never at either end.
    {"-1234.50", "-1.234,50"},
    {"999.99", "999,99"},
    {"1000.00", "1.000,00"},
    {"123456.78", "123.456,78"},
    {"1234567.00", "1.234.567,00"},
    {"-0.50", "-0,50"},
    {AnsiString(16, '9') + ".99", "9.999.999.999.999.999,99"},
    {"-" + AnsiString(16, '9') + ".99", "-9.999.999.999.999.999,99"},
    // Longer integer parts are grouped all the same, nothing cut.
    {"12345678901234567890.00", "12.345.678.901.234.567.890,00"},
    {"1234567890123456789012345.00", "1.234.567.890.123.456.789.012.345,00"},
    // Blanks at the ends, decimals as they come, no point: a whole amount.
    {" 5.00 ", "5,00"},
    {"\t-12.00\r\n", "-12,00"},
    {"5.1", "5,1"},
    {"5.1234", "5,123"},
    {"1.2.3", "1,2.3"},
    {"1234", "1.234,00"},
};

TEST(FormatAmount, WritesThousandsPointsAndADecimalComma) {
  for (const AmountCase &c : kFormatCases)
    EXPECT_EQ(FormatAmount(c.amount), c.words) << "amount: [" << c.amount << "]";
}

struct PadCase {
  AnsiString text;
  int n;
  AnsiString fill;
  AnsiString field;
};

const PadCase kPadCases[] = {
    {"  ab  ", 5, " ", "ab   "},
    {"abcdefgh", 5, " ", "abcde"},
    {"abcde", 5, " ", "abcde"},
    {" a bc ", 3, " ", "a  "},
    {"abc", 0, " ", ""},
    {"", 3, " ", "   "},
    {"", 0, "", ""},
    {"ab", 5, "", "ab"},
    {"  ab  ", 5, "", "ab"},
    {"ab", 5, "xy", "abxyxy"},
    {"ab", -1, " ", ""},
    {"x", 255, "-", "x" + AnsiString(254, '-')},
    {"x", 300, "-", "x" + AnsiString(254, '-')},
};

TEST(PadField, CutsTrimsAndFillsToTheWidth) {
  for (const PadCase &c : kPadCases)
    EXPECT_EQ(PadField(c.text, c.n, c.fill), c.field) << "text: [" << c.text << "], n " << c.n;
}

}  // namespace
