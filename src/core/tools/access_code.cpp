// Prints the administration window's access code for the association's staff: the code valid now, or
// the one valid in a given hour of local time.
// Usage: access_code [YYYY-MM-DD HH]

#include "admin/AccessCode.h"

#include <QDateTime>
#include <cstdio>

int main(int argc, char **argv) {
  QDateTime hour = QDateTime::currentDateTime();
  if (argc == 3) {
    hour = QDateTime::fromString(QString::fromLocal8Bit(argv[1]) + ' ' + QString::fromLocal8Bit(argv[2]),
                                 QStringLiteral("yyyy-MM-dd H"));
  }
  if ((argc != 1 && argc != 3) || !hour.isValid()) {
    std::fprintf(stderr, "usage: %s [YYYY-MM-DD HH]\n", argv[0]);
    return 2;
  }
  hour.setTime(QTime(hour.time().hour(), 0));
  std::printf("%s  valid on %s from %s to %s\n", AccessCode(ToDateTime(hour)).c_str(),
              qPrintable(hour.toString(QStringLiteral("yyyy-MM-dd"))), qPrintable(hour.toString(QStringLiteral("HH:mm"))),
              qPrintable(hour.addSecs(3599).toString(QStringLiteral("HH:mm"))));
  return 0;
}
