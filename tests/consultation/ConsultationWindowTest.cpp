// The consultation window driven with keys and clicks: the states Entry and Record, the number's
// validation, the customer's record and the way in from the tray menu.

#include "ConsultationFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTimer>

namespace {

using Consultation = ConsultationTest;

AnsiString Upper(const char *utf8) { return AnsiUpperCase(FromUtf8(utf8)); }

// Entry (true) or Record (false), with the focus where Record puts it.
void ExpectEntry(TConsulta &window, bool entry) {
  EXPECT_EQ(window.Panel2->isEnabled(), entry);
  EXPECT_EQ(window.DOC->isEnabled(), entry);
  EXPECT_EQ(window.Panel1->isEnabled(), !entry);
  EXPECT_EQ(window.SpeedButton1->isEnabled(), !entry);
  EXPECT_EQ(window.limpa->isEnabled(), !entry);
  if (!entry) {
    EXPECT_EQ(window.Widget()->focusWidget(), window.SpeedButton1);
  }
}

TEST_F(Consultation, StartsInEntryAndTheChoiceSwitchesLabelMaskAndWidth) {
  EXPECT_EQ(window->Widget()->maximumSize(), QSize(539, 300));
  EXPECT_FALSE(window->Widget()->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window->SpeedButton1->toolTip(), "Consultar outras informações");
  EXPECT_TRUE(window->BitBtn2->toolTip().isEmpty());
  ExpectEntry(*window, true);
  EXPECT_EQ(window->Widget()->focusWidget(), window->RadioButton1);
  QTest::keyClick(window->RadioButton1, Qt::Key_Return);
  EXPECT_EQ(window->Widget()->focusWidget(), window->DOC);
  EXPECT_TRUE(window->RadioButton1->Checked());

  const struct {
    TRadioButton *choice;
    const char *label, *mask, *empty;
    int width;
  } cases[] = {{window->RadioButton2, "CNPJ:", "!99.999.999/9999-99;1;_", "  .   .   /    -  ", 123},
               {window->RadioButton1, "CPF:", "!999.999.999-99;1;_", "   .   .   -  ", 98}};
  for (const auto &c : cases) {
    QTest::mouseClick(c.choice, Qt::LeftButton);
    EXPECT_EQ(window->Label1->text(), c.label);
    EXPECT_EQ(window->DOC->EditMask(), c.mask);
    EXPECT_EQ(window->DOC->Text(), c.empty);
    EXPECT_EQ(window->DOC->width(), c.width);
  }
}

TEST_F(Consultation, AValidNumberShowsTheRecordInCapitalsAndGoesToRecord) {
  Enter("111.444.777-35");
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(Form().quecon->SQL.Text(), "select * from clientes where cnpj_cpf='11144477735'\r\n");
  EXPECT_FALSE(Form().quecon->Active());
  EXPECT_EQ(window->nome->Text(), Upper("JOSÉ D'ÁVILA"));
  EXPECT_EQ(window->email->Text(), "j.davila@x.br");
  EXPECT_EQ(window->fax->Text(), "");
  EXPECT_EQ(window->rg->Text(), "RG 1");
  ExpectEntry(*window, false);
}

TEST_F(Consultation, AWrongOrPartNumberIsRefusedWithTheMessageOfTheChoice) {
  const struct {
    bool company;
    const char *typed, *message;
  } cases[] = {
      {false, "11144477753", "O CPF está incorreto!"},
      {false, "1114447773", "O CPF está incorreto!"},
      {true, "1122233300018", "O CNPJ da empresa está incorreto!"},
  };
  for (const auto &c : cases) {
    (c.company ? window->RadioButton2 : window->RadioButton1)->SetChecked(true);
    window->DOC->SetText("");
    Form().quecon->SQL.Clear();
    MessageBoxSeam seam;
    Enter(c.typed);
    ASSERT_EQ(seam.Calls().size(), 1u) << c.typed;
    EXPECT_EQ(seam.Calls()[0].Text, FromUtf8(c.message));
    EXPECT_EQ(seam.Calls()[0].Caption, "Orvalix Express");
    EXPECT_EQ(window->Widget()->focusWidget(), window->DOC);
    EXPECT_EQ(Form().quecon->SQL.Count(), 0) << c.typed;
    ExpectEntry(*window, true);
  }
  // Pasted with a letter, the number stops before it.
  window->RadioButton1->SetChecked(true);
  QApplication::clipboard()->setText("1114a4477735");
  window->DOC->selectAll();
  window->DOC->PasteFromClipboard();
  MessageBoxSeam seam;
  QTest::keyClick(window->DOC, Qt::Key_Return);
  ASSERT_EQ(seam.Calls().size(), 1u);
  EXPECT_EQ(seam.Calls()[0].Text, "O CPF está incorreto!"_a);
}

TEST_F(Consultation, NothingTypedOrNoRowGivesTheNotFoundTextWithoutAMessage) {
  Form().quecon->SQL.Clear();
  QTest::keyClick(window->DOC, Qt::Key_Return);
  EXPECT_EQ(Form().quecon->SQL.Count(), 0);
  EXPECT_EQ(window->nome->Text(), Upper("**Dados cadastrais não encontrados.**"));
  ExpectEntry(*window, false);
  // Without digits the consultation shows its own message and no wait window.
  window->SpeedButton1->Click();
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].Text, "Não há CNPJ/CPF para realizar a consulta."_a);
  EXPECT_EQ(boxes.Calls()[0].Caption, "Orvalix");
  EXPECT_EQ(window->FindComponent("aguarde"), nullptr);

  window->limpa->Click();
  Enter("555.666.777-20");
  EXPECT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(window->nome->Text(), Upper("**Dados cadastrais não encontrados.**"));
}

