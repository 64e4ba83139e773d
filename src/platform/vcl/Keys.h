#pragma once
// Keys as the class library hands them to a control's handlers: OnKeyDown gets the virtual key code
// and the shift state, OnKeyPress the character typed. Qt's key events are translated here once; a
// control with key events derives from TKeyControl over its Qt widget.
//
// A handler that sets Key to 0 keeps the key from the control. What a handler raises goes to the
// application's default error box, and the key is then dropped as well.

#include "platform/vcl/Classes.h"
#include "platform/vcl/Controls.h"

#include <QKeyEvent>
#include <cstdint>
#include <functional>

using WORD = std::uint16_t;

constexpr WORD VK_BACK = 8;
constexpr WORD VK_TAB = 9;
constexpr WORD VK_RETURN = 13;
constexpr WORD VK_ESCAPE = 27;
constexpr WORD VK_SPACE = 32;
constexpr WORD VK_PRIOR = 33;
constexpr WORD VK_NEXT = 34;
constexpr WORD VK_END = 35;
constexpr WORD VK_HOME = 36;
constexpr WORD VK_LEFT = 37;
constexpr WORD VK_UP = 38;
constexpr WORD VK_RIGHT = 39;
constexpr WORD VK_DOWN = 40;
constexpr WORD VK_INSERT = 45;
constexpr WORD VK_DELETE = 46;
constexpr WORD VK_F1 = 112;
constexpr WORD VK_F9 = 120;
constexpr WORD VK_F12 = 123;

using TKeyEvent = std::function<void(TObject *Sender, WORD &Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject *Sender, char &Key)>;

// The virtual key of a Qt key event; 0 for a key the system never asks about.
WORD VirtualKeyOf(const QKeyEvent &event);
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);
// The character a key types, in cp1252 (Enter 13, Backspace 8, Escape 27); 0 when it types none.
char KeyCharOf(const QKeyEvent &event);

// Runs OnKeyDown, then OnKeyPress for the character the key types; gives whether the control may
// still act on the key.
bool DispatchKey(TObject *sender, const QKeyEvent &event, const TKeyEvent &onKeyDown,
                 const TKeyPressEvent &onKeyPress);

template <typename Widget>
class TKeyControl : public Widget, public TObject {
 public:
  using Widget::Widget;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;

 protected:
  void keyPressEvent(QKeyEvent *event) override {
    if (DispatchKey(this, *event, OnKeyDown, OnKeyPress)) Widget::keyPressEvent(event);
  }
};
