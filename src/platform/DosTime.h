#pragma once
// File times as the classic file dialogs and lists show them: local time in the DOS
// date-time format, which holds years 1980 to 2107 at a resolution of two seconds.
#include <QString>
#include <QtGlobal>
#include <optional>

namespace DosTime {

struct Fields {
  int year, month, day, hour, minute, second;  // second is always even
};

// The local time of a file-system time (seconds since 1970-01-01 UTC), with the offset in
// force at that moment, truncated to two seconds; nothing when the year falls outside
// 1980..2107.
std::optional<Fields> FromUtc(qint64 utcSeconds);

// "yyyy-mm-dd hh:mm:ss", every field zero-padded.
QString Text(const Fields& fields);

// The text shown for a time the DOS format cannot hold, or one the file system does not
// record (a creation time on most Linux file systems before statx, for instance).
QString UnknownText();

// Text() of FromUtc(), or UnknownText() when there is no time or it does not fit.
QString FileTimeText(std::optional<qint64> utcSeconds);

}  // namespace DosTime
