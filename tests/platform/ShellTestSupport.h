#pragma once
// What the shell's tests share: a window that records the messages it gets, and an icon's record.

#include "platform/vcl/MessageWindows.h"
#include "platform/win/ShellApi.h"

#include <cstring>
#include <utility>
#include <vector>

// A hidden window that records the callbacks and broadcasts it gets.
struct Receiver {
  std::vector<std::pair<UINT, LPARAM>> got;
  HWND window = AllocateHWnd([this](TMessage &m) {
    got.emplace_back(m.Msg, m.LParam);
    m.Result = 0;
  });
  ~Receiver() { DeallocateHWnd(window); }
  std::vector<LPARAM> Callbacks() const {
    std::vector<LPARAM> result;
    for (const auto &[msg, lParam] : got)
      if (msg == 0x800) result.push_back(lParam);
    return result;
  }
};

inline NOTIFYICONDATAA Record(HWND window, UINT id, const char *tip = "") {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_SIZE;
  data.hWnd = window;
  data.uID = id;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = 0x800;
  std::strncpy(data.szTip, tip, sizeof data.szTip - 1);
  return data;
}
