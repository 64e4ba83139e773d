#pragma once
// On Windows a message box or a modal window disables the program's other windows, but never the shell's
// icon nor the hidden window its clicks go to: the icon's menu stays reachable while a box waits. Qt's
// modal windows block every other window of the program, the icon's own ones too (the XEmbed tray's
// icon, the corner window). Qt blocks no transient of the modal window on top, so while one is shown
// each of the icon's windows is made its transient.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class TIconWindowsReach : public QObject {
 public:
  // isIconWindow tells the icon's windows among the program's top-level widgets.
  explicit TIconWindowsReach(std::function<bool(const QWidget *)> isIconWindow);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void Reattach(const QPointer<QWidget> &widget);

  std::function<bool(const QWidget *)> isIconWindow_;
};
