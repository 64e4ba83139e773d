// Posted messages and window timers on the Qt event loop. Each carries the window's serial number, so
// nothing reaches a window that is gone or a new window made at the same address.

#include "platform/win/Windows.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QTimerEvent>
#include <map>
#include <utility>
#include <vector>

namespace {

struct TimerEntry {
  HWND window;
  std::uint64_t serial;
  std::uintptr_t id;
};

// Receives the Qt timers of every window timer and turns their events into WM_TIMER.
class TimerHost : public QObject {
 public:
  // Qt timer id -> window timer; (window, id) -> Qt timer id.
  std::map<int, TimerEntry> byQtId;
  std::map<std::pair<HWND, std::uintptr_t>, int> byWindowId;

  void Drop(int qtId) {
    auto it = byQtId.find(qtId);
    if (it == byQtId.end()) return;
    byWindowId.erase({it->second.window, it->second.id});
    byQtId.erase(it);
    killTimer(qtId);
  }

 protected:
  void timerEvent(QTimerEvent *event) override {
    auto it = byQtId.find(event->timerId());
    if (it == byQtId.end()) return;
    const TimerEntry entry = it->second;
    if (!IsSameWindow(entry.window, entry.serial)) {
      Drop(event->timerId());
      return;
    }
    RunGuarded([&] { SendMessageA(entry.window, WM_TIMER, entry.id, 0); });
  }
};

// Made with the Qt application and gone with it; the timers of a new application start afresh.
// The pointer itself is never destroyed: windows may go while static objects are being destroyed.
TimerHost *Host() {
  static auto *host = new QPointer<TimerHost>;
  if (!*host && QCoreApplication::instance()) {
    *host = new TimerHost;
    (*host)->setParent(QCoreApplication::instance());
  }
  return *host;
}

}  // namespace

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(window) || !QCoreApplication::instance()) return 0;
  const std::uint64_t serial = window->Serial();
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [=] {
        if (IsSameWindow(window, serial))
          RunGuarded([&] { SendMessageA(window, message, wParam, lParam); });
      },
      Qt::QueuedConnection);
  return 1;
}

std::uintptr_t SetTimer(HWND window, std::uintptr_t id, UINT elapse, void *) {
  TimerHost *host = Host();
  if (!IsWindow(window) || !host) return 0;
  if (elapse < USER_TIMER_MINIMUM) elapse = USER_TIMER_MINIMUM;
  if (auto it = host->byWindowId.find({window, id}); it != host->byWindowId.end()) host->Drop(it->second);
  const int qtId = host->startTimer(static_cast<int>(elapse), Qt::PreciseTimer);
  if (qtId == 0) return 0;
  host->byQtId[qtId] = {window, window->Serial(), id};
  host->byWindowId[{window, id}] = qtId;
  return id ? id : 1;
}

BOOL KillTimer(HWND window, std::uintptr_t id) {
  TimerHost *host = Host();
  if (!host) return 0;
  auto it = host->byWindowId.find({window, id});
  if (it == host->byWindowId.end()) return 0;
  host->Drop(it->second);
  return 1;
}

void KillWindowTimers(HWND window) {
  TimerHost *host = Host();
  if (!host) return;
  std::vector<int> ids;
  for (const auto &[key, qtId] : host->byWindowId)
    if (key.first == window) ids.push_back(qtId);
  for (int qtId : ids) host->Drop(qtId);
}

bool TimerRunningForTesting(HWND window, std::uintptr_t id) {
  TimerHost *host = Host();
  return host && host->byWindowId.count({window, id}) > 0;
}
