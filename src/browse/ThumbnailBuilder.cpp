#include "ThumbnailBuilder.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QThread>
#include <atomic>
#include <vector>

#include "picture/PictureError.h"
#include "picture/ThumbnailTile.h"
#include "platform/ThumbnailCache.h"

namespace {

// The tile's picture fits 64 x 64: the smallest cached size covers it.
constexpr int kDrawnSize = 64;

// The kinds whose decode leaves a thumbnail in the cache: JPEGs, whose DCT-scaled decode
// is the costly part of a build. Bitmaps and icons are read whole in one pass.
bool WritesThumbnail(const QString& path) {
  const QString ext = QFileInfo(path).suffix().toLower();
  return ext == QLatin1String("jpg") || ext == QLatin1String("jpeg");
}

}  // namespace

// One build: the workers write tiles, the window thread takes them in order.
struct ThumbnailBuilder::Batch {
  Batch(const QStringList& p, TileHandler tile, DoneHandler done)
      : paths(p),
        onTile(std::move(tile)),
        onDone(std::move(done)),
        tiles(size_t(p.size())),
        ready(size_t(p.size()), 0) {}

  const QStringList paths;
  const ThumbnailCache cache;  // where the environment said at Start
  TileHandler onTile;
  DoneHandler onDone;
  std::atomic<bool> cancelled{false};
  // A delivery is already on its way to the window thread; saves posting one per tile.
  std::atomic<bool> deliveryQueued{false};

  QMutex mutex;  // guards tiles and ready
  std::vector<Bitmap> tiles;
  std::vector<char> ready;

  int next = 0;  // the next index to hand over; window thread only
};

ThumbnailBuilder::ThumbnailBuilder(QObject* parent, qint64 memoryBudget)
    : QObject(parent),
      budget_(memoryBudget),
      noPicture_(ThumbnailTile::NoPicture()),
      unreadable_(ThumbnailTile::Unreadable()) {
  pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

ThumbnailBuilder::~ThumbnailBuilder() {
  Cancel();
  pool_.waitForDone();
}

void ThumbnailBuilder::Start(const QStringList& paths, TileHandler onTile, DoneHandler onDone) {
  Cancel();
  auto batch = std::make_shared<Batch>(paths, std::move(onTile), std::move(onDone));
  batch_ = batch;
  if (paths.isEmpty()) {
    Finish(true);
    return;
  }
  // The fixed tiles are ready at once; the text on them is drawn here, once per build,
  // not in the workers.
  bool anyReady = false;
  for (int i = 0; i < paths.size(); ++i) {
    if (ThumbnailTile::ReadsFile(paths[i])) continue;
    batch->tiles[size_t(i)] = noPicture_;
    batch->ready[size_t(i)] = 1;
    anyReady = true;
  }
  // The pool runs tasks in the order they were queued, so the top of the list comes first.
  for (int i = 0; i < paths.size(); ++i)
    if (!batch->ready[size_t(i)]) pool_.start([this, batch, i] { Work(batch, i); });
  if (anyReady) PostDelivery(batch);
}

void ThumbnailBuilder::Cancel() {
  if (batch_) Finish(false);
}

// Worker thread. An empty bitmap: cancelled.
Bitmap ThumbnailBuilder::TileOf(const Batch& batch, const QString& path) {
  if (!ThumbnailTile::HasPicture(path)) {
    // "gif" tiles: only a GIF's file is checked, nothing is worth caching.
    const MemoryBudget::Lease lease =
        budget_.Acquire(ThumbnailTile::PeakBytes(path), batch.cancelled);
    if (!lease) return {};
    return ThumbnailTile::Make(path);
  }
  // Stat before anything is read: a file that changes meanwhile leaves a thumbnail with
  // the old time, which the next visit sees as stale.
  const std::optional<ThumbnailCache::Source> source = ThumbnailCache::Stat(path);
  const bool cached = source && !batch.cache.Contains(path);
  if (cached) {
    // A cached thumbnail costs at most ThumbnailCache::MaxFileBytes and MaxSide^2 pixels,
    // small beside the budget, so it is read without waiting for one.
    if (const auto found = batch.cache.Find(*source, kDrawnSize))
      return ThumbnailTile::FromThumbnail(found->image, found->imageWidth, found->imageHeight);
    if (batch.cache.HasFailure(*source)) return unreadable_;
  }
  const bool write = cached && WritesThumbnail(path);
  const int keep = ThumbnailCache::Pixels(ThumbnailCache::Size::Normal);
  try {
    ++decodes_;  // from its header on
    const MemoryBudget::Lease lease = budget_.Acquire(
        write ? ThumbnailTile::PeakBytes(path, keep) : ThumbnailTile::PeakBytes(path),
        batch.cancelled);
    if (!lease) return {};
    if (!write) return ThumbnailTile::Make(path);
    ThumbnailTile::Kept kept;
    Bitmap tile = ThumbnailTile::Make(path, keep, kept);
    if (!batch.cancelled)
      batch.cache.Write(*source, kept.image, kept.fullWidth, kept.fullHeight,
                        QStringLiteral("image/jpeg"));
    return tile;
  } catch (const PictureError&) {
    // Not a picture we can read, as it stands: not tried again until it changes.
    if (cached) batch.cache.WriteFailure(*source);
    throw;
  }
}

// Worker thread.
void ThumbnailBuilder::Work(const std::shared_ptr<Batch>& batch, int index) {
  if (batch->cancelled) return;
  Bitmap tile;
  try {
    tile = TileOf(*batch, batch->paths.at(index));
    if (tile.Width() == 0) return;  // cancelled while waiting for memory
  } catch (...) {
    // One bad file must not stop the others nor leave a gap between the two lists.
    tile = unreadable_;
  }
  if (batch->cancelled) return;
  {
    QMutexLocker lock(&batch->mutex);
    batch->tiles[size_t(index)] = std::move(tile);
    batch->ready[size_t(index)] = 1;
  }
  PostDelivery(batch);
}

// Any thread. The builder outlives every worker (the destructor waits for them), and a
// delivery still queued when it goes is dropped with it.
void ThumbnailBuilder::PostDelivery(const std::shared_ptr<Batch>& batch) {
  if (batch->deliveryQueued.exchange(true)) return;
  QMetaObject::invokeMethod(
      this, [this, batch] { Deliver(batch); }, Qt::QueuedConnection);
}

void ThumbnailBuilder::Deliver(const std::shared_ptr<Batch>& batch) {
  if (batch != batch_) return;  // superseded or cancelled
  batch->deliveryQueued = false;
  QElapsedTimer clock;
  clock.start();
  const int count = int(batch->paths.size());
  while (batch->next < count) {
    Bitmap tile;
    {
      QMutexLocker lock(&batch->mutex);
      if (!batch->ready[size_t(batch->next)]) return;  // its worker posts when it is done
      tile = std::move(batch->tiles[size_t(batch->next)]);
    }
    const int index = batch->next++;
    batch->onTile(index, tile);
    if (batch != batch_) return;
    // Hand over in slices so that input and painting get their turn in between.
    if (batch->next < count && clock.elapsed() >= 20) {
      PostDelivery(batch);
      return;
    }
  }
  Finish(true);
}

void ThumbnailBuilder::Finish(bool complete) {
  const std::shared_ptr<Batch> batch = std::move(batch_);
  batch_.reset();
  if (!complete) {
    batch->cancelled = true;
    budget_.WakeAll();  // workers waiting for memory give up
    pool_.clear();      // tasks not started yet never run
  }
  const DoneHandler done = std::move(batch->onDone);
  batch->onDone = nullptr;
  if (done) done(complete);
}
