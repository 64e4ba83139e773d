// The result template filled from a consultation's items. The amount texts expected here are those of
// the money format and amount-in-words routines.

#include "consultation/ResultTemplate.h"
#include "platform/sys/Exceptions.h"
#include "platform/vcl/RichEdit.h"
#include "support/TempDrive.h"

#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace {

using Lines = std::vector<AnsiString>;

const AnsiString kDigits = "12345678901";
const AnsiString kGroup = "GRUPO CENTRO";

AnsiString Blanks(int n) { return AnsiString(static_cast<std::size_t>(n), ' '); }

// A template of one paragraph per line, in Arial 10, escaped as a word processor writes it.
std::string TemplateRtf(const Lines &lines) {
  static const char hex[] = "0123456789abcdef";
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\r\n";
  for (const AnsiString &line : lines) {
    rtf += "\\pard\\plain\\f0\\fs20 ";
    for (char c : line) {
      const auto b = static_cast<unsigned char>(c);
      if (c == '\\' || c == '{' || c == '}') {
        rtf += '\\';
        rtf += c;
      } else if (b >= 0x80) {
        rtf += "\\'";
        rtf += hex[b >> 4];
        rtf += hex[b & 15];
      } else {
        rtf += c;
      }
    }
    rtf += "\\par\r\n";
  }
  return rtf + "}";
}

// Summary items 1 to 13: the quoted document, counts "0", amounts "0.00", the group's name.
TStringList Summary(const std::map<int, AnsiString> &changes = {}, int count = 13) {
  TStringList items;
  for (int n = 1; n <= count; ++n) {
    AnsiString item = n == 1 ? "'" + kDigits + "'" : n == 13 ? kGroup : (n == 2 || n == 3 || n == 7 || n == 11) ? "0" : "0.00";
    if (auto it = changes.find(n); it != changes.end()) item = it->second;
    items.Add(item);
  }
  return items;
}

TStringList Record(const Lines &items) {
  TStringList record;
  for (const AnsiString &item : items) record.Add(item);
  return record;
}

// A record of twelve items, all blank but the ones given.
TStringList Record(const std::map<int, AnsiString> &filled) {
  Lines items(12);
  items[0] = kDigits;
  for (const auto &[n, text] : filled) items[static_cast<std::size_t>(n - 1)] = text;
  return Record(items);
}

const TStringList kFullRecord = Record(Lines{
    kDigits, "JOÃO DA SILVA"_a, "RUA DAS ACÁCIAS, 15"_a, "CENTRO", "01001-000", "SÃO PAULO"_a, "SP",
    "(11) 3333-4444", "(11) 3333-5555", "joao@exemplo.com.br", "(11) 99999-0000", "12.345.678-9"});

const Lines kFullBlock = {
    "NOME: JOÃO DA SILVA"_a,
    "END.: RUA DAS ACÁCIAS, 15"_a,
    "BAIRRO: CENTRO" + Blanks(24) + "  CEP: 01001-000",
    "CIDADE: SÃO PAULO"_a + Blanks(21) + "   UF: SP",
    "TEL.: (11) 3333-4444" + Blanks(8) + "  FAX: (11) 3333-5555",
    "CEL.: (11) 99999-0000" + Blanks(7) + "  EMAIL: joao@exemplo.com.br",
    "CNPJ/CPF: 12345678901" + Blanks(7) + "  INSCR/RG: 12.345.678-9",
};

