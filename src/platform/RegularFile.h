#pragma once
// Reading files that someone else may have put in our way: only regular files are opened
// (a FIFO or a device never blocks the reader), and sizes are bounded before anything is
// allocated.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

class RegularFile {
 public:
  // The whole content of path when it is a regular file of at most maxBytes bytes.
  static std::optional<QByteArray> Read(const QString& path, qint64 maxBytes);
  // The picture in path (any format Qt reads) as Format_RGB32; a null image when the file
  // is not a regular file, is too large or does not decode.
  static QImage ReadPicture(const QString& path);
};
