#include "platform/sys/DateTime.h"

#include <QLocale>
#include <cmath>
#include <cstdio>

namespace {

std::optional<QDateTime> fixedClock;
const QDate kEpoch(1899, 12, 30);

AnsiString Number(int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

// A separator of the locale in cp1252: one the code page lacks (a narrow no-break space) becomes a
// no-break space; none at all is 0.
char LocaleSeparator(const QString &separator) {
  if (separator.isEmpty()) return '\0';
  const AnsiString ansi = FromQString(separator.left(1));
  return ansi == "?" && separator[0] != u'?' ? '\xA0' : ansi[0];
}

}  // namespace

AnsiString ShortDateFormat = "dd/mm/yyyy";
char ThousandSeparator = LocaleSeparator(QLocale::system().groupSeparator());
char DecimalSeparator = LocaleSeparator(QLocale::system().decimalPoint());

void SetClockForTesting(std::optional<QDateTime> fixed) { fixedClock = std::move(fixed); }

TDateTime ToDateTime(const QDateTime &when) {
  double days = static_cast<double>(kEpoch.daysTo(when.date()));
  double seconds = when.time().msecsSinceStartOfDay() / 1000.0;
  return days + seconds / 86400.0;
}

QDateTime ToQDateTime(TDateTime when) {
  double days = std::floor(when);
  int msecs = static_cast<int>(std::lround((when - days) * 86400000.0));
  if (msecs >= 86400000) msecs = 86400000 - 1;
  return QDateTime(kEpoch.addDays(static_cast<qint64>(days)), QTime::fromMSecsSinceStartOfDay(msecs));
}

TDateTime Now() { return ToDateTime(fixedClock ? *fixedClock : QDateTime::currentDateTime()); }

TDateTime Date() { return std::floor(Now()); }

TDateTime EncodeDate(int year, int month, int day) {
  return static_cast<double>(kEpoch.daysTo(QDate(year, month, day)));
}

AnsiString FormatDateTime(const AnsiString &format, TDateTime when) {
  const QDateTime moment = ToQDateTime(when);
  const QDate date = moment.date();
  const QTime time = moment.time();
  AnsiString out;
  std::size_t i = 0;
  auto run = [&](char letter) {
    std::size_t n = 0;
    while (i + n < format.size() && (format[i + n] | 0x20) == letter) ++n;
    return n;
  };
  while (i < format.size()) {
    char letter = static_cast<char>(format[i] | 0x20);
    std::size_t n = (letter >= 'a' && letter <= 'z') ? run(letter) : 0;
    switch (n ? letter : 0) {
      case 'd': out += Number(date.day(), n >= 2 ? 2 : 1); break;
      case 'm': out += Number(date.month(), n >= 2 ? 2 : 1); break;
      case 'y': out += n >= 3 ? Number(date.year(), 4) : Number(date.year() % 100, 2); break;
      case 'h': out += Number(time.hour(), n >= 2 ? 2 : 1); break;
      case 'n': out += Number(time.minute(), n >= 2 ? 2 : 1); break;
      case 's': out += Number(time.second(), n >= 2 ? 2 : 1); break;
      default:
        out += format[i];
        n = 1;
    }
    i += n;
  }
  return out;
}

AnsiString DateToStr(TDateTime when) { return FormatDateTime(ShortDateFormat, when); }

AnsiString TimeToStr(TDateTime when) { return FormatDateTime("hh:nn:ss", when); }
