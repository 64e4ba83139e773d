#include "platform/win/ShellApi.h"

#include "platform/win/Icons.h"

#include <QApplication>
#include <QPixmap>
#include <cstring>

namespace {
// What a click on the tray sends, in order; shell version 3 adds its own notice after the release.
std::vector<UINT> CallbacksOf(QSystemTrayIcon::ActivationReason reason, UINT version) {
  const bool version3 = version == NOTIFYICON_VERSION;
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      if (version3) return {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT};
      return {WM_LBUTTONDOWN, WM_LBUTTONUP};
    case QSystemTrayIcon::DoubleClick: return {WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    case QSystemTrayIcon::Context:
      if (version3) return {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU};
      return {WM_RBUTTONDOWN, WM_RBUTTONUP};
    case QSystemTrayIcon::MiddleClick: return {WM_MBUTTONDOWN, WM_MBUTTONUP};
    default: return {};
  }
}

// A tray on the session bus (StatusNotifierItem) reports every left click as Trigger and never a double
// click: as the shell does with two presses, a second click within the double-click time is one. The
// XEmbed tray and the corner window report the double click themselves (Trigger, then DoubleClick), and
// that pair stays one click and one double click.
QSystemTrayIcon::ActivationReason PairClicks(TShellIcon &icon, QSystemTrayIcon::ActivationReason reason) {
  const auto now = std::chrono::steady_clock::now();
  if (reason == QSystemTrayIcon::Trigger && icon.LastClick &&
      now - *icon.LastClick <= std::chrono::milliseconds(GetDoubleClickTime()))
    reason = QSystemTrayIcon::DoubleClick;
  icon.LastClick.reset();
  if (reason == QSystemTrayIcon::Trigger) icon.LastClick = now;
  return reason;
}

QIcon ShownImage(const QIcon &image) {
  if (!image.isNull()) return image;
  QPixmap blank(16, 16);  // an icon without image keeps its place in the tray
  blank.fill(Qt::transparent);
  return QIcon(blank);
}
}  // namespace

TNotificationArea &NotificationArea() {
  static auto *area = new TNotificationArea;  // never destroyed; its mirrors go with the Qt application
  return *area;
}

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA *data) { return NotificationArea().NotifyIcon(message, data); }

TShellIcon *TNotificationArea::Find(HWND window, UINT id) {
  for (auto &icon : icons_)
    if (icon->Window == window && icon->Id == id) return icon.get();
  return nullptr;
}

const TShellIcon *TNotificationArea::FindIcon(HWND window, UINT id) const {
  return const_cast<TNotificationArea *>(this)->Find(window, id);
}

bool TNotificationArea::DropIconsOfDeadWindows() {
  // The shell forgets the icons of windows that went without deleting them.
  return std::erase_if(icons_, [](const std::unique_ptr<TShellIcon> &icon) {
           return !IsSameWindow(icon->Window, icon->WindowSerial);
         }) > 0;
}

BOOL TNotificationArea::NotifyIcon(DWORD message, const NOTIFYICONDATAA *data) {
  BOOL answer = 0;
  TShellCall call;
  call.Message = message;
  if (data) call.Record = *data;
  const bool dropped = DropIconsOfDeadWindows();

  if (data && data->cbSize == NOTIFYICONDATAA_SIZE) {
    TShellIcon *icon = Find(data->hWnd, data->uID);
    switch (message) {
      case NIM_ADD:
        if (!icon && IsWindow(data->hWnd)) {
          auto added = std::make_unique<TShellIcon>();
          added->Window = data->hWnd;
          added->WindowSerial = data->hWnd->Serial();
          added->Id = data->uID;
          Apply(*added, *data);
          icons_.push_back(std::move(added));
          answer = 1;
        }
        break;
      case NIM_MODIFY:
        if (icon) {
          Apply(*icon, *data);
          answer = 1;
        }
        break;
      case NIM_DELETE:
        if (icon) {
          std::erase_if(icons_, [icon](const auto &i) { return i.get() == icon; });
          answer = 1;
        }
        break;
      case NIM_SETVERSION:
        if (icon && (data->uVersion == 0 || data->uVersion == NOTIFYICON_VERSION)) {
          icon->Version = data->uVersion;
          answer = 1;
        }
        break;
      default: break;
    }
  }
  call.Answer = answer;
  calls_.push_back(call);
  if (dropped || (answer && message != NIM_SETVERSION)) ShowOnDesktop();
  return answer;
}