TEST_F(Consultation, OutraConsultaClearsForTheNextNumberAndKeepsTheChoice) {
  QTest::mouseClick(window->RadioButton2, Qt::LeftButton);
  Enter("11.222.333/0001-81");
  EXPECT_EQ(Form().quecon->SQL.Text(), "select * from clientes where cnpj_cpf='11222333000181'\r\n");
  window->nome->SetText("x");
  window->limpa->Click();
  ExpectEntry(*window, true);
  EXPECT_EQ(window->nome->Text(), "");
  EXPECT_EQ(window->DOC->Text(), "  .   .   /    -  ");
  EXPECT_EQ(window->Widget()->focusWidget(), window->RadioButton2);
  // The next number is typed from the box's first position, and Enter on the button consults it.
  QTest::keyClick(window->RadioButton2, Qt::Key_Return);
  QTest::keyClicks(window->DOC, "11222333000181");
  QTest::keyClick(window->DOC, Qt::Key_Return);
  QTest::keyClick(window->SpeedButton1, Qt::Key_Return);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].Text, "Não constam informações de valores deste CNPJ/CPF."_a);
}

TEST_F(Consultation, TheBackgroundPictureAndClosingWithTheQueryOpen) {
  QImage picture(20, 10, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  ASSERT_TRUE(picture.save(QString::fromStdString(drive.Host("c:\\Orvalix\\fundo2.bmp").string()), "BMP"));
  EXPECT_TRUE(window->Image1->Empty());
  EXPECT_FALSE(TConsulta(Form1).Image1->Empty());

  Form().quecon->SQL.Add("select 1");
  Form().quecon->Open();
  window->BitBtn2->Click();
  EXPECT_FALSE(Form().quecon->Active());
  EXPECT_FALSE(window->Visible());
}

TEST_F(Consultation, ConsultarInTheTrayMenuOpensTheWindowModallyAndFreesIt) {
  window.reset();
  Form().Consultar1Click(Form().Consultar1);  // cons hidden: nothing
  EXPECT_EQ(Consulta, nullptr);
  Form().cons->show();
  const int components = Form().ComponentCount();
  bool shown = false;
  QTimer::singleShot(50, [&] {
    ASSERT_NE(Consulta, nullptr);
    shown = Consulta->Visible() && Consulta->Owner() == Form1 &&
            Consulta->Widget()->focusWidget() == Consulta->RadioButton1;
    Consulta->Widget()->showMinimized();  // by the desktop, though the window has no minimize box
    shown = shown && !Consulta->Widget()->isMinimized() && Consulta->WindowState() == wsNormal;
    Consulta->BitBtn2->Click();
  });
  Form().Consultar1Click(Form().Consultar1);
  EXPECT_TRUE(shown);
  EXPECT_EQ(Consulta, nullptr);
  EXPECT_EQ(Form().ComponentCount(), components);
}

}  // namespace
