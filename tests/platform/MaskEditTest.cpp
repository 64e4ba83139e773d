// The masked edit box as an operator uses it: the text read back, typing, erasing, clicking, pasting and
// a new mask at run time.

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
  enum Way { CtrlV, ShiftInsert, Menu };
  void PasteBy(Way way) {
    if (way == CtrlV) QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    if (way == ShiftInsert) QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
    if (way != Menu) return;
    QTimer::singleShot(0, [] {
      auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      for (QAction *action : menu->actions())
        if (action->text().startsWith(QLineEdit::tr("&Paste"))) action->trigger();
      menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&box, &menuEvent);
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
      {"111444", "111.444.   -  "},
      {"\u00a0\t111.444\u2003\r\n", "111.444.   -  "},  // blanks of every kind around it are set aside
      {"111a44477735", "111.   .   -  "},
      {"111 444 77", "111.   .   -  "},
      {"11.222.333/0001-81", "11 .   .   -  "},  // a CNPJ's point has no place in a CPF
      {"111444777351", "111.444.777-35"},       // nor has a twelfth digit
  };
  for (const auto &c : cases)
    for (Way way : {CtrlV, Menu}) {
      Restart(QString::fromUtf8(c.pasted));
      PasteBy(way);
      EXPECT_EQ(box.Text(), c.text) << c.pasted << " way " << way;
    }
  // Over a selection, from its start.
  box.SetText("111.444.777-35");
  box.setSelection(4, 3);
  QApplication::clipboard()->setText("9");
  box.PasteFromClipboard();
  EXPECT_EQ(box.Text(), "111.9  .777-35");
}

TEST_F(MaskEditTest, AWholeNumberPastedFillsTheBoxFromItsFirstPositionWhateverTheCaret) {
  const struct {
    AnsiString mask;
    const char *pasted, *text;
  } cases[] = {{kCpf, "\u00a0390.533.447-05\u00a0", "390.533.447-05"},
               {kCpf, "\t390 533 447 05\u3000\r\n", "390.533.447-05"},
               {kCnpj, "\u202f11222333000181\u2028", "11.222.333/0001-81"}};
  const std::pair<int, int> carets[] = {{0, 0}, {6, 0}, {14, 0}, {5, 4}};  // start, length of a selection
  for (const auto &c : cases)
    for (const auto &[start, length] : carets)
      for (Way way : {CtrlV, ShiftInsert, Menu}) {
        box.SetEditMask(c.mask);
        Restart(QString::fromUtf8(c.pasted));
        box.SetText("98");
        box.setSelection(start, length);
        PasteBy(way);
        EXPECT_EQ(box.Text(), c.text) << c.pasted << " at " << start << " way " << way;
      }
}

TEST_F(MaskEditTest, AClickIntoABoxWithoutDigitsTypesFromItsFirstPosition) {
  for (const bool twice : {false, true})
    for (const int x : {box.width() / 2, box.width() - 3}) {
      Restart();
      box.clearFocus();
      if (twice) QTest::mouseDClick(&box, Qt::LeftButton, {}, QPoint(x, box.height() / 2));
      else QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(x, box.height() / 2));
      QTest::keyClicks(&box, "39053344705");
      EXPECT_EQ(box.Text(), "390.533.447-05") << x << twice;
    }
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() / 2, box.height() / 2));
  EXPECT_NE(box.cursorPosition(), 0);  // with digits, the caret stays where the click puts it
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
