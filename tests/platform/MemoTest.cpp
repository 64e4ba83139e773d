// The memo's lines and keys.

#include "platform/vcl/Memo.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TStringList List(std::initializer_list<const char *> items) {
  TStringList list;
  for (const char *item : items) list.Add(item);
  return list;
}

std::vector<AnsiString> Items(const TStringList &list) { return {list.begin(), list.end()}; }

TEST(TMemo, LinesAreTheParagraphsAndALastEmptyOneIsNoLine) {
  const struct {
    const char *typed;
    std::vector<AnsiString> lines;
  } cases[] = {
      {"", {}},
      {"select 1", {"select 1"}},
      {"a\nb\n", {"a", "b"}},
      {"a\n\n", {"a", ""}},
      {"\n", {""}},
      {"  \t", {"  \t"}},
  };
  TMemo memo(nullptr);
  for (const auto &c : cases) {
    memo.setPlainText(c.typed);
    EXPECT_EQ(Items(memo.Lines()), c.lines) << c.typed;
  }
}

TEST(TMemo, WrittenLinesComeBackToTheCharacterEachFollowedByALineBreak) {
  TMemo memo(nullptr);
  const TStringList lines = List({"1\xBA Caso ", "", "Informa\xE7\xF5""es\xA0", "fim"});
  memo.SetLines(lines);
  EXPECT_EQ(memo.toPlainText(), "1º Caso \n\nInformações \nfim\n");  // the no-break space shows as a blank
  EXPECT_EQ(Items(memo.Lines()), Items(lines));
  EXPECT_EQ(memo.Lines().Text(), lines.Text());
  memo.SetLines(TStringList());
  EXPECT_EQ(memo.Lines().Count(), 0);
}

TEST(TMemo, KeysReachOnKeyDownWithTheirShiftStateAndTabMovesOnWithoutTyping) {
  QWidget window;
  auto *memo = new TMemo(&window);
  auto *next = new QLineEdit(&window);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  memo->setFocus();
  std::vector<std::pair<WORD, TShiftState>> down;
  memo->OnKeyDown = [&](TObject *, WORD &key, TShiftState shift) {
    down.emplace_back(key, shift);
    if (key == VK_F9) key = 0;
  };
  QTest::keyClick(memo, Qt::Key_F9, Qt::ControlModifier);  // the Ctrl key itself comes first
  QTest::keyClick(memo, Qt::Key_F9, Qt::ShiftModifier);
  QTest::keyClick(memo, Qt::Key_A);
  EXPECT_EQ(down, (std::vector<std::pair<WORD, TShiftState>>{
                      {VK_CONTROL, {ssCtrl}}, {VK_F9, {ssCtrl}}, {VK_SHIFT, {ssShift}}, {VK_F9, {ssShift}}, {'A', {}}}));
  QTest::keyClick(memo, Qt::Key_Tab);
  EXPECT_EQ(memo->toPlainText(), "a");
  EXPECT_TRUE(next->hasFocus());
}

}  // namespace
