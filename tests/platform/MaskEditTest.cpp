// The masked edit box as an operator uses it: the text read back, typing, erasing, pasting and a new
// mask at run time.

#include "platform/vcl/Mask.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const AnsiString kCpf = "!999.999.999-99;1;_";
const AnsiString kCnpj = "!99.999.999/9999-99;1;_";

class MaskEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box.SetEditMask(kCpf);
    box.show();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    box.setFocus();
    box.home(false);
  }
  void Restart(const QString &clipboard = {}) {
    box.SetText("");
    box.home(false);
    QApplication::clipboard()->setText(clipboard);
  }
  TMaskEdit box{nullptr};
};

TEST_F(MaskEditTest, TypingFillsThePositionsAndTheTextKeepsLiteralsAndBlanks) {
  EXPECT_EQ(box.Text(), "   .   .   -  ");
  EXPECT_EQ(box.displayText(), "___.___.___-__");
  QTest::keyClicks(&box, "1114447");
  EXPECT_EQ(box.Text(), "111.444.7  -  ");
  // Letters, blanks and the digits of other scripts are not typed.
  for (const QChar c : QString::fromUtf8("a ²٣_")) {
    QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&box, &event);
  }
  QTest::keyClicks(&box, "7735");
  EXPECT_EQ(box.Text(), "111.444.777-35");
  Restart();
  QTest::keyClicks(&box, "111.444.777-35");  // with its points
  EXPECT_EQ(box.Text(), "111.444.777-35");
}

TEST_F(MaskEditTest, BackspaceDeleteHomeAndEndEraseAndMove) {
  QTest::keyClicks(&box, "1114");
  for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace}) QTest::keyClick(&box, key);
  EXPECT_EQ(box.Text(), "1  .   .   -  ");
  QTest::keyClicks(&box, "23");
  QTest::keyClick(&box, Qt::Key_Home);
  QTest::keyClick(&box, Qt::Key_Delete);
  EXPECT_EQ(box.Text(), " 23.   .   -  ");
  QTest::keyClick(&box, Qt::Key_End);
  EXPECT_EQ(box.cursorPosition(), 14);
  // Entered again other than by a click, the box types from its first position.
  box.clearFocus();
  box.setFocus();
  QTest::keyClicks(&box, "9");
  EXPECT_EQ(box.Text(), "9  .   .   -  ");
}

TEST_F(MaskEditTest, APasteFillsFromTheCaretUpToItsFirstCharacterWithoutAPlace) {
  const struct {
    const char *pasted;
    const char *text;
  } cases[] = {
      {"111.444.777-35", "111.444.777-35"},     {"11144477735", "111.444.777-35"},
      {" 111.444.777-35\r\n", "111.444.777-35"}, {"111444", "111.444.   -  "},
      {"111a44477735", "111.   .   -  "},       {"111 444 777 35", "111.   .   -  "},
      {"11.222.333/0001-81", "11 .   .   -  "},  // a CNPJ's point has no place in a CPF
      {"111444777351", "111.444.777-35"},       // nor has a twelfth digit
  };
  for (const auto &c : cases) {
    Restart(c.pasted);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), c.text) << c.pasted;
  }
  // The context menu's paste follows the same rule.
  Restart("111a44477735");
  QTimer::singleShot(0, [] {
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction *action : menu->actions())
      if (action->text().startsWith(QLineEdit::tr("&Paste"))) action->trigger();
    menu->close();
  });
  QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(&box, &menuEvent);
  EXPECT_EQ(box.Text(), "111.   .   -  ");
  // Over a selection, from its start.
  box.SetText("111.444.777-35");
  box.setSelection(4, 3);
  QApplication::clipboard()->setText("9");
  box.PasteFromClipboard();
  EXPECT_EQ(box.Text(), "111.9  .777-35");
}

TEST_F(MaskEditTest, ANewMaskKeepsThePositionsTypedInTheirOrder) {
  QTest::keyClicks(&box, "11144477735");
  box.SetEditMask(kCnpj);
  EXPECT_EQ(box.EditMask(), kCnpj);
  EXPECT_EQ(box.Text(), "11.144.477/735 -  ");
  box.SetEditMask(kCpf);
  EXPECT_EQ(box.Text(), "111.444.777-35");
  Restart();
  box.SetEditMask(kCnpj);
  EXPECT_EQ(box.Text(), "  .   .   /    -  ");
  QTest::keyClicks(&box, "11222333000181");
  EXPECT_EQ(box.Text(), "11.222.333/0001-81");
}

}  // namespace
