#pragma once
// The process's peak resident memory since the object was made: the kernel's high-water
// mark (VmHWM) is reset when it is made and read back on demand. Measures what a piece
// of code really touched, allocations and the memory libraries take behind our back alike.
#include <QFile>
#include <QtGlobal>

class PeakMemory {
 public:
  PeakMemory() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    resettable_ = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
    start_ = Field("VmRSS:");
  }
  // Whether the kernel lets the mark be reset (Linux 4.0 and later).
  bool Works() const { return resettable_ && start_ > 0; }
  // Bytes above the resident size at the start.
  qint64 GrowthBytes() const { return (Field("VmHWM:") - start_) * 1024; }

 private:
  static qint64 Field(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
      if (line.startsWith(name))
        return line.mid(int(qstrlen(name))).trimmed().split(' ')[0].toLongLong();
    return 0;
  }
  bool resettable_ = false;
  qint64 start_ = 0;
};
