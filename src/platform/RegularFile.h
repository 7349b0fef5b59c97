#pragma once
// A file opened for reading only when it is a regular file. Every file Picora reads may be
// hostile: a FIFO or a device under a picture's or a song's name must never block or feed
// the program endlessly, so the file is opened without blocking and checked by fstat on
// the descriptor itself (no window between the check and the use).
#include <sys/stat.h>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

class RegularFile {
 public:
  RegularFile() = default;
  explicit RegularFile(const QString& path) { Open(path); }
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  // Opens path (symbolic links followed); false when it cannot be opened or is not a
  // regular file, with the reason in ErrorText().
  bool Open(const QString& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  // errno of the failed open; EINVAL stands for "not a regular file".
  int Error() const { return error_; }
  QString ErrorText() const;

  const struct stat& Status() const { return status_; }
  qint64 Size() const { return qint64(status_.st_size); }

  // The whole file from its start, when it holds at most maxBytes bytes (counted as read,
  // not as fstat said); nothing when it is larger or a read fails.
  std::optional<QByteArray> ReadAll(qint64 maxBytes);
  // Up to count bytes from the start without moving the read position.
  QByteArray Peek(qint64 count) const;

  // The whole content of path when it is a regular file of at most maxBytes bytes.
  static std::optional<QByteArray> Read(const QString& path, qint64 maxBytes);
  // The picture in path (any format Qt reads) as Format_RGB32; a null image when the file
  // is not a regular file, is too large or does not decode.
  static QImage ReadPicture(const QString& path);

  // The descriptor, still owned by this object; TakeDescriptor hands it over.
  int Descriptor() const { return fd_; }
  int TakeDescriptor();

 private:
  int fd_ = -1;
  int error_ = 0;
  struct stat status_ {};
};
