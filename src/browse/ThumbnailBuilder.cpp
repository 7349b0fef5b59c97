#include "ThumbnailBuilder.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QThread>
#include <atomic>
#include <vector>

#include "picture/ThumbnailTile.h"

// One build: the workers write tiles, the window thread takes them in order.
struct ThumbnailBuilder::Batch {
  Batch(const QStringList& p, TileHandler tile, DoneHandler done)
      : paths(p),
        onTile(std::move(tile)),
        onDone(std::move(done)),
        tiles(size_t(p.size())),
        ready(size_t(p.size()), 0) {}

  const QStringList paths;
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

// Worker thread.
void ThumbnailBuilder::Work(const std::shared_ptr<Batch>& batch, int index) {
  if (batch->cancelled) return;
  Bitmap tile;
  try {
    const QString& path = batch->paths.at(index);
    const MemoryBudget::Lease lease =
        budget_.Acquire(ThumbnailTile::PeakBytes(path), batch->cancelled);
    if (!lease) return;  // cancelled while waiting for memory
    tile = ThumbnailTile::Make(path);
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
