#pragma once
// Size and times of a file as the file-information panel shows them.
#include <QString>
#include <QtGlobal>
#include <optional>

struct FileStatus {
  quint64 size = 0;
  // Seconds since 1970-01-01 UTC; empty when the file system does not record the time
  // (the creation time on many file systems).
  std::optional<qint64> created, written, accessed;

  // statx on path (symbolic links followed); nothing when the file cannot be reached.
  static std::optional<FileStatus> Read(const QString& path);

  // The size in kilobytes rounded up, followed by "K": 0 bytes "0K", 1 to 1024 "1K",
  // 1025 "2K".
  static QString SizeText(quint64 bytes);
};