Lines operator+(Lines a, const Lines &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class FillResultTemplateTest : public ::testing::Test {
 protected:
  Lines Fill(const Lines &templateLines, const TStringList &summary = Summary(), const TStringList &record = {}) {
    drive.WriteFile(ResultTemplateFile, TemplateRtf(templateLines));
    FillResultTemplate(rick, summary, record, kDigits);
    return Result();
  }

  Lines Result() const {
    Lines lines;
    for (int i = 0; i < rick.Lines->Count(); ++i) lines.push_back(rick.Lines->Strings(i));
    return lines;
  }

  TempDrive drive;
  TRichEdit rick;
};

struct LineCase {
  const char *name;
  AnsiString line;
  std::map<int, AnsiString> summary;
  AnsiString expected;
};

TEST_F(FillResultTemplateTest, EachPlaceholderIsReplacedAndTheTextAfterItKept) {
  const AnsiString recommendation = "Para maiores detalhes, consulte sempre SCI - SPC - SERASA - Associações Comerciais"_a;
  const LineCase cases[] = {
      {"group", "Grupo: #grupo# (ativo)", {}, "Grupo: GRUPO CENTRO (ativo)"},
      {"group without a name", "Grupo: #grupo# fim", {{13, ""}}, "Grupo:  fim"},
      {"titles, none", "T: #titulo# fim", {}, "T: Não constam Títulos em aberto no grupo fim"_a},
      {"titles", "T: #titulo# fim", {{6, "1234.56"}},
       "T: R$ 1.234,56 (Um mil duzentos e trinta e quatro reais e cinquenta e seis centavos) fim"},
      {"own cheques, none", "#ch_proprio#.", {}, "Não constam cheques próprios devolvidos."_a},
      {"one own cheque", "#ch_proprio#.", {{7, "1"}, {8, "160.50"}}, "1 Cheque no valor de R$ 160,50."},
      {"two own cheques", "#ch_proprio#", {{7, "2"}, {8, "1234.50"}}, "2 Cheques no valor de R$ 1.234,50"},
      {"ten own cheques", "#ch_proprio#", {{7, "10"}, {8, "5.00"}}, "10 Cheques no valor de R$ 5,00"},
      {"an empty count", "#ch_proprio#", {{7, ""}, {8, "5.00"}}, " Cheques no valor de R$ 5,00"},
      {"the count goes in untrimmed", "#ch_proprio#", {{7, " 1"}, {8, "5.00"}}, " 1 Cheque no valor de R$ 5,00"},
      {"zero is compared trimmed", "#ch_proprio#", {{7, " 0 "}, {8, " 0.00"}}, "Não constam cheques próprios devolvidos"_a},
      {"zero is compared whole", "#ch_proprio#", {{7, "00"}}, "00 Cheques no valor de R$ 0,00"},
      {"other returns, none", "#ch_proprio_outr#", {}, "Não constam cheques de outras alíneas devolvidos no grupo"_a},
      {"other returns", "#ch_proprio_outr#", {{11, "3"}, {12, "21.10"}}, "3 Cheques no valor de R$ 21,10"},
      {"third-party cheques, none", "#ch_terceiro#", {{4, "9.99"}}, "Não constam cheques de terceiros devolvidos no grupo"_a},
      {"third-party cheques", "#ch_terceiro#", {{3, "1"}, {5, "1.00"}}, "1 Cheque no valor de R$ 1,00"},
      {"own cheques to clear, none", "#ch_prop_a_comp#", {}, "Não constam cheques próprios à compensar no grupo"_a},
      {"own cheques to clear", "#ch_prop_a_comp#", {{9, "0.01"}}, "R$ 0,01 (Um centavo)"},
      {"third-party cheques to clear, none", "#ch_terc_a_comp#", {}, "Não constam cheques de terceiros à compensar no grupo"_a},
      {"third-party cheques to clear", "#ch_terc_a_comp#", {{10, "2.00"}}, "R$ 2,00 (Dois reais)"},
      {"no recommendation without own cheques", "Obs.: #recomenda# fim", {{3, "2"}, {6, "5.00"}}, "Obs.:  fim"},
      {"recommendation", "Obs.: #recomenda# fim", {{7, "1"}}, "Obs.: " + recommendation + " fim"},
      {"recommendation for an amount alone", "#recomenda#", {{8, "0.50"}}, recommendation},
      {"placeholders are matched with their case", "#Grupo# #GRUPO#", {}, "#Grupo# #GRUPO#"},
      {"the earlier in table order wins", "#titulo# e #ch_terceiro#", {},
       "#titulo# e Não constam cheques de terceiros devolvidos no grupo"_a},
      {"one placeholder per line", "#grupo# #grupo#", {}, "GRUPO CENTRO #grupo#"},
  };
  for (const LineCase &c : cases) {
    EXPECT_EQ(Fill({"antes", c.line, "depois"}, Summary(c.summary)), (Lines{"antes", c.expected, "depois"})) << c.name;
  }
  // A group whose name was empty leaves the summary with twelve items.
  EXPECT_EQ(Fill({"Grupo: #grupo# fim"}, Summary({}, 12)), Lines{"Grupo:  fim"});
}

TEST_F(FillResultTemplateTest, OnlyTheFirst100CharactersAfterAPlaceholderAreKept) {
  AnsiString after;
  for (int i = 0; i < 150; ++i) after += static_cast<char>('0' + i % 10);
  EXPECT_EQ(Fill({"G: #grupo#" + after}), Lines{"G: GRUPO CENTRO" + after.substr(0, 100)});
  EXPECT_EQ(Fill({"#titulo#" + after.substr(0, 100)}), Lines{"Não constam Títulos em aberto no grupo"_a + after.substr(0, 100)});
}

struct BlockCase {
  const char *name;
  TStringList record;
  Lines block;
};

TEST_F(FillResultTemplateTest, TheCustomerBlockHasALineForEachFilledPair) {
  const AnsiString last = "CNPJ/CPF: 12345678901" + Blanks(7) + "  INSCR/RG: ";
  const BlockCase cases[] = {
      {"no record", {}, {"CNPJ/CPF: 12345678901"}},
      {"a record of blanks", Record(Lines(12, "  ")), {"CNPJ/CPF: 12345678901"}},
      {"full record", kFullRecord, kFullBlock},
      {"name alone", Record({{2, "ANA"}}), {"NOME: ANA", last}},
      {"district and postcode blank", Record({{2, "ANA"}, {4, " "}, {5, ""}}), {"NOME: ANA", last}},
      {"postcode alone", Record({{5, "01001-000"}}), {"BAIRRO: " + Blanks(30) + "  CEP: 01001-000", last}},
      {"state alone", Record({{7, "RJ"}}), {"CIDADE: " + Blanks(30) + "   UF: RJ", last}},
      {"fax alone", Record({{9, "3333"}}), {"TEL.: " + Blanks(22) + "  FAX: 3333", last}},
      {"e-mail alone, after the mobile's column", Record({{10, "a@b.c"}}), {"CEL.: " + Blanks(22) + "  EMAIL: a@b.c", last}},
      {"long fields are cut to their column", Record({{4, AnsiString(40, 'x')}, {5, "1"}}),
       {"BAIRRO: " + AnsiString(30, 'x') + "  CEP: 1", last}},
      {"padded fields are trimmed, the others go in unchanged", Record({{2, " ANA "}, {6, "  RIO"}, {7, " RJ "}, {12, " 7 "}}),
       {"NOME:  ANA ", "CIDADE: RIO" + Blanks(27) + "   UF:  RJ ", last + " 7 "}},
  };
  for (const BlockCase &c : cases) {
    const Lines expected = Lines{"Cliente:"} + c.block + Lines{"", "fim"};
    EXPECT_EQ(Fill({"Cliente:", "#cliente#", "fim"}, Summary(), c.record), expected)
        << c.name;
  }
}

TEST_F(FillResultTemplateTest, TextAroundTheCustomerBlockAndLaterPlaceholders) {
  const TStringList ana = Record({{2, "ANA"}});
  const AnsiString last = "CNPJ/CPF: 12345678901" + Blanks(7) + "  INSCR/RG: ";
  // The text after the placeholder starts the line after the block and is searched too.
  EXPECT_EQ(Fill({"#cliente# #grupo#"}, Summary(), ana), (Lines{"NOME: ANA", last, " GRUPO CENTRO"}));
  EXPECT_EQ(Fill({"Cliente: #cliente#fim", "#titulo#"}, Summary(), ana),
            (Lines{"Cliente: NOME: ANA", last, "fim", "Não constam Títulos em aberto no grupo"_a}));
  // Two customer lines, each with a whole block; the template's last line may hold one.
  EXPECT_EQ(Fill({"#cliente#", "#grupo#", "#cliente#"}, Summary(), ana),
            (Lines{"NOME: ANA", last, "", "GRUPO CENTRO", "NOME: ANA", last}));
  EXPECT_EQ(Fill({"#cliente#"}), (Lines{"CNPJ/CPF: 12345678901"}));
}

TEST_F(FillResultTemplateTest, PlaceholdersInTheCustomersDataAreNotReplaced) {
  const TStringList record = Record({{2, "#cliente#"}, {3, "#grupo#"}, {4, "#titulo#"}});
  EXPECT_EQ(Fill({"#cliente#", "#grupo#"}, Summary(), record),
            (Lines{"NOME: #cliente#", "END.: #grupo#", "BAIRRO: #titulo#" + Blanks(22) + "  CEP: ",
                   "CNPJ/CPF: 12345678901" + Blanks(7) + "  INSCR/RG: ", "", "GRUPO CENTRO"}));
}

TEST_F(FillResultTemplateTest, ATemplateWithoutPlaceholdersIsShownUnchanged) {
  const Lines lines = {"Resultado", "", "sem marcadores # nem #grupo", "fim"};
  EXPECT_EQ(Fill(lines, Summary(), kFullRecord), lines);
}

TEST_F(FillResultTemplateTest, AMissingOrBrokenTemplateRaisesTheFileError) {
  EXPECT_THROW(FillResultTemplate(rick, Summary(), {}, kDigits), EFOpenError);
  drive.WriteFile(ResultTemplateFile, "{\\rtf1 #grupo#");
  EXPECT_THROW(FillResultTemplate(rick, Summary(), {}, kDigits), EReadError);
}

TEST_F(FillResultTemplateTest, ReplacedLinesTakeTheFormatOfTheirFirstCharacterAndOthersKeepTheirs) {
  drive.WriteFile(ResultTemplateFile,
                  "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                  "\\pard\\qc\\b\\fs28 TITULO\\par"
                  "\\pard\\plain\\f1\\fs18 #cliente#\\par"
                  "\\pard\\qr\\plain\\i Grupo: \\b #grupo#\\par}");
  FillResultTemplate(rick, Summary(), Record({{2, "ANA"}}), kDigits);
  ASSERT_EQ(rick.Lines->Count(), 5);
  const auto format = [&](int line) {
    QTextCursor cursor(rick.document()->findBlockByNumber(line));
    cursor.movePosition(QTextCursor::EndOfBlock);
    return cursor.charFormat();  // of the line's last character
  };
  const auto alignment = [&](int line) { return rick.document()->findBlockByNumber(line).blockFormat().alignment(); };
  EXPECT_EQ(format(0).fontWeight(), QFont::Bold);
  EXPECT_EQ(format(0).fontPointSize(), 14);
  EXPECT_EQ(alignment(0), Qt::AlignHCenter);
  for (int line : {1, 2}) {
    EXPECT_EQ(format(line).fontFamilies().toStringList(), QStringList{"Courier New"}) << line;
    EXPECT_EQ(format(line).fontPointSize(), 9) << line;
  }
  EXPECT_EQ(rick.Lines->Strings(4), "Grupo: GRUPO CENTRO");
  EXPECT_TRUE(format(4).fontItalic());
  EXPECT_NE(format(4).fontWeight(), QFont::Bold);  // the first character's format, not the placeholder's
  EXPECT_EQ(alignment(4), Qt::AlignRight);
}

TEST_F(FillResultTemplateTest, TheShippedTemplateIsFilledThroughout) {
  const auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "layout.rtf";
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  ASSERT_FALSE(bytes.str().empty()) << path;
  drive.WriteFile(ResultTemplateFile, bytes.str());

  FillResultTemplate(rick, Summary({{2, "1"}, {3, "2"}, {5, "300.00"}, {6, "1050.00"}, {7, "1"}, {8, "160.50"},
                                    {9, "21.10"}, {10, "0.00"}, {11, "0"}, {12, "0.00"}}),
                     kFullRecord, kDigits);
  const Lines expected =
      Lines{"ASSOCIAÇÃO COMERCIAL - CONSULTA DE CRÉDITO"_a,
            "Informações compartilhadas pelos associados nos últimos 15 dias"_a, "", "DADOS DO CLIENTE"} +
      kFullBlock +
      Lines{"",
            "Grupo consultado: GRUPO CENTRO",
            "",
            "CHEQUES DEVOLVIDOS",
            "Próprios, no setor: 1 Cheque no valor de R$ 160,50"_a,
            "Outras alíneas: Não constam cheques de outras alíneas devolvidos no grupo"_a,
            "De terceiros: 2 Cheques no valor de R$ 300,00",
            "",
            "CHEQUES A COMPENSAR",
            "Próprios: R$ 21,10 (Vinte e um reais e dez centavos)"_a,
            "De terceiros: Não constam cheques de terceiros à compensar no grupo"_a,
            "",
            "TÍTULOS EM ABERTO"_a,
            "R$ 1.050,00 (Um mil  cinquenta reais)",
            "",
            "Para maiores detalhes, consulte sempre SCI - SPC - SERASA - Associações Comerciais"_a,
            "",
            "Orvalix Express - informações sujeitas às regras de compartilhamento da associação"_a};
  EXPECT_EQ(Result(), expected);
}

}  // namespace
