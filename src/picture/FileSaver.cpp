#include "FileSaver.h"

#include <QFile>
#include <QSaveFile>

#include "PictureError.h"
#include "RegularFile.h"

namespace FileSaver {

namespace {

[[noreturn]] void Fail(const QString& path, const QString& reason) {
  throw PictureError(QStringLiteral("Cannot write \"%1\": %2").arg(path, reason).toStdString());
}

// Writes all of data. Qt takes a short write (the disk filled up, the file reached the
// size limit) for success and sets no error; only the next write, which fails outright,
// says why ("No space left on device", "File too large").
bool WriteAll(QFileDevice& file, const char* data, qint64 size) {
  while (size > 0) {
    const qint64 written = file.write(data, size);
    if (written <= 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace

void Write(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  // Never fall back to writing the target in place: that is exactly what could leave a
  // half-written file behind.
  file.setDirectWriteFallback(false);
  // Unbuffered, so that every failure shows here, in WriteAll, with its reason.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) Fail(path, file.errorString());
  if (!WriteAll(file, bytes.constData(), bytes.size())) {
    const QString reason = file.errorString();
    file.cancelWriting();
    Fail(path, reason);
  }
  if (!file.commit()) Fail(path, file.errorString());
}

void CopyFile(const QString& from, const QString& to) {
  // Only a regular file is copied: a FIFO would block the open and a device never end.
  QFile in;
  RegularFile(from).HandOver(in);
  QSaveFile out(to);
  out.setDirectWriteFallback(false);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) Fail(to, out.errorString());
  // Chunked so that copying a large picture does not hold it all in memory.
  QByteArray chunk(1 << 20, Qt::Uninitialized);
  for (;;) {
    const qint64 n = in.read(chunk.data(), chunk.size());
    if (n < 0) {
      out.cancelWriting();
      throw PictureError(
          QStringLiteral("Cannot read \"%1\": %2").arg(from, in.errorString()).toStdString());
    }
    if (n == 0) break;
    if (!WriteAll(out, chunk.constData(), n)) {
      const QString reason = out.errorString();
      out.cancelWriting();
      Fail(to, reason);
    }
  }
  if (!out.commit()) Fail(to, out.errorString());
}

bool Copy(const QString& from, const QString& to) {
  try {
    CopyFile(from, to);
    return true;
  } catch (const PictureError&) {
    return false;
  }
}

}  // namespace FileSaver
