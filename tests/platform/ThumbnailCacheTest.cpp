// The shared freedesktop thumbnail cache: names, keys, modes and validity of what we write,
// what we accept from other programs, and a cache that cannot be used costing nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QUrl>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "FileSizeLimit.h"
#include "ReadOnlyFolder.h"
#include "TestFiles.h"
#include "platform/ThumbnailCache.h"

namespace {

using Size = ThumbnailCache::Size;
using Keys = std::vector<std::pair<QByteArray, QByteArray>>;

quint32 Crc(const QByteArray& bytes) {
  quint32 c = 0xFFFFFFFFu;
  for (char b : bytes) {
    c ^= uchar(b);
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
  }
  return c ^ 0xFFFFFFFFu;
}

QByteArray Big32(quint32 v) {
  QByteArray out;
  for (int i = 3; i >= 0; --i) out.append(char((v >> (8 * i)) & 0xFF));
  return out;
}

QByteArray Chunk(const QByteArray& type, const QByteArray& data) {
  return Big32(quint32(data.size())) + type + data + Big32(Crc(type + data));
}

// A PNG as another program might write it: the keys as tEXt chunks before the pixels, or
// after them when afterPixels is set.
QByteArray Png(const QImage& image, const Keys& keys, bool afterPixels = false) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "png");
  QByteArray texts;
  for (const auto& [key, value] : keys) texts += Chunk("tEXt", key + '\0' + value);
  const qsizetype at = afterPixels ? png.size() - 12 : 33;  // before IEND / after IHDR
  return png.left(at) + texts + png.mid(at);
}

