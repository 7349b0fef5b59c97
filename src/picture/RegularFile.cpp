#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "PictureError.h"
#include "PictureLimits.h"

namespace {

QString SystemErrorText(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

QString KindText(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("it is a folder");
  if (S_ISFIFO(mode)) return QStringLiteral("it is a named pipe");
  if (S_ISSOCK(mode)) return QStringLiteral("it is a socket");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("it is a device");
  return QStringLiteral("it is not a regular file");
}

}  // namespace

RegularFile::RegularFile(const QString& path) {
  if (!Open(path)) Fail(errorText_);
}

bool RegularFile::Open(const QString& path) {
  Close();
  path_ = path;
  size_ = 0;
  auto refuse = [this](int error, const QString& reason) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    error_ = error;
    errorText_ = reason;
    return false;
  };
  const QByteArray name = QFile::encodeName(path);
  if (name.isEmpty()) return refuse(ENOENT, QStringLiteral("no file name"));
  // Look before opening: opening some devices does something (a tape rewinds, a
  // watchdog starts), so anything that is not a regular file is refused unopened.
  struct stat st {};
  if (::stat(name.constData(), &st) != 0) return refuse(errno, SystemErrorText(errno));
  if (!S_ISREG(st.st_mode)) return refuse(EINVAL, KindText(st.st_mode));
  // The entry may change between the look and the open: the open must not block on a
  // FIFO (O_NONBLOCK), and what was opened is checked again.
  do {
    fd_ = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) return refuse(errno, SystemErrorText(errno));
  if (::fstat(fd_, &st) != 0) return refuse(errno, SystemErrorText(errno));
  if (!S_ISREG(st.st_mode)) return refuse(EINVAL, KindText(st.st_mode));
  size_ = qint64(st.st_size);
  // Reads of a regular file never block anyway; plain blocking mode keeps what the
  // descriptor is handed to (a QFile, a FILE*) free of surprises.
  const int flags = ::fcntl(fd_, F_GETFL);
  if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
  error_ = 0;
  errorText_.clear();
  return true;
}

void RegularFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

RegularFile::~RegularFile() {
  Close();
}

void RegularFile::Fail(const QString& reason) const {
  throw PictureError(QStringLiteral("Cannot read \"%1\": %2").arg(path_, reason).toStdString());
}

qint64 RegularFile::Read(char* data, qint64 n) {
  qint64 done = 0;
  while (done < n) {
    const ssize_t got = ::read(fd_, data + done, size_t(n - done));
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail(SystemErrorText(errno));
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

QByteArray RegularFile::ReadAll(qint64 maxBytes) {
  if (size_ == 0) Fail(QStringLiteral("the file is empty"));
  if (size_ > maxBytes) Fail(QStringLiteral("the file is larger than Picora opens"));
  QByteArray bytes(size_, Qt::Uninitialized);
  if (::lseek(fd_, 0, SEEK_SET) != 0 || Read(bytes.data(), size_) != size_)
    Fail(QStringLiteral("the file could not be read whole"));
  return bytes;
}

void RegularFile::Rewind() {
  if (::lseek(fd_, 0, SEEK_SET) != 0) Fail(SystemErrorText(errno));
}

QByteArray RegularFile::ReadAt(qint64 offset, qint64 n) {
  if (offset < 0 || n <= 0 || offset >= size_) return {};
  QByteArray bytes(std::min(n, size_ - offset), Qt::Uninitialized);
  qint64 done = 0;
  while (done < bytes.size()) {
    const ssize_t got =
        ::pread(fd_, bytes.data() + done, size_t(bytes.size() - done), off_t(offset + done));
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail(SystemErrorText(errno));
    }
    if (got == 0) break;
    done += got;
  }
  bytes.truncate(done);
  return bytes;
}

QByteArray RegularFile::Peek(qint64 count) const {
  if (fd_ < 0 || count <= 0) return {};
  QByteArray bytes(std::min(count, std::max<qint64>(size_, 0)), Qt::Uninitialized);
  qint64 done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::pread(fd_, bytes.data() + done, size_t(bytes.size() - done), off_t(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += got;
  }
  bytes.truncate(done);
  return bytes;
}

std::optional<QByteArray> RegularFile::TryReadAll(qint64 maxBytes) {
  if (fd_ < 0 || maxBytes < 0) return std::nullopt;
  QByteArray bytes;
  bytes.reserve(qsizetype(std::min(std::max<qint64>(size_, 0), maxBytes)));
  char buffer[65536];
  qint64 offset = 0;
  for (;;) {
    const ssize_t got = ::pread(fd_, buffer, sizeof buffer, off_t(offset));
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    // The file may have grown since it was opened: the bound counts what arrives.
    if (bytes.size() + qint64(got) > maxBytes) return std::nullopt;
    bytes.append(buffer, qsizetype(got));
    offset += got;
  }
  return bytes;
}

std::optional<QByteArray> RegularFile::TryRead(const QString& path, qint64 maxBytes) {
  RegularFile file;
  if (!file.Open(path)) return std::nullopt;
  return file.TryReadAll(maxBytes);
}

QImage RegularFile::ReadPicture(const QString& path) {
  // A bitmap of the largest size Picora opens, plus room for headers and palettes.
  constexpr qint64 kMaxBytes = qint64(PictureLimits::MaxPixels) * 4 + (qint64(1) << 20);
  std::optional<QByteArray> bytes = TryRead(path, kMaxBytes);
  if (!bytes || bytes->isEmpty()) return QImage();
  QBuffer buffer(&*bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty() || !PictureLimits::SaneSize(size.width(), size.height()) ||
      PictureLimits::PixelBytes(size.width(), size.height(), 8) > PictureLimits::DecodeBudget)
    return QImage();
  QImage image;
  if (!reader.read(&image)) return QImage();
  return image.convertToFormat(QImage::Format_RGB32);
}

void RegularFile::HandOver(QFile& file) {
  if (!file.open(fd_, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) Fail(file.errorString());
  fd_ = -1;
}

int RegularFile::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}
