// Keys as the system's handlers see them: virtual keys and shift state on key down, the character typed
// on key press, and a handler's power to keep the key from the control.

#include "platform/sys/Exceptions.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/Edits.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

struct KeyCase {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  QString text;
  WORD virtualKey;
  char typed;
  TShiftState shift;
};

TEST(Keys, QtKeysBecomeVirtualKeysAndCharacters) {
  const KeyCase cases[] = {
      {Qt::Key_Return, Qt::NoModifier, "\r", VK_RETURN, '\r', {}},
      {Qt::Key_Enter, Qt::KeypadModifier, "\r", VK_RETURN, '\r', {}},
      {Qt::Key_F9, Qt::ShiftModifier, "", VK_F9, 0, {ssShift}},
      {Qt::Key_F9, Qt::ControlModifier | Qt::AltModifier, "", VK_F9, 0, {ssCtrl, ssAlt}},
      {Qt::Key_A, Qt::ShiftModifier, "A", 'A', 'A', {ssShift}},
      {Qt::Key_7, Qt::NoModifier, "7", '7', '7', {}},
      {Qt::Key_Backspace, Qt::NoModifier, "\b", VK_BACK, '\b', {}},
      {Qt::Key_Ccedilla, Qt::NoModifier, QString::fromUtf8("ç"), 0, '\xe7', {}},
      {Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("€"), 0, '\x80', {}},
      {Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("ж"), 0, 0, {}},
  };
  for (const KeyCase &c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.text);
    EXPECT_EQ(VirtualKeyOf(event), c.virtualKey) << c.text.toStdString();
    EXPECT_EQ(KeyCharOf(event), c.typed) << c.text.toStdString();
    EXPECT_EQ(ShiftStateOf(c.modifiers), c.shift) << c.text.toStdString();
  }
}

TEST(Keys, AHandlerThatClearsTheKeyOrRaisesKeepsItFromTheBox) {
  MessageBoxSeam boxes([](const TMessageBoxCall &) { return IDOK; });
  TEdit edit(nullptr);
  std::vector<WORD> down;
  edit.OnKeyDown = [&](TObject *, WORD &key, TShiftState) { down.push_back(key); };
  edit.OnKeyPress = [](TObject *, char &key) {
    if (key == 'x') key = 0;
    if (key == 'r') throw EConvertError("raised");
  };
  QTest::keyClicks(&edit, "axbrc");
  EXPECT_EQ(edit.text(), "abc");
  EXPECT_EQ(down, (std::vector<WORD>{'A', 'X', 'B', 'R', 'C'}));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].Text, "raised.");

  edit.OnKeyDown = [](TObject *, WORD &key, TShiftState) {
    if (key == VK_BACK) key = 0;
  };
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.text(), "abc");
}

}  // namespace
