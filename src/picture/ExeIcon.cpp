#include "ExeIcon.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <exception>
#include <optional>
#include <unordered_map>
#include <vector>

namespace ExeIcon {

namespace {

constexpr quint16 kIconType = 3, kGroupIconType = 14;
constexpr quint32 kHighBit = 0x80000000u;
// An icon group's directory: 6 bytes, then 14 per image. The largest possible group
// (65535 images) is under a megabyte.
constexpr quint64 kMaxGroupBytes = 6 + 14 * quint64(0xFFFF);
// One image of at most 256 x 256 pixels: a 32-bit bitmap with its mask, or a PNG of it,
// is far below this.
constexpr quint64 kMaxImageBytes = quint64(4) << 20;
constexpr int kMaxIconSide = 256;

quint16 U16(const QByteArray& b, qsizetype at) {
  const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
  return quint16(p[0] | (p[1] << 8));
}
quint32 U32(const QByteArray& b, qsizetype at) {
  const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
  return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}
quint32 BigU32(const QByteArray& b, qsizetype at) {
  const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
  return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}
void Put16(QByteArray& out, quint16 v) {
  out.append(char(v & 0xFF));
  out.append(char(v >> 8));
}
void Put32(QByteArray& out, quint32 v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

// A regular file opened read-only, read only in ranges that lie inside it.
class RangeFile {
 public:
  explicit RangeFile(const QString& path) {
    // Non-blocking, so that a FIFO in the file's place cannot hang the reader.
    fd_ = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd_ >= 0 && fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
      size_ = quint64(st.st_size);
  }
  ~RangeFile() {
    if (fd_ >= 0) close(fd_);
  }
  RangeFile(const RangeFile&) = delete;
  RangeFile& operator=(const RangeFile&) = delete;

  quint64 Size() const { return size_; }

  // Exactly length bytes at offset, or nothing when they are not all in the file.
  std::optional<QByteArray> Read(quint64 offset, quint64 length) const {
    if (offset > size_ || length > size_ - offset || length > quint64(kMaxImageBytes) * 2)
      return std::nullopt;
    QByteArray bytes(qsizetype(length), Qt::Uninitialized);
    quint64 got = 0;
    while (got < length) {
      const ssize_t n = pread(fd_, bytes.data() + got, size_t(length - got), off_t(offset + got));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return std::nullopt;  // shrunk meanwhile, or an I/O error
      got += quint64(n);
    }
    return bytes;
  }

 private:
  int fd_ = -1;
  quint64 size_ = 0;
};

struct Section {
  quint64 rva = 0, extent = 0, fileOffset = 0;
};

struct Entry {
  quint32 name = 0, data = 0;
  bool Named() const { return name & kHighBit; }
  bool Subdirectory() const { return data & kHighBit; }
  quint32 Target() const { return data & ~kHighBit; }
};

// The resource section of a PE file, addressed by relative virtual address.
class Resources {
 public:
  explicit Resources(const RangeFile& file) : file_(file) {}

  bool Open() {
    const auto dos = file_.Read(0, 64);
    if (!dos || dos->at(0) != 'M' || dos->at(1) != 'Z') return false;
    const quint64 pe = U32(*dos, 0x3C);
    const auto header = file_.Read(pe, 24);
    if (!header || !header->startsWith(QByteArray("PE\0\0", 4))) return false;
    const quint16 sectionCount = U16(*header, 6);
    const quint16 optionalSize = U16(*header, 20);
    const auto optional = file_.Read(pe + 24, optionalSize);
    if (!optional || optionalSize < 2) return false;
    // The data directories follow the fixed part, which PE32+ makes 16 bytes longer.
    quint64 directories = 0;
    switch (U16(*optional, 0)) {
      case 0x10B:
        directories = 96;
        break;
      case 0x20B:
        directories = 112;
        break;
      default:
        return false;
    }
    constexpr quint64 kResourceDirectory = 2;
    if (quint64(optionalSize) < directories + (kResourceDirectory + 1) * 8) return false;
    if (U32(*optional, qsizetype(directories - 4)) <= kResourceDirectory) return false;
    base_ = U32(*optional, qsizetype(directories + kResourceDirectory * 8));
    if (base_ == 0) return false;

    const auto table = file_.Read(pe + 24 + optionalSize, quint64(sectionCount) * 40);
    if (!table) return false;
    for (quint32 i = 0; i < sectionCount; ++i) {
      const qsizetype at = qsizetype(i) * 40;
      const quint64 virtualSize = U32(*table, at + 8), rawSize = U32(*table, at + 16);
      Section s;
      s.rva = U32(*table, at + 12);
      // Only the bytes both stored in the file and mapped by the loader are resource data.
      s.extent = virtualSize ? std::min(virtualSize, rawSize) : rawSize;
      s.fileOffset = U32(*table, at + 20);
      sections_.push_back(s);
    }
    return true;
  }

  // length bytes at a relative virtual address, all inside one section and the file.
  std::optional<QByteArray> ReadRva(quint64 rva, quint64 length) const {
    for (const Section& s : sections_) {
      if (rva < s.rva || rva - s.rva > s.extent || length > s.extent - (rva - s.rva)) continue;
      return file_.Read(s.fileOffset + (rva - s.rva), length);
    }
    return std::nullopt;
  }

  // The entries of the directory at an offset from the start of the resources.
  std::optional<std::vector<Entry>> Directory(quint32 offset) const {
    const auto header = ReadRva(base_ + offset, 16);
    if (!header) return std::nullopt;
    const quint64 count = quint64(U16(*header, 12)) + U16(*header, 14);
    const auto table = ReadRva(base_ + offset + 16, count * 8);
    if (!table) return std::nullopt;
    std::vector<Entry> entries(count);
    for (quint64 i = 0; i < count; ++i)
      entries[i] = {U32(*table, qsizetype(i * 8)), U32(*table, qsizetype(i * 8 + 4))};
    return entries;
  }

  // The data of a name entry's first language: the third and last level.
  std::optional<QByteArray> FirstLanguage(const Entry& name, quint64 maxBytes) const {
    if (!name.Subdirectory()) return std::nullopt;
    const auto languages = Directory(name.Target());
    if (!languages || languages->empty() || languages->front().Subdirectory()) return std::nullopt;
    const auto dataEntry = ReadRva(base_ + languages->front().Target(), 16);
    if (!dataEntry) return std::nullopt;
    const quint64 size = U32(*dataEntry, 4);
    if (size == 0 || size > maxBytes) return std::nullopt;
    return ReadRva(U32(*dataEntry, 0), size);
  }

 private:
  const RangeFile& file_;
  quint64 base_ = 0;
  std::vector<Section> sections_;
};

const Entry* FindId(const std::vector<Entry>& entries, quint16 id) {
  for (const Entry& e : entries)
    if (!e.Named() && e.name == id) return &e;
  return nullptr;
}

// Width and height from an image's own header: a bitmap (whose height counts the
// colour image and the mask) or a PNG.
bool IconSized(const QByteArray& image) {
  qint64 w = 0, h = 0;
  if (image.startsWith(QByteArray("\x89PNG\r\n\x1A\n", 8))) {
    if (image.size() < 24) return false;
    w = BigU32(image, 16);
    h = BigU32(image, 20);
  } else {
    if (image.size() < 40 || U32(image, 0) < 40) return false;
    w = qint32(U32(image, 4));
    h = qint32(U32(image, 8));
    h = (h < 0 ? -h : h) / 2;
  }
  return w > 0 && h > 0 && w <= kMaxIconSide && h <= kMaxIconSide;
}

// Nearest-neighbour, each target pixel's centre sampling the source: premultiplied
// pixels are copied whole, alpha with them.
QImage ScaleNearest(const QImage& source, QSize size) {
  QImage out(size, QImage::Format_ARGB32_Premultiplied);
  if (out.isNull()) return out;
  const QImage in = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < size.height(); ++y) {
    const int sy = int((2 * qint64(y) + 1) * in.height() / (2 * qint64(size.height())));
    const auto* from = reinterpret_cast<const QRgb*>(in.constScanLine(sy));
    auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < size.width(); ++x)
      to[x] = from[(2 * qint64(x) + 1) * in.width() / (2 * qint64(size.width()))];
  }
  return out;
}

}  // namespace

