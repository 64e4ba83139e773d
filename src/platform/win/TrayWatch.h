#pragma once
// Whether the desktop has a tray that takes the program's icons, learnt from the desktop's own notices
// rather than by asking again and again (on a D-Bus desktop each of Qt's answers costs a connection of its
// own to the bus): the session bus says when the name of the StatusNotifierWatcher changes owner (KDE
// Plasma, GNOME's AppIndicator extension, Xfce's status tray), the X server when the owner of the tray
// selection changes (the XEmbed trays). The tray is asked once at the start and once after each notice.
//
// Qt makes the icons of one kind for the whole run: D-Bus items when a StatusNotifierWatcher with a host
// was there at its first look, XEmbed icons otherwise. A tray of the other kind cannot hold them, so it
// counts as no tray.

#include <QObject>
#include <functional>

class TTrayWatch : public QObject {
  Q_OBJECT

 public:
  // changed runs whenever the answer changes.
  TTrayWatch(std::function<void()> changed, QObject *parent);
  bool Available() const { return available_; }

 private slots:
  void Recheck();

 private:
  bool Present() const;

  std::function<void()> changed_;
  bool dbusIcons_ = false;
  bool available_ = false;
};
