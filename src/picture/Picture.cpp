#include "Picture.h"

#include <QFileInfo>

#include "Icon.h"
#include "JpegImage.h"
#include "PictureError.h"

void Picture::LoadFromFile(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  std::unique_ptr<Graphic> graphic;
  if (ext == QLatin1String("bmp"))
    graphic = std::make_unique<Bitmap>();
  else if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
    graphic = std::make_unique<JpegImage>();
  else if (ext == QLatin1String("ico"))
    graphic = std::make_unique<Icon>();
  else
    throw PictureError(
        QStringLiteral("Cannot open \"%1\": unknown picture file kind").arg(path).toStdString());
  // Loaded aside first, so a failure leaves the container as it was.
  graphic->LoadFromFile(path);
  graphic_ = std::move(graphic);
  Changed();
}

void Picture::Clear() {
  graphic_.reset();
  Changed();
}

void Picture::Assign(const Graphic& graphic) {
  if (&graphic != graphic_.get()) graphic_ = graphic.Clone();
  Changed();
}

void Picture::SetGraphic(std::unique_ptr<Graphic> graphic) {
  graphic_ = std::move(graphic);
  Changed();
}

Bitmap& Picture::BitmapView() {
  if (!graphic_ || graphic_->GetKind() != Graphic::Kind::Bitmap) {
    graphic_ = std::make_unique<Bitmap>();
    Changed();
  }
  return static_cast<Bitmap&>(*graphic_);
}

void Picture::SaveToFile(const QString& path) const {
  if (graphic_) graphic_->SaveToFile(path);
}
