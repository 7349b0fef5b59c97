#include "ThumbnailTile.h"

#include <QFileInfo>
#include <QPainter>
#include <algorithm>

#include "GifFile.h"
#include "Icon.h"
#include "ImageFiles.h"
#include "JpegCodec.h"
#include "PictureError.h"
#include "PictureLimits.h"

namespace ThumbnailTile {

namespace {

Bitmap WhiteTile() {
  return Bitmap(Size, Size);
}

QString Extension(const QString& path) {
  return QFileInfo(path).suffix().toLower();
}

bool IsJpeg(const QString& ext) {
  return ext == QLatin1String("jpg") || ext == QLatin1String("jpeg");
}

bool IsGif(const QString& ext) {
  return ext == QLatin1String("gif");
}

// A GIF's tile is only text; the file is checked as far as its first frame, which decides
// what Qt would allocate for it.
constexpr int kGifFramesChecked = 1;

// The size a fullWidth x fullHeight picture is reduced to so that it fits keep x keep;
// never below one pixel a side, never larger than the picture.
QSize KeptSize(int fullWidth, int fullHeight, int keep) {
  if (fullWidth <= keep && fullHeight <= keep) return {fullWidth, fullHeight};
  const qint64 w = fullWidth, h = fullHeight, longSide = std::max(w, h);
  return {int(std::max<qint64>(1, w * keep / longSide)),
          int(std::max<qint64>(1, h * keep / longSide))};
}

// The DCT scale decode of a JPEG needs at least: the drawn rectangle, and with keep > 0
// the reduced copy too.
QSize LeastDecode(int fullWidth, int fullHeight, int keep) {
  const TRect r = PictureRect(fullWidth, fullHeight);
  QSize least(r.Width(), r.Height());
  if (keep > 0) least = least.expandedTo(KeptSize(fullWidth, fullHeight, keep));
  return least;
}

// The picture of a file that has one, at full size or (JPEG) reduced; fullWidth and
// fullHeight receive the size the geometry is computed from. With keep > 0 a JPEG is
// decoded large enough for kept and reduced into it, and the picture returned is kept's.
Bitmap LoadPicture(const QString& path, const QString& ext, int& fullWidth, int& fullHeight,
                   int keep, Kept* kept) {
  Bitmap picture;
  if (ext == QLatin1String("bmp")) {
    picture.LoadFromFile(path);
    fullWidth = picture.Width();
    fullHeight = picture.Height();
  } else if (IsJpeg(ext)) {
    // The header first: the drawn rectangle decides how far libjpeg may scale down.
    const QSize full = JpegCodec::ReadSize(path);
    fullWidth = full.width();
    fullHeight = full.height();
    if (fullWidth <= 0 || fullHeight <= 0) return picture;
    const QSize least = LeastDecode(fullWidth, fullHeight, kept ? keep : 0);
    QImage decoded = JpegCodec::DecodeAtLeast(path, least.width(), least.height());
    if (kept && !decoded.isNull()) {
      const QSize size = KeptSize(decoded.width(), decoded.height(), keep);
      if (size != decoded.size())
        decoded = decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      kept->image = decoded;
      kept->fullWidth = fullWidth;
      kept->fullHeight = fullHeight;
    }
    picture = Bitmap(std::move(decoded));
  } else {
    Icon icon;
    icon.LoadFromFile(path);
    // A scratch bitmap of the icon's size, white where the icon is transparent.
    picture.SetSize(icon.Width(), icon.Height());
    picture.Draw(0, 0, icon);
    fullWidth = picture.Width();
    fullHeight = picture.Height();
  }
  return picture;
}

Bitmap MakeTile(const QString& path, int keep, Kept* kept) {
  const QString ext = Extension(path);
  if (IsGif(ext)) {
    GifFile::Scan(path, kGifFramesChecked);
    return NoPicture();
  }
  if (!HasPicture(path)) return NoPicture();
  int width = 0, height = 0;
  const Bitmap picture = LoadPicture(path, ext, width, height, keep, kept);
  if (width <= 0 || height <= 0 || picture.Width() <= 0 || picture.Height() <= 0)
    throw PictureError(QStringLiteral("\"%1\" holds no picture").arg(path).toStdString());
  return FromPicture(picture, width, height);
}

qint64 Peak(const QString& path, int keep) {
  const QString ext = Extension(path);
  if (IsGif(ext)) {
    GifFile::Scan(path, kGifFramesChecked);
    return 0;
  }
  if (ext == QLatin1String("bmp")) return ImageFiles::BmpPeakBytes(path);
  if (IsJpeg(ext)) {
    const JpegCodec::Header header = JpegCodec::ReadHeader(path);
    const QSize least = LeastDecode(header.size.width(), header.size.height(), keep);
    const qint64 kept = keep > 0 ? qint64(keep) * keep * 4 : 0;  // the reduced copy
    return header.PeakBytes(header.ScaleFor(least.width(), least.height())) + kept;
  }
  if (ext == QLatin1String("ico")) {
    // Reading the icon is the peak: the scratch bitmap it is drawn on afterwards takes less
    // than Qt's image and its premultiplied copy did.
    return ImageFiles::IconPeakBytes(path, Icon::SystemIconSize());
  }
  return 0;
}

}  // namespace

TRect PictureRect(int width, int height) {
  const qint64 w = width, h = height;
  if (h < w) {
    const int drawn = int(h * 64 / w);
    const int o = (64 - drawn) / 2;
    return Rect(8, 8 + o, 71, 8 + o + drawn);
  }
  const int drawn = int(w * 64 / h);
  const int o = (64 - drawn) / 2;
  return Rect(8 + o, 8, 8 + o + drawn, 71);
}

Bitmap FromPicture(const Bitmap& picture, int fullWidth, int fullHeight) {
  Bitmap tile = WhiteTile();
  tile.StretchDraw(PictureRect(fullWidth, fullHeight), picture);
  return tile;
}

bool HasPicture(const QString& path) {
  const QString ext = Extension(path);
  return ext == QLatin1String("bmp") || IsJpeg(ext) || ext == QLatin1String("ico");
}

bool ReadsFile(const QString& path) {
  return HasPicture(path) || IsGif(Extension(path));
}

Bitmap Make(const QString& path) {
  return MakeTile(path, 0, nullptr);
}

Bitmap Make(const QString& path, int keep, Kept& kept) {
  kept = Kept();
  return MakeTile(path, std::max(keep, int(Size)), &kept);
}

qint64 PeakBytes(const QString& path) {
  return Peak(path, 0);
}

qint64 PeakBytes(const QString& path, int keep) {
  return Peak(path, std::max(keep, int(Size)));
}

Bitmap FromThumbnail(const QImage& thumbnail, int fullWidth, int fullHeight) {
  if (thumbnail.isNull()) return Unreadable();
  QImage flat = thumbnail;
  if (flat.hasAlphaChannel()) {
    // Over white, as an icon's scratch bitmap shows it.
    flat = QImage(thumbnail.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, thumbnail);
  }
  if (fullWidth <= 0 || fullHeight <= 0) {
    fullWidth = flat.width();
    fullHeight = flat.height();
  }
  return FromPicture(Bitmap(std::move(flat)), fullWidth, fullHeight);
}

Bitmap NoPicture() {
  Bitmap tile = WhiteTile();
  tile.Font().Size = 16;
  tile.Font().Bold = true;
  tile.Font().Color = Colors::Green;
  tile.TextOut(24, 28, QStringLiteral("gif"));
  return tile;
}

Bitmap Unreadable() {
  Bitmap tile = WhiteTile();
  tile.SetBrushColor(RGBColor(0xA0, 0xA0, 0xA0));
  tile.FrameRect(Rect(8, 8, 72, 72));
  tile.Font().Size = 20;
  tile.Font().Bold = true;
  tile.Font().Color = Colors::Maroon;
  tile.TextOut(32, 12, QStringLiteral("?"));
  tile.Font().Size = 9;
  tile.Font().Bold = false;
  tile.TextOut(14, 48, QStringLiteral("无法读取"));
  return tile;
}

}  // namespace ThumbnailTile
