#pragma once
// The few Windows types and window operations the system calls. A window is an object of ours with a
// replaceable window procedure; forms translate their Qt events into the messages below.

#include <cstdint>
#include <functional>
#include <utility>

using UINT = unsigned int;
using DWORD = std::uint32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using LONG = std::int32_t;
using SHORT = std::int16_t;

struct POINT {
  LONG x = 0;
  LONG y = 0;
  bool operator==(const POINT &) const = default;
};

class TWindow;
using HWND = TWindow *;
struct HICON__;
using HICON = HICON__ *;  // platform/win/Icons.h makes and reads them

// A window procedure. Windows keeps it as a code address; we keep an object whose address stands for it.
class TWindowProc {
 public:
  virtual ~TWindowProc() = default;
  virtual LRESULT Call(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};
using WNDPROC = TWindowProc *;

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYENDSESSION = 0x0011;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ENDSESSION = 0x0016;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_WINDOWPOSCHANGED = 0x0047;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_USER = 0x0400;

constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_RESTORE = 0xF120;
constexpr LPARAM SW_PARENTCLOSING = 1;
constexpr LPARAM SW_PARENTOPENING = 3;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;
constexpr int GWL_WNDPROC = -4;

// A window: its procedure, its visible and minimized flags, and what the desktop does with it.
class TWindow {
 public:
  explicit TWindow(WNDPROC defaultProc, bool topLevel = true);
  virtual ~TWindow();
  TWindow(const TWindow &) = delete;
  TWindow &operator=(const TWindow &) = delete;

  WNDPROC Proc = nullptr;
  bool TopLevel = true;  // receives broadcasts such as "TaskbarCreated"

  // What showing, hiding and activating does on the desktop; the default only keeps the flags.
  virtual void DoShow(int command);
  virtual void DoSetForeground() {}
  bool Visible() const { return visible_; }
  bool Minimized() const { return minimized_; }
  bool Destroyed() const { return destroyed_; }
  void MarkDestroyed() { destroyed_ = true; }
  // WM_DESTROY and WM_NCDESTROY go to the window, then it is gone for IsWindow and its timers stop.
  // The object itself stays with its owner.
  void Destroy();
  // Tells this window from a later one made at the same address.
  std::uint64_t Serial() const { return serial_; }

  // A window destroyed from inside one of its own messages goes once that message is answered.
  int DispatchDepth = 0;
  bool DeleteWhenIdle = false;

 protected:
  bool visible_ = false;
  bool minimized_ = false;
  bool destroyed_ = false;
  std::uint64_t serial_ = 0;
};

// A window procedure that calls a plain function object: the default procedures of our windows.
template <typename F>
class TFunctionProc final : public TWindowProc {
 public:
  explicit TFunctionProc(F f) : f_(std::move(f)) {}
  LRESULT Call(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    return f_(window, message, wParam, lParam);
  }

 private:
  F f_;
};

// Every live window, for broadcasts; nothing is owned here.
bool IsWindow(HWND window);
// The window is alive and is the one that had this serial number.
bool IsSameWindow(HWND window, std::uint64_t serial);
void ForEachTopLevelWindowImpl(void (*visit)(HWND, void *), void *context);
template <typename Visit>
void ForEachTopLevelWindow(Visit visit) {
  ForEachTopLevelWindowImpl([](HWND w, void *c) { (*static_cast<Visit *>(c))(w); }, &visit);
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LONG_PTR GetWindowLongA(HWND window, int index);
LONG_PTR SetWindowLongA(HWND window, int index, LONG_PTR value);
BOOL IsWindowVisible(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL SetForegroundWindow(HWND window);
// The window brought to the front last, while it lives.
HWND GetForegroundWindow();

// Messages posted to a window are delivered later by the Qt event loop, unless the window is gone by then.
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// One number per name for the whole process (names compared without case), from 0xC000 up.
UINT RegisterWindowMessageA(const char *name);

// Window timers: WM_TIMER with the id in WParam every elapse ms, through the Qt event loop (also inside
// modal loops). Setting an id the window already has replaces that timer. A window's timers die with it.
constexpr UINT USER_TIMER_MINIMUM = 10;
std::uintptr_t SetTimer(HWND window, std::uintptr_t id, UINT elapse, void *timerProc);
BOOL KillTimer(HWND window, std::uintptr_t id);
void KillWindowTimers(HWND window);
bool TimerRunningForTesting(HWND window, std::uintptr_t id);

// Input state. Tests fix the answers; ResetInputForTesting gives the desktop's again.
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
BOOL GetCursorPos(POINT *point);
SHORT GetAsyncKeyState(int virtualKey);
UINT GetDoubleClickTime();
void SetCursorPosForTesting(POINT point);
void SetCursorPosFailsForTesting(bool fails);
void SetKeyDownForTesting(int virtualKey, bool down);
void SetDoubleClickTimeForTesting(UINT milliseconds);
void ResetInputForTesting();

// Messages dispatched from the Qt event loop run through this guard, so no exception reaches Qt.
// The class library installs its own (errors go to the application's error box).
using TMessageGuard = void (*)(const std::function<void()> &dispatch);
void SetMessageGuard(TMessageGuard guard);
void RunGuarded(const std::function<void()> &dispatch);
