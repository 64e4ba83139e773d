#include "platform/win/IconWindowsReach.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

TIconWindowsReach::TIconWindowsReach(std::function<bool(const QWidget *)> isIconWindow)
    : QObject(QCoreApplication::instance()), isIconWindow_(std::move(isIconWindow)) {
  QCoreApplication::instance()->installEventFilter(this);
}

bool TIconWindowsReach::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() != QEvent::WindowBlocked || !watched->isWidgetType()) return false;
  auto *widget = static_cast<QWidget *>(watched);
  // Qt has marked the window blocked and then tells it: made a transient now, it is unblocked at once.
  if (widget->isWindow() && isIconWindow_(widget)) Reattach(widget);
  return false;
}

void TIconWindowsReach::Reattach(const QPointer<QWidget> &widget) {
  QWindow *window = widget ? widget->windowHandle() : nullptr;
  if (!window) return;
  QWindow *modal = QGuiApplication::modalWindow();
  if (modal == window) modal = nullptr;
  if (window->transientParent() == modal) return;
  window->setTransientParent(modal);  // Qt then looks again whether the window is blocked
  if (!modal) return;
  // When that one goes, the next modal window beneath it, if any, takes the icon's window.
  connect(modal, &QWindow::visibleChanged, this, [this, widget](bool visible) {
    if (!visible) QTimer::singleShot(0, this, [this, widget] { Reattach(widget); });
  });
}
