#include "platform/win/CornerArea.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

// One icon: its image and its tip beside it. Its presses are reported as the tray does on X11: a press
// is a click (Trigger, Context, MiddleClick) and a second left press within the double-click time a
// double click.
class TCornerArea::TIconEntry : public QWidget {
 public:
  explicit TIconEntry(TCornerArea *area) : QWidget(area), area_(area) {
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 6, 2);
    image_ = new QLabel(this);
    tip_ = new QLabel(this);
    layout->addWidget(image_);
    layout->addWidget(tip_);
  }
  void Show(const Entry &entry) {
    entry_ = entry;
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize) * 3 / 2;
    image_->setPixmap(entry.Image.pixmap(size, size));
    image_->setFixedSize(size, size);
    tip_->setText(ToQString(entry.Tip));
    tip_->setVisible(!entry.Tip.empty());
    setToolTip(ToQString(entry.Tip));
  }
  const Entry &Shown() const { return entry_; }

 protected:
  void mousePressEvent(QMouseEvent *event) override {
    switch (event->button()) {
      case Qt::LeftButton: Report(QSystemTrayIcon::Trigger); break;
      case Qt::RightButton: Report(QSystemTrayIcon::Context); break;
      case Qt::MiddleButton: Report(QSystemTrayIcon::MiddleClick); break;
      default: break;
    }
  }
  void mouseDoubleClickEvent(QMouseEvent *event) override {
    if (event->button() == Qt::LeftButton) Report(QSystemTrayIcon::DoubleClick);
  }

 private:
  void Report(QSystemTrayIcon::ActivationReason reason) { area_->activated_(entry_.Window, entry_.Id, reason); }

  TCornerArea *area_;
  QLabel *image_;
  QLabel *tip_;
  Entry entry_{};
};

TCornerArea::TCornerArea(TActivated activated)
    : QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      activated_(std::move(activated)) {
  setObjectName(QStringLiteral("NotificationArea"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TCornerArea::ShowIcons(const std::vector<Entry> &icons) {
  while (entries_.size() > icons.size()) {
    delete entries_.back();
    entries_.pop_back();
  }
  while (entries_.size() < icons.size()) {
    entries_.push_back(new TIconEntry(this));
    layout()->addWidget(entries_.back());
  }
  for (std::size_t i = 0; i < icons.size(); ++i) entries_[i]->Show(icons[i]);
  if (icons.empty()) {
    hide();
    return;
  }
  setWindowTitle(ToQString(icons.front().Tip));  // in the desktop's window lists
  adjustSize();
  if (const QScreen *screen = QGuiApplication::primaryScreen()) {
    const QRect free = screen->availableGeometry();
    move(free.right() - width() + 1, free.bottom() - height() + 1);
  }
  show();
  raise();
}

QWidget *TCornerArea::IconWidget(HWND window, UINT id) const {
  for (TIconEntry *entry : entries_)
    if (entry->Shown().Window == window && entry->Shown().Id == id) return isVisible() ? entry : nullptr;
  return nullptr;
}
