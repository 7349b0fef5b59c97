// The thumbnail build with the desktop's thumbnail cache: what the first visit leaves
// there, what later visits take from it instead of decoding, what they ignore, and a
// cache that cannot be used costing nothing. XDG_CACHE_HOME points into the test's own
// temporary folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <functional>
#include <utility>
#include <vector>

#include "ReadOnlyFolder.h"
#include "TestFiles.h"
#include "TileBounds.h"
#include "TileBuild.h"
#include "browse/ThumbnailBuilder.h"
#include "picture/ThumbnailTile.h"
#include "platform/ThumbnailCache.h"

namespace {

using Keys = std::vector<std::pair<QByteArray, QByteArray>>;

int Mode(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

qint64 MTime(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_mtim.tv_sec) : -1;
}

void SetMTime(const QString& path, qint64 seconds) {
  struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

QString Md5Name(const QByteArray& uri) {
  return QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
         ".png";
}

// The file URI the standard asks for, escaped by hand from a folder of plain characters.
QByteArray UriOf(const QString& plainFolder, const QByteArray& escapedName) {
  return "file://" + QFile::encodeName(plainFolder) + "/" + escapedName;
}

// Everything in a folder tree, for checking that nothing was written.
QStringList Tree(const QString& folder) {
  QStringList names;
  for (const QFileInfo& info : QDir(folder).entryInfoList(
           QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name)) {
    names << info.fileName();
    if (info.isDir() && !info.isSymLink())
      for (const QString& inner : Tree(info.filePath())) names << info.fileName() + "/" + inner;
  }
  return names;
}

// The keys of a PNG as Qt's reader gathers them.
QImage ReadPng(const QString& path) {
  QImageReader reader(path, "png");
  return reader.read();
}

// A PNG with the standard's keys as plain text, as another program writes it.
QByteArray OtherProgramsPng(QImage image, const Keys& keys) {
  for (const auto& [key, value] : keys) image.setText(key, QString::fromLatin1(value));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "png");
  return png;
}

QImage Solid(int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

QRect Expected(int w, int h) {
  const TRect r = ThumbnailTile::PictureRect(w, h);
  return r.ToQRect();
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class ThumbnailCacheBuild : public ::testing::Test {
 protected:
  ThumbnailCacheBuild() : saved_(qgetenv("XDG_CACHE_HOME")) {
    QDir().mkpath(files_.Path("pics"));
    UseCacheHome(files_.Path("cache"));
  }
  ~ThumbnailCacheBuild() override { qputenv("XDG_CACHE_HOME", saved_); }

  void UseCacheHome(const QString& path) { qputenv("XDG_CACHE_HOME", QFile::encodeName(path)); }
  QString Root() const { return files_.Path("cache/thumbnails"); }
  QString Pic(const QString& name) const { return files_.Path("pics/" + name); }
  QString Normal(const QString& path) const {
    return Root() + "/normal/" + Md5Name(ThumbnailCache::Uri(path));
  }

  // A build by a builder of its own; decodes receives how many files it decoded.
  TileBuild Build(const QStringList& paths, int* decodes = nullptr) {
    ThumbnailBuilder builder;
    TileBuild result = TileBuild::Run(builder, paths);
    EXPECT_TRUE(result.done && result.complete);
    EXPECT_EQ(result.tiles.size(), size_t(paths.size()));
    if (decodes) *decodes = builder.Decodes();
    return result;
  }
  // The tiles of a build that has no cache at all: XDG_CACHE_HOME names a file.
  TileBuild BuildWithoutCache(const QStringList& paths) {
    const QByteArray before = qgetenv("XDG_CACHE_HOME");
    UseCacheHome(files_.WriteBytes("no-cache", "x"));
    TileBuild result = Build(paths);
    qputenv("XDG_CACHE_HOME", before);
    return result;
  }

  TestFiles files_;
  QByteArray saved_;
};

}  // namespace

TEST_F(ThumbnailCacheBuild, FirstVisitWritesLaterVisitsRead) {
  const QStringList paths = {
      files_.WriteJpeg("pics/a.jpg", TestFiles::Pattern(400, 300)),
      files_.WriteJpeg("pics/b.jpeg", TestFiles::Pattern(300, 600)),
      files_.WriteBmp("pics/c.bmp", TestFiles::Pattern(200, 100)),
      files_.WriteBytes("pics/d.jpg", QByteArray("\xFF\xD8\xFF\xE0 not a picture")),
      files_.WriteJpeg("pics/e.JPG", TestFiles::Pattern(90, 60)),
  };
  const struct {
    int width, height;
  } sizes[] = {{400, 300}, {300, 600}, {200, 100}, {0, 0}, {90, 60}};
  const QImage unreadable = ThumbnailTile::Unreadable().Image();
  const TileBuild plain = BuildWithoutCache(paths);
  EXPECT_EQ(plain.tiles.at(3), unreadable);

  int decodes = 0;
  const TileBuild first = Build(paths, &decodes);
  EXPECT_EQ(decodes, 5);
  // Tiles as without a cache, each picture in its own rectangle.
  for (int i = 0; i < paths.size(); ++i) {
    SCOPED_TRACE(paths[i].toStdString());
    EXPECT_EQ(first.tiles.at(i), plain.tiles.at(i));
    if (sizes[i].width) {
      EXPECT_EQ(PaintedBox(first.tiles.at(i)), Expected(sizes[i].width, sizes[i].height));
    }
  }

  // A normal thumbnail of each JPEG with the standard's keys, none of the bitmap; a
  // failure entry for the file that is no picture.
  const QString fail = "fail/" + ThumbnailCache::FailureFolderName();
  QStringList expected = {"fail", fail, fail + "/" + Md5Name(ThumbnailCache::Uri(paths[3])),
                          "normal"};
  for (int i : {0, 1, 4}) expected << "normal/" + Md5Name(ThumbnailCache::Uri(paths[i]));
  std::sort(expected.begin(), expected.end());
  QStringList tree = Tree(Root());
  std::sort(tree.begin(), tree.end());
  EXPECT_EQ(tree, expected);
  for (const QString& folder : {Root(), Root() + "/normal", Root() + "/fail", Root() + "/" + fail})
    EXPECT_EQ(Mode(folder), 0700) << folder.toStdString();
  for (int i : {0, 1, 4}) {
    SCOPED_TRACE(paths[i].toStdString());
    const QString entry = Normal(paths[i]);
    EXPECT_EQ(Mode(entry), 0600);
    const QImage png = ReadPng(entry);
    EXPECT_LE(std::max(png.width(), png.height()), 128);
    const QStringList wanted = {"Thumb::URI",      "Thumb::MTime",        "Thumb::Size",
                                "Thumb::Mimetype", "Thumb::Image::Width", "Thumb::Image::Height",
                                "Software"};
    for (const QString& key : wanted) EXPECT_FALSE(png.text(key).isEmpty()) << key.toStdString();
    EXPECT_EQ(png.text("Thumb::URI"), QString::fromLatin1(ThumbnailCache::Uri(paths[i])));
    EXPECT_EQ(png.text("Thumb::MTime").toLongLong(), MTime(paths[i]));
    EXPECT_EQ(png.text("Thumb::Size").toLongLong(), QFileInfo(paths[i]).size());
    EXPECT_EQ(png.text("Thumb::Mimetype"), "image/jpeg");
    EXPECT_EQ(png.text("Thumb::Image::Width").toInt(), sizes[i].width);
    EXPECT_EQ(png.text("Thumb::Image::Height").toInt(), sizes[i].height);
  }
  // The pictures larger than the normal size are reduced to it; a small one stays whole.
  EXPECT_EQ(ReadPng(Normal(paths[0])).size(), QSize(128, 96));
  EXPECT_EQ(ReadPng(Normal(paths[1])).size(), QSize(64, 128));
  EXPECT_EQ(ReadPng(Normal(paths[4])).size(), QSize(90, 60));

  // The second visit decodes only the bitmap, which has no thumbnail; the file that is no
  // picture is not tried again. Every tile is the same.
  const TileBuild second = Build(paths, &decodes);
  EXPECT_EQ(decodes, 1);
  for (int i = 0; i < paths.size(); ++i) EXPECT_EQ(second.tiles.at(i), first.tiles.at(i)) << i;

  // A changed picture and a thumbnail that belongs to another file are both passed over.
  files_.WriteJpeg("pics/a.jpg", Solid(400, 200, qRgb(0, 160, 0)));
  SetMTime(paths[0], MTime(paths[1]) + 100);
  ASSERT_TRUE(QFile::remove(Normal(paths[1])));
  ASSERT_TRUE(QFile::copy(Normal(paths[4]), Normal(paths[1])));
  // Repaired: the no-picture file becomes a picture, with a new time.
  files_.WriteJpeg("pics/d.jpg", Solid(50, 100, qRgb(200, 0, 0)));
  SetMTime(paths[3], MTime(paths[1]) + 100);
  const TileBuild third = Build(paths, &decodes);
  EXPECT_EQ(decodes, 4);  // a, b, d and the bitmap; e from the cache
  EXPECT_EQ(PaintedBox(third.tiles.at(0)), Expected(400, 200));
  EXPECT_TRUE(Near(third.tiles.at(0).pixel(40, 40), qRgb(0, 160, 0), 8));
  EXPECT_EQ(third.tiles.at(1), first.tiles.at(1));
  EXPECT_EQ(PaintedBox(third.tiles.at(3)), Expected(50, 100));
  EXPECT_EQ(third.tiles.at(4), first.tiles.at(4));
  for (int i : {0, 1, 3}) {
    SCOPED_TRACE(paths[i].toStdString());
    const QImage png = ReadPng(Normal(paths[i]));
    EXPECT_EQ(png.text("Thumb::URI"), QString::fromLatin1(ThumbnailCache::Uri(paths[i])));
    EXPECT_EQ(png.text("Thumb::MTime").toLongLong(), MTime(paths[i]));
  }
  EXPECT_EQ(ReadPng(Normal(paths[0])).size(), QSize(128, 64));
  // And now all of them come from the cache.
  Build(paths, &decodes);
  EXPECT_EQ(decodes, 1);
}

TEST_F(ThumbnailCacheBuild, OtherProgramsThumbnailsAreUsed) {
  // Blue pictures whose cached thumbnails, made by "another program", are green.
  const QRgb green = qRgb(0, 170, 0);
  const struct {
    const char* what;
    int pictureWidth, pictureHeight;
    ThumbnailCache::Size size;
    QImage thumbnail;
    Keys extra;
    QRect painted;
    QRgb middle;
  } cases[] = {
      {"a large one, the picture's size unrecorded",
       600,
       300,
       ThumbnailCache::Size::Large,
       Solid(256, 128, green),
       {},
       Expected(256, 128),
       green},
      {"an x-large one with the picture's size",
       900,
       300,
       ThumbnailCache::Size::XLarge,
       Solid(512, 256, green),
       {{"Thumb::Image::Width", "900"}, {"Thumb::Image::Height", "300"}},
       Expected(900, 300),
       green},
  };
  QStringList paths;
  const auto add = [&](int width, int height, ThumbnailCache::Size size, const QImage& thumbnail,
                       const Keys& extra) {
    const QString path = files_.WriteJpeg(QString("pics/%1.jpg").arg(paths.size()),
                                          Solid(width, height, qRgb(0, 0, 200)));
    Keys keys = {{"Thumb::URI", ThumbnailCache::Uri(path)},
                 {"Thumb::MTime", QByteArray::number(MTime(path))}};
    keys.insert(keys.end(), extra.begin(), extra.end());
    const QString entry =
        Root() + "/" + ThumbnailCache::FolderName(size) + "/" + Md5Name(ThumbnailCache::Uri(path));
    QDir().mkpath(QFileInfo(entry).path());
    files_.WriteBytes(QDir(files_.Folder()).relativeFilePath(entry),
                      OtherProgramsPng(thumbnail, keys));
    paths << path;
  };
  for (const auto& c : cases) add(c.pictureWidth, c.pictureHeight, c.size, c.thumbnail, c.extra);
  // A normal one whose upper tenth is green and the rest transparent: white shows there.
  QImage clear(100, 100, QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  QPainter(&clear).fillRect(0, 0, 100, 10, QColor(green));
  add(100, 100, ThumbnailCache::Size::Normal, clear, {});

  int decodes = -1;
  const TileBuild build = Build(paths, &decodes);
  EXPECT_EQ(decodes, 0);
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].what);
    EXPECT_EQ(PaintedBox(build.tiles.at(i)), cases[i].painted);
    EXPECT_TRUE(Near(build.tiles.at(i).pixel(39, 39), cases[i].middle, 8))
        << std::hex << build.tiles.at(i).pixel(39, 39);
  }
  const QImage& transparent = build.tiles.at(int(std::size(cases)));
  const QRect painted = PaintedBox(transparent);
  EXPECT_EQ(painted.topLeft(), QPoint(8, 8));
  EXPECT_EQ(painted.right(), 71);
  EXPECT_LT(painted.bottom(), 8 + 10);
  EXPECT_TRUE(Near(transparent.pixel(10, 9), green, 8));
  EXPECT_EQ(transparent.pixel(39, 39) & 0xFFFFFF, 0xFFFFFFu);
  // Found thumbnails are not written again.
  EXPECT_FALSE(QDir(Root() + "/normal").exists(Md5Name(ThumbnailCache::Uri(paths[0]))));
}

