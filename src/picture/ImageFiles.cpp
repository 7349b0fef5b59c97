#include "ImageFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "IconDirectory.h"
#include "PictureError.h"
#include "RegularFile.h"

namespace ImageFiles {

namespace {

[[noreturn]] void Fail(const QString& path, const QString& reason) {
  throw PictureError(QStringLiteral("Cannot read \"%1\": %2").arg(path, reason).toStdString());
}

QString SizeReason(qint64 w, qint64 h) {
  return QStringLiteral("a picture of %1 x %2 pixels is larger than Picora opens").arg(w).arg(h);
}

QString MemoryReason(qint64 w, qint64 h) {
  return QStringLiteral(
             "a picture of %1 x %2 pixels needs more memory than Picora gives one "
             "picture")
      .arg(w)
      .arg(h);
}

quint16 U16(const uchar* p) {
  return quint16(p[0] | (p[1] << 8));
}
quint32 U32(const uchar* p) {
  return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}
qint32 I32(const uchar* p) {
  return qint32(U32(p));
}

void Put16(QByteArray& out, int v) {
  out.append(char(v & 0xFF));
  out.append(char((v >> 8) & 0xFF));
}
void Put32(QByteArray& out, quint32 v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

void PutInfoHeader(QByteArray& out, int width, int height, int bits, quint32 imageSize, int dotsX,
                   int dotsY) {
  Put32(out, 40);
  Put32(out, quint32(width));
  Put32(out, quint32(height));
  Put16(out, 1);  // planes
  Put16(out, bits);
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, quint32(dotsX));
  Put32(out, quint32(dotsY));
  Put32(out, 0);  // colours used
  Put32(out, 0);  // important colours
}

// What a bitmap file's header claims, checked before Qt sees the file: a bitmap claiming a
// giant size, or a giant size in a few bytes of run-length data, is refused without any
// attempt to allocate it.
struct BmpInfo {
  qint64 width = 0, height = 0;  // height as a positive number (top-down files store it negative)
  int bits = 0;
  qint64 peakBytes = 0;
};

BmpInfo InspectBmp(RegularFile& file) {
  const QString& path = file.Path();
  if (file.Size() == 0) Fail(path, QStringLiteral("the file is empty"));
  // The fields read below reach byte 34; a shorter file reads zeros past its end.
  QByteArray head = file.ReadAt(0, 34);
  const qint64 headBytes = head.size();
  head.append(QByteArray(34 - headBytes, 0));
  const auto* header = reinterpret_cast<const uchar*>(head.constData());
  if (headBytes < 26 || header[0] != 'B' || header[1] != 'M')
    Fail(path, QStringLiteral("not a Windows bitmap file"));
  const bool core = U32(header + 14) == 12;  // the old OS/2 header with 16-bit sizes
  BmpInfo info;
  info.width = core ? U16(header + 18) : std::abs(qint64(I32(header + 18)));
  info.height = core ? U16(header + 20) : std::abs(qint64(I32(header + 22)));
  if (info.width <= 0 || info.height <= 0)
    Fail(path, QStringLiteral("not a readable Windows bitmap file"));
  if (!PictureLimits::SaneSize(info.width, info.height))
    Fail(path, SizeReason(info.width, info.height));
  info.bits = core ? U16(header + 24) : U16(header + 28);
  const quint32 compression = core || headBytes < 34 ? 0 : U32(header + 30);
  const quint64 pixels = quint64(info.width) * quint64(info.height);
  if (compression == 0 || compression == 3 || compression == 6) {
    // Uncompressed rows have a known length; Qt would leave the missing ones undefined.
    const qint64 rowBytes = (info.width * qint64(info.bits) + 31) / 32 * 4;
    if (rowBytes > file.Size() || qint64(U32(header + 10)) + rowBytes * info.height > file.Size())
      Fail(path, QStringLiteral("the file is cut short"));
  } else if (compression == 1 || compression == 2) {
    // Run-length data: a run of at most 255 pixels takes two bytes.
    if (!PictureLimits::Plausible(pixels, file.Size(), 256))
      Fail(path, QStringLiteral("the file is far too small for a picture of %1 x %2 pixels")
                     .arg(info.width)
                     .arg(info.height));
  }
  // Qt reads up to 8 bits per pixel as one byte per pixel, which becomes Format_RGB32; a
  // 32-bit file may come as ARGB32 and be converted.
  const qint64 bytesPerPixel = info.bits <= 8 ? 5 : info.bits == 32 ? 8 : 4;
  info.peakBytes = PictureLimits::PixelBytes(info.width, info.height, bytesPerPixel);
  if (info.peakBytes > PictureLimits::DecodeBudget)
    Fail(path, MemoryReason(info.width, info.height));
  return info;
}

// Where an icon file's bytes come from: a file on disk, or an icon put together in memory
// (a program's icon resources). name stands for it in error messages.
struct IconSource {
  QString name;
  qint64 size = 0;
  std::function<QByteArray(qint64 offset, qint64 n)> readAt;
};

IconSource FromFile(RegularFile& file) {
  return {file.Path(), file.Size(),
          [&file](qint64 offset, qint64 n) { return file.ReadAt(offset, n); }};
}

IconSource FromBytes(const QByteArray& bytes, const QString& name) {
  return {name, bytes.size(), [&bytes](qint64 offset, qint64 n) {
            if (offset < 0 || n <= 0 || offset >= bytes.size()) return QByteArray();
            return bytes.mid(offset, std::min(n, bytes.size() - offset));
          }};
}

// Decodes one entry of an icon file, and nothing else of it: only the entry's bytes are
// read.
QImage DecodeIconEntry(const IconSource& source, const IconDirectory::Entry& entry) {
  const QByteArray record = source.readAt(6 + 16 * qint64(entry.index), 16);
  if (record.size() != 16) return QImage();
  QByteArray bytes;
  const QByteArray image = source.readAt(entry.offset, entry.bytes);
  if (image.size() != qint64(entry.bytes)) return QImage();
  if (entry.png) {
    bytes = image;
  } else {
    // A one-image icon file around the entry's bitmap, for Qt's icon reader, which then
    // cannot be led to any other entry.
    bytes = QByteArray::fromHex("000001000100") + record;
    for (int i = 0; i < 4; ++i) bytes[6 + 12 + i] = char((22 >> (8 * i)) & 0xFF);
    bytes += image;
  }
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  // Qt allocates the size the image's own header gives, which is what the budget allowed.
  QImageReader reader(&buffer, entry.png ? "png" : "ico");
  reader.setAutoDetectImageFormat(false);
  QImage decoded;
  if (!reader.read(&decoded) || decoded.isNull()) return QImage();
  return decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The entries worth trying, best first: a few, so that a file of broken entries cannot make
// the reader decode every one of them. Only the directory and the entries' headers are
// read.
constexpr size_t kIconAttempts = 4;

std::vector<IconDirectory::Entry> IconCandidates(const IconSource& source, QSize want) {
  const QString& path = source.name;
  std::vector<IconDirectory::Entry> entries = IconDirectory::Preferred(
      IconDirectory::Parse(source.readAt, source.size, path).Entries(), want);
  if (entries.size() > kIconAttempts) entries.resize(kIconAttempts);
  if (entries.empty()) Fail(path, QStringLiteral("the icon file holds no readable image"));
  const auto peak = [](const IconDirectory::Entry& e) { return IconDirectory::PeakBytes(e); };
  if (peak(entries.front()) > PictureLimits::DecodeBudget)
    Fail(path, MemoryReason(entries.front().size.width(), entries.front().size.height()));
  entries.erase(std::remove_if(entries.begin(), entries.end(),
                               [&](const IconDirectory::Entry& e) {
                                 return peak(e) > PictureLimits::DecodeBudget;
                               }),
                entries.end());
  return entries;
}

}  // namespace

void RaiseAllocationLimit() {
  QImageReader::setAllocationLimit(2048);
}

QImage ReadBmp(const QString& path) {
  RegularFile regular(path);
  const BmpInfo info = InspectBmp(regular);
  QFile file;
  regular.HandOver(file);
  QImageReader reader(&file, "bmp");
  reader.setAutoDetectImageFormat(false);
  // Qt reports a top-down bitmap's height as negative, as the file stores it.
  const QSize claimed = reader.size();
  if (claimed.width() != info.width || std::abs(claimed.height()) != info.height)
    Fail(path, QStringLiteral("not a readable Windows bitmap file"));
  QImage image;
  if (!reader.read(&image) || image.isNull()) Fail(path, reader.errorString());
  if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) Fail(path, QStringLiteral("not enough memory"));
  return image;
}

qint64 BmpPeakBytes(const QString& path) {
  RegularFile regular(path);
  return InspectBmp(regular).peakBytes;
}

namespace {
QImage ReadIcon(const IconSource& source, QSize want) {
  for (const IconDirectory::Entry& entry : IconCandidates(source, want)) {
    QImage image = DecodeIconEntry(source, entry);
    if (!image.isNull()) return image;
  }
  Fail(source.name, QStringLiteral("the icon file holds no readable image"));
}
}  // namespace

QImage ReadIcon(const QString& path, QSize want) {
  RegularFile file(path);
  return ReadIcon(FromFile(file), want);
}

QImage ReadIcon(const QByteArray& bytes, QSize want, const QString& name) {
  return ReadIcon(FromBytes(bytes, name), want);
}

qint64 IconPeakBytes(const QString& path, QSize want) {
  RegularFile file(path);
  qint64 peak = 0;
  for (const IconDirectory::Entry& entry : IconCandidates(FromFile(file), want))
    peak = std::max(peak, IconDirectory::PeakBytes(entry));
  return peak;
}

std::vector<IconEntry> ReadIco(const QString& path) {
  RegularFile file(path);
  const IconDirectory directory = IconDirectory::Parse(
      [&file](qint64 offset, qint64 n) { return file.ReadAt(offset, n); }, file.Size(), path);
  std::vector<IconEntry> images;
  qint64 held = 0;
  for (const IconDirectory::Entry& entry : directory.Entries()) {
    const qint64 peak = IconDirectory::PeakBytes(entry);
    if (held + peak > PictureLimits::DecodeBudget)
      Fail(path, QStringLiteral("its images together need more memory than Picora gives one "
                                "picture"));
    QImage image = DecodeIconEntry(FromFile(file), entry);
    if (image.isNull()) continue;
    held += peak;  // as estimated: what the next decode costs comes on top
    images.push_back({std::move(image), entry.depth});
  }
  if (images.empty()) Fail(path, QStringLiteral("the icon file holds no readable image"));
  return images;
}

QByteArray EncodeBmp(const QImage& source) {
  const QImage image = source.format() == QImage::Format_RGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
  const int w = image.width(), h = image.height();
  const qint64 rowBytes = (qint64(w) * 3 + 3) & ~qint64(3);
  const qint64 imageSize = rowBytes * h;
  QByteArray out;
  out.reserve(54 + imageSize);
  out.append("BM", 2);
  Put32(out, quint32(54 + imageSize));
  Put32(out, 0);   // reserved
  Put32(out, 54);  // pixel data offset
  PutInfoHeader(out, w, h, 24, quint32(imageSize), image.dotsPerMeterX(), image.dotsPerMeterY());
  out.resize(54 + imageSize);
  auto* row = reinterpret_cast<uchar*>(out.data()) + 54;
  // Rows bottom-up, each B,G,R and zero padding to four bytes.
  for (int y = h - 1; y >= 0; --y, row += rowBytes) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uchar* p = row;
    for (int x = 0; x < w; ++x) {
      *p++ = uchar(qBlue(in[x]));
      *p++ = uchar(qGreen(in[x]));
      *p++ = uchar(qRed(in[x]));
    }
    while (p < row + rowBytes) *p++ = 0;
  }
  return out;
}

