#include "Bitmap.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FileSaver.h"
#include "ImageFiles.h"
#include "PictureError.h"
#include "PictureLimits.h"
#include "PixelMemory.h"

namespace {

// Opaque RGB32 pixels of any image; pictures with transparency are laid over white, as
// they would show on an empty page.
QImage ToRgb32(const QImage& image) {
  if (image.isNull() || image.format() == QImage::Format_RGB32) return image;
  if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
  QImage out(image.size(), QImage::Format_RGB32);
  if (out.isNull()) return out;
  out.fill(0xFFFFFFFFu);
  QPainter painter(&out);
  painter.drawImage(0, 0, image);
  return out;
}

// The part of one axis that is really copied by a nearest-pixel stretch: destination
// positions first, first + 1, ... and the source position each one takes. Destination
// index k (counted from the rectangle's origin in the direction of its extent) takes
// source index ((2k + 1) * |srcLen|) / (2 * |dstLen|): the source pixel under the centre
// of the destination pixel. Positions outside either image are dropped without moving
// the others.
struct AxisMap {
  int first = 0;
  std::vector<int> source;
};

AxisMap MapAxis(int d0, int dLen, int dLimit, int s0, int sLen, int sLimit) {
  AxisMap map;
  const qint64 n = std::abs(qint64(dLen)), m = std::abs(qint64(sLen));
  if (n == 0 || m == 0) return map;
  // Only the k whose destination lies inside [0, dLimit).
  qint64 kBegin, kEnd;
  if (dLen > 0) {
    kBegin = std::max<qint64>(0, -qint64(d0));
    kEnd = std::min<qint64>(n, qint64(dLimit) - d0);
  } else {
    kBegin = std::max<qint64>(0, qint64(d0) - dLimit);
    kEnd = std::min<qint64>(n, qint64(d0));
  }
  if (kBegin >= kEnd) return map;
  std::vector<int> dest, source;
  dest.reserve(size_t(kEnd - kBegin));
  source.reserve(size_t(kEnd - kBegin));
  for (qint64 k = kBegin; k < kEnd; ++k) {
    const qint64 s = ((2 * k + 1) * m) / (2 * n);
    const qint64 sp = sLen > 0 ? s0 + s : qint64(s0) - 1 - s;
    if (sp < 0 || sp >= sLimit) continue;
    dest.push_back(int(dLen > 0 ? d0 + k : qint64(d0) - 1 - k));
    source.push_back(int(sp));
  }
  if (dest.empty()) return map;
  // Store in increasing destination order; the positions are contiguous.
  if (dLen < 0) std::reverse(source.begin(), source.end());
  map.first = dLen > 0 ? dest.front() : dest.back();
  map.source = std::move(source);
  return map;
}

// Nearest-pixel copy of source rectangle (sx, sy, sw, sh) into destination rectangle
// (dx, dy, dw, dh); negative extents mirror. Equal sizes copy pixel for pixel.
void NearestStretch(QImage& dst, int dx, int dy, int dw, int dh, const QImage& src, int sx, int sy,
                    int sw, int sh) {
  const AxisMap cols = MapAxis(dx, dw, dst.width(), sx, sw, src.width());
  const AxisMap rows = MapAxis(dy, dh, dst.height(), sy, sh, src.height());
  if (cols.source.empty() || rows.source.empty()) return;
  const size_t count = cols.source.size();
  // A plain run of source columns (same width, not mirrored) copies with memcpy.
  bool plain = true;
  for (size_t i = 1; i < count && plain; ++i) plain = cols.source[i] == cols.source[0] + int(i);
  uchar* dstBits = dst.bits();  // detaches once, here
  const qsizetype dstStride = dst.bytesPerLine();
  const uchar* srcBits = src.constBits();
  const qsizetype srcStride = src.bytesPerLine();
  const QRgb* previousOut = nullptr;
  for (size_t j = 0; j < rows.source.size(); ++j) {
    auto* out =
        reinterpret_cast<QRgb*>(dstBits + (rows.first + qsizetype(j)) * dstStride) + cols.first;
    // Enlarged rows repeat: copy the row already made.
    if (previousOut && rows.source[j] == rows.source[j - 1]) {
      std::memcpy(out, previousOut, count * sizeof(QRgb));
    } else {
      const auto* in = reinterpret_cast<const QRgb*>(srcBits + rows.source[j] * srcStride);
      if (plain) {
        std::memcpy(out, in + cols.source.front(), count * sizeof(QRgb));
      } else {
        const int* map = cols.source.data();
        for (size_t i = 0; i < count; ++i) out[i] = in[map[i]];
      }
    }
    previousOut = out;
  }
}

// Rounded x * num / den for x, num >= 0, den > 0.
qint64 ScaleRound(qint64 x, qint64 num, qint64 den) {
  return (2 * x * num + den) / (2 * den);
}

// Averaging shrink (the canvas's default mode) of the source rectangle into the
// destination rectangle. The source rectangle is first clipped to the source image and
// the destination shrunk in proportion, so the visible part lands where it would have.
void SmoothShrink(QImage& dst, int dx, int dy, int dw, int dh, const QImage& src, int sx, int sy,
                  int sw, int sh) {
  const bool mirrorX = (sw < 0) != (dw < 0), mirrorY = (sh < 0) != (dh < 0);
  const qint64 sLeft = sw < 0 ? qint64(sx) + sw : sx, sTop = sh < 0 ? qint64(sy) + sh : sy;
  const qint64 sWidth = std::abs(qint64(sw)), sHeight = std::abs(qint64(sh));
  const qint64 dLeft = dw < 0 ? qint64(dx) + dw : dx, dTop = dh < 0 ? qint64(dy) + dh : dy;
  const qint64 dWidth = std::abs(qint64(dw)), dHeight = std::abs(qint64(dh));

  const qint64 a = std::max<qint64>(sLeft, 0), b = std::min<qint64>(sLeft + sWidth, src.width());
  const qint64 c = std::max<qint64>(sTop, 0), e = std::min<qint64>(sTop + sHeight, src.height());
  if (a >= b || c >= e) return;
  // Destination span of the clipped source span, measured along the (maybe mirrored) axis.
  auto span = [](qint64 lo, qint64 hi, qint64 s0, qint64 sLen, qint64 d0, qint64 dLen, bool mirror,
                 qint64& outLo, qint64& outHi) {
    qint64 from = lo - s0, to = hi - s0;
    if (mirror) {
      const qint64 t = sLen - to;
      to = sLen - from;
      from = t;
    }
    outLo = d0 + ScaleRound(from, dLen, sLen);
    outHi = d0 + ScaleRound(to, dLen, sLen);
  };
  qint64 x0, x1, y0, y1;
  span(a, b, sLeft, sWidth, dLeft, dWidth, mirrorX, x0, x1);
  span(c, e, sTop, sHeight, dTop, dHeight, mirrorY, y0, y1);
  if (x0 >= x1 || y0 >= y1) return;
  // Nothing to do when the result would land entirely outside the destination.
  if (x1 <= 0 || y1 <= 0 || x0 >= dst.width() || y0 >= dst.height()) return;

  QImage piece = src.copy(int(a), int(c), int(b - a), int(e - c));
  if (mirrorX || mirrorY) piece = piece.mirrored(mirrorX, mirrorY);
  const QImage scaled =
      piece.scaled(int(x1 - x0), int(y1 - y0), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
          .convertToFormat(QImage::Format_RGB32);
  if (scaled.isNull()) return;
  NearestStretch(dst, int(x0), int(y0), scaled.width(), scaled.height(), scaled, 0, 0,
                 scaled.width(), scaled.height());
}

}  // namespace

Bitmap::Bitmap(int width, int height) {
  SetSize(width, height);
}

Bitmap::Bitmap(QImage image) : image_(ToRgb32(image)) {}

std::unique_ptr<Graphic> Bitmap::Clone() const {
  return std::make_unique<Bitmap>(*this);
}

void Bitmap::LoadFromFile(const QString& path) {
  image_ = ImageFiles::ReadBmp(path);
  width_ = height_ = 0;
}

void Bitmap::SaveToFile(const QString& path) const {
  FileSaver::Write(path, ImageFiles::EncodeBmp(image_));
}

void Bitmap::Assign(const Graphic& source) {
  if (&source == this) return;
  if (source.GetKind() == Kind::Bitmap) {
    const auto& other = static_cast<const Bitmap&>(source);
    image_ = other.image_;
    width_ = other.width_;
    height_ = other.height_;
    format_ = other.format_;
    return;
  }
  image_ = ToRgb32(source.ToImage());
  width_ = height_ = 0;
}

void Bitmap::SetWidth(int width) {
  SetSize(width, Height());
}
void Bitmap::SetHeight(int height) {
  SetSize(Width(), height);
}

void Bitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  if (width > 0 && height > 0 && !PictureLimits::SaneSize(width, height))
    throw PictureError(QStringLiteral("A bitmap of %1 x %2 pixels is too large")
                           .arg(width)
                           .arg(height)
                           .toStdString());
  if (width == 0 || height == 0) {
    image_ = QImage();
    width_ = width;
    height_ = height;
    return;
  }
  QImage next = PixelMemory::NewRgb32(width, height);
  next.fill(ToQRgb(brush_));
  if (!image_.isNull()) {
    const int w = std::min(width, image_.width()), h = std::min(height, image_.height());
    for (int y = 0; y < h; ++y)
      std::memcpy(next.scanLine(y), image_.constScanLine(y), size_t(w) * sizeof(QRgb));
  }
  next.setDotsPerMeterX(image_.isNull() ? next.dotsPerMeterX() : image_.dotsPerMeterX());
  next.setDotsPerMeterY(image_.isNull() ? next.dotsPerMeterY() : image_.dotsPerMeterY());
  image_ = std::move(next);
  width_ = height_ = 0;
}

