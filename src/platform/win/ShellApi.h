#pragma once
// The taskbar's notification area. Shell_NotifyIconA talks to one shell object that keeps the icons by
// (window, id) and accepts or refuses as the shell does. Where the desktop has a tray, each icon is mirrored
// to a QSystemTrayIcon (image and tip) whose clicks come back as the icon's callback messages; where it has
// none, the icons are shown in a corner window of our own that takes the same clicks, until a tray
// appears. A box of the program blocks neither. Tests drive the same object: read the calls, inject
// callbacks, re-create the taskbar.

#include "platform/ansi/AnsiString.h"
#include "platform/win/CornerArea.h"
#include "platform/win/IconWindowsReach.h"
#include "platform/win/TrayWatch.h"
#include "platform/win/Windows.h"

#include <QIcon>
#include <QPointer>
#include <QSystemTrayIcon>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

struct NOTIFYICONDATAA {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  char szTip[128];
  DWORD dwState;
  DWORD dwStateMask;
  char szInfo[256];
  union {
    UINT uTimeout;
    UINT uVersion;
  };
  char szInfoTitle[64];
  DWORD dwInfoFlags;
};

// The record's size tells the shell its layout. The tray component sends the one of 488 bytes (a tip of
// 128 bytes, the balloon fields and uVersion); a record of another size is refused.
constexpr DWORD NOTIFYICONDATAA_SIZE = 488;

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;
constexpr DWORD NIM_SETVERSION = 4;
constexpr UINT NIF_MESSAGE = 1;
constexpr UINT NIF_ICON = 2;
constexpr UINT NIF_TIP = 4;
constexpr UINT NOTIFYICON_VERSION = 3;

constexpr UINT NIN_SELECT = WM_USER + 0;
constexpr UINT NIN_KEYSELECT = WM_USER + 1;
constexpr UINT NIN_BALLOONSHOW = WM_USER + 2;
constexpr UINT NIN_BALLOONHIDE = WM_USER + 3;
constexpr UINT NIN_BALLOONTIMEOUT = WM_USER + 4;
constexpr UINT NIN_BALLOONUSERCLICK = WM_USER + 5;

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA *data);

// One call as the shell received it, with its answer.
struct TShellCall {
  DWORD Message = 0;
  NOTIFYICONDATAA Record{};
  BOOL Answer = 0;
};

// An icon in the area; its mirror goes with it.
struct TShellIcon {
  TShellIcon() = default;
  ~TShellIcon() { delete Mirror.data(); }  // the desktop's copy goes with the icon
  TShellIcon(const TShellIcon &) = delete;
  TShellIcon &operator=(const TShellIcon &) = delete;

  HWND Window = nullptr;
  std::uint64_t WindowSerial = 0;
  UINT Id = 0;
  UINT CallbackMessage = 0;
  HICON Handle = nullptr;
  QIcon Image;  // copied when the icon is set, as the shell keeps its own copy
  AnsiString Tip;
  UINT Version = 0;  // 0, or NOTIFYICON_VERSION for the callbacks of shell version 3
  QPointer<QSystemTrayIcon> Mirror;
  // When the last left click that may begin a double click came.
  std::optional<std::chrono::steady_clock::time_point> LastClick;
};

class TNotificationArea {
 public:
  BOOL NotifyIcon(DWORD message, const NOTIFYICONDATAA *data);

  const std::vector<TShellCall> &Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  const std::vector<std::unique_ptr<TShellIcon>> &Icons() const { return icons_; }
  const TShellIcon *FindIcon(HWND window, UINT id) const;

  // Sends a present icon's callback message now, as the shell does on a click; false when the icon is absent.
  bool InjectCallback(HWND window, UINT id, LPARAM mouseMessage);
  // The taskbar restarts: every icon is gone, then "TaskbarCreated" goes to every top-level window.
  void RecreateTaskbar();

  // Whether icons are mirrored to the desktop's tray. Tests may force the answer.
  bool TrayAvailable();
  void SetTrayAvailableForTesting(std::optional<bool> available);
  // The window that stands for the area without a tray; nullptr until it was first needed.
  const TCornerArea *CornerWindow() const { return corner_; }

 private:
  TShellIcon *Find(HWND window, UINT id);
  // True when icons went.
  bool DropIconsOfDeadWindows();
  void Apply(TShellIcon &icon, const NOTIFYICONDATAA &data);
  // Brings the tray, or the corner window without one, in step with the icons.
  void ShowOnDesktop();
  void Mirror(TShellIcon &icon);
  // A click on the icon's picture, wherever it is shown, sent as the shell's callback messages.
  void Activate(HWND window, UINT id, QSystemTrayIcon::ActivationReason reason);

  std::vector<TShellCall> calls_;
  std::vector<std::unique_ptr<TShellIcon>> icons_;
  std::optional<bool> trayForced_;
  QPointer<TCornerArea> corner_;
  QPointer<TTrayWatch> trayWatch_;
  QPointer<TIconWindowsReach> reach_;
};

// The one shell object of the process.
TNotificationArea &NotificationArea();
