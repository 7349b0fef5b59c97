#pragma once
// Every file Picora writes goes through here: the bytes go to a temporary file in the
// target folder, which is renamed over the target only when complete, so a failed save
// never leaves a partial file nor destroys the file that was there.
#include <QByteArray>
#include <QString>

namespace FileSaver {
// Raises PictureError (with the path and the reason) when the file cannot be written.
void Write(const QString& path, const QByteArray& bytes);
// Byte copy of a regular file, replacing the target; PictureError (with the path and the
// reason) when the source cannot be read or the target cannot be written.
void CopyFile(const QString& from, const QString& to);
// The same; false when it fails (nothing raised).
bool Copy(const QString& from, const QString& to);
}  // namespace FileSaver
