// The help window: its text line by line, a memo that may be typed into and keeps nothing.

#include "admin/uHelp.h"

#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

std::vector<AnsiString> ExpectedText() {
  const AnsiString noSector = "   Desde que uma empresa seja de setor diferente da outra nenhuma informação sera "_a;
  const AnsiString limited = "- São limitadas pelo SETOR e pelo GRUPO. E somente pelo grupo de a empresa for do "_a;
  auto hyphens = [](int n) { return AnsiString(static_cast<std::size_t>(n), '-'); };
  return {
      "Explicação sobre grupos e setores."_a,
      "",
      "1º Caso - Empresas de mesmo grupo e mesmo setor"_a,
      hyphens(79),
      "   Todas as informações de cheques próprios devolvidos, cheques de terceiros devolvidos "_a,
      "e títulos em aberto são compartilhadas entre estas empresas."_a,
      "",
      "2º Caso - Empresas de grupos diferentes e mesmo setor"_a,
      hyphens(84),
      "   Todas as informações de cheques próprios devolvidos serão compartilhadas entre elas, "_a,
      "porém cheques de terceiros devolvidos e títulos em aberto não são compartilhadas entre "_a,
      "estas empresas.",
      "",
      "3º Caso - Empresas de mesmo grupo e setores diferentes"_a,
      hyphens(85),
      noSector,
      "compartilhada entre elas.",
      "",
      "4º Caso - Empresas de grupo diferentes e setores diferentes"_a,
      hyphens(85),
      noSector,
      "compartilhada entre elas.",
      "",
      "5º Caso - Empresa que participa de todos os setores (0 zero para o setor)"_a,
      hyphens(112),
      "   Esta empresa tem acesso a todos os cheques próprios devolvidos de todas as empresa, "_a,
      "porém cheques de terceiros e títulos em aberto será limitada ao seu GRUPO pertencente."_a,
      "",
      "6º Para ter acesso a todas informações indiferente do grupo ou setor de títulos em aberto e "_a,
      "cheques de terceiros devolvidos, estamos estudando o caso com um advogado tributarista ",
      "para saber da legalidade do mesmo.",
      "",
      "RESUMO",
      hyphens(15),
      "Informações de Cheques Próprios devolvidos"_a,
      "- São limitadas somente pelo SETOR. Se o setor da empresa for 0 (zero) a empresa terá "_a,
      "acesso a todas informações de cheques próprios devolvidos do sistema."_a,
      "",
      "Informações de Cheques de Terceiros devolvidos"_a,
      limited,
      "setor 0 (zero)",
      "",
      "Informações de Títulos em aberto"_a,
      limited,
      "setor 0 (zero)",
  };
}

TEST(HelpWindow, TheTextLineByLine) {
  Thelp window(nullptr);
  const TStringList lines = window.Memo1->Lines();
  const std::vector<AnsiString> expected = ExpectedText();
  ASSERT_EQ(lines.Count(), 45);
  for (int i = 0; i < lines.Count(); ++i) EXPECT_EQ(lines[i], expected[static_cast<std::size_t>(i)]) << "line " << i + 1;
  // The ordinal sign is cp1252's, one character.
  EXPECT_EQ(lines[2].substr(0, 2), "1\xBA");
}

TEST(HelpWindow, ShownItScrollsAndTakesTypingThatTheNextWindowHasForgotten) {
  {
    Thelp window(nullptr);
    QTimer::singleShot(20, [&] {
      EXPECT_GT(window.Memo1->verticalScrollBar()->maximum(), 0);  // the text is longer than the box
      window.Memo1->setFocus();
      QTest::keyClicks(window.Memo1, "anotado");
      EXPECT_TRUE(window.Memo1->toPlainText().startsWith("anotado"));
      window.BitBtn2->Click();
    });
    EXPECT_EQ(window.ShowModal(), mrCancel);
  }
  Thelp again(nullptr);
  EXPECT_EQ(again.Memo1->Lines()[0], "Explicação sobre grupos e setores."_a);
}

}  // namespace
