#include "AdministrationFixture.h"

#include "platform/files/FileSystem.h"

#include <QRegularExpression>
#include <QTimer>

namespace {

TEST(AccessCode, SixCapitalsOrDigitsThatChangeWithTheHourOnly) {
  const TDateTime ten = EncodeDate(2026, 12, 8) + 10 / 24.0;
  const AnsiString code = AccessCode(ten);
  EXPECT_TRUE(QRegularExpression("^[A-Z0-9]{6}$").match(ToQString(code)).hasMatch()) << code;
  EXPECT_EQ(AccessCode(ten + 59.9 / 1440), code);
  EXPECT_NE(AccessCode(ten + 1 / 24.0), code);
  EXPECT_NE(AccessCode(ten + 1), code);
}

TEST_F(AdministrationTest, TheCodeOfThisHourOpensTheGateWhateverTheCaseOfItsLetters) {
  const AnsiString code = AccessCode(Now());
  const struct {
    AnsiString entry;
    bool opens;
  } cases[] = {
      {code, true},
      {LowerCase(code), true},
      {" " + code, false},
      {code + " ", false},
      {"", false},
      {AccessCode(Now() - 1 / 24.0), false},
  };
  for (const auto &c : cases) {
    OpenWindow();
    Enter(c.entry);
    EXPECT_EQ(::Visible(window->Panel1), c.opens) << c.entry;
    EXPECT_EQ(window->Label1->isHidden(), c.opens) << c.entry;
    EXPECT_EQ(window->Edit1->isEnabled(), !c.opens) << c.entry;
    if (!c.opens) {
      EXPECT_EQ(window->Edit1->Text(), "") << c.entry;
    }
  }
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(AdministrationTest, TheFourthWrongCodeClosesTheWindowAndAFailedOpeningKeepsTheCount) {
  Enter("X");
  Enter("Y");
  // The database cannot be reached when the right code comes.
  Form().DisconnectDatabase();
  SetPort("1");
  Form().Timer2->SetEnabled(false);
  Enter(AccessCode(Now()));
  EXPECT_EQ(LastBox(), "Base estava desconectada. Tente novamente");
  EXPECT_FALSE(::Visible(window->Panel1));
  EXPECT_TRUE(window->Edit1->isEnabled());
  EXPECT_EQ(window->Edit1->Text(), AccessCode(Now()));
  EXPECT_TRUE(Form().Timer2->Enabled());
  EXPECT_FALSE(MarkerExists());
  window->Edit1->clear();
  Enter("Z");
  EXPECT_TRUE(window->Visible());
  EXPECT_EQ(boxes.Calls().size(), 1u);
  Enter("W");
  EXPECT_EQ(LastBox(), "Tentativas inspirarão."_a);
  EXPECT_FALSE(window->Visible());
}

TEST_F(AdministrationTest, TheUnlockedWindowOffersConsoleAndHelpButNotStatisticsAndItsCloseClosesTwoTables) {
  Unlock();
  EXPECT_FALSE(window->Edit1->isEnabled());
  EXPECT_TRUE(window->SpeedButton2->isHidden());
  EXPECT_FALSE(window->SpeedButton1->isHidden());
  EXPECT_FALSE(window->Button1->isHidden());
  window->Close();
  EXPECT_FALSE(window->Table1->Active());
  EXPECT_FALSE(window->table2->Active());
  EXPECT_TRUE(window->Table3->Active());  // it goes with the window
}

TEST_F(AdministrationTest, ADoubleClickOnTheStatusLabelShowsTheWindowAndThenDecidesTheConsultationEntries) {
  WriteLocalConfig("1");
  Form().cons->hide();
  bool shown = false;
  QTimer::singleShot(20, [&shown] {
    shown = Form2 && Form2->Visible() && Form2->Modal();
    Form2->Close();
  });
  Form().Label2DblClick(Form().Label2);
  EXPECT_TRUE(shown);
  EXPECT_EQ(Form2, nullptr);
  EXPECT_TRUE(::Visible(Form().cons));
  EXPECT_TRUE(Form().Consultar1->Visible);
}

}  // namespace