QByteArray FirstGroupAsIco(const QString& path) {
  const RangeFile file(path);
  if (file.Size() == 0) return {};
  Resources resources(file);
  if (!resources.Open()) return {};

  const auto types = resources.Directory(0);
  if (!types) return {};
  const Entry* groupType = FindId(*types, kGroupIconType);
  const Entry* iconType = FindId(*types, kIconType);
  if (!groupType || !iconType || !groupType->Subdirectory() || !iconType->Subdirectory()) return {};
  const auto groups = resources.Directory(groupType->Target());
  const auto icons = resources.Directory(iconType->Target());
  if (!groups || groups->empty() || !icons) return {};
  // The group's size comes from its checked data entry; its own byte counts are not used.
  const auto group = resources.FirstLanguage(groups->front(), kMaxGroupBytes);
  if (!group || group->size() < 6) return {};
  const quint64 count = U16(*group, 4);
  if (count == 0 || count > quint64(MaxImagesPerGroup) || 6 + 14 * count > quint64(group->size()))
    return {};

  std::unordered_map<quint16, const Entry*> iconIds;
  for (const Entry& e : *icons)
    if (!e.Named() && e.name <= 0xFFFF) iconIds.try_emplace(quint16(e.name), &e);

  struct Image {
    QByteArray header;  // width, height, colours, reserved, planes, bits per pixel
    QByteArray data;
  };
  std::vector<Image> images;
  quint64 total = 0;
  for (quint64 i = 0; i < count; ++i) {
    const qsizetype at = qsizetype(6 + 14 * i);
    const auto found = iconIds.find(U16(*group, at + 12));
    if (found == iconIds.end()) continue;
    const quint64 budget = quint64(MaxGroupImageBytes) - total;
    auto data = resources.FirstLanguage(*found->second, std::min(kMaxImageBytes, budget));
    if (!data || !IconSized(*data)) continue;
    total += quint64(data->size());
    images.push_back({group->mid(at, 8), std::move(*data)});
  }
  if (images.empty()) return {};

  QByteArray ico;
  Put16(ico, 0);
  Put16(ico, 1);
  Put16(ico, quint16(images.size()));
  quint64 offset = 6 + 16 * quint64(images.size());
  for (const Image& image : images) {
    ico += image.header;
    Put32(ico, quint32(image.data.size()));
    Put32(ico, quint32(offset));
    offset += quint64(image.data.size());
  }
  for (const Image& image : images) ico += image.data;
  return ico;
}

Icon Extract(const QString& path) {
  try {
    const QByteArray ico = FirstGroupAsIco(path);
    if (ico.isEmpty()) return Icon();
    const Icon chosen = Icon::FromIcoData(ico, path);
    const QSize size = Icon::SystemIconSize();
    if (chosen.Width() == size.width() && chosen.Height() == size.height()) return chosen;
    if (chosen.Empty()) return Icon();
    return Icon(ScaleNearest(chosen.ToImage(), size));
  } catch (const std::exception&) {
    // Undecodable images, or memory running out: no icon, as for any unexpected file.
    return Icon();
  }
}

}  // namespace ExeIcon
