#include "platform/vcl/Fonts.h"

#include <QFontDatabase>
#include <QWidget>
#include <QStringList>
#include <map>

namespace {

// Closest matches first: metric-compatible families, then look-alikes, then the desktop's own sans.
const std::map<QString, QStringList> &Substitutes() {
  static const std::map<QString, QStringList> table = {
      {"arial", {"Liberation Sans", "Arimo", "Nimbus Sans", "Helvetica", "DejaVu Sans"}},
      {"ms sans serif", {"Microsoft Sans Serif", "Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans"}},
      {"tahoma", {"DejaVu Sans", "Liberation Sans", "Nimbus Sans"}},
      {"verdana", {"DejaVu Sans", "Bitstream Vera Sans", "Liberation Sans", "Nimbus Sans"}},
      {"courier new", {"Liberation Mono", "Cousine", "Nimbus Mono PS", "DejaVu Sans Mono"}},
      {"times new roman", {"Liberation Serif", "Tinos", "Nimbus Roman", "DejaVu Serif"}},
  };
  return table;
}

}  // namespace

QString InstalledFamily(const QString &family) {
  if (QFontDatabase::hasFamily(family)) return family;
  const auto it = Substitutes().find(family.toLower());
  if (it == Substitutes().end()) return family;
  for (const QString &candidate : it->second)
    if (QFontDatabase::hasFamily(candidate)) return candidate;
  return family;  // the font system's own fallback
}

QFont DesignFont(const QString &family, int pixelHeight, bool bold) {
  InstallFontSubstitutes();
  QFont font(InstalledFamily(family));
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  return font;
}

void InstallFontSubstitutes() {
  static const bool installed = [] {
    for (const auto &[family, candidates] : Substitutes()) {
      QStringList present;
      for (const QString &candidate : candidates)
        if (QFontDatabase::hasFamily(candidate)) present << candidate;
      if (!present.isEmpty()) QFont::insertSubstitutions(family, present);
    }
    return true;
  }();
  (void)installed;
}

void SetFontColor(QWidget *control, const QColor &color) {
  QPalette palette = control->palette();
  palette.setColor(QPalette::WindowText, color);
  control->setPalette(palette);
}
