#pragma once
// A file opened for reading only when it is a regular file. Every reader opens its input
// through here: a FIFO named like a picture would otherwise block the open (and with it a
// thumbnail worker or the window) for ever, a device would never end, and a folder or a
// socket would give confusing errors later. Anything but a regular file is refused before
// it is opened (opening some devices has effects of its own); the open itself never
// blocks (O_NONBLOCK) and the kind is checked again on the open descriptor (fstat), so
// nothing swapped in between gets through.
#include <QByteArray>
#include <QString>

class QFile;

class RegularFile {
 public:
  // PictureError "Cannot read "path": reason" when the path cannot be opened or is not a
  // regular file (a FIFO, socket, device or folder; a dangling link; no permission).
  explicit RegularFile(const QString& path);
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
};
