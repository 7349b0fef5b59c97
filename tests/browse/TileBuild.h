#pragma once
// Runs one thumbnail build to its end and keeps what it handed over.
#include <QEventLoop>
#include <QImage>
#include <QStringList>
#include <QTimer>
#include <map>

#include "browse/ThumbnailBuilder.h"

struct TileBuild {
  bool done = false, complete = false;
  std::map<int, QImage> tiles;

  // The deadline only stops a hung build from hanging the test.
  static TileBuild Run(ThumbnailBuilder& builder, const QStringList& paths) {
    TileBuild result;
    QEventLoop loop;
    builder.Start(
        paths, [&](int index, const Bitmap& tile) { result.tiles[index] = tile.Image(); },
        [&](bool complete) {
          result.done = true;
          result.complete = complete;
          loop.quit();
        });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    if (!result.done) loop.exec();
    return result;
  }
};
