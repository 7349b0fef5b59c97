#pragma once
// Makes the thumbnail tiles of a list of files in worker threads, one per core, and hands
// them to the window thread in list order: the view fills from the top at once while the
// window keeps answering. Starting a build cancels the one in progress.
// The workers share one memory budget: each estimates its file's peak from the header
// first and waits while the others hold too much, so a folder of huge pictures costs what
// one of them costs, not that times the number of cores.
//
// The workers share the desktop's thumbnail cache ($XDG_CACHE_HOME/thumbnails, read at each
// Start): a picture with a valid cached thumbnail is drawn from it without being decoded,
// a JPEG that is decoded leaves a normal (128 px) thumbnail made from that same decode, and
// a file that cannot be read leaves a failure entry, so the next visit skips it until it
// changes. Files inside the cache get tiles but leave nothing there. A cache that cannot
// be written costs only the write.
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>

#include "picture/Bitmap.h"
#include "picture/MemoryBudget.h"
#include "picture/PictureLimits.h"

class ThumbnailBuilder : public QObject {
 public:
  using TileHandler = std::function<void(int index, const Bitmap& tile)>;
  // complete: every tile was handed over; false: cancelled or superseded.
  using DoneHandler = std::function<void(bool complete)>;

  explicit ThumbnailBuilder(QObject* parent = nullptr,
                            qint64 memoryBudget = PictureLimits::DecodeBudget);
  ~ThumbnailBuilder() override;  // cancels and waits for the workers

  // Builds the tiles of paths. onTile runs on this object's thread for index 0, 1, ... in
  // order, from the event loop; onDone runs exactly once, possibly before Start returns
  // (an empty list) or from Cancel, the next Start or the destructor.
  void Start(const QStringList& paths, TileHandler onTile, DoneHandler onDone);
  void Cancel();
  bool Running() const { return batch_ != nullptr; }
  const MemoryBudget& Budget() const { return budget_; }
  // Files whose picture the workers read, header or more, instead of drawing their tiles
  // from the cache or a failure entry; over all builds.
  int Decodes() const { return decodes_; }

 private:
  struct Batch;
  void Work(const std::shared_ptr<Batch>& batch, int index);
  Bitmap TileOf(const Batch& batch, const QString& path);
  void PostDelivery(const std::shared_ptr<Batch>& batch);
  void Deliver(const std::shared_ptr<Batch>& batch);
  void Finish(bool complete);

  MemoryBudget budget_;  // declared before the pool: the pool's destructor waits for workers
  QThreadPool pool_;
  std::shared_ptr<Batch> batch_;
  Bitmap noPicture_, unreadable_;
  std::atomic<int> decodes_{0};
};
