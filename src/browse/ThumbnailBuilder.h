#pragma once
// Makes the thumbnail tiles of a list of files in worker threads, one per core, and hands
// them to the window thread in list order: the view fills from the top at once while the
// window keeps answering. Starting a build cancels the one in progress.
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <functional>
#include <memory>

#include "picture/Bitmap.h"

class ThumbnailBuilder : public QObject {
 public:
  using TileHandler = std::function<void(int index, const Bitmap& tile)>;
  // complete: every tile was handed over; false: cancelled or superseded.
  using DoneHandler = std::function<void(bool complete)>;

  explicit ThumbnailBuilder(QObject* parent = nullptr);
  ~ThumbnailBuilder() override;  // cancels and waits for the workers

  // Builds the tiles of paths. onTile runs on this object's thread for index 0, 1, ... in
  // order, from the event loop; onDone runs exactly once, possibly before Start returns
  // (an empty list) or from Cancel, the next Start or the destructor.
  void Start(const QStringList& paths, TileHandler onTile, DoneHandler onDone);
  void Cancel();
  bool Running() const { return batch_ != nullptr; }

 private:
  struct Batch;
  void Work(const std::shared_ptr<Batch>& batch, int index);
  void PostDelivery(const std::shared_ptr<Batch>& batch);
  void Deliver(const std::shared_ptr<Batch>& batch);
  void Finish(bool complete);

  QThreadPool pool_;
  std::shared_ptr<Batch> batch_;
  Bitmap noPicture_, unreadable_;
};
