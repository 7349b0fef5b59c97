#include "RegularFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "picture/ImageFiles.h"

RegularFile::~RegularFile() {
  Close();
}

bool RegularFile::Open(const QString& path) {
  Close();
  error_ = 0;
  const QByteArray name = QFile::encodeName(path);
  if (name.isEmpty()) {
    error_ = ENOENT;
    return false;
  }
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error_ = errno;
    return false;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    error_ = errno;
    ::close(fd);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error_ = EINVAL;
    ::close(fd);
    return false;
  }
  // Regular files never block; reads behave as without the flag, but clear it anyway so
  // that a library handed the descriptor sees an ordinary one.
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  fd_ = fd;
  status_ = st;
  return true;
}

void RegularFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

QString RegularFile::ErrorText() const {
  if (error_ == EINVAL) return QStringLiteral("不是普通文件");
  return QString::fromLocal8Bit(std::strerror(error_));
}

std::optional<QByteArray> RegularFile::ReadAll(qint64 maxBytes) {
  if (fd_ < 0 || maxBytes < 0) return std::nullopt;
  QByteArray bytes;
  // fstat's size is only a hint (the file may grow while it is read): the limit is
  // checked against what arrives.
  bytes.reserve(qsizetype(std::min<qint64>(std::max<qint64>(Size(), 0), maxBytes)));
  char buffer[65536];
  qint64 offset = 0;
  for (;;) {
    const ssize_t n = pread(fd_, buffer, sizeof buffer, off_t(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    if (bytes.size() + qint64(n) > maxBytes) return std::nullopt;
    bytes.append(buffer, qsizetype(n));
    offset += n;
  }
  return bytes;
}

QByteArray RegularFile::Peek(qint64 count) const {
  QByteArray bytes;
  if (fd_ < 0 || count <= 0) return bytes;
  bytes.resize(qsizetype(count));
  qint64 got = 0;
  while (got < count) {
    const ssize_t n = pread(fd_, bytes.data() + got, size_t(count - got), off_t(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += n;
  }
  bytes.truncate(qsizetype(got));
  return bytes;
}

int RegularFile::TakeDescriptor() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

std::optional<QByteArray> RegularFile::Read(const QString& path, qint64 maxBytes) {
  RegularFile file;
  if (!file.Open(path)) return std::nullopt;
  return file.ReadAll(maxBytes);
}

QImage RegularFile::ReadPicture(const QString& path) {
  // A bitmap of the largest size Picora opens, plus room for headers and palettes.
  constexpr qint64 kMaxBytes = ImageFiles::MaxPixels * 4 + (qint64(1) << 20);
  std::optional<QByteArray> bytes = Read(path, kMaxBytes);
  if (!bytes || bytes->isEmpty()) return QImage();
  QBuffer buffer(&*bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty() || size.width() > ImageFiles::MaxPixels / size.height())
    return QImage();
  QImage image;
  if (!reader.read(&image)) return QImage();
  return image.convertToFormat(QImage::Format_RGB32);
}