QRgb* Bitmap::ScanLine(int y) {
  Q_ASSERT(y >= 0 && y < image_.height());
  return reinterpret_cast<QRgb*>(image_.scanLine(y));
}

const QRgb* Bitmap::ScanLine(int y) const {
  Q_ASSERT(y >= 0 && y < image_.height());
  return reinterpret_cast<const QRgb*>(image_.constScanLine(y));
}

TColor Bitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return NoColor;
  return FromQRgb(ScanLine(y)[x]);
}

void Bitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  ScanLine(y)[x] = ToQRgb(color);
}

void Bitmap::FillRect(const TRect& rect) {
  const int left = std::max(rect.Left, 0), right = std::min(rect.Right, image_.width());
  const int top = std::max(rect.Top, 0), bottom = std::min(rect.Bottom, image_.height());
  if (left >= right || top >= bottom) return;
  const QRgb value = ToQRgb(brush_);
  for (int y = top; y < bottom; ++y) std::fill(ScanLine(y) + left, ScanLine(y) + right, value);
}

void Bitmap::FrameRect(const TRect& rect) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  FillRect(Rect(rect.Left, rect.Top, rect.Right, rect.Top + 1));
  FillRect(Rect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom));
  FillRect(Rect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom));
  FillRect(Rect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom));
}

