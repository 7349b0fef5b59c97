#include "PicturePreview.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "picture/GifFile.h"
#include "picture/ImageFiles.h"
#include "picture/JpegCodec.h"
#include "picture/PictureError.h"
#include "picture/RegularFile.h"

namespace {
constexpr int kSide = 200;

// The picture of a file the dialog points at, through the same guarded readers the viewer
// uses: any file in any folder can be pointed at, and a tiny one that claims a gigantic
// picture must not take the memory (or the time) of the dialog.
QImage ReadPreview(const QString& path, const QString& ext) {
  if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) {
    // A reduced decode is enough for a preview and keeps browsing quick.
    return JpegCodec::DecodeAtLeast(path, kSide, kSide);
  }
  if (ext == QLatin1String("bmp")) return ImageFiles::ReadBmp(path);
  if (ext == QLatin1String("ico")) return ImageFiles::ReadIcon(path, QSize(kSide, kSide));
  if (ext == QLatin1String("gif")) {
    QFile file;
    GifFile::Open(path, file);
    QImageReader reader(&file, "gif");
    return reader.read();
  }
  return RegularFile::ReadPicture(path);
}
}  // namespace

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
  try {
    image = ReadPreview(path, info.suffix().toLower());
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
