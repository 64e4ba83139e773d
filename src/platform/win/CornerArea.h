#pragma once
// The notification area of a desktop that has none (a bare window manager, GNOME without an extension,
// some Wayland sessions): a small window of its own, always on top in the screen's bottom right corner,
// showing each icon with its tip. A click on an icon there counts as the same click on a tray icon.

#include "platform/ansi/AnsiString.h"
#include "platform/win/Windows.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <QFrame>
#include <functional>
#include <vector>

class TCornerArea : public QFrame {
 public:
  struct Entry {
    HWND Window;
    UINT Id;
    QIcon Image;
    AnsiString Tip;
  };
  using TActivated = std::function<void(HWND window, UINT id, QSystemTrayIcon::ActivationReason reason)>;

  explicit TCornerArea(TActivated activated);
  // Shows these icons in this order, or hides the window when there are none.
  void ShowIcons(const std::vector<Entry> &icons);
  // The widget that shows the icon, for tests; nullptr when it is not shown.
  QWidget *IconWidget(HWND window, UINT id) const;

 private:
  class TIconEntry;
  std::vector<TIconEntry *> entries_;
  TActivated activated_;
};
