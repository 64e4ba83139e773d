// The administration window's child windows: each shown modally, owned by it, held in its global
// while shown and freed when closed; an error of the statistics goes to the default box unshown.

#include "AdministrationFixture.h"
#include "admin/UInstr_sql.h"
#include "admin/USTATUS.h"
#include "admin/uHelp.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QTimer>
#include <functional>

namespace {

TEST_F(AdministrationTest, EachChildWindowIsShownModallyOwnedByThisWindowAndFreedAfter) {
  Unlock();
  const struct {
    const char *name;
    QAbstractButton *button;
    std::function<TForm *()> global;
  } cases[] = {
      {"console", window->SpeedButton1, [] { return Instr_SQL; }},
      {"statistics", window->SpeedButton2, [] { return STATUS; }},
      {"help", window->Button1, [] { return help; }},
  };
  const int components = window->ComponentCount();
  for (const auto &c : cases) {
    TForm *shown = nullptr;
    QTimer::singleShot(0, [&] {
      shown = c.global();
      EXPECT_TRUE(shown && shown->Owner() == window && shown->Modal()) << c.name;
      QApplication::activeModalWidget()->close();
    });
    c.button->click();
    EXPECT_NE(shown, nullptr) << c.name;
    EXPECT_EQ(c.global(), nullptr) << c.name;
    EXPECT_EQ(window->ComponentCount(), components) << c.name;  // freed, not left to the owner
  }
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_FALSE(::Visible(window->SpeedButton2));
}

TEST_F(AdministrationTest, AStatisticsErrorGoesToTheDefaultBoxAndTheWindowIsNeverShown) {
  Unlock();
  const int components = window->ComponentCount();
  QSqlDatabase::database(Form1->Database1->QtConnectionName(), false).close();  // the server went away
  bool shown = false;
  QTimer modal;
  modal.setSingleShot(true);
  QObject::connect(&modal, &QTimer::timeout, [&] {
    shown = true;
    if (QWidget *open = QApplication::activeModalWidget()) open->close();
  });
  modal.start(0);
  window->SpeedButton2->click();
  EXPECT_FALSE(shown);
  EXPECT_EQ(STATUS, nullptr);
  EXPECT_EQ(window->ComponentCount(), components);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].Caption, "Orvalix Express");
  EXPECT_EQ(boxes.Calls()[0].Flags, MB_OK | MB_ICONERROR);
  EXPECT_TRUE(window->Visible());
}

}  // namespace
