#include "DosTime.h"

#include <ctime>

namespace DosTime {

std::optional<Fields> FromUtc(qint64 utcSeconds) {
  const std::time_t t = std::time_t(utcSeconds);
  std::tm local{};
  if (!localtime_r(&t, &local)) return std::nullopt;
  const int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return std::nullopt;
  // A leap second (60) becomes 58, as the format has no room for it.
  const int second = (local.tm_sec > 59 ? 59 : local.tm_sec) / 2 * 2;
  return Fields{year, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, second};
}

QString Text(const Fields& f) {
  return QStringLiteral("%1-%2-%3 %4:%5:%6")
      .arg(f.year, 4, 10, QLatin1Char('0'))
      .arg(f.month, 2, 10, QLatin1Char('0'))
      .arg(f.day, 2, 10, QLatin1Char('0'))
      .arg(f.hour, 2, 10, QLatin1Char('0'))
      .arg(f.minute, 2, 10, QLatin1Char('0'))
      .arg(f.second, 2, 10, QLatin1Char('0'));
}

QString UnknownText() {
  return QStringLiteral("未知");
}

QString FileTimeText(std::optional<qint64> utcSeconds) {
  if (!utcSeconds) return UnknownText();
  const std::optional<Fields> fields = FromUtc(*utcSeconds);
  return fields ? Text(*fields) : UnknownText();
}

}  // namespace DosTime
