#pragma once
// Windowed controls and the mouse types of the class library.

#include "platform/vcl/Classes.h"
#include "platform/win/Windows.h"

#include <functional>
#include <initializer_list>

// A control with a window of its own; the window is made on first use of Handle.
class TWinControl : public TComponent {
 public:
  using TComponent::TComponent;
  virtual HWND Handle() = 0;
  virtual bool HandleAllocated() const = 0;
};

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };

// A set of TShiftStateItem.
class TShiftState {
 public:
  TShiftState() = default;
  TShiftState(std::initializer_list<TShiftStateItem> items) {
    for (TShiftStateItem item : items) *this << item;
  }
  TShiftState &operator<<(TShiftStateItem item) {
    bits_ |= 1u << item;
    return *this;
  }
  TShiftState operator+(TShiftStateItem item) const {
    TShiftState result = *this;
    return result << item;
  }
  bool Contains(TShiftStateItem item) const { return (bits_ >> item) & 1u; }
  bool Empty() const { return bits_ == 0; }
  bool operator==(const TShiftState &) const = default;

 private:
  unsigned bits_ = 0;
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TMouseEvent = std::function<void(TObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject *Sender, TShiftState Shift, int X, int Y)>;
