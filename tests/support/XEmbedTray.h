#pragma once
// An XEmbed tray of the desktop's panels, trayer, started on the test's X display; the icons Qt makes
// when no D-Bus tray was there at its first look dock into it.

#include <QProcess>
#include <QWidget>

class XEmbedTray {
 public:
  ~XEmbedTray() { Stop(); }
  // Empty when the tray runs; otherwise why it cannot.
  QString Start();
  void Stop();
  // Qt's own window of the icon in such a tray, when one is shown.
  static QWidget *IconWindow();

 private:
  QProcess trayer_;
};
