// The interactive consultation from the consultation button: the member check, the credit sums of the
// last 15 days, the result window filled from the shipped template, its messages, the wait window and
// the shared query on every way out.

#include "ConsultationFixture.h"
#include "consultation/uAguarde.h"
#include "consultation/uorvalix_mostra_consulta.h"
#include "support/ServerControl.h"

#include <QTimer>
#include <QWindow>

namespace {

class RunConsultation : public ConsultationTest {
 protected:
  void SetUp() override {
    ConsultationTest::SetUp();
    // Every statement of the consultation, and whether "Aguarde..." was on screen when it had run.
    Form().quecon->AfterOpen = [this](TObject *sender) {
      statements.push_back(Form().quecon->SQL.Text());
      waitShown.push_back(aguarde && aguarde->Visible() && aguarde->Widget()->windowHandle() &&
                          aguarde->Widget()->windowHandle()->isExposed());
      if (onOpen) onOpen();
      Form().QuerytimerAfterOpen(sender);
    };
    components = window->ComponentCount();
  }

  // Runs the consultation of the number as the button does; gives the result window's text, empty when
  // none was shown. The result window is closed as soon as it is up.
  QString Consult(const char *member, const char *digits) {
    WriteLocalConfig(member);
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
      if (!orvalix_mostra_consulta || !orvalix_mostra_consulta->Visible()) return;
      shown = orvalix_mostra_consulta->rick->toPlainText();
      waitGoneBeforeResult = aguarde == nullptr;
      orvalix_mostra_consulta->BitBtn2->Click();
    });
    closer.start(5);
    if (!window->DOC->isEnabled()) window->limpa->Click();
    Enter(digits);
    statements.clear();
    waitShown.clear();
    window->SpeedButton1->Click();
    EXPECT_EQ(aguarde, nullptr) << digits;
    EXPECT_EQ(orvalix_mostra_consulta, nullptr) << digits;
    EXPECT_FALSE(Form().quecon->Active()) << digits;
    EXPECT_EQ(window->ComponentCount(), components) << digits;
    return shown;
  }

  // The result text of the same consultation through the batch: CONSULTA_DADOS, its answer read back.
  QString BatchResult(const char *member, const char *digits) {
    std::string answer = BatchTest::Consult("CONSULTA_DADOS(" + std::string(member) + ",'" + digits + "')");
    TStringList lines, summary, record;
    lines.SetText(answer);
    ParseValueList(lines[0], summary);
    if (lines.Count() > 1) ParseValueListUnquoted(lines[1], record);
    Torvalix_mostra_consulta result(nullptr);
    FillResultTemplate(*result.rick, summary, record, digits);
    return result.rick->toPlainText();
  }

  std::vector<AnsiString> statements;
  std::vector<bool> waitShown;
  std::function<void()> onOpen;
  bool waitGoneBeforeResult = false;
  int components = 0;
};

