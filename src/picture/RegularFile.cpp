#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "PictureError.h"

namespace {

QString ErrorText(int error) {
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

RegularFile::RegularFile(const QString& path) : path_(path) {
  const QByteArray name = QFile::encodeName(path);
  if (name.isEmpty()) Fail(QStringLiteral("no file name"));
  // Look before opening: opening some devices does something (a tape rewinds, a
  // watchdog starts), so anything that is not a regular file is refused unopened.
  struct stat st {};
  if (::stat(name.constData(), &st) != 0) Fail(ErrorText(errno));
  if (!S_ISREG(st.st_mode)) Fail(KindText(st.st_mode));
  // The entry may change between the look and the open: the open must not block on a
  // FIFO (O_NONBLOCK), and what was opened is checked again.
  do {
    fd_ = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) Fail(ErrorText(errno));
  if (::fstat(fd_, &st) != 0) Fail(ErrorText(errno));
  if (!S_ISREG(st.st_mode)) Fail(KindText(st.st_mode));
  size_ = qint64(st.st_size);
  // Reads of a regular file never block anyway; plain blocking mode keeps what the
  // descriptor is handed to (a QFile, a FILE*) free of surprises.
  const int flags = ::fcntl(fd_, F_GETFL);
  if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
}

RegularFile::~RegularFile() {
  if (fd_ >= 0) ::close(fd_);
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
      Fail(ErrorText(errno));
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
  if (::lseek(fd_, 0, SEEK_SET) != 0) Fail(ErrorText(errno));
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
      Fail(ErrorText(errno));
    }
    if (got == 0) break;
    done += got;
  }
  bytes.truncate(done);
  return bytes;
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
