#pragma once
// The directory of an icon file and the choice of the image to show, made from the
// directory and each entry's own header before any image is decoded: an icon whose
// thousands of entries all point at one huge image costs one decode, not thousands.
#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class IconDirectory {
 public:
  struct Entry {
    int index = 0;       // position in the directory
    QSize size;          // from the image's own header (PNG IHDR, bitmap info header)
    int depth = 0;       // bits per pixel, from the same header (the directory's when 0)
    bool png = false;    // a PNG stream rather than a bitmap with a mask
    quint32 offset = 0;  // the image's bytes in the file
    quint32 bytes = 0;
  };

  // Up to n bytes of the file from offset (fewer at its end).
  using ReadAt = std::function<QByteArray(qint64 offset, qint64 n)>;

  // Reads the directory of an .ico file of size bytes, and the header of each entry's
  // image, nothing more. Entries whose bytes lie outside the file, whose header is
  // damaged or whose size is absurd are left out. PictureError (naming path) when the
  // file is not an icon file or its directory is cut short.
  static IconDirectory Parse(const ReadAt& read, qint64 size, const QString& path);
  // The same for a file held in memory.
  static IconDirectory Parse(const QByteArray& file, const QString& path);

  const std::vector<Entry>& Entries() const { return entries_; }

  // The entries in the order a desktop prefers them at the size want: the nearest size
  // first (sum of the width and height differences), among equals the deeper colour,
  // then the larger image (shrinking looks better than enlarging), then the earlier one.
  static std::vector<Entry> Preferred(std::vector<Entry> entries, QSize want);

  // The bytes an entry's decode needs at its peak: the entry's data, the decoded image,
  // the premultiplied copy of it and Qt's intermediate.
  static qint64 PeakBytes(const Entry& entry);

 private:
  std::vector<Entry> entries_;
};