void TNotificationArea::Apply(TShellIcon &icon, const NOTIFYICONDATAA &data) {
  if (data.uFlags & NIF_MESSAGE) icon.CallbackMessage = data.uCallbackMessage;
  if (data.uFlags & NIF_ICON) {
    icon.Handle = data.hIcon;
    icon.Image = IconImage(data.hIcon);
  }
  if (data.uFlags & NIF_TIP) {
    // The tip ends at its NUL; the record's last byte always counts as one.
    const std::size_t length = strnlen(data.szTip, sizeof data.szTip - 1);
    icon.Tip.assign(data.szTip, length);
  }
}

bool TNotificationArea::TrayAvailable() {
  if (trayForced_) return *trayForced_;
  if (!trayWatch_ && qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    trayWatch_ = new TTrayWatch([this] { ShowOnDesktop(); }, QCoreApplication::instance());
  return trayWatch_ && trayWatch_->Available();
}

void TNotificationArea::SetTrayAvailableForTesting(std::optional<bool> available) {
  trayForced_ = available;
  ShowOnDesktop();
}

void TNotificationArea::ShowOnDesktop() {
  const bool onTray = TrayAvailable();
  if (!reach_ && qobject_cast<QApplication *>(QCoreApplication::instance())) {
    // Qt's own window of an icon in an XEmbed tray is of a class it does not publish.
    reach_ = new TIconWindowsReach(
        [this](const QWidget *window) { return window == corner_.data() || window->inherits("QSystemTrayIconSys"); });
  }
  std::vector<TCornerArea::Entry> cornerIcons;
  for (const auto &icon : icons_) {
    if (onTray) {
      Mirror(*icon);
    } else {
      delete icon->Mirror.data();
      cornerIcons.push_back({icon->Window, icon->Id, ShownImage(icon->Image), icon->Tip});
    }
  }
  if (!cornerIcons.empty() && !corner_ && qobject_cast<QApplication *>(QCoreApplication::instance())) {
    corner_ = new TCornerArea([this](HWND window, UINT id, QSystemTrayIcon::ActivationReason reason) {
      Activate(window, id, reason);
    });
  }
  if (corner_) corner_->ShowIcons(cornerIcons);
}

void TNotificationArea::Mirror(TShellIcon &icon) {
  if (!icon.Mirror) {
    icon.Mirror = new QSystemTrayIcon(QCoreApplication::instance());
    const HWND window = icon.Window;
    const UINT id = icon.Id;
    QObject::connect(icon.Mirror.data(), &QSystemTrayIcon::activated,
                     [this, window, id](QSystemTrayIcon::ActivationReason reason) { Activate(window, id, reason); });
  }
  icon.Mirror->setIcon(ShownImage(icon.Image));
  icon.Mirror->setToolTip(ToQString(icon.Tip));
  icon.Mirror->show();
}

void TNotificationArea::Activate(HWND window, UINT id, QSystemTrayIcon::ActivationReason reason) {
  TShellIcon *shown = Find(window, id);
  // An icon whose window went stays on show until the next shell call, and takes no click.
  if (!shown || !IsSameWindow(window, shown->WindowSerial)) return;
  for (UINT callback : CallbacksOf(PairClicks(*shown, reason), shown->Version))
    PostMessageA(window, shown->CallbackMessage, id, callback);
}

bool TNotificationArea::InjectCallback(HWND window, UINT id, LPARAM mouseMessage) {
  if (DropIconsOfDeadWindows()) ShowOnDesktop();
  const TShellIcon *icon = FindIcon(window, id);
  if (!icon) return false;
  SendMessageA(window, icon->CallbackMessage, id, mouseMessage);
  return true;
}

void TNotificationArea::RecreateTaskbar() {
  icons_.clear();
  ShowOnDesktop();
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  ForEachTopLevelWindow([&](HWND window) { SendMessageA(window, taskbarCreated, 0, 0); });
}
