#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cerrno>

#include "picture/ImageFiles.h"

std::optional<QByteArray> RegularFile::Read(const QString& path, qint64 maxBytes) {
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  std::optional<QByteArray> result;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= maxBytes) {
    // The file may grow while we read: never take more than the bound.
    QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
    qint64 done = 0;
    bool failed = false;
    while (done < bytes.size()) {
      const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        failed = true;
        break;
      }
      if (n == 0) break;  // shrank meanwhile
      done += n;
    }
    if (!failed) {
      bytes.truncate(qsizetype(done));
      result = std::move(bytes);
    }
  }
  ::close(fd);
  return result;
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
  if (!size.isValid() || size.isEmpty() ||
      qint64(size.width()) * size.height() > ImageFiles::MaxPixels)
    return QImage();
  QImage image;
  if (!reader.read(&image)) return QImage();
  return image.convertToFormat(QImage::Format_RGB32);
}
