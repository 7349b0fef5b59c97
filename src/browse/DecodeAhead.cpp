#include "DecodeAhead.h"

#include <QDateTime>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

#include "picture/Icon.h"
#include "picture/JpegCodec.h"
#include "picture/Picture.h"
#include "picture/PictureError.h"

// A decode under way needs nothing of ours: it finishes on its own and its result goes.
DecodeAhead::~DecodeAhead() {
  Clear();
}

Bitmap DecodeAhead::Decode(const QString& path) {
  // The container reads by extension, as the loaders always have.
  Picture picture;
  picture.LoadFromFile(path);
  const Graphic& graphic = *picture.GetGraphic();
  switch (graphic.GetKind()) {
    case Graphic::Kind::Icon: {
      Bitmap bitmap(graphic.Width(), graphic.Height());
      bitmap.Draw(0, 0, graphic);
      return bitmap;
    }
    default: {
      // A JPEG image hands its pixels over without a copy; a bitmap is shared.
      Bitmap bitmap;
      bitmap.Assign(graphic);
      return bitmap;
    }
  }
}

std::optional<DecodeAhead::Stamp> DecodeAhead::StampOf(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) return std::nullopt;
  return Stamp{info.size(), info.lastModified().toMSecsSinceEpoch()};
}

void DecodeAhead::Prepare(const QStringList& paths) {
  std::vector<Entry> kept;
  for (Entry& e : entries_) {
    if (paths.contains(e.path))
      kept.push_back(std::move(e));
    else
      e.result.cancel();  // one not started never runs; one under way ends on its own
  }
  entries_ = std::move(kept);
  for (const QString& path : paths) {
    bool have = false;
    for (const Entry& e : entries_) have = have || e.path == path;
    if (have) continue;
    const std::optional<Stamp> stamp = StampOf(path);
    if (!stamp) continue;
    QFuture<std::optional<Bitmap>> result = QtConcurrent::run([path]() -> std::optional<Bitmap> {
      try {
        const QString ext = QFileInfo(path).suffix().toLower();
        if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) {
          const QSize size = JpegCodec::ReadSize(path);
          if (qint64(size.width()) * size.height() * 4 > kMaxBytes) return std::nullopt;
        }
        Bitmap bitmap = Decode(path);
        if (qint64(bitmap.Width()) * bitmap.Height() * 4 > kMaxBytes) return std::nullopt;
        return bitmap;
      } catch (...) {
        // The load decodes it again and reports what is wrong, when a step reaches it.
        return std::nullopt;
      }
    });
    entries_.push_back({path, *stamp, std::move(result)});
  }
}

std::optional<Bitmap> DecodeAhead::Take(const QString& path) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->path != path) continue;
    Entry entry = std::move(*it);
    entries_.erase(it);
    std::optional<Bitmap> bitmap = entry.result.result();
    if (!bitmap || StampOf(path) != std::optional<Stamp>(entry.stamp)) return std::nullopt;
    return bitmap;
  }
  return std::nullopt;
}

void DecodeAhead::Clear() {
  for (Entry& e : entries_) e.result.cancel();
  entries_.clear();
}
