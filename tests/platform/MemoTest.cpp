// The memo's lines and its Tab key.

#include "platform/vcl/Memo.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

std::vector<AnsiString> Items(const TStringList &list) { return {list.begin(), list.end()}; }

TEST(TMemo, LinesAreTheParagraphsAndALastEmptyOneIsNoLine) {
  const struct {
    const char *typed;
    std::vector<AnsiString> lines;
  } cases[] = {
      {"", {}}, {"select 1", {"select 1"}}, {"a\nb\n", {"a", "b"}}, {"a\n\n", {"a", ""}}, {"  \t", {"  \t"}},
  };
  TMemo memo(nullptr);
  for (const auto &c : cases) {
    memo.setPlainText(c.typed);
    EXPECT_EQ(Items(memo.Lines()), c.lines) << c.typed;
  }
  // Written lines come back to the character (cp1252, a no-break space), each followed by a line break.
  TStringList lines;
  for (const char *line : {"1\xBA Caso ", "", "Informa\xE7\xF5""es\xA0"}) lines.Add(line);
  memo.SetLines(lines);
  EXPECT_EQ(memo.toPlainText(), "1º Caso \n\nInformações \n");
  EXPECT_EQ(Items(memo.Lines()), Items(lines));
}

// The memo does not want tabs: Tab moves on and types nothing.
TEST(TMemo, TabMovesToTheNextControl) {
  QWidget window;
  auto *memo = new TMemo(&window);
  auto *next = new QLineEdit(&window);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  memo->setFocus();
  QTest::keyClicks(memo, "a\t");
  EXPECT_EQ(memo->toPlainText(), "a");
  EXPECT_TRUE(next->hasFocus());
}

}  // namespace
