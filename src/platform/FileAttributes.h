#pragma once
// The three attributes the properties panel shows, mapped onto Linux: read-only is
// "this user may not write the file", hidden is a name starting with ".", and the
// archive bit is the DOS one where a file system keeps it (Samba's user.DOSATTRIB,
// ntfs-3g's system.ntfs_attrib_be).
#include <QByteArray>
#include <QString>
#include <optional>

struct FileAttributes {
  bool readOnly = false;
  bool hidden = false;
  bool archive = false;

  static constexpr quint32 DosReadOnly = 0x01, DosHidden = 0x02, DosArchive = 0x20;

  // Nothing when the file cannot be reached.
  static std::optional<FileAttributes> Read(const QString& path);

  // The DOS attribute bits kept in extended attributes; nothing when the value is not
  // of that form.
  // Samba: a NUL-terminated "0x20"-style hexadecimal text, possibly followed by a binary
  // record that repeats it.
  static std::optional<quint32> FromSambaDosAttrib(const QByteArray& value);
  // ntfs-3g: four bytes, big-endian.
  static std::optional<quint32> FromNtfsAttribBe(const QByteArray& value);
};
