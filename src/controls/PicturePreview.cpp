#include "PicturePreview.h"

#include <QFileInfo>
#include <QImageReader>

#include "picture/JpegCodec.h"
#include "picture/PictureError.h"

namespace {
constexpr int kSide = 200;
}

PicturePreview::PicturePreview(QWidget* parent) : QLabel(parent) {
  setFixedSize(kSide + 8, kSide + 30);
  setAlignment(Qt::AlignCenter);
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setWordWrap(true);
}

void PicturePreview::ShowFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) {
    clear();
    return;
  }
  QImage image;
  const QString ext = info.suffix().toLower();
  try {
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) {
      // A reduced decode is enough for a preview and keeps browsing quick.
      image = JpegCodec::DecodeAtLeast(path, kSide, kSide);
    } else {
      QImageReader reader(path);
      const QSize size = reader.size();
      if (size.isValid() && (size.width() > kSide || size.height() > kSide))
        reader.setScaledSize(size.scaled(kSide, kSide, Qt::KeepAspectRatio));
      image = reader.read();
    }
  } catch (const PictureError&) {
    image = QImage();
  }
  if (image.isNull()) {
    setText(info.fileName());
    return;
  }
  QImage shown = image.scaled(kSide, kSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  setPixmap(QPixmap::fromImage(shown));
}
