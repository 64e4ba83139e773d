#include "platform/vcl/Keys.h"

#include "platform/vcl/Events.h"
#include "platform/vcl/Forms.h"

WORD VirtualKeyOf(const QKeyEvent &event) {
  const int key = event.key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return static_cast<WORD>(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return static_cast<WORD>(VK_F1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    default: return 0;
  }
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift;
  if (modifiers.testFlag(Qt::ShiftModifier)) shift << ssShift;
  if (modifiers.testFlag(Qt::ControlModifier)) shift << ssCtrl;
  if (modifiers.testFlag(Qt::AltModifier)) shift << ssAlt;
  return shift;
}

char KeyCharOf(const QKeyEvent &event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return '\r';
    case Qt::Key_Backspace: return '\b';
    case Qt::Key_Escape: return '\x1b';
    default: break;
  }
  const QString text = event.text();
  if (text.size() != 1 || text[0].unicode() < 32) return 0;
  const AnsiString ansi = FromQString(text);
  // A character cp1252 lacks types nothing the system could read.
  return ansi == "?" && text != QStringLiteral("?") ? 0 : ansi[0];
}

bool DispatchKey(TObject *sender, const QKeyEvent &event, const TKeyEvent &onKeyDown,
                 const TKeyPressEvent &onKeyPress) {
  bool pass = true;
  auto run = [&pass](const std::function<void()> &handler) {
    pass = false;  // stays so when the handler raises
    Guarded([&] {
      handler();
      pass = true;
    });
  };
  if (WORD key = VirtualKeyOf(event); onKeyDown && key != 0) {
    run([&] { CallEvent(onKeyDown, sender, key, ShiftStateOf(event.modifiers())); });
    if (!pass || key == 0) return false;
  }
  const char typed = KeyCharOf(event);
  if (onKeyPress && typed != 0) {
    char key = typed;
    run([&] { CallEvent(onKeyPress, sender, key); });
    if (!pass || key == 0) return false;
  }
  return true;
}
