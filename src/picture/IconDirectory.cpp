#include "IconDirectory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "PictureError.h"
#include "PictureLimits.h"

namespace {

constexpr uchar kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Deflate never packs more than 1032 bytes into one.
constexpr quint64 kDeflateRatio = 1032;

quint16 U16(const uchar* p) {
  return quint16(p[0] | (p[1] << 8));
}
quint32 U32(const uchar* p) {
  return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}
quint32 BigU32(const uchar* p) {
  return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

[[noreturn]] void Fail(const QString& path, const QString& reason) {
  throw PictureError(QStringLiteral("Cannot read \"%1\": %2").arg(path, reason).toStdString());
}

// Fills size and depth from the image's own header; false when the entry is unusable.
bool InspectImage(const uchar* image, IconDirectory::Entry& entry) {
  if (entry.bytes >= 33 && std::memcmp(image, kPngSignature, 8) == 0) {
    const quint32 w = BigU32(image + 16), h = BigU32(image + 20);
    if (!PictureLimits::SaneSize(w, h)) return false;
    const int bitDepth = image[24];
    int channels = 1;  // grey or palette
    switch (image[25]) {
      case 2:
        channels = 3;
        break;
      case 4:
        channels = 2;
        break;
      case 6:
        channels = 4;
        break;
      default:
        break;
    }
    // The rows PNG compresses: a filter byte and the packed pixels each.
    const quint64 rowBytes = 1 + (quint64(w) * quint64(bitDepth) * channels + 7) / 8;
    const quint64 raw = rowBytes * h;
    if (!PictureLimits::Plausible(quint64(w) * h, entry.bytes,
                                  std::max<quint64>(1, quint64(w) * h * kDeflateRatio / raw)))
      return false;
    entry.png = true;
    entry.size = QSize(int(w), int(h));
    entry.depth = bitDepth * channels;
    return true;
  }
  if (entry.bytes < 40) return false;
  const quint32 headerSize = U32(image);
  if (headerSize < 40 || headerSize > entry.bytes) return false;
  // The height counts the colour image and the mask together.
  const qint64 w = qint32(U32(image + 4)), h = qint64(qint32(U32(image + 8))) / 2;
  if (!PictureLimits::SaneSize(w, h)) return false;
  // Uncompressed rows: at least one bit for every pixel of the mask.
  if (!PictureLimits::Plausible(quint64(w) * quint64(h), entry.bytes, 8)) return false;
  entry.size = QSize(int(w), int(h));
  entry.depth = U16(image + 14);
  return true;
}

}  // namespace

IconDirectory IconDirectory::Parse(const ReadAt& read, qint64 size, const QString& path) {
  const QByteArray head = read(0, 6);
  const auto* data = reinterpret_cast<const uchar*>(head.constData());
  if (head.size() < 6 || U16(data) != 0 || U16(data + 2) != 1)
    Fail(path, QStringLiteral("not an icon file"));
  const int count = U16(data + 4);
  const QByteArray records = read(6, 16 * qint64(count));
  if (count == 0 || records.size() < 16 * qint64(count))
    Fail(path, QStringLiteral("the icon directory is damaged"));
  IconDirectory directory;
  directory.entries_.reserve(size_t(count));
  for (int i = 0; i < count; ++i) {
    const auto* record = reinterpret_cast<const uchar*>(records.constData()) + 16 * i;
    Entry entry;
    entry.index = i;
    entry.bytes = U32(record + 8);
    entry.offset = U32(record + 12);
    if (qint64(entry.offset) + qint64(entry.bytes) > size || entry.bytes < 8) continue;
    // Enough of the image for its header: a PNG's IHDR, a bitmap's info header.
    const QByteArray header = read(entry.offset, std::min<qint64>(entry.bytes, 40));
    if (header.size() < std::min<qint64>(entry.bytes, 40)) continue;
    if (!InspectImage(reinterpret_cast<const uchar*>(header.constData()), entry)) continue;
    if (entry.depth == 0) entry.depth = U16(record + 6);
    directory.entries_.push_back(entry);
  }
  return directory;
}

IconDirectory IconDirectory::Parse(const QByteArray& file, const QString& path) {
  return Parse([&file](qint64 offset, qint64 n) { return file.mid(offset, n); }, file.size(), path);
}

std::vector<IconDirectory::Entry> IconDirectory::Preferred(std::vector<Entry> entries, QSize want) {
  const auto distance = [want](const Entry& e) {
    return std::abs(qint64(e.size.width()) - want.width()) +
           std::abs(qint64(e.size.height()) - want.height());
  };
  std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    const qint64 da = distance(a), db = distance(b);
    if (da != db) return da < db;
    if (a.depth != b.depth) return a.depth > b.depth;
    return qint64(a.size.width()) * a.size.height() > qint64(b.size.width()) * b.size.height();
  });
  return entries;
}

qint64 IconDirectory::PeakBytes(const Entry& entry) {
  // Qt's reader gives 32 bits per pixel at most, the premultiplied copy as much again;
  // a palette image goes through 8 bits per pixel first. The entry's bytes are read, and
  // a bitmap entry is copied once more into the one-image icon Qt reads.
  return PictureLimits::PixelBytes(entry.size.width(), entry.size.height(), 9) +
         2 * qint64(entry.bytes);
}
