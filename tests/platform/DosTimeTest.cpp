// File times as the properties panel shows them: local time, two-second steps, and the
// 1980-2107 range of DOS times.
#include <gtest/gtest.h>

#include <QDateTime>

#include "platform/DosTime.h"

namespace {
qint64 LocalSeconds(int y, int mo, int d, int h, int mi, int s) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime).toSecsSinceEpoch();
}
}  // namespace

TEST(DosTime, RangeAndTruncation) {
  const struct {
    qint64 seconds;
    const char* text;  // nullptr: outside the DOS range
  } cases[] = {
      {LocalSeconds(1979, 12, 31, 23, 59, 59), nullptr},
      {LocalSeconds(1980, 1, 1, 0, 0, 1), "1980-01-01 00:00:00"},
      {LocalSeconds(2001, 2, 3, 4, 5, 59), "2001-02-03 04:05:58"},
      {LocalSeconds(2107, 12, 31, 23, 59, 59), "2107-12-31 23:59:58"},
      {LocalSeconds(2108, 1, 1, 0, 0, 0), nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(DosTime::FileTimeText(c.seconds),
              c.text ? QString::fromUtf8(c.text) : DosTime::UnknownText());
  }
  EXPECT_EQ(DosTime::FileTimeText(std::nullopt), DosTime::UnknownText());
}
