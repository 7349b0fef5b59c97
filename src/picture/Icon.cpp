#include "Icon.h"

#include "FileSaver.h"
#include "ImageFiles.h"
#include "PictureError.h"

Icon::Icon(QImage argb)
    : image_(argb.isNull() ? QImage() : argb.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {
}

std::unique_ptr<Graphic> Icon::Clone() const {
  return std::make_unique<Icon>(*this);
}

void Icon::LoadFromFile(const QString& path) {
  image_ = ImageFiles::ReadIcon(path, SystemIconSize());
}

Icon Icon::FromIcoData(const QByteArray& bytes, const QString& name) {
  return Icon(ImageFiles::ReadIcon(bytes, SystemIconSize(), name));
}

void Icon::SaveToFile(const QString& path) const {
  if (image_.isNull())
    throw PictureError(
        QStringLiteral("Cannot write \"%1\": the icon is empty").arg(path).toStdString());
  FileSaver::Write(path, ImageFiles::EncodeIco(image_));
}

Icon Icon::FromMaskAndColor(const Bitmap& mask, const Bitmap& color) {
  const int w = color.Width(), h = color.Height();
  if (w <= 0 || h <= 0) return Icon();
  QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
  const QImage& maskImage = mask.Image();
  for (int y = 0; y < h; ++y) {
    const QRgb* in = color.ScanLine(y);
    const QRgb* m = y < maskImage.height()
                        ? reinterpret_cast<const QRgb*>(maskImage.constScanLine(y))
                        : nullptr;
    const int maskWidth = m ? maskImage.width() : 0;
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) {
      // Dark mask pixels are opaque; where the mask does not reach, the colour shows.
      const bool opaque = x >= maskWidth || qRed(m[x]) + qGreen(m[x]) + qBlue(m[x]) < 3 * 128;
      line[x] = opaque ? (in[x] | 0xFF000000u) : 0u;
    }
  }
  return Icon(out);
}

QSize Icon::SystemIconSize() {
  return QSize(32, 32);
}
