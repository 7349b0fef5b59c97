#include "ImageFiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <cstdlib>
#include <cstring>

#include "PictureError.h"

namespace ImageFiles {

namespace {

[[noreturn]] void Fail(const QString& path, const QString& reason) {
  throw PictureError(QStringLiteral("Cannot read \"%1\": %2").arg(path, reason).toStdString());
}

bool SaneSize(qint64 w, qint64 h) {
  return w > 0 && h > 0 && w * h <= MaxPixels;
}

QString SizeReason(qint64 w, qint64 h) {
  return QStringLiteral("a picture of %1 x %2 pixels is larger than Picora opens").arg(w).arg(h);
}

QByteArray ReadWholeFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) Fail(path, file.errorString());
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) Fail(path, file.errorString());
  if (bytes.isEmpty()) Fail(path, QStringLiteral("the file is empty"));
  return bytes;
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
quint32 BigU32(const uchar* p) {
  return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
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

constexpr uchar kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// What the directory and the entry's own header say about one icon image; entries that
// lie outside the file or claim absurd sizes are left out before Qt sees them.
struct EntryInfo {
  int index = 0;
  int depth = 0;
  bool usable = false;
};

EntryInfo Inspect(const QByteArray& file, int index) {
  EntryInfo info;
  info.index = index;
  const auto* data = reinterpret_cast<const uchar*>(file.constData());
  const qint64 size = file.size();
  const uchar* entry = data + 6 + 16 * index;
  const quint32 bytes = U32(entry + 8);
  const quint32 offset = U32(entry + 12);
  if (qint64(offset) + qint64(bytes) > size || bytes < 40) return info;
  const uchar* image = data + offset;
  if (std::memcmp(image, kPngSignature, 8) == 0) {
    if (bytes < 33) return info;
    const quint32 w = BigU32(image + 16), h = BigU32(image + 20);
    if (!SaneSize(w, h)) return info;
    const int bitDepth = image[24];
    int channels = 1;
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
        channels = 1;
        break;  // grey or palette
    }
    info.depth = bitDepth * channels;
  } else {
    const quint32 headerSize = U32(image);
    if (headerSize < 40 || headerSize > bytes) return info;
    const qint64 w = I32(image + 4), h = qint64(I32(image + 8)) / 2;  // colour + mask
    if (!SaneSize(w, h)) return info;
    info.depth = U16(image + 14);
  }
  if (info.depth == 0) info.depth = U16(entry + 6);
  info.usable = true;
  return info;
}

}  // namespace

void RaiseAllocationLimit() {
  QImageReader::setAllocationLimit(2048);
}

QImage ReadBmp(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) Fail(path, file.errorString());
  if (file.size() == 0) Fail(path, QStringLiteral("the file is empty"));
  // The size from the header, before Qt sees the file: a bitmap claiming a giant size
  // must be refused without any attempt to allocate it.
  uchar header[34] = {};
  const qint64 headerBytes = file.peek(reinterpret_cast<char*>(header), sizeof header);
  if (headerBytes < 26 || header[0] != 'B' || header[1] != 'M')
    Fail(path, QStringLiteral("not a Windows bitmap file"));
  const bool core = U32(header + 14) == 12;  // the old OS/2 header with 16-bit sizes
  const qint64 claimedW = core ? U16(header + 18) : std::abs(qint64(I32(header + 18)));
  const qint64 claimedH = core ? U16(header + 20) : std::abs(qint64(I32(header + 22)));
  if (claimedW > 0 && claimedH > 0 && !SaneSize(claimedW, claimedH))
    Fail(path, SizeReason(claimedW, claimedH));
  // Uncompressed rows have a known length; Qt would leave the missing ones undefined.
  const int bits = core ? U16(header + 24) : U16(header + 28);
  const quint32 compression = core || headerBytes < 34 ? 0 : U32(header + 30);
  if (compression == 0 || compression == 3 || compression == 6) {
    const qint64 rowBytes = (claimedW * bits + 31) / 32 * 4;
    if (qint64(U32(header + 10)) + rowBytes * claimedH > file.size())
      Fail(path, QStringLiteral("the file is cut short"));
  }
  QImageReader reader(&file, "bmp");
  reader.setAutoDetectImageFormat(false);
  // Qt reports a top-down bitmap's height as negative, as the file stores it.
  const QSize claimed = reader.size();
  if (claimed.width() <= 0 || claimed.height() == 0)
    Fail(path, QStringLiteral("not a readable Windows bitmap file"));
  const QSize size(claimed.width(), std::abs(claimed.height()));
  if (!SaneSize(size.width(), size.height())) Fail(path, SizeReason(size.width(), size.height()));
  QImage image;
  if (!reader.read(&image) || image.isNull()) Fail(path, reader.errorString());
  if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) Fail(path, QStringLiteral("not enough memory"));
  return image;
}

std::vector<IconEntry> ReadIco(const QString& path) {
  return ReadIco(ReadWholeFile(path), path);
}

std::vector<IconEntry> ReadIco(const QByteArray& bytes, const QString& path) {
  const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
  if (bytes.size() < 6 || U16(data) != 0 || U16(data + 2) != 1)
    Fail(path, QStringLiteral("not an icon file"));
  const int count = U16(data + 4);
  if (count == 0 || bytes.size() < 6 + 16 * qint64(count))
    Fail(path, QStringLiteral("the icon directory is damaged"));

  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  reader.setAutoDetectImageFormat(false);

  std::vector<IconEntry> entries;
  for (int i = 0; i < count; ++i) {
    const EntryInfo info = Inspect(bytes, i);
    if (!info.usable || !reader.jumpToImage(i)) continue;
    QImage image;
    if (!reader.read(&image) || image.isNull()) continue;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) continue;
    entries.push_back({std::move(image), info.depth});
  }
  if (entries.empty()) Fail(path, QStringLiteral("the icon file holds no readable image"));
  return entries;
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
