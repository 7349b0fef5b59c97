#pragma once
// A folder nobody may write into while the object lives: mode 0500 and, for root (who
// ignores modes), the file system's immutable flag.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>

class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const QString& path) : path_(QFile::encodeName(path)) {
    ::chmod(path_.constData(), 0500);
    const int fd = ::open(path_.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
      int flags = 0;
      if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags |= FS_IMMUTABLE_FL;
        immutable_ = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
      }
      ::close(fd);
    }
  }
  ~ReadOnlyFolder() {
    if (immutable_) {
      const int fd = ::open(path_.constData(), O_RDONLY | O_DIRECTORY);
      int flags = 0;
      if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags &= ~FS_IMMUTABLE_FL;
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
      }
      if (fd >= 0) ::close(fd);
    }
    ::chmod(path_.constData(), 0700);
  }
  // Whether the folder really refuses new files here.
  bool Holds() const {
    const QByteArray probe = path_ + "/probe";
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return true;
    ::close(fd);
    ::unlink(probe.constData());
    return false;
  }

 private:
  QByteArray path_;
  bool immutable_ = false;
};