// The chunk types of a PNG in file order.
QList<QByteArray> ChunkTypes(const QByteArray& png) {
  QList<QByteArray> types;
  for (qsizetype at = 8; at + 12 <= png.size();) {
    const auto* p = reinterpret_cast<const uchar*>(png.constData() + at);
    const qsizetype length = (qsizetype(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
    types << png.mid(at + 4, 4);
    at += 12 + length;
  }
  return types;
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int Mode(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

void SetMTime(const QString& path, qint64 seconds) {
  struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

QImage Picture(int w, int h) {
  QImage image = TestFiles::Pattern(w, h);
  return image.convertToFormat(QImage::Format_RGB32);
}

QString Md5Name(const QByteArray& uri) {
  return QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
         ".png";
}

// Everything in a folder tree, for checking that nothing was written.
QStringList Tree(const QString& folder) {
  QStringList names;
  QDir dir(folder);
  for (const QFileInfo& info :
       dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
    names << info.fileName();
    if (info.isDir() && !info.isSymLink())
      for (const QString& inner : Tree(info.filePath())) names << info.fileName() + "/" + inner;
  }
  return names;
}

class ThumbnailCacheTest : public ::testing::Test {
 protected:
  ThumbnailCacheTest() : cache_(files_.Path("cache/thumbnails")) {}

  // A source file with a known modification time.
  ThumbnailCache::Source Source(const QString& name, qint64 mtime = 1600000000) {
    const QString path = files_.WriteBytes(name, QByteArray("picture bytes of ") + name.toUtf8());
    SetMTime(path, mtime);
    return *ThumbnailCache::Stat(path);
  }
  QString Entry(Size size, const QString& path) const {
    return cache_.Root() + "/" + ThumbnailCache::FolderName(size) + "/" +
           Md5Name(ThumbnailCache::Uri(path));
  }
  // Writes a thumbnail as another program would, with the right keys unless told.
  void WriteEntry(Size size, const ThumbnailCache::Source& source, const QImage& image,
                  Keys keys = {}) {
    if (keys.empty())
      keys = {{"Thumb::URI", ThumbnailCache::Uri(source.path)},
              {"Thumb::MTime", QByteArray::number(source.mtime)}};
    const QString path = Entry(size, source.path);
    QDir().mkpath(QFileInfo(path).path());
    Put(path, Png(image, keys));
  }

  TestFiles files_;
  ThumbnailCache cache_;
};

}  // namespace

TEST(ThumbnailCacheUri, EscapedAsTheStandardSays) {
  const struct {
    const char* path;
    const char* uri;
  } cases[] = {
      {"/home/jens/photos/me.png", "file:///home/jens/photos/me.png"},
      {"/p/a b.jpg", "file:///p/a%20b.jpg"},
      {"/p/#1.jpg", "file:///p/%231.jpg"},
      {"/p/100%.jpg", "file:///p/100%25.jpg"},
      {"/p/照片 1.jpg", "file:///p/%E7%85%A7%E7%89%87%201.jpg"},
      {"/p/a;b[1]{2}^`|\\\"<>?.jpg", "file:///p/a%3Bb%5B1%5D%7B2%7D%5E%60%7C%5C%22%3C%3E%3F.jpg"},
      {"/p/~!$&'()*+,=:@-_.jpg", "file:///p/~!$&'()*+,=:@-_.jpg"},
      {"/p//q/./r/../s.jpg", "file:///p/q/s.jpg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const QString path = QString::fromUtf8(c.path);
    EXPECT_EQ(ThumbnailCache::Uri(path), QByteArray(c.uri));
    // Qt's own file URLs agree wherever RFC 2396 and Qt agree (Qt leaves ";[]" as they are).
    if (!path.contains(QRegularExpression("[;\\[\\]]"))) {
      EXPECT_EQ(ThumbnailCache::Uri(path), QUrl::fromLocalFile(QDir::cleanPath(path)).toEncoded());
    }
  }
  // The standard's own example.
  EXPECT_EQ(ThumbnailCache::FileName(ThumbnailCache::Uri("/home/jens/photos/me.png")),
            "c6ee772d9e49320e97ec29a7eb5b1697.png");
}

TEST(ThumbnailCacheRoot, FollowsXdgCacheHome) {
  const QByteArray saved = qgetenv("XDG_CACHE_HOME");
  const struct {
    const char* xdg;  // nullptr: unset
    QString root;
  } cases[] = {
      {"/somewhere/cache", "/somewhere/cache/thumbnails"},
      {"/somewhere/cache/", "/somewhere/cache/thumbnails"},
      {"relative/cache", QDir::homePath() + "/.cache/thumbnails"},
      {"", QDir::homePath() + "/.cache/thumbnails"},
      {nullptr, QDir::homePath() + "/.cache/thumbnails"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xdg ? c.xdg : "(unset)");
    if (c.xdg)
      qputenv("XDG_CACHE_HOME", c.xdg);
    else
      qunsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(ThumbnailCache().Root(), c.root);
  }
  if (saved.isNull())
    qunsetenv("XDG_CACHE_HOME");
  else
    qputenv("XDG_CACHE_HOME", saved);
}

TEST_F(ThumbnailCacheTest, FreshWriteHasTheKeysModesAndName) {
  const auto source = Source("photo 1.jpg");
  ASSERT_TRUE(cache_.Write(source, Picture(400, 300), 4000, 3000, "image/jpeg"));
  const QByteArray uri = "file://" + QFile::encodeName(files_.Folder()) + "/photo%201.jpg";
  const QString entry = cache_.Root() + "/normal/" + Md5Name(uri);
  const QByteArray png = ReadAll(entry);
  ASSERT_FALSE(png.isEmpty()) << entry.toStdString();

  QBuffer buffer;
  buffer.setData(png);
  QImageReader reader(&buffer, "png");
  const QImage image = reader.read();
  EXPECT_EQ(image.size(), QSize(128, 96));
  const Keys expected = {{"Thumb::URI", uri},
                         {"Thumb::MTime", "1600000000"},
                         {"Thumb::Size", QByteArray::number(source.size)},
                         {"Thumb::Mimetype", "image/jpeg"},
                         {"Thumb::Image::Width", "4000"},
                         {"Thumb::Image::Height", "3000"},
                         {"Software", "Picora " PICORA_VERSION}};
  for (const auto& [key, value] : expected)
    EXPECT_EQ(image.text(key), QString::fromLatin1(value)) << key.constData();
  // Plain tEXt chunks ahead of the pixels, where every reader looks first.
  const QList<QByteArray> types = ChunkTypes(png);
  const qsizetype pixels = types.indexOf("IDAT");
  ASSERT_GT(pixels, 0);
  EXPECT_EQ(types.mid(1, pixels - 1).count("tEXt"), qsizetype(expected.size()));
  EXPECT_EQ(types.count("zTXt") + types.count("iTXt"), 0);

  EXPECT_EQ(Mode(entry), 0600);
  EXPECT_EQ(Mode(cache_.Root()), 0700);
  EXPECT_EQ(Mode(cache_.Root() + "/normal"), 0700);
  EXPECT_EQ(Tree(cache_.Root()), QStringList({"normal", "normal/" + Md5Name(uri)}));

  const auto found = cache_.Find(source, 64);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->size, Size::Normal);
  EXPECT_EQ(found->image.size(), QSize(128, 96));
  EXPECT_EQ(found->imageWidth, 4000);
  EXPECT_EQ(found->imageHeight, 3000);
  // Pixels survive the trip: the middle of the pattern, scaled.
  const QColor want = Picture(400, 300).pixelColor(200, 150);
  const QColor got = found->image.pixelColor(64, 48);
  EXPECT_NEAR(got.red(), want.red(), 24);
  EXPECT_NEAR(got.green(), want.green(), 24);
  EXPECT_NEAR(got.blue(), want.blue(), 24);
}

TEST_F(ThumbnailCacheTest, SmallPicturesAreNotEnlarged) {
  const auto source = Source("small.bmp");
  ASSERT_TRUE(cache_.Write(source, Picture(40, 30), 40, 30, "image/bmp"));
  const auto found = cache_.Find(source, 64);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->image.size(), QSize(40, 30));
}

TEST_F(ThumbnailCacheTest, StaleEntriesAreIgnored) {
  const auto source = Source("a.jpg");
  const QByteArray uri = ThumbnailCache::Uri(source.path);
  const QByteArray mtime = QByteArray::number(source.mtime);
  const QByteArray size = QByteArray::number(source.size);
  const QByteArray other = ThumbnailCache::Uri(files_.Path("b.jpg"));
  const struct {
    const char* what;
    Keys keys;
    bool afterPixels;
    bool valid;
  } cases[] = {
      {"URI and time", {{"Thumb::URI", uri}, {"Thumb::MTime", mtime}}, false, true},
      {"with its size",
       {{"Thumb::URI", uri}, {"Thumb::MTime", mtime}, {"Thumb::Size", size}},
       false,
       true},
      {"keys after the pixels", {{"Thumb::URI", uri}, {"Thumb::MTime", mtime}}, true, true},
      {"another file's URI", {{"Thumb::URI", other}, {"Thumb::MTime", mtime}}, false, false},
      {"another URI after the pixels",
       {{"Thumb::URI", other}, {"Thumb::MTime", mtime}},
       true,
       false},
      {"an older time", {{"Thumb::URI", uri}, {"Thumb::MTime", "1599999999"}}, false, false},
      {"another size",
       {{"Thumb::URI", uri}, {"Thumb::MTime", mtime}, {"Thumb::Size", size + "0"}},
       false,
       false},
      {"no time", {{"Thumb::URI", uri}}, false, false},
      {"no URI", {{"Thumb::MTime", mtime}}, false, false},
      {"a time that is no number", {{"Thumb::URI", uri}, {"Thumb::MTime", "soon"}}, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString entry = Entry(Size::Normal, source.path);
    QDir().mkpath(QFileInfo(entry).path());
    QFile out(entry);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(Png(Picture(128, 64), c.keys, c.afterPixels));
    out.close();
    EXPECT_EQ(cache_.Find(source, 64).has_value(), c.valid);
  }

  // Our own entry goes stale when the file changes.
  ASSERT_TRUE(cache_.Write(source, Picture(200, 100), 200, 100, "image/jpeg"));
  EXPECT_TRUE(cache_.Find(source, 64));
  SetMTime(source.path, source.mtime + 1);
  EXPECT_FALSE(cache_.Find(*ThumbnailCache::Stat(source.path), 64));
  files_.WriteBytes("a.jpg", "longer picture bytes than before");
  SetMTime(source.path, source.mtime);
  EXPECT_FALSE(cache_.Find(*ThumbnailCache::Stat(source.path), 64));
}

TEST_F(ThumbnailCacheTest, SizesSmallestFittingFirst) {
  const auto source = Source("big.jpg");
  // Made by another program: only a large one.
  WriteEntry(Size::Large, source, Picture(256, 170));
  auto found = cache_.Find(source, 64);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->size, Size::Large);
  EXPECT_EQ(found->image.size(), QSize(256, 170));
  EXPECT_EQ(found->imageWidth, 0);  // not recorded by its maker
  WriteEntry(Size::Normal, source, Picture(128, 85));
  WriteEntry(Size::XXLarge, source, Picture(1024, 680));
  const struct {
    int drawn;
    std::optional<Size> size;
  } cases[] = {
      {64, Size::Normal},   {128, Size::Normal},   {129, Size::Large},
      {300, Size::XXLarge}, {1024, Size::XXLarge}, {4000, Size::XXLarge},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drawn);
    found = cache_.Find(source, c.drawn);
    ASSERT_EQ(found.has_value(), c.size.has_value());
    if (found) {
      EXPECT_EQ(found->size, *c.size);
    }
  }
  // A stale normal one does not hide a valid large one.
  WriteEntry(Size::Normal, source, Picture(128, 85),
             {{"Thumb::URI", ThumbnailCache::Uri(source.path)}, {"Thumb::MTime", "1"}});
  found = cache_.Find(source, 64);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->size, Size::Large);
}

TEST_F(ThumbnailCacheTest, HostileEntriesAreRefused) {
  const auto source = Source("c.jpg");
  const QString entry = Entry(Size::Normal, source.path);
  const QByteArray good =
      Png(Picture(100, 100), {{"Thumb::URI", ThumbnailCache::Uri(source.path)},
                              {"Thumb::MTime", QByteArray::number(source.mtime)}});
  // A header claiming an enormous picture, checksum corrected so that only its size is wrong.
  QByteArray huge = good;
  huge.replace(16, 8, Big32(100000) + Big32(100000));
  huge.replace(29, 4, Big32(Crc(huge.mid(12, 17))));
  QByteArray wide = good;
  wide.replace(16, 4, Big32(ThumbnailCache::MaxSide + 1));
  wide.replace(29, 4, Big32(Crc(wide.mid(12, 17))));
  const struct {
    const char* what;
    std::function<void()> make;
  } cases[] = {
      {"a FIFO", [&] { ASSERT_EQ(mkfifo(QFile::encodeName(entry).constData(), 0600), 0); }},
      {"a link to a device", [&] { ASSERT_TRUE(QFile::link("/dev/zero", entry)); }},
      {"a folder", [&] { ASSERT_TRUE(QDir().mkpath(entry)); }},
      {"larger than the cap",
       [&] {
         QFile f(entry);
         ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         f.write(good);
         ASSERT_TRUE(f.resize(ThumbnailCache::MaxFileBytes + 1));
       }},
      {"an enormous picture", [&] { Put(entry, huge); }},
      {"wider than the cap", [&] { Put(entry, wide); }},
      {"cut short", [&] { Put(entry, good.left(good.size() - 40)); }},
      {"not a PNG", [&] { Put(entry, QByteArray("GIF89a").repeated(100)); }},
      {"empty", [&] { Put(entry, QByteArray()); }},
  };
  ASSERT_TRUE(QDir().mkpath(QFileInfo(entry).path()));
  Put(entry, good);
  ASSERT_TRUE(cache_.Find(source, 64)) << "the good entry must be found";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QFile::remove(entry);
    QDir().rmdir(entry);
    c.make();
    EXPECT_FALSE(cache_.Find(source, 64));
  }
  QFile::remove(entry);
  QDir().rmdir(entry);
}