TEST_F(ThumbnailCacheBuild, UnusableCacheCostsOnlyTheWrite) {
  const QStringList paths = {
      files_.WriteJpeg("pics/a.jpg", TestFiles::Pattern(320, 200)),
      files_.WriteBytes("pics/b.jpg", "no picture"),
      files_.WriteJpeg("pics/c.jpg", TestFiles::Pattern(100, 150)),
  };
  const TileBuild plain = BuildWithoutCache(paths);
  ASSERT_EQ(plain.tiles.at(1), ThumbnailTile::Unreadable().Image());
  const QString file = files_.WriteBytes("a file", "x");
  const struct {
    const char* what;
    std::function<void()> setUp;
    QString watched;  // must stay as it was
  } cases[] = {
      {"XDG_CACHE_HOME names a file", [&] { UseCacheHome(file); }, file},
      {"the cache folder is read-only",
       [&] {
         UseCacheHome(files_.Path("cache"));
         QDir().mkpath(Root());
       },
       Root()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.setUp();
    std::unique_ptr<ReadOnlyFolder> readOnly;
    if (QFileInfo(c.watched).isDir()) {
      readOnly = std::make_unique<ReadOnlyFolder>(c.watched);
      ASSERT_TRUE(readOnly->Holds()) << "cannot make a read-only folder here";
    }
    const QStringList before = Tree(c.watched);
    int decodes = 0;
    const TileBuild build = Build(paths, &decodes);
    EXPECT_EQ(decodes, 3);
    for (int i = 0; i < paths.size(); ++i) EXPECT_EQ(build.tiles.at(i), plain.tiles.at(i)) << i;
    EXPECT_EQ(Tree(c.watched), before);
    QFile watched(c.watched);
    if (!QFileInfo(c.watched).isDir() && watched.open(QIODevice::ReadOnly)) {
      EXPECT_EQ(watched.readAll(), QByteArray("x"));
    }
  }
}

TEST_F(ThumbnailCacheBuild, NothingWrittenForFilesInsideTheCache) {
  // Pictures kept in a folder inside the cache, and a link to that folder from outside.
  const QString inside = Root() + "/mine";
  ASSERT_TRUE(QDir().mkpath(inside));
  ASSERT_TRUE(QFile::link(inside, files_.Path("pics/link")));
  const QString rel = "cache/thumbnails/mine/";
  const QStringList paths = {
      files_.WriteJpeg(rel + "a.jpg", Solid(200, 100, qRgb(0, 0, 200))),
      files_.WriteBytes(rel + "b.jpg", "no picture"),
      files_.WriteJpeg(rel + "c.jpg", Solid(100, 200, qRgb(0, 0, 200))),
      files_.Path("pics/link/c.jpg"),
  };
  const QStringList before = Tree(Root());
  int decodes = 0;
  const TileBuild build = Build(paths, &decodes);
  EXPECT_EQ(decodes, 4);
  EXPECT_EQ(PaintedBox(build.tiles.at(0)), Expected(200, 100));
  EXPECT_EQ(build.tiles.at(1), ThumbnailTile::Unreadable().Image());
  EXPECT_EQ(PaintedBox(build.tiles.at(2)), Expected(100, 200));
  EXPECT_EQ(build.tiles.at(3), build.tiles.at(2));
  EXPECT_EQ(Tree(Root()), before);
}

TEST_F(ThumbnailCacheBuild, NamesAreEscapedAsTheStandardSays) {
  const struct {
    const char* name;
    QByteArray escaped;
  } cases[] = {
      {"a b.jpg", "a%20b.jpg"},
      {"#1.jpg", "%231.jpg"},
      {"100%.jpg", "100%25.jpg"},
      {"照片 2.jpg", "%E7%85%A7%E7%89%87%202.jpg"},
  };
  const QString folder = files_.Path("pics");
  ASSERT_FALSE(QFile::encodeName(folder).contains('%')) << "the folder needs no escaping";
  QStringList paths;
  for (const auto& c : cases)
    paths << files_.WriteJpeg("pics/" + QString::fromUtf8(c.name), TestFiles::Pattern(256, 192));
  int decodes = 0;
  const TileBuild first = Build(paths, &decodes);
  EXPECT_EQ(decodes, int(paths.size()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QByteArray uri = UriOf(folder, c.escaped);
    const QString entry = Root() + "/normal/" + Md5Name(uri);
    ASSERT_TRUE(QFileInfo::exists(entry)) << uri.constData();
    EXPECT_EQ(ReadPng(entry).text("Thumb::URI"), QString::fromLatin1(uri));
  }
  const TileBuild second = Build(paths, &decodes);
  EXPECT_EQ(decodes, 0);
  for (int i = 0; i < paths.size(); ++i) EXPECT_EQ(second.tiles.at(i), first.tiles.at(i)) << i;
}
