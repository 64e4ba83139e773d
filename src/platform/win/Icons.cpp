#include "platform/win/Icons.h"

#include <QPainter>
#include <QPixmap>
#include <set>

struct HICON__ {
  QIcon image;
  bool shared = false;
};

namespace {
std::set<HICON> &LiveIcons() {
  static auto *icons = new std::set<HICON>;  // never destroyed
  return *icons;
}

QIcon WindowsLogo() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.fillRect(2, 2, 13, 13, QColor(0xF2, 0x50, 0x22));
  painter.fillRect(17, 2, 13, 13, QColor(0x7F, 0xBA, 0x00));
  painter.fillRect(2, 17, 13, 13, QColor(0x00, 0xA4, 0xEF));
  painter.fillRect(17, 17, 13, 13, QColor(0xFF, 0xB9, 0x00));
  return QIcon(pixmap);
}
}  // namespace

HICON CreateIconFromImage(const QIcon &image) {
  if (image.isNull()) return nullptr;
  auto *icon = new HICON__{image, false};
  LiveIcons().insert(icon);
  return icon;
}

BOOL DestroyIcon(HICON icon) {
  if (!LiveIcons().count(icon)) return 0;
  if (icon->shared) return 1;
  LiveIcons().erase(icon);
  delete icon;
  return 1;
}

QIcon IconImage(HICON icon) { return LiveIcons().count(icon) ? icon->image : QIcon(); }

HICON LoadIconA(void *instance, std::uintptr_t name) {
  if (instance || name != IDI_WINLOGO) return nullptr;
  static HICON logo = nullptr;
  if (!logo) {
    logo = CreateIconFromImage(WindowsLogo());
    if (logo) logo->shared = true;
  }
  return logo;
}
