#include "GifFile.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <optional>

#include "PictureError.h"
#include "PictureLimits.h"
#include "RegularFile.h"

namespace {

// An LZW code of at most 12 bits stands for at most 4096 pixels.
constexpr quint64 kLzwPixelsPerByte = 4096;

// Sequential reads through a small buffer; running out of file ends the scan quietly, as
// Qt shows a cut-short file as far as it goes.
class Reader {
 public:
  explicit Reader(RegularFile& file) : file_(file) {}

  std::optional<int> Byte() {
    if (pos_ == end_ && !Fill()) return std::nullopt;
    return buffer_[pos_++];
  }
  bool Read(uchar* out, int n) {
    for (int i = 0; i < n; ++i) {
      const std::optional<int> b = Byte();
      if (!b) return false;
      out[i] = uchar(*b);
    }
    return true;
  }
  bool Skip(qint64 n) {
    while (n > 0) {
      if (pos_ == end_ && !Fill()) return false;
      const qint64 step = std::min<qint64>(n, end_ - pos_);
      pos_ += int(step);
      n -= step;
    }
    return true;
  }
  // Data sub-blocks: a length byte, that many bytes, until a length of 0.
  bool SkipSubBlocks() {
    for (;;) {
      const std::optional<int> length = Byte();
      if (!length) return false;
      if (*length == 0) return true;
      if (!Skip(*length)) return false;
    }
  }

 private:
  bool Fill() {
    end_ = int(file_.Read(reinterpret_cast<char*>(buffer_), sizeof buffer_));
    pos_ = 0;
    return end_ > 0;
  }
  RegularFile& file_;
  uchar buffer_[1 << 14];
  int pos_ = 0, end_ = 0;
};

int U16(const uchar* p) {
  return p[0] | (p[1] << 8);
}

// Qt disbelieves a screen side more than ten times the first frame's (or 16384) and then
// uses the frame's extent instead; so does a screen side of 0.
int CanvasSide(int screen, int offset, int frame) {
  if (screen <= 0 || screen / 10 > std::max(frame, 16384)) return offset + frame;
  return screen;
}

[[noreturn]] void Refuse(const RegularFile& file, const QString& what, qint64 w, qint64 h) {
  file.Fail(
      QStringLiteral("%1 of %2 x %3 pixels is larger than Picora opens").arg(what).arg(w).arg(h));
}

GifFile::Info ScanOpen(RegularFile& file, int maxFrames) {
  GifFile::Info info;
  Reader in(file);
  uchar head[13];
  if (!in.Read(head, 13) || std::memcmp(head, "GIF8", 4) != 0 ||
      (head[4] != '7' && head[4] != '9') || head[5] != 'a')
    return info;
  info.isGif = true;
  const int screenW = U16(head + 6), screenH = U16(head + 8);
  info.screen = QSize(screenW, screenH);
  if (screenW > 0 && screenH > 0 && !PictureLimits::SaneSize(screenW, screenH))
    Refuse(file, QStringLiteral("a GIF screen"), screenW, screenH);
  if ((head[10] & 0x80) && !in.Skip(3 * (2 << (head[10] & 7)))) return info;
  while (maxFrames < 0 || info.frames < maxFrames) {
    const std::optional<int> introducer = in.Byte();
    if (!introducer || *introducer == 0x3B) break;  // end of file or trailer
    if (*introducer == 0x21) {                      // extension: label, then sub-blocks
      if (!in.Byte() || !in.SkipSubBlocks()) break;
      continue;
    }
    if (*introducer != 0x2C) break;  // Qt stops at anything else too
    uchar frame[9];
    if (!in.Read(frame, 9)) break;
    const int left = U16(frame), top = U16(frame + 2), w = U16(frame + 4), h = U16(frame + 6);
    // However the screen is judged, a frame never reaches beyond its extent.
    if (qint64(left) + w > 0 && qint64(top) + h > 0 &&
        !PictureLimits::SaneSize(qint64(left) + w, qint64(top) + h))
      Refuse(file, QStringLiteral("a GIF frame reaching"), qint64(left) + w, qint64(top) + h);
    if (info.frames == 0) {
      info.canvas = QSize(CanvasSide(screenW, left, w), CanvasSide(screenH, top, h));
      const qint64 cw = info.canvas.width(), ch = info.canvas.height();
      if (cw > 0 && ch > 0) {
        if (!PictureLimits::SaneSize(cw, ch)) Refuse(file, QStringLiteral("a GIF"), cw, ch);
        if (!PictureLimits::Plausible(quint64(cw) * quint64(ch), file.Size(), kLzwPixelsPerByte))
          file.Fail(QStringLiteral("the file is far too small for a GIF of %1 x %2 pixels")
                        .arg(cw)
                        .arg(ch));
        if (info.PeakBytes() > PictureLimits::DecodeBudget)
          file.Fail(QStringLiteral("a GIF of %1 x %2 pixels needs more memory than Picora gives "
                                   "one picture")
                        .arg(cw)
                        .arg(ch));
      }
    }
    ++info.frames;
    if ((frame[8] & 0x80) && !in.Skip(3 * (2 << (frame[8] & 7)))) break;
    if (!in.Byte() || !in.SkipSubBlocks()) break;  // LZW code size, then the data
  }
  return info;
}

}  // namespace

qint64 GifFile::Info::PeakBytes() const {
  if (canvas.width() <= 0 || canvas.height() <= 0) return 0;
  return PictureLimits::PixelBytes(canvas.width(), canvas.height(), 4 * 3);
}

GifFile::Info GifFile::Scan(const QString& path, int maxFrames) {
  RegularFile file(path);
  return ScanOpen(file, maxFrames);
}

GifFile::Info GifFile::Open(const QString& path, QFile& qfile) {
  RegularFile file(path);
  const Info info = ScanOpen(file, -1);
  file.Rewind();
  file.HandOver(qfile);
  return info;
}