void Bitmap::TextOut(int x, int y, const QString& text) {
  if (image_.isNull() || text.isEmpty()) return;
  QFont font(font_.Name);
  font.setPointSize(std::max(font_.Size, 1));
  font.setBold(font_.Bold);
  QPainter painter(&image_);
  painter.setFont(font);
  painter.setPen(QColor::fromRgb(ToQRgb(font_.Color)));
  // (x, y) is the top left of the text, as on a canvas; Qt draws from the baseline.
  painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

void Bitmap::Draw(int x, int y, const Graphic& graphic) {
  const QImage src = graphic.ToImage();
  if (src.isNull() || image_.isNull()) return;
  if (src.hasAlphaChannel()) {
    QPainter painter(&image_);
    painter.drawImage(x, y, src);
    return;
  }
  const QImage rgb = ToRgb32(src);
  NearestStretch(image_, x, y, rgb.width(), rgb.height(), rgb, 0, 0, rgb.width(), rgb.height());
}

void Bitmap::StretchDraw(const TRect& rect, const Graphic& graphic) {
  const QImage src = graphic.ToImage();
  if (src.isNull() || image_.isNull() || rect.Width() == 0 || rect.Height() == 0) return;
  if (src.hasAlphaChannel()) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect.ToQRect().normalized(), src);
    return;
  }
  const QImage rgb = ToRgb32(src);
  NearestStretch(image_, rect.Left, rect.Top, rect.Width(), rect.Height(), rgb, 0, 0, rgb.width(),
                 rgb.height());
}

void Bitmap::CopyRect(const TRect& dest, const Bitmap& src, const TRect& source) {
  StretchBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), src, source.Left, source.Top,
             source.Width(), source.Height());
}

void Bitmap::StretchBlt(int dx, int dy, int dw, int dh, const Bitmap& src, int sx, int sy, int sw,
                        int sh) {
  // A local reference keeps the source pixels as they are even when src is this bitmap:
  // writing to image_ then detaches it from them.
  const QImage from = src.image_;
  if (from.isNull() || image_.isNull() || dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  const qint64 adw = std::abs(qint64(dw)), adh = std::abs(qint64(dh));
  const qint64 asw = std::abs(qint64(sw)), ash = std::abs(qint64(sh));
  const bool sameSize = adw == asw && adh == ash;
  // The default mode averages only when shrinking; enlarging repeats pixels either way.
  const bool shrinking = adw <= asw && adh <= ash;
  if (stretch_ == StretchMode::Default && !sameSize && shrinking)
    SmoothShrink(image_, dx, dy, dw, dh, from, sx, sy, sw, sh);
  else
    NearestStretch(image_, dx, dy, dw, dh, from, sx, sy, sw, sh);
}
