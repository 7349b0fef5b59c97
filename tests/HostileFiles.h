#pragma once
// Small files made to hurt a picture viewer: tiny files that claim huge pictures, icon
// directories that repeat one image, sizes that overflow, and folder entries that are not
// files at all. Shared by the picture, browse and control tests.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <cstring>
#include <vector>

namespace HostileFiles {

inline void PutLE16(QByteArray& out, int v) {
  out += char(v & 0xFF);
  out += char((v >> 8) & 0xFF);
}
inline void PutLE32(QByteArray& out, quint32 v) {
  for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}
inline void PutBE32(QByteArray& out, quint32 v) {
  for (int i = 3; i >= 0; --i) out += char((v >> (8 * i)) & 0xFF);
}

// An 8-bit run-length bitmap of w x h whose data is only "end of bitmap": about 1 KB
// (mostly the palette) for any size.
inline QByteArray RleBmp(int w, int h) {
  QByteArray info;
  PutLE32(info, 40);
  PutLE32(info, quint32(w));
  PutLE32(info, quint32(h));
  PutLE16(info, 1);
  PutLE16(info, 8);
  PutLE32(info, 1);  // BI_RLE8
  PutLE32(info, 2);  // data size
  PutLE32(info, 2835);
  PutLE32(info, 2835);
  PutLE32(info, 256);
  PutLE32(info, 0);
  QByteArray palette;
  for (int i = 0; i < 256; ++i) PutLE32(palette, quint32(i * 0x010101));
  const QByteArray data = QByteArray::fromHex("0001");
  QByteArray file("BM");
  PutLE32(file, quint32(14 + info.size() + palette.size() + data.size()));
  PutLE32(file, 0);
  PutLE32(file, quint32(14 + info.size() + palette.size()));
  return file + info + palette + data;
}

// A real progressive JPEG of a small picture whose frame header is changed to claim
// w x h: libjpeg buffers the coefficients of the whole claimed picture before the first
// row comes out, then finds the data cut short.
inline QByteArray ProgressiveJpegClaiming(int w, int h) {
  QImage image(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 4, (x ^ y) * 4));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setProgressiveScanWrite(true);
  if (!writer.write(image)) return {};
  const int sof = int(bytes.indexOf(QByteArray::fromHex("ffc2")));
  if (sof < 0) return {};
  bytes[sof + 5] = char(h >> 8);
  bytes[sof + 6] = char(h & 0xFF);
  bytes[sof + 7] = char(w >> 8);
  bytes[sof + 8] = char(w & 0xFF);
  return bytes;
}

// GIF image data for the given palette indices (3-bit codes): a clear code before every
// pixel keeps the code table (and so the code width) from growing.
inline QByteArray LzwLiterals(const std::vector<int>& indices) {
  const int clear = 4, end = 5, width = 3;
  std::vector<int> codes;
  for (int index : indices) {
    codes.push_back(clear);
    codes.push_back(index);
  }
  codes.push_back(end);
  QByteArray packed;
  quint32 accumulator = 0;
  int bits = 0;
  for (int code : codes) {
    accumulator |= quint32(code) << bits;
    bits += width;
    while (bits >= 8) {
      packed += char(accumulator & 0xFF);
      accumulator >>= 8;
      bits -= 8;
    }
  }
  if (bits > 0) packed += char(accumulator & 0xFF);
  QByteArray blocks;
  blocks += char(2);  // LZW minimum code size
  for (int at = 0; at < packed.size(); at += 255) {
    const QByteArray part = packed.mid(at, 255);
    blocks += char(part.size());
    blocks += part;
  }
  blocks += char(0);
  return blocks;
}

struct GifFrame {
  int left = 0, top = 0, width = 1, height = 1;
  std::vector<int> indices;  // palette indices, row by row; may be fewer than the pixels
};

// A GIF89a with a four-colour global palette (black, red, green, blue), the given screen
// and frames, looping for ever (or, with loopForEver false, played once).
inline QByteArray Gif(int screenW, int screenH, const std::vector<GifFrame>& frames,
                      bool loopForEver = true) {
  QByteArray file("GIF89a");
  PutLE16(file, screenW);
  PutLE16(file, screenH);
  file += char(0x81);  // global colour table of 4 entries
  file += char(0);
  file += char(0);
  file += QByteArray::fromHex("000000ff000000ff000000ff");
  if (loopForEver)
    file += QByteArray::fromHex("21ff0b") + QByteArray("NETSCAPE2.0") +
            QByteArray::fromHex("03010000") + QByteArray(1, 0);
  for (const GifFrame& f : frames) {
    file += QByteArray::fromHex("21f904000a000000");  // 0.1 s, no transparency
    file += char(0x2C);
    PutLE16(file, f.left);
    PutLE16(file, f.top);
    PutLE16(file, f.width);
    PutLE16(file, f.height);
    file += char(0);
    file += LzwLiterals(f.indices);
  }
  file += char(0x3B);
  return file;
}

