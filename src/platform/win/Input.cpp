// Cursor position, key state and double-click time from the desktop, or as a test fixed them.

#include "platform/win/Windows.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStyleHints>
#include <map>
#include <optional>

namespace {
struct InputSeam {
  std::optional<POINT> cursor;
  bool cursorFails = false;
  std::map<int, bool> keys;
  std::optional<UINT> doubleClickTime;
};
InputSeam &Seam() {
  static InputSeam seam;
  return seam;
}
}  // namespace

BOOL GetCursorPos(POINT *point) {
  if (!point) return 0;
  if (Seam().cursorFails) return 0;
  if (Seam().cursor) {
    *point = *Seam().cursor;
    return 1;
  }
  if (!QGuiApplication::instance()) return 0;
  const QPoint p = QCursor::pos();
  *point = {p.x(), p.y()};
  return 1;
}

SHORT GetAsyncKeyState(int virtualKey) {
  constexpr SHORT down = static_cast<SHORT>(0x8000);
  if (auto it = Seam().keys.find(virtualKey); it != Seam().keys.end()) return it->second ? down : 0;
  if (!QGuiApplication::instance()) return 0;
  const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
  switch (virtualKey) {
    case VK_SHIFT: return modifiers.testFlag(Qt::ShiftModifier) ? down : 0;
    case VK_CONTROL: return modifiers.testFlag(Qt::ControlModifier) ? down : 0;
    case VK_MENU: return modifiers.testFlag(Qt::AltModifier) ? down : 0;
    default: return 0;
  }
}

UINT GetDoubleClickTime() {
  if (Seam().doubleClickTime) return *Seam().doubleClickTime;
  if (!QGuiApplication::instance()) return 500;
  return static_cast<UINT>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

void SetCursorPosForTesting(POINT point) { Seam().cursor = point; }
void SetCursorPosFailsForTesting(bool fails) { Seam().cursorFails = fails; }
void SetKeyDownForTesting(int virtualKey, bool down) { Seam().keys[virtualKey] = down; }
void SetDoubleClickTimeForTesting(UINT milliseconds) { Seam().doubleClickTime = milliseconds; }
void ResetInputForTesting() { Seam() = InputSeam{}; }
