#include "Clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <cstdlib>

#include "PictureError.h"
#include "PictureLimits.h"

namespace {

// The picture types another program's offer is read from, most common first.
QStringList OfferedPictureTypes(const QMimeData& data) {
  QStringList types;
  for (const char* preferred : {"image/png", "image/bmp"})
    if (data.hasFormat(QLatin1String(preferred))) types << QLatin1String(preferred);
  for (const QString& format : data.formats())
    if (format.startsWith(QLatin1String("image/")) && !types.contains(format)) types << format;
  return types;
}

// A picture another program offers, read from its bytes: the size its header claims is
// checked before anything is decoded, as for a picture file, so that a few hundred bytes
// cannot make a paste decode gigabytes. A null image when none of the types reads.
QImage ReadOffered(const QMimeData& data, const QStringList& types) {
  for (const QString& type : types) {
    QByteArray bytes = data.data(type);
    if (bytes.isEmpty()) continue;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly)) continue;
    QImageReader reader(&buffer);  // by content: the offered type may name it wrongly
    if (!reader.canRead()) continue;
    // A type whose size cannot be known before decoding (Qt answers -1 x -1) is passed
    // over for the next one. Qt gives a top-down bitmap's height as negative, as the file
    // stores it.
    const QSize claimed = reader.size();
    if (claimed.width() <= 0 || claimed.height() == 0) continue;
    if (!PictureLimits::SaneSize(claimed.width(), std::abs(qint64(claimed.height()))))
      throw PictureError("The picture on the clipboard is too large");
    QImage image;
    if (reader.read(&image) && !image.isNull()) return image;
  }
  return QImage();
}

}  // namespace

namespace Clipboard {

void PutBitmap(const Bitmap& bitmap) {
  QGuiApplication::clipboard()->setImage(bitmap.Image());
}

Bitmap GetBitmap() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  // hasImage() also covers image/png, image/bmp and the like put there by other programs.
  if (!data || !data->hasImage()) throw PictureError("The clipboard holds no picture");
  // A picture this program put there is held as an image already, of a size it made.
  const QStringList offered = OfferedPictureTypes(*data);
  QImage image =
      offered.isEmpty() ? qvariant_cast<QImage>(data->imageData()) : ReadOffered(*data, offered);
  if (image.isNull()) throw PictureError("The picture on the clipboard cannot be read");
  if (!PictureLimits::SaneSize(image.width(), image.height()))
    throw PictureError("The picture on the clipboard is too large");
  return Bitmap(std::move(image));
}

}  // namespace Clipboard
