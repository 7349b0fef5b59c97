#include "RmidFile.h"

#include <cstring>

namespace {
quint32 Little32(const char* p) {
  const auto* u = reinterpret_cast<const uchar*>(p);
  return quint32(u[0]) | (quint32(u[1]) << 8) | (quint32(u[2]) << 16) | (quint32(u[3]) << 24);
}
}  // namespace

bool RmidFile::IsRmid(const QByteArray& bytes) {
  return bytes.size() >= 12 && std::memcmp(bytes.constData(), "RIFF", 4) == 0 &&
         std::memcmp(bytes.constData() + 8, "RMID", 4) == 0;
}

std::optional<QByteArray> RmidFile::Inner(const QByteArray& bytes) {
  if (!IsRmid(bytes)) return std::nullopt;
  // Writers disagree about the form's own size field; the chunks are bounded by the file.
  const qint64 size = bytes.size();
  qint64 at = 12;
  while (size - at >= 8) {
    const char* chunk = bytes.constData() + at;
    const qint64 length = Little32(chunk + 4);
    if (length > size - at - 8) return std::nullopt;
    if (std::memcmp(chunk, "data", 4) == 0 && length >= 4 && std::memcmp(chunk + 8, "MThd", 4) == 0)
      return bytes.mid(at + 8, length);
    at += 8 + length + (length & 1);  // chunks start on even offsets
  }
  return std::nullopt;
}