TEST_F(ThumbnailCacheTest, FailureEntries) {
  const auto source = Source("broken.jpg");
  EXPECT_FALSE(cache_.HasFailure(source));
  ASSERT_TRUE(cache_.WriteFailure(source));
  const QString entry = cache_.Root() + "/fail/picora-" PICORA_VERSION "/" +
                        Md5Name(ThumbnailCache::Uri(source.path));
  EXPECT_EQ(cache_.FailurePath(source.path), entry);
  EXPECT_EQ(Mode(entry), 0600);
  EXPECT_EQ(Mode(cache_.Root() + "/fail"), 0700);
  EXPECT_EQ(Mode(cache_.Root() + "/fail/picora-" PICORA_VERSION), 0700);
  const QImage mark(entry);
  EXPECT_EQ(mark.text("Thumb::URI"), QString::fromLatin1(ThumbnailCache::Uri(source.path)));
  EXPECT_EQ(mark.text("Thumb::MTime"), QString::number(source.mtime));
  EXPECT_TRUE(cache_.HasFailure(source));
  // A failure entry is no thumbnail.
  EXPECT_FALSE(cache_.Find(source, 64));
  // Once the file changes it is tried again.
  SetMTime(source.path, source.mtime + 60);
  EXPECT_FALSE(cache_.HasFailure(*ThumbnailCache::Stat(source.path)));
}

