#include "FileAttributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <QFileInfo>
#include <cerrno>

namespace {

std::optional<QByteArray> ReadXattr(const QByteArray& path, const char* name) {
  const ssize_t size = getxattr(path.constData(), name, nullptr, 0);
  if (size < 0 || size > 65536) return std::nullopt;
  QByteArray value(int(size), '\0');
  const ssize_t n = getxattr(path.constData(), name, value.data(), size_t(value.size()));
  if (n < 0) return std::nullopt;
  value.truncate(int(n));
  return value;
}

// The user may not write the file. root passes every permission check, so for root the
// owner's write bit decides, as it does for Samba's read-only mapping; a read-only mount
// or an immutable file still counts for everyone.
bool NotWritable(const QByteArray& path, const struct stat& st) {
  if (access(path.constData(), W_OK) != 0) return errno != ENOENT;
  return geteuid() == 0 && !(st.st_mode & S_IWUSR);
}

}  // namespace

std::optional<FileAttributes> FileAttributes::Read(const QString& path) {
  const QByteArray name = path.toLocal8Bit();
  struct stat st {};
  if (stat(name.constData(), &st) != 0) return std::nullopt;
  FileAttributes attributes;
  attributes.readOnly = NotWritable(name, st);
  attributes.hidden = QFileInfo(path).fileName().startsWith(QLatin1Char('.'));
  std::optional<quint32> dos;
  if (const auto samba = ReadXattr(name, "user.DOSATTRIB")) dos = FromSambaDosAttrib(*samba);
  if (!dos)
    if (const auto ntfs = ReadXattr(name, "system.ntfs_attrib_be")) dos = FromNtfsAttribBe(*ntfs);
  attributes.archive = dos && (*dos & DosArchive);
  return attributes;
}

std::optional<quint32> FileAttributes::FromSambaDosAttrib(const QByteArray& value) {
  const int end = value.indexOf('\0');
  const QByteArray text = (end < 0 ? value : value.left(end)).trimmed();
  if (!text.startsWith("0x") && !text.startsWith("0X")) return std::nullopt;
  bool ok = false;
  const uint bits = text.mid(2).toUInt(&ok, 16);
  if (!ok) return std::nullopt;
  return quint32(bits);
}

std::optional<quint32> FileAttributes::FromNtfsAttribBe(const QByteArray& value) {
  if (value.size() != 4) return std::nullopt;
  const auto* b = reinterpret_cast<const unsigned char*>(value.constData());
  return (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
}
