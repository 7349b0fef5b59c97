// The thumbnail build over a folder of hostile entries: it finishes, gives each hostile
// entry the unreadable tile, every other file its own tile, and keeps its memory within
// the budget.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>

#include "HostileFiles.h"
#include "PeakMemory.h"
#include "TestFiles.h"
#include "TileBuild.h"
#include "browse/ThumbnailBuilder.h"
#include "picture/ThumbnailTile.h"
#include "platform/ThumbnailCache.h"

TEST(ThumbnailBuilder, HostileFolderFinishesWithUnreadableTiles) {
  TestFiles files;
  const auto path = [&](const char* name) { return files.Path(QLatin1String(name)); };
  const auto write = [&](const char* name, const QByteArray& bytes) {
    return files.WriteBytes(QLatin1String(name), bytes);
  };
  ASSERT_TRUE(HostileFiles::MakeFifo(path("fifo.jpg")));
  ASSERT_TRUE(HostileFiles::MakeFifo(path("fifo.gif")));
  const int socket = HostileFiles::MakeSocket(path("socket.bmp"));
  ASSERT_GE(socket, 0);
  ASSERT_TRUE(QDir().mkdir(path("folder.jpg")));
  ASSERT_TRUE(HostileFiles::MakeLink(path("gone.ico"), path("dangling.ico")));
  const struct {
    QString path;
    bool unreadable;
  } entries[] = {
      {path("fifo.jpg"), true},
      {path("fifo.gif"), true},
      {path("socket.bmp"), true},
      {path("folder.jpg"), true},
      {path("dangling.ico"), true},
      {write("rle.bmp", HostileFiles::RleBmp(16384, 16384)), true},
      {write("prog.jpg", HostileFiles::ProgressiveJpegClaiming(16384, 16384)), true},
      {write("tiny.gif", HostileFiles::TinyGifClaiming(16000, 16000)), true},
      {write("overflow.ico", HostileFiles::IconClaimingPng(3486502863u)), true},
      // A real icon, however its directory repeats itself: one decode, its own tile.
      {write("flood.ico", HostileFiles::IconFlood(40, HostileFiles::BlackPng(4096), 4096)), false},
      {files.WriteJpeg(QStringLiteral("good.jpg"), TestFiles::Pattern(120, 90)), false},
      {write("good.gif", HostileFiles::Gif(2, 2, {HostileFiles::GifFrame{0, 0, 2, 2, {1}}})),
       false},
  };
  QStringList paths;
  for (const auto& e : entries) paths << e.path;

  const PeakMemory peak;
  ThumbnailBuilder builder;
  const TileBuild result = TileBuild::Run(builder, paths);
  ASSERT_TRUE(result.done) << "the build did not finish";
  EXPECT_TRUE(result.complete);
  ASSERT_EQ(result.tiles.size(), size_t(paths.size()));
  const QImage unreadable = ThumbnailTile::Unreadable().Image();
  for (int i = 0; i < paths.size(); ++i) {
    SCOPED_TRACE(paths[i].toStdString());
    EXPECT_EQ(result.tiles.at(i) == unreadable, entries[i].unreadable);
  }
  EXPECT_EQ(result.tiles.at(int(paths.size()) - 1), ThumbnailTile::NoPicture().Image());
  // The flood icon's one decode (64 MiB of pixels and its copy) is the largest cost.
  if (peak.Works()) {
    EXPECT_LT(peak.GrowthBytes(), qint64(384) << 20);
  }
  EXPECT_EQ(builder.Budget().Held(), 0);
  ::close(socket);
}

TEST(ThumbnailBuilder, WorkersWaitRatherThanExceedTheBudget) {
  TestFiles files;
  QStringList paths;
  qint64 largest = 0;
  for (int i = 0; i < 6; ++i) {
    paths << files.WriteJpeg(QStringLiteral("p%1.jpg").arg(i), TestFiles::Pattern(800 + i, 600));
    // Each is decoded large enough for its cached thumbnail too.
    largest =
        std::max(largest, ThumbnailTile::PeakBytes(
                              paths.last(), ThumbnailCache::Pixels(ThumbnailCache::Size::Normal)));
  }
  // A budget smaller than any one job: every job runs alone, so no more than the largest
  // is ever held, however many workers there are.
  ThumbnailBuilder builder(nullptr, 1);
  const TileBuild result = TileBuild::Run(builder, paths);
  ASSERT_TRUE(result.done && result.complete);
  EXPECT_GT(largest, 0);
  EXPECT_LE(builder.Budget().PeakHeld(), largest);
  EXPECT_EQ(builder.Budget().Held(), 0);
}
