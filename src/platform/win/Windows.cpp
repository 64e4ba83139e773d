#include "platform/win/Windows.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

namespace {
// Never destroyed: windows may still go while the program's static objects are being destroyed.
std::vector<HWND> &LiveWindows() {
  static auto *windows = new std::vector<HWND>;
  return *windows;
}
std::uint64_t nextSerial = 1;

void DefaultGuard(const std::function<void()> &dispatch) {
  try {
    dispatch();
  } catch (const std::exception &error) {
    std::fprintf(stderr, "%s\n", error.what());
  }
}
TMessageGuard messageGuard = &DefaultGuard;
}  // namespace

TWindow::TWindow(WNDPROC defaultProc, bool topLevel)
    : Proc(defaultProc), TopLevel(topLevel), serial_(nextSerial++) {
  LiveWindows().push_back(this);
}

TWindow::~TWindow() {
  KillWindowTimers(this);
  auto &windows = LiveWindows();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

void TWindow::Destroy() {
  SendMessageA(this, WM_DESTROY, 0, 0);
  SendMessageA(this, WM_NCDESTROY, 0, 0);
  MarkDestroyed();
  KillWindowTimers(this);
}

void TWindow::DoShow(int command) {
  switch (command) {
    case SW_HIDE: visible_ = false; break;
    case SW_MINIMIZE: visible_ = true; minimized_ = true; break;
    case SW_RESTORE:
    case SW_SHOWNORMAL: visible_ = true; minimized_ = false; break;
    default: visible_ = true;
  }
}

bool IsWindow(HWND window) {
  const auto &windows = LiveWindows();
  return window && std::find(windows.begin(), windows.end(), window) != windows.end() && !window->Destroyed();
}

bool IsSameWindow(HWND window, std::uint64_t serial) { return IsWindow(window) && window->Serial() == serial; }

void ForEachTopLevelWindowImpl(void (*visit)(HWND, void *), void *context) {
  const std::vector<HWND> snapshot = LiveWindows();  // a visit may create or destroy windows
  for (HWND window : snapshot)
    if (IsWindow(window) && window->TopLevel) visit(window, context);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc->Call(window, message, wParam, lParam) : 0;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(window)) return 0;
  struct Depth {
    HWND window;
    explicit Depth(HWND w) : window(w) { ++window->DispatchDepth; }
    ~Depth() {
      if (--window->DispatchDepth == 0 && window->DeleteWhenIdle) delete window;
    }
  } depth(window);
  return CallWindowProcA(window->Proc, window, message, wParam, lParam);
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }

LONG_PTR GetWindowLongA(HWND window, int index) {
  if (!IsWindow(window) || index != GWL_WNDPROC) return 0;
  return reinterpret_cast<LONG_PTR>(window->Proc);
}

LONG_PTR SetWindowLongA(HWND window, int index, LONG_PTR value) {
  if (!IsWindow(window) || index != GWL_WNDPROC) return 0;
  const LONG_PTR previous = reinterpret_cast<LONG_PTR>(window->Proc);
  window->Proc = reinterpret_cast<WNDPROC>(value);
  return previous;
}

BOOL IsWindowVisible(HWND window) { return IsWindow(window) && window->Visible(); }

BOOL ShowWindow(HWND window, int command) {
  if (!IsWindow(window)) return 0;
  const bool wasVisible = window->Visible();
  window->DoShow(command);
  return wasVisible;
}

namespace {
HWND foreground = nullptr;
std::uint64_t foregroundSerial = 0;
}  // namespace

BOOL SetForegroundWindow(HWND window) {
  if (!IsWindow(window)) return 0;
  foreground = window;
  foregroundSerial = window->Serial();
  window->DoSetForeground();
  return 1;
}

HWND GetForegroundWindow() { return IsSameWindow(foreground, foregroundSerial) ? foreground : nullptr; }

void SetMessageGuard(TMessageGuard guard) { messageGuard = guard ? guard : &DefaultGuard; }

void RunGuarded(const std::function<void()> &dispatch) { messageGuard(dispatch); }