QByteArray EncodeIco(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  const qint64 maskRow = ((qint64(w) + 31) / 32) * 4;
  const qint64 xorSize = qint64(w) * 4 * h;
  const qint64 andSize = maskRow * h;
  const qint64 resSize = 40 + xorSize + andSize;

  QByteArray out;
  out.reserve(22 + resSize);
  Put16(out, 0);                       // reserved
  Put16(out, 1);                       // icon
  Put16(out, 1);                       // one image
  out.append(char(w >= 256 ? 0 : w));  // 0 stands for 256
  out.append(char(h >= 256 ? 0 : h));
  out.append(char(0));  // no palette
  out.append(char(0));
  Put16(out, 1);  // planes
  Put16(out, 32);
  Put32(out, quint32(resSize));
  Put32(out, 22);
  // The height of an icon bitmap counts the colour image and the mask together.
  PutInfoHeader(out, w, 2 * h, 32, quint32(xorSize + andSize), 0, 0);

  const qint64 start = out.size();
  out.resize(start + xorSize + andSize);
  auto* xorBits = reinterpret_cast<uchar*>(out.data()) + start;
  uchar* andBits = xorBits + xorSize;
  std::memset(andBits, 0, size_t(andSize));
  for (int y = h - 1, row = 0; y >= 0; --y, ++row) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uchar* p = xorBits + row * qint64(w) * 4;
    uchar* mask = andBits + row * maskRow;
    for (int x = 0; x < w; ++x) {
      const QRgb c = in[x];
      const int a = qAlpha(c);
      // Fully transparent pixels are stored black, as Windows' own icons have them.
      *p++ = uchar(a ? qBlue(c) : 0);
      *p++ = uchar(a ? qGreen(c) : 0);
      *p++ = uchar(a ? qRed(c) : 0);
      *p++ = uchar(a);
      if (a == 0) mask[x >> 3] |= uchar(0x80 >> (x & 7));
    }
  }
  return out;
}

}  // namespace ImageFiles
