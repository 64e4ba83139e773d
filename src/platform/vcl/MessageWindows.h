#pragma once
// Hidden windows whose messages go to a method of an object, and window-procedure stubs that forward a
// window's messages to such a method (used to replace a window's procedure).

#include "platform/win/Windows.h"

#include <functional>

using TWndMethod = std::function<void(TMessage &Message)>;

// A hidden top-level window; every message goes to the method, whose Message.Result is the answer.
HWND AllocateHWnd(TWndMethod method);
// Destroys it (WM_DESTROY and WM_NCDESTROY first, its timers with it). Safe inside one of its own messages.
void DeallocateHWnd(HWND window);

// A callable window procedure that forwards to the method; valid until FreeObjectInstance.
WNDPROC MakeObjectInstance(TWndMethod method);
void FreeObjectInstance(WNDPROC instance);