TEST_F(RunConsultation, TheResultIsTheBatchAnswersFilledIntoTheTemplate) {
  const QString result = Consult("42", kCpf);
  const std::vector<AnsiString> sent = statements;
  const std::vector<bool> waiting = waitShown;
  EXPECT_EQ(result, BatchResult("42", kCpf));
  EXPECT_TRUE(result.contains("NOME: josé d ávila")) << result.toStdString();  // as stored, quotes blanked
  EXPECT_TRUE(result.contains("Grupo consultado: CENTRO"));
  EXPECT_TRUE(result.contains("Próprios, no setor: 6 Cheques no valor de R$ 650,00"));
  EXPECT_TRUE(waitGoneBeforeResult);
  ASSERT_EQ(sent.size(), 4u);
  EXPECT_EQ(sent[0], "select a.setor,a.grupo,a.ativo,b.nome from empresas a inner join grupos b on "
                           "(b.numero=a.grupo) where a.numero=000042\r\n");
  EXPECT_EQ(sent[3], "select * from clientes where cnpj_cpf='11144477735'\r\n");
  EXPECT_EQ(waiting, (std::vector<bool>{true, true, true, true}));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(RunConsultation, EachWayOutShowsItsMessageOrItsResult) {
  const struct {
    const char *member;
    const char *digits;
    const char *message;  // nullptr: the result window
    const char *caption;
    const char *inResult;
  } cases[] = {
      {"99", kCpf, "Associado não encontrado.", "Orvalix Express", nullptr},
      {"52", kCpf, "Associado não encontrado.", "Orvalix Express", nullptr},  // its group has no row
      {"46", kCpf, "Status de associado esta inativo.", "Orvalix Express", nullptr},
      {"50", kCpf, "Status de associado esta inativo.", "Orvalix Express", nullptr},  // "s" is not "S"
      {"42", kWithoutSums, "Não constam informações de valores deste CNPJ/CPF.", "Orvalix", nullptr},
      {"42", kZeroSums, "Não constam informações de valores deste CNPJ/CPF.", "Orvalix", nullptr},
      {"47", kCpf, nullptr, nullptr, "Próprios, no setor: 6 Cheques no valor de R$ 650,00"},  // ativo NULL
      // Sector 0: the sector sums over every member, the group sums over the whole group.
      {"48", kCpf, nullptr, nullptr, "Próprios, no setor: 8 Cheques no valor de R$ 670,00"},
      {"42", kWithoutRecord, nullptr, nullptr, "CNPJ/CPF: 22233344405\n"},
      // A group without a name: its line shows none, and nothing is read past the summary.
      {"51", kCpf, nullptr, nullptr, "Grupo consultado: \n"},
  };
  for (const auto &c : cases) {
    MessageBoxSeam seam;
    const QString result = Consult(c.member, c.digits);
    const std::string name = std::string(c.member) + " " + c.digits;
    if (c.message) {
      EXPECT_TRUE(result.isEmpty()) << name;
      ASSERT_EQ(seam.Calls().size(), 1u) << name;
      EXPECT_EQ(seam.Calls()[0].Text, FromUtf8(c.message)) << name;
      EXPECT_EQ(seam.Calls()[0].Caption, c.caption) << name;
      if (std::string(c.digits) == kWithoutSums) {
        EXPECT_EQ(statements.size(), 3u) << "the customer is not asked for";
      }
    } else {
      EXPECT_TRUE(seam.Calls().empty()) << name;
      EXPECT_TRUE(result.contains(QString::fromUtf8(c.inResult))) << name << ":\n" << result.toStdString();
    }
  }
}

TEST_F(RunConsultation, AMissingTemplateIsShownAndTheWindowGoesOn) {
  DeleteFile(ResultTemplateFile);
  MessageBoxSeam seam;
  EXPECT_TRUE(Consult("42", kCpf).isEmpty());
  ASSERT_EQ(seam.Calls().size(), 1u);
  EXPECT_NE(seam.Calls()[0].Text.find("layout.rtf"), AnsiString::npos) << seam.Calls()[0].Text;
  EXPECT_EQ(seam.Calls()[0].Caption, "Orvalix Express");
  EXPECT_TRUE(window->Visible());
  drive.WriteFile(ResultTemplateFile, sample::ShippedTemplate());
  EXPECT_FALSE(Consult("42", kCpf).isEmpty());
}

TEST_F(RunConsultation, ADatabaseGoneMidwayIsShownAndTheBatchReconnectsAfterwards) {
  if (!testdb::ServerControllable()) GTEST_SKIP() << "the test server is not this run's own";
  int opens = 0;
  onOpen = [&] {
    if (++opens == 2) testdb::StopServer();  // the record's lookup, then the member query
  };
  MessageBoxSeam seam;
  EXPECT_TRUE(Consult("42", kCpf).isEmpty());
  testdb::StartServerKeepingRows();
  onOpen = nullptr;
  ASSERT_EQ(seam.Calls().size(), 1u);
  EXPECT_EQ(seam.Calls()[0].Caption, "Orvalix Express");
  EXPECT_EQ(statements.size(), 1u);
  EXPECT_TRUE(window->Visible());

  Drop("CONS0001.TXT", "CONSULTA_DADOS(42,'11144477735')\r\n");
  for (int tick = 0; tick < 3 && !Answered("RET0001.ret"); ++tick) Tick();
  EXPECT_EQ(Answer("RET0001.ret").substr(0, 15), "('11144477735',");
  EXPECT_FALSE(Consult("42", kCpf).isEmpty());
}

}  // namespace
