#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "PictureError.h"

namespace Clipboard {

void PutBitmap(const Bitmap& bitmap) {
  QGuiApplication::clipboard()->setImage(bitmap.Image());
}

Bitmap GetBitmap() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  // hasImage() also covers image/png, image/bmp and the like put there by other programs.
  if (!data || !data->hasImage()) throw PictureError("The clipboard holds no picture");
  const QImage image = qvariant_cast<QImage>(data->imageData());
  if (image.isNull()) throw PictureError("The picture on the clipboard cannot be read");
  return Bitmap(image);
}

}  // namespace Clipboard
