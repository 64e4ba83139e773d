// The administration window's child windows: modal, owned by it, held in their global while shown and
// freed after, never left minimized; an error of the statistics goes to the default box before its window is shown.

#include "AdministrationFixture.h"
#include "admin/UInstr_sql.h"
#include "admin/USTATUS.h"
#include "admin/uHelp.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QTimer>
#include <functional>

namespace {

TEST_F(AdministrationTest, ChildWindowsAreShownModallyAndFreedAfterAndAFailedOneIsNotShown) {
  window->Widget()->showMinimized();
  EXPECT_FALSE(window->Widget()->isMinimized());
  Unlock();
  const int components = window->ComponentCount();
  const std::pair<QAbstractButton *, std::function<TForm *()>> cases[] = {
      {window->SpeedButton1, [] { return Instr_SQL; }},
      {window->SpeedButton2, [] { return STATUS; }},
      {window->Button1, [] { return help; }},
      {window->SpeedButton2, [] { return STATUS; }},  // the server has gone away by then
  };
  for (const auto &[button, global] : cases) {
    const bool failing = &button == &cases[3].first;
    if (failing) QSqlDatabase::database(Form1->Database1->QtConnectionName(), false).close();
    QTimer modal;  // fires only inside a modal window's loop
    bool shown = false;
    QObject::connect(&modal, &QTimer::timeout, [&] {
      shown = global() && global()->Owner() == window && global()->Modal();
      // None has a minimize box: minimized by the desktop all the same, it is back at once.
      if (shown) global()->Widget()->showMinimized();
      shown = shown && !global()->Widget()->isMinimized();
      QApplication::activeModalWidget()->close();
    });
    modal.start(0);
    button->click();
    EXPECT_EQ(shown, !failing) << button->objectName().toStdString();
    EXPECT_EQ(global(), nullptr);
    EXPECT_EQ(window->ComponentCount(), components);  // freed, not left to the owner
    EXPECT_EQ(boxes.Calls().size(), failing ? 1u : 0u);
  }
  EXPECT_EQ(boxes.Calls().back().Flags, MB_OK | MB_ICONERROR);
}

}  // namespace