TEST_F(ThumbnailCacheTest, NamesThatNeedEscaping) {
  for (const char* name : {"a b.jpg", "#3.jpg", "50%.jpg", "照片.jpg", "x;y[1].jpg"}) {
    SCOPED_TRACE(name);
    const auto source = Source(QString::fromUtf8(name));
    ASSERT_TRUE(cache_.Write(source, Picture(64, 64), 64, 64, "image/jpeg"));
    const QByteArray uri = "file://" + QFile::encodeName(files_.Folder()) + "/" +
                           QByteArray(name).toPercentEncoding("/!$&'()*+,=:@~");
    const QString entry = cache_.Root() + "/normal/" + Md5Name(uri);
    EXPECT_TRUE(QFile::exists(entry)) << uri.constData();
    EXPECT_EQ(QImage(entry).text("Thumb::URI"), QString::fromLatin1(uri));
    EXPECT_TRUE(cache_.Find(source, 64));
  }
}

TEST_F(ThumbnailCacheTest, NothingWrittenInsideTheCache) {
  ASSERT_TRUE(QDir().mkpath(cache_.Root() + "/normal"));
  ASSERT_TRUE(QDir().mkpath(files_.Path("cache/thumbnails2")));
  ASSERT_TRUE(QFile::link(cache_.Root(), files_.Path("link")));
  const struct {
    QString name;
    bool inside;
  } cases[] = {
      {"cache/thumbnails/normal/0123.png", true},
      {"cache/thumbnails/fail/photo.jpg", true},
      {"link/normal/0123.png", true},
      {"cache/thumbnails2/photo.jpg", false},
      {"cache/photo.jpg", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    QDir().mkpath(QFileInfo(files_.Path(c.name)).path());
    const auto source = Source(c.name);
    EXPECT_EQ(cache_.Contains(source.path), c.inside);
    const QStringList before = Tree(cache_.Root());
    EXPECT_EQ(cache_.Write(source, Picture(64, 48), 64, 48, "image/png"), !c.inside);
    EXPECT_EQ(cache_.WriteFailure(source), !c.inside);
    if (c.inside) {
      EXPECT_EQ(Tree(cache_.Root()), before);
    }
  }
  EXPECT_TRUE(cache_.Contains(cache_.Root()));
}

TEST_F(ThumbnailCacheTest, UnusableCacheCostsOnlyTheWrite) {
  const auto source = Source("d.jpg");
  const QImage picture = Picture(300, 200);

  // Read-only cache folders: what is there is still used, nothing new is written.
  ASSERT_TRUE(cache_.Write(source, picture, 300, 200, "image/jpeg"));
  const auto other = Source("e.jpg");
  {
    ReadOnlyFolder normal(cache_.Root() + "/normal");
    ReadOnlyFolder root(cache_.Root());
    ASSERT_TRUE(normal.Holds() && root.Holds()) << "cannot make a read-only folder here";
    const QStringList before = Tree(cache_.Root());
    EXPECT_TRUE(cache_.Find(source, 64));
    EXPECT_FALSE(cache_.Write(other, picture, 300, 200, "image/jpeg"));
    EXPECT_FALSE(cache_.WriteFailure(other));
    EXPECT_FALSE(cache_.Find(other, 64));
    EXPECT_EQ(Tree(cache_.Root()), before);
  }

  // A full disk: the write fails and leaves no temporary file behind.
  {
    const QStringList before = Tree(cache_.Root());
    FileSizeLimit full(64);
    EXPECT_FALSE(cache_.Write(other, picture, 300, 200, "image/jpeg"));
    EXPECT_EQ(Tree(cache_.Root()), before);
  }

  // XDG_CACHE_HOME naming a file.
  const QString file = files_.WriteBytes("not a folder", "x");
  const QByteArray saved = qgetenv("XDG_CACHE_HOME");
  qputenv("XDG_CACHE_HOME", QFile::encodeName(file));
  const ThumbnailCache onFile;
  if (saved.isNull())
    qunsetenv("XDG_CACHE_HOME");
  else
    qputenv("XDG_CACHE_HOME", saved);
  EXPECT_EQ(onFile.Root(), file + "/thumbnails");
  EXPECT_FALSE(onFile.Write(source, picture, 300, 200, "image/jpeg"));
  EXPECT_FALSE(onFile.WriteFailure(source));
  EXPECT_FALSE(onFile.HasFailure(source));
  EXPECT_FALSE(onFile.Find(source, 64));
  EXPECT_EQ(ReadAll(file), QByteArray("x"));
}

TEST_F(ThumbnailCacheTest, WorkersShareTheCache) {
  // Several workers write and read the same thumbnails at once. Once a thumbnail is
  // there it is always found whole: writes replace it in one step.
  std::vector<ThumbnailCache::Source> sources;
  for (int i = 0; i < 4; ++i) sources.push_back(Source(QString("w%1.jpg").arg(i)));
  for (const auto& s : sources)
    ASSERT_TRUE(cache_.Write(s, Picture(256, 192), 256, 192, "image/jpeg"));
  std::atomic<int> missing{0}, failedWrites{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t) {
    workers.emplace_back([&, t] {
      for (int round = 0; round < 40; ++round) {
        const auto& s = sources[(t + round) % sources.size()];
        if (!cache_.Write(s, Picture(256, 192), 256, 192, "image/jpeg")) ++failedWrites;
        const auto found = cache_.Find(sources[(t + round + 1) % sources.size()], 64);
        if (!found || found->image.size() != QSize(128, 96)) ++missing;
      }
    });
  }
  for (auto& w : workers) w.join();
  EXPECT_EQ(missing.load(), 0);
  EXPECT_EQ(failedWrites.load(), 0);
  EXPECT_EQ(Tree(cache_.Root() + "/normal").size(), qsizetype(sources.size()));
}

TEST_F(ThumbnailCacheTest, UnreadableFilesAreLeftAlone) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const auto source = Source("secret.jpg");
  ASSERT_TRUE(cache_.Write(source, Picture(64, 64), 64, 64, "image/jpeg"));
  ::chmod(QFile::encodeName(source.path).constData(), 0);
  EXPECT_FALSE(cache_.Find(source, 64));
  EXPECT_FALSE(cache_.WriteFailure(source));
  ::chmod(QFile::encodeName(source.path).constData(), 0600);
}
