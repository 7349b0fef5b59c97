#include "ThumbnailCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QStringList>
#include <array>
#include <cerrno>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "picture/RegularFile.h"

#ifndef PICORA_VERSION
#define PICORA_VERSION "0"
#endif

namespace {

constexpr int kMaxRecordedSide = 1 << 20;  // picture sizes beyond this are not believed

const ThumbnailCache::Size kSizes[] = {ThumbnailCache::Size::Normal, ThumbnailCache::Size::Large,
                                       ThumbnailCache::Size::XLarge, ThumbnailCache::Size::XXLarge};

bool Readable(const QString& path) {
  return ::access(QFile::encodeName(path).constData(), R_OK) == 0;
}

QString Clean(const QString& path) {
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The PNG chunk checksum (CRC-32 of ISO 3309, as zlib computes it).
constexpr std::array<quint32, 256> MakeCrcTable() {
  std::array<quint32, 256> table{};
  for (quint32 n = 0; n < 256; ++n) {
    quint32 c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr std::array<quint32, 256> kCrcTable = MakeCrcTable();

quint32 Crc(const QByteArray& bytes) {
  quint32 c = 0xFFFFFFFFu;
  for (char b : bytes) c = kCrcTable[(c ^ uchar(b)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void PutBig32(QByteArray& out, quint32 v) {
  for (int i = 3; i >= 0; --i) out.append(char((v >> (8 * i)) & 0xFF));
}

using Texts = std::vector<std::pair<const char*, QString>>;

// The keys go into plain tEXt chunks right after the header, where every reader of the
// standard looks (Qt itself would compress long values into zTXt).
QByteArray WithTexts(const QByteArray& png, const Texts& texts) {
  static const char kSignature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1A', '\n'};
  constexpr int kAfterHeader = 8 + 4 + 4 + 13 + 4;
  if (png.size() < kAfterHeader || std::memcmp(png.constData(), kSignature, 8) != 0 ||
      png.mid(12, 4) != "IHDR")
    return {};
  QByteArray chunks;
  for (const auto& [key, value] : texts) {
    bool latin1 = true;
    for (QChar c : value) latin1 = latin1 && c.unicode() < 256;
    if (!latin1 || value.isEmpty()) continue;
    QByteArray body = QByteArray("tEXt") + key + '\0' + value.toLatin1();
    PutBig32(chunks, quint32(body.size() - 4));
    chunks.append(body);
    PutBig32(chunks, Crc(body));
  }
  QByteArray out = png.left(kAfterHeader);
  out.append(chunks);
  out.append(png.mid(kAfterHeader));
  return out;
}

QByteArray EncodePng(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) return {};
  return bytes;
}

// Creates the missing folders of path, each with mode 0700 (nobody else may look at the
// thumbnails of the user's files). Folders that exist are left as they are.
bool MakeFolders(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  if (::stat(name.constData(), &st) == 0) return S_ISDIR(st.st_mode);
  if (errno != ENOENT) return false;
  const QString parent = QFileInfo(path).path();
  if (parent == path || !MakeFolders(parent)) return false;
  if (::mkdir(name.constData(), 0700) != 0) {
    // Another worker may have made it in the meantime.
    return errno == EEXIST && ::stat(name.constData(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  ::chmod(name.constData(), 0700);  // whatever the umask took away or left
  return true;
}

// Writes bytes to a unique temporary file beside target (mode 0600) and renames it over
// target, so that no reader ever sees a partial thumbnail and workers never collide.
bool Place(const QString& target, const QByteArray& bytes) {
  if (bytes.isEmpty() || !MakeFolders(QFileInfo(target).path())) return false;
  QByteArray temporary = QFile::encodeName(target) + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, 0600) == 0;
  for (qint64 done = 0; ok && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += n;
  }
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temporary.constData(), QFile::encodeName(target).constData()) == 0;
  if (!ok) ::unlink(temporary.constData());
  return ok;
}

Texts SourceTexts(const QByteArray& uri, const ThumbnailCache::Source& file) {
  return {{"Thumb::URI", QString::fromLatin1(uri)},
          {"Thumb::MTime", QString::number(file.mtime)},
          {"Thumb::Size", QString::number(file.size)},
          {"Software", QStringLiteral("Picora " PICORA_VERSION)}};
}

std::optional<qint64> Number(const QString& text) {
  bool ok = false;
  const qint64 v = text.trimmed().toLongLong(&ok);
  return ok ? std::optional<qint64>(v) : std::nullopt;
}

int RecordedSide(const QString& text) {
  const auto v = Number(text);
  return v && *v > 0 && *v <= kMaxRecordedSide ? int(*v) : 0;
}

// The plain tEXt chunks ahead of the first pixel data, read by walking the chunk headers
// within the bytes. (Qt's reader reports keys only up to their first colon, and the
// standard's keys are full of them.)
std::map<QByteArray, QByteArray> EarlyTexts(const QByteArray& png) {
  std::map<QByteArray, QByteArray> texts;
  const auto* data = reinterpret_cast<const uchar*>(png.constData());
  const qint64 size = png.size();
  for (qint64 at = 8; size - at >= 12;) {
    const qint64 length =
        (qint64(data[at]) << 24) | (data[at + 1] << 16) | (data[at + 2] << 8) | data[at + 3];
    if (length > size - at - 12) break;
    const QByteArray type = png.mid(at + 4, 4);
    if (type == "IDAT") break;
    if (type == "tEXt") {
      const QByteArray body = png.mid(at + 8, length);
      const qsizetype zero = body.indexOf('\0');
      if (zero > 0) texts.emplace(body.left(zero), body.mid(zero + 1));
    }
    at += 12 + length;
  }
  return texts;
}

// Reads the cached PNG at path when it is a valid thumbnail of file.
std::optional<ThumbnailCache::Found> ReadEntry(const QString& path, const QByteArray& uri,
                                               const ThumbnailCache::Source& file) {
  RegularFile entry;
  if (!entry.Open(path) || entry.Size() > ThumbnailCache::MaxFileBytes) return std::nullopt;
  auto bytes = entry.TryReadAll(ThumbnailCache::MaxFileBytes);
  entry.Close();
  if (!bytes || bytes->isEmpty()) return std::nullopt;
  QBuffer buffer(&*bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "png");
  reader.setAutoDetectImageFormat(false);
  const QSize size = reader.size();
  if (size.width() <= 0 || size.height() <= 0 || size.width() > ThumbnailCache::MaxSide ||
      size.height() > ThumbnailCache::MaxSide)
    return std::nullopt;
  // Keys ahead of the pixels are known without decoding: a thumbnail of another file or
  // of an older version of this one is passed over at once.
  const QString uriText = QString::fromLatin1(uri);
  const auto early = EarlyTexts(*bytes);
  if (const auto it = early.find("Thumb::URI"); it != early.end() && it->second != uri)
    return std::nullopt;
  if (const auto it = early.find("Thumb::MTime");
      it != early.end() && Number(QString::fromLatin1(it->second)) != file.mtime)
    return std::nullopt;

  QImage image;
  if (!reader.read(&image) || image.isNull() || image.size() != size) return std::nullopt;
  // Qt's decoder gathers every text chunk, compressed ones and those after the pixels too.
  if (image.text(QStringLiteral("Thumb::URI")) != uriText ||
      Number(image.text(QStringLiteral("Thumb::MTime"))) != file.mtime)
    return std::nullopt;
  const QString recordedSize = image.text(QStringLiteral("Thumb::Size"));
  if (!recordedSize.isNull() && Number(recordedSize) != file.size) return std::nullopt;

  ThumbnailCache::Found found;
  found.imageWidth = RecordedSide(image.text(QStringLiteral("Thumb::Image::Width")));
  found.imageHeight = RecordedSide(image.text(QStringLiteral("Thumb::Image::Height")));
  if (found.imageWidth == 0 || found.imageHeight == 0) found.imageWidth = found.imageHeight = 0;
  found.image = std::move(image);
  return found;
}

}  // namespace

int ThumbnailCache::Pixels(Size size) {
  switch (size) {
    case Size::Normal:
      return 128;
    case Size::Large:
      return 256;
    case Size::XLarge:
      return 512;
    case Size::XXLarge:
      return 1024;
  }
  return 128;
}

QString ThumbnailCache::FolderName(Size size) {
  switch (size) {
    case Size::Normal:
      return QStringLiteral("normal");
    case Size::Large:
      return QStringLiteral("large");
    case Size::XLarge:
      return QStringLiteral("x-large");
    case Size::XXLarge:
      return QStringLiteral("xx-large");
  }
  return QStringLiteral("normal");
}

std::optional<ThumbnailCache::Source> ThumbnailCache::Stat(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
    return std::nullopt;
  return Source{path, qint64(st.st_mtim.tv_sec), qint64(st.st_size)};
}

ThumbnailCache::ThumbnailCache() : ThumbnailCache(DefaultRoot()) {}

ThumbnailCache::ThumbnailCache(const QString& root) : root_(Clean(root)) {}

QString ThumbnailCache::DefaultRoot() {
  const QString xdg = QFile::decodeName(qgetenv("XDG_CACHE_HOME"));
  // The base directory rules ignore relative values.
  const QString base =
      xdg.startsWith(QLatin1Char('/')) ? xdg : QDir::homePath() + QStringLiteral("/.cache");
  return QDir::cleanPath(base + QStringLiteral("/thumbnails"));
}

QByteArray ThumbnailCache::Uri(const QString& path) {
  static const char kHex[] = "0123456789ABCDEF";
  const QByteArray bytes = QFile::encodeName(Clean(path));
  QByteArray uri("file://");
  uri.reserve(7 + 3 * bytes.size());
  for (char ch : bytes) {
    const uchar c = uchar(ch);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       (c != 0 && std::strchr("-_.!~*'()/:@&=+$,", c) != nullptr);
    if (plain) {
      uri.append(char(c));
    } else {
      uri.append('%');
      uri.append(kHex[c >> 4]);
      uri.append(kHex[c & 0xF]);
    }
  }
  return uri;
}

QString ThumbnailCache::FileName(const QByteArray& uri) {
  return QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
         QStringLiteral(".png");
}

QString ThumbnailCache::ThumbnailPath(const QString& path, Size size) const {
  return root_ + QLatin1Char('/') + FolderName(size) + QLatin1Char('/') + FileName(Uri(path));
}

QString ThumbnailCache::FailureFolderName() {
  return QStringLiteral("picora-" PICORA_VERSION);
}

QString ThumbnailCache::FailurePath(const QString& path) const {
  return root_ + QStringLiteral("/fail/") + FailureFolderName() + QLatin1Char('/') +
         FileName(Uri(path));
}

bool ThumbnailCache::Contains(const QString& path) const {
  const auto inside = [](const QString& p, const QString& folder) {
    return !folder.isEmpty() &&
           (p == folder || (p.startsWith(folder) && p.at(folder.size()) == QLatin1Char('/')));
  };
  const QString clean = Clean(path);
  if (inside(clean, root_)) return true;
  // The same folders reached through symbolic links, either way round.
  const QString canonicalRoot = QFileInfo(root_).canonicalFilePath();
  if (canonicalRoot.isEmpty()) return false;
  QFileInfo info(clean);
  QString canonical = info.canonicalFilePath();
  if (canonical.isEmpty()) canonical = QFileInfo(info.path()).canonicalFilePath();
  return inside(canonical, canonicalRoot);
}

std::optional<ThumbnailCache::Found> ThumbnailCache::Find(const Source& file, int drawnSize) const {
  try {
    // The standard: a file the user cannot read has no thumbnail to show.
    if (!Readable(file.path)) return std::nullopt;
    const QByteArray uri = Uri(file.path);
    const QString name = FileName(uri);
    for (Size size : kSizes) {
      if (Pixels(size) < drawnSize && size != Size::XXLarge) continue;
      auto found = ReadEntry(root_ + QLatin1Char('/') + FolderName(size) + QLatin1Char('/') + name,
                             uri, file);
      if (found) {
        found->size = size;
        return found;
      }
    }
  } catch (...) {
    // Out of memory while reading a cache entry: as if the cache were empty.
  }
  return std::nullopt;
}

bool ThumbnailCache::Write(const Source& file, const QImage& picture, int imageWidth,
                           int imageHeight, const QString& mimeType) const {
  try {
    if (picture.isNull() || Contains(file.path) || !Readable(file.path)) return false;
    const int side = Pixels(Size::Normal);
    QImage thumbnail =
        picture.width() > side || picture.height() > side
            ? picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : picture;
    if (!thumbnail.hasAlphaChannel() && thumbnail.format() != QImage::Format_RGB32)
      thumbnail = thumbnail.convertToFormat(QImage::Format_RGB32);
    const QByteArray uri = Uri(file.path);
    Texts texts = SourceTexts(uri, file);
    texts.emplace_back("Thumb::Mimetype", mimeType);
    if (imageWidth > 0 && imageHeight > 0) {
      texts.emplace_back("Thumb::Image::Width", QString::number(imageWidth));
      texts.emplace_back("Thumb::Image::Height", QString::number(imageHeight));
    }
    return Place(ThumbnailPath(file.path, Size::Normal), WithTexts(EncodePng(thumbnail), texts));
  } catch (...) {
    return false;
  }
}

bool ThumbnailCache::WriteFailure(const Source& file) const {
  try {
    if (Contains(file.path) || !Readable(file.path)) return false;
    QImage mark(1, 1, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    return Place(FailurePath(file.path),
                 WithTexts(EncodePng(mark), SourceTexts(Uri(file.path), file)));
  } catch (...) {
    return false;
  }
}

bool ThumbnailCache::HasFailure(const Source& file) const {
  try {
    return Readable(file.path) && ReadEntry(FailurePath(file.path), Uri(file.path), file);
  } catch (...) {
    return false;
  }
}
