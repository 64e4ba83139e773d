#include "consultation/ResultTemplate.h"

#include "consultation/AmountWords.h"
#include "platform/vcl/RichEdit.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

const char *const ResultTemplateFile = "c:\\Orvalix\\layout.rtf";

namespace {

enum class Placeholder { Cliente, Grupo, Recomenda, ChProprio, ChProprioOutr, ChTerceiro, ChPropAComp, ChTercAComp, Titulo };

// In the order in which a line is searched: the first one found is the only one replaced.
constexpr std::array<std::pair<std::string_view, Placeholder>, 9> kPlaceholders = {{
    {"#cliente#", Placeholder::Cliente},
    {"#grupo#", Placeholder::Grupo},
    {"#recomenda#", Placeholder::Recomenda},
    {"#ch_proprio#", Placeholder::ChProprio},
    {"#ch_proprio_outr#", Placeholder::ChProprioOutr},
    {"#ch_terceiro#", Placeholder::ChTerceiro},
    {"#ch_prop_a_comp#", Placeholder::ChPropAComp},
    {"#ch_terc_a_comp#", Placeholder::ChTercAComp},
    {"#titulo#", Placeholder::Titulo},
}};

constexpr int kTextAfterPlaceholder = 100;  // characters kept after a placeholder

// Item n (from 1) of a list; the empty text when the list is shorter: a group without a name leaves
// the summary without its item 13.
AnsiString Item(const TStringList &items, int n) { return n <= items.Count() ? items[n - 1] : AnsiString(); }

bool IsZeroCount(const AnsiString &item) { return Trim(item) == "0"; }
bool IsZeroAmount(const AnsiString &item) { return Trim(item) == "0.00"; }
bool Filled(const TStringList &record, int n) { return !Trim(Item(record, n)).empty(); }

AnsiString ChequeText(const AnsiString &count, const AnsiString &amount) {
  return count + " " + (Trim(count) == "1" ? "Cheque" : "Cheques") + " no valor de R$ " + FormatAmount(amount);
}

AnsiString MoneyText(const AnsiString &amount) {
  return "R$ " + Trim(FormatAmount(amount) + " " + AmountToWords(amount));
}

std::vector<AnsiString> CustomerBlock(const TStringList &record, const AnsiString &digits) {
  bool blank = true;
  for (const AnsiString &item : record) blank = blank && Trim(item).empty();
  if (blank) return {"CNPJ/CPF: " + digits};

  const auto item = [&](int n) { return Item(record, n); };
  std::vector<AnsiString> lines;
  if (Filled(record, 2)) lines.push_back("NOME: " + item(2));
  if (Filled(record, 3)) lines.push_back("END.: " + item(3));
  if (Filled(record, 4) || Filled(record, 5)) lines.push_back("BAIRRO: " + PadField(item(4), 30, " ") + "  CEP: " + item(5));
  if (Filled(record, 6) || Filled(record, 7)) lines.push_back("CIDADE: " + PadField(item(6), 30, " ") + "   UF: " + item(7));
  if (Filled(record, 8) || Filled(record, 9)) lines.push_back("TEL.: " + PadField(item(8), 22, " ") + "  FAX: " + item(9));
  if (Filled(record, 11) || Filled(record, 10)) lines.push_back("CEL.: " + PadField(item(11), 22, " ") + "  EMAIL: " + item(10));
  lines.push_back("CNPJ/CPF: " + PadField(digits, 18, " ") + "  INSCR/RG: " + item(12));
  return lines;
}

AnsiString Replacement(Placeholder placeholder, const TStringList &summary, const TStringList &record,
                       const AnsiString &digits) {
  const auto item = [&](int n) { return Item(summary, n); };
  switch (placeholder) {
    case Placeholder::Cliente: {
      AnsiString block;
      for (const AnsiString &line : CustomerBlock(record, digits)) block += line + "\r\n";
      return block;
    }
    case Placeholder::Grupo:
      return item(13);
    case Placeholder::Recomenda:
      if (IsZeroCount(item(7)) && IsZeroAmount(item(8))) return {};
      return "Para maiores detalhes, consulte sempre SCI - SPC - SERASA - Associações Comerciais"_a;
    case Placeholder::ChProprio:
      if (IsZeroCount(item(7)) && IsZeroAmount(item(8))) return "Não constam cheques próprios devolvidos"_a;
      return ChequeText(item(7), item(8));
    case Placeholder::ChProprioOutr:
      if (IsZeroCount(item(11)) && IsZeroAmount(item(12)))
        return "Não constam cheques de outras alíneas devolvidos no grupo"_a;
      return ChequeText(item(11), item(12));
    case Placeholder::ChTerceiro:
      if (IsZeroCount(item(3)) && IsZeroAmount(item(5))) return "Não constam cheques de terceiros devolvidos no grupo"_a;
      return ChequeText(item(3), item(5));
    case Placeholder::ChPropAComp:
      if (IsZeroAmount(item(9))) return "Não constam cheques próprios à compensar no grupo"_a;
      return MoneyText(item(9));
    case Placeholder::ChTercAComp:
      if (IsZeroAmount(item(10))) return "Não constam cheques de terceiros à compensar no grupo"_a;
      return MoneyText(item(10));
    case Placeholder::Titulo:
      if (IsZeroAmount(item(6))) return "Não constam Títulos em aberto no grupo"_a;
      return MoneyText(item(6));
  }
  return {};
}

// Line breaks as the rich edit's lines split them: CR LF, CR or LF.
int LineBreaks(const AnsiString &text) {
  int breaks = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\r' || text[i] == '\n') ++breaks;
  }
  return breaks;
}

}  // namespace

void FillResultTemplate(TRichEdit &rick, const TStringList &summary, const TStringList &record,
                        const AnsiString &digits) {
  rick.Lines->LoadFromFile(ResultTemplateFile);
  // The count is read anew: it grows by the lines each replacement adds.
  int i = 0;
  while (i < rick.Lines->Count()) {
    const AnsiString line = rick.Lines->Strings(i);
    const auto match = std::find_if(kPlaceholders.begin(), kPlaceholders.end(),
                                    [&](const auto &entry) { return Pos(entry.first, line) > 0; });
    if (match == kPlaceholders.end()) {
      ++i;
      continue;
    }
    const auto &[placeholder, kind] = *match;
    const int position = Pos(placeholder, line);
    const AnsiString text = Copy(line, 1, position - 1) + Replacement(kind, summary, record, digits) +
                            Copy(line, position + static_cast<int>(placeholder.size()), kTextAfterPlaceholder);
    rick.Lines->SetStrings(i, text);
    // The customer block's lines are the customer's data, not template: the search goes on with the
    // text that followed the placeholder, on the line after the block.
    i += std::max(LineBreaks(text), 1);
  }
}