// A GIF of a few dozen bytes whose one frame claims w x h.
inline QByteArray TinyGifClaiming(int w, int h) {
  return Gif(w, h, {GifFrame{0, 0, w, h, {1}}});
}

// A PNG of side x side, 8-bit grey, all black: deflate packs it close to its limit.
inline QByteArray BlackPng(int side) {
  QImage image(side, side, QImage::Format_Grayscale8);
  image.fill(0);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  writer.setQuality(0);  // for PNG: the strongest compression
  writer.write(image);
  return bytes;
}

// The CRC of a PNG chunk (type and data).
inline quint32 PngCrc(const QByteArray& bytes) {
  quint32 crc = 0xFFFFFFFFu;
  for (const char byte : bytes) {
    crc ^= quint8(byte);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

// A complete, valid PNG of w x h, 8-bit grey, all black, made without holding its pixels:
// the deflate stream is one literal zero followed by back-references of 258 bytes at
// distance 1 (13 bits each), so a 20000 x 20000 picture takes about 2.5 MB and decodes
// in full.
inline QByteArray BlackPngOf(int w, int h) {
  const quint64 total = quint64(h) * (quint64(w) + 1);  // a filter byte before every row
  QByteArray deflate;
  quint32 bits = 0;
  int count = 0;
  const auto put = [&](quint32 value, int n) {  // least significant bit first
    bits |= value << count;
    count += n;
    while (count >= 8) {
      deflate += char(bits & 0xFF);
      bits >>= 8;
      count -= 8;
    }
  };
  const auto code = [&](quint32 value, int n) {  // Huffman codes go most significant first
    for (int i = n - 1; i >= 0; --i) put((value >> i) & 1u, 1);
  };
  put(1, 1);      // the last block
  put(1, 2);      // fixed Huffman codes
  code(0x30, 8);  // literal 0
  quint64 left = total - 1;
  while (left >= 258 + 3 || left == 258) {
    code(0xC5, 8);  // length 258 (code 285)
    code(0, 5);     // distance 1
    left -= 258;
  }
  while (left > 0) {  // the rest as literals (fewer than 261 bytes)
    code(0x30, 8);
    --left;
  }
  code(0, 7);  // end of block
  if (count > 0) put(0, 8 - count);
  QByteArray zlib = QByteArray::fromHex("7801") + deflate;
  PutBE32(zlib, quint32((total % 65521u) << 16 | 1u));  // Adler-32 of the zero bytes

  const auto chunk = [](QByteArray& out, const char* type, const QByteArray& data) {
    PutBE32(out, quint32(data.size()));
    const QByteArray body = QByteArray(type) + data;
    out += body;
    PutBE32(out, PngCrc(body));
  };
  QByteArray header;
  PutBE32(header, quint32(w));
  PutBE32(header, quint32(h));
  header += QByteArray::fromHex("0800000000");  // 8-bit grey, no interlace
  QByteArray png = QByteArray::fromHex("89504e470d0a1a0a");
  chunk(png, "IHDR", header);
  chunk(png, "IDAT", zlib);
  chunk(png, "IEND", QByteArray());
  return png;
}

// An icon file whose directory has count entries, all pointing at the same image.
inline QByteArray IconFlood(int count, const QByteArray& image, int side) {
  QByteArray file;
  PutLE16(file, 0);
  PutLE16(file, 1);
  PutLE16(file, count);
  const quint32 offset = quint32(6 + 16 * count);
  for (int i = 0; i < count; ++i) {
    file += char(side >= 256 ? 0 : side);
    file += char(side >= 256 ? 0 : side);
    file += QByteArray(2, 0);
    PutLE16(file, 1);
    PutLE16(file, 32);
    PutLE32(file, quint32(image.size()));
    PutLE32(file, offset);
  }
  return file + image;
}

// A 62-byte icon whose PNG entry claims side x side (large enough that the product of
// the two sides does not fit in 64 signed bits).
inline QByteArray IconClaimingPng(quint32 side) {
  QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
  PutBE32(png, side);
  PutBE32(png, side);
  png += QByteArray::fromHex("0806000000");  // 8-bit RGBA
  png += QByteArray(40 - png.size(), 0);
  QByteArray file;
  PutLE16(file, 0);
  PutLE16(file, 1);
  PutLE16(file, 1);
  file += QByteArray::fromHex("0000000001002000");
  PutLE32(file, quint32(png.size()));
  PutLE32(file, 22);
  return file + png;
}

// Folder entries that are not regular files. Each returns false when the system would
// not make it.
inline bool MakeFifo(const QString& path) {
  return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

// A listening Unix socket bound at path; the descriptor is closed by the caller.
inline int MakeSocket(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  sockaddr_un address{};
  if (size_t(name.size()) >= sizeof address.sun_path) return -1;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

inline bool MakeLink(const QString& target, const QString& path) {
  return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0;
}

}  // namespace HostileFiles
