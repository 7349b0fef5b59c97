#pragma once
// A file opened for reading only when it is a regular file. Every reader opens its input
// through here: a FIFO named like a picture would otherwise block the open (and with it a
// thumbnail worker or the window) for ever, a device would never end, and a folder or a
// socket would give confusing errors later. Anything but a regular file is refused before
// it is opened (opening some devices has effects of its own); the open itself never
// blocks (O_NONBLOCK) and the kind is checked again on the open descriptor (fstat), so
// nothing swapped in between gets through.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

class QFile;

class RegularFile {
 public:
  // Not open yet: Open() opens without raising.
  RegularFile() = default;
  // PictureError "Cannot read "path": reason" when the path cannot be opened or is not a
  // regular file (a FIFO, socket, device or folder; a dangling link; no permission).
  explicit RegularFile(const QString& path);
  // Opens path as the constructor does but answers false instead of raising; Error() then
  // holds errno (EINVAL for a file of another kind) and ErrorText() the reason.
  bool Open(const QString& path);
  bool IsOpen() const { return fd_ >= 0; }
  void Close();
  int Error() const { return error_; }
  const QString& ErrorText() const { return errorText_; }
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  const QString& Path() const { return path_; }
  // The size when it was opened.
  qint64 Size() const { return size_; }

  // Up to n bytes from the current position; fewer only at the end of the file.
  // PictureError on a read error.
  qint64 Read(char* data, qint64 n);
  // The whole file; PictureError when it is empty or larger than maxBytes.
  QByteArray ReadAll(qint64 maxBytes);
  // Back to the start of the file.
  void Rewind();
  // Up to n bytes from offset, leaving the position alone.
  QByteArray ReadAt(qint64 offset, qint64 n);

  // Up to count bytes from the start, leaving the position alone; empty on a read error.
  QByteArray Peek(qint64 count) const;
  // The whole file as far as it can be read (the size seen at the open is only a hint),
  // when it holds at most maxBytes bytes; nothing when it is larger or a read fails.
  std::optional<QByteArray> TryReadAll(qint64 maxBytes);

  // The whole content of path when it is a regular file of at most maxBytes bytes.
  static std::optional<QByteArray> TryRead(const QString& path, qint64 maxBytes);
  // The picture in path (any format Qt reads) as Format_RGB32; a null image when the file
  // is not a regular file, is too large for its size or does not decode.
  static QImage ReadPicture(const QString& path);

  // Hands the descriptor over to file, which reads from the current position and closes
  // it; this object is then empty.
  void HandOver(QFile& file);
  // Hands the descriptor over to the caller, who closes it; this object is then empty.
  int Release();

  // Raises the PictureError of this file with the given reason.
  [[noreturn]] void Fail(const QString& reason) const;

 private:
  QString path_;
  int fd_ = -1;
  qint64 size_ = 0;
  int error_ = 0;
  QString errorText_;
};
