#include "FileStatus.h"

#include <fcntl.h>
#include <sys/stat.h>

std::optional<FileStatus> FileStatus::Read(const QString& path) {
  const QByteArray name = path.toLocal8Bit();
  struct statx st {};
  const unsigned mask = STATX_SIZE | STATX_BTIME | STATX_MTIME | STATX_ATIME;
  if (statx(AT_FDCWD, name.constData(), AT_STATX_SYNC_AS_STAT, mask, &st) != 0) return std::nullopt;
  FileStatus status;
  status.size = st.stx_size;
  if (st.stx_mask & STATX_BTIME) status.created = qint64(st.stx_btime.tv_sec);
  if (st.stx_mask & STATX_MTIME) status.written = qint64(st.stx_mtime.tv_sec);
  if (st.stx_mask & STATX_ATIME) status.accessed = qint64(st.stx_atime.tv_sec);
  return status;
}

QString FileStatus::SizeText(quint64 bytes) {
  const quint64 kilobytes = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
  return QString::number(kilobytes) + QLatin1Char('K');
}
