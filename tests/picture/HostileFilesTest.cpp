// Folder entries and files made to hurt: nothing blocks, nothing takes memory out of
// proportion, every refusal is a PictureError that names the file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <functional>
#include <limits>

#include "HostileFiles.h"
#include "PeakMemory.h"
#include "TestFiles.h"
#include "picture/FileSaver.h"
#include "picture/GifFile.h"
#include "picture/Icon.h"
#include "picture/ImageFiles.h"
#include "picture/JpegCodec.h"
#include "picture/Picture.h"
#include "picture/PictureError.h"
#include "picture/PictureLimits.h"
#include "picture/ThumbnailTile.h"

namespace {

using Call = std::function<void(const QString& path)>;

// Every entry point that opens a file of the given kind, as the program calls them.
std::vector<std::pair<const char*, Call>> ReadersOf(const QString& ext) {
  std::vector<std::pair<const char*, Call>> calls = {
      {"thumbnail tile", [](const QString& p) { ThumbnailTile::Make(p); }},
      {"thumbnail estimate", [](const QString& p) { ThumbnailTile::PeakBytes(p); }},
  };
  if (ext == QLatin1String("gif")) {
    calls.push_back({"GIF scan", [](const QString& p) { GifFile::Scan(p); }});
    return calls;
  }
  calls.push_back({"picture load", [](const QString& p) { Picture().LoadFromFile(p); }});
  if (ext == QLatin1String("jpg")) {
    calls.push_back({"JPEG size", [](const QString& p) { JpegCodec::ReadSize(p); }});
    calls.push_back({"JPEG preview", [](const QString& p) { JpegCodec::DecodeAtLeast(p, 8, 8); }});
  }
  return calls;
}

const char* const kExtensions[] = {"jpg", "bmp", "ico", "gif"};

// Runs call and expects a PictureError that names the file (and contains reason).
void ExpectRefused(const Call& call, const QString& path, const char* reason = nullptr) {
  try {
    call(path);
    ADD_FAILURE() << "no error for " << path.toStdString();
  } catch (const PictureError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find(QFileInfo(path).fileName().toStdString()), std::string::npos) << what;
    if (reason) {
      EXPECT_NE(what.find(reason), std::string::npos) << what;
    }
  }
}

}  // namespace

TEST(HostileFiles, EntriesThatAreNotRegularFilesAreRefusedWithoutBlocking) {
  TestFiles files;
  const struct {
    const char* kind;
    const char* reason;
    std::function<bool(const QString& path)> make;
  } kinds[] = {
      // A FIFO blocked every reader in its open until a writer came: for ever.
      {"fifo", "pipe", [](const QString& p) { return HostileFiles::MakeFifo(p); }},
      // The socket's file stays when its descriptor is closed.
      {"socket", "socket",
       [](const QString& p) {
         const int fd = HostileFiles::MakeSocket(p);
         if (fd >= 0) ::close(fd);
         return fd >= 0;
       }},
      {"folder", "folder", [](const QString& p) { return QDir().mkdir(p); }},
      {"dangling link", "No such file",
       [](const QString& p) { return HostileFiles::MakeLink(p + QStringLiteral(".gone"), p); }},
      {"link to a device", "device",
       [](const QString& p) { return HostileFiles::MakeLink(QStringLiteral("/dev/zero"), p); }},
  };
  for (const auto& kind : kinds) {
    for (const char* ext : kExtensions) {
      const QString path =
          files.Path(QStringLiteral("%1.%2").arg(QLatin1String(kind.kind)).arg(QLatin1String(ext)));
      ASSERT_TRUE(kind.make(path)) << kind.kind;
      for (const auto& [name, call] : ReadersOf(QLatin1String(ext))) {
        SCOPED_TRACE(std::string(kind.kind) + " ." + ext + ": " + name);
        ExpectRefused(call, path, kind.reason);
      }
      // Saving a GIF copies its bytes: from a FIFO that would block just the same.
      EXPECT_FALSE(FileSaver::Copy(path, files.Path(QStringLiteral("copy.") + QLatin1String(ext))))
          << kind.kind;
    }
  }
}

TEST(HostileFiles, UnreadableFileIsRefused) {
  TestFiles files;
  QFile::setPermissions(files.Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadOther | QFile::ExeOther);
  std::vector<QString> paths;
  for (const char* ext : kExtensions) {
    const QString path = files.Path(QStringLiteral("locked.") + QLatin1String(ext));
    files.WriteBytes(QFileInfo(path).fileName(), QByteArray("GIF89a locked away"));
    QFile::setPermissions(path, QFileDevice::Permissions());
    paths.push_back(path);
  }
  // Each reader must refuse each file, saying why.
  const auto refusals = [&paths] {
    int failures = 0;
    for (const QString& path : paths)
      for (const auto& reader : ReadersOf(QFileInfo(path).suffix())) {
        try {
          reader.second(path);
          ++failures;
        } catch (const PictureError& e) {
          if (std::string(e.what()).find("denied") == std::string::npos) ++failures;
        }
      }
    return failures;
  };
  if (geteuid() != 0) {
    EXPECT_EQ(refusals(), 0);
    return;
  }
  // Permissions do not stop root: check as nobody, in a child process.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(100);
    _exit(std::min(refusals(), 99));
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the child died of signal " << WTERMSIG(status);
  if (WEXITSTATUS(status) == 100) GTEST_SKIP() << "cannot become nobody here";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "readers that read a file they may not read";
}

TEST(HostileFiles, TinyFilesClaimingHugePicturesAreRefusedBeforeTheirPixels) {
  TestFiles files;
  const QByteArray progressive = HostileFiles::ProgressiveJpegClaiming(16384, 16384);
  ASSERT_FALSE(progressive.isEmpty());
  const struct {
    const char* name;
    const char* file;
    QByteArray bytes;
    Call call;
    const char* reason;
  } cases[] = {
      // Qt's reader took 1.2 GB for the 1 KB file: its 8-bit pixels, then 32-bit ones.
      {"run-length bitmap, opened", "rle.bmp", HostileFiles::RleBmp(16384, 16384),
       [](const QString& p) { Picture().LoadFromFile(p); }, "small"},
      {"run-length bitmap, tile", "rle.bmp", HostileFiles::RleBmp(16384, 16384),
       [](const QString& p) { ThumbnailTile::Make(p); }, "small"},
      // libjpeg buffered 768 MiB of coefficients even at 1/8 scale.
      {"progressive JPEG, tile", "prog.jpg", progressive,
       [](const QString& p) { ThumbnailTile::Make(p); }, "small"},
      {"progressive JPEG, opened", "prog.jpg", progressive,
       [](const QString& p) { Picture().LoadFromFile(p); }, "small"},
      // Qt's GIF reader allocates the whole screen, 978 MiB for this one, data or not.
      {"tiny GIF", "tiny.gif", HostileFiles::TinyGifClaiming(16000, 16000),
       [](const QString& p) { ThumbnailTile::Make(p); }, "small"},
      {"GIF screen past the limit", "screen.gif", HostileFiles::TinyGifClaiming(20000, 20000),
       [](const QString& p) { GifFile::Scan(p); }, "larger"},
      // 3486502863 squared overflowed the signed 64-bit product of the size check.
      {"icon claiming an overflowing size", "overflow.ico",
       HostileFiles::IconClaimingPng(3486502863u), [](const QString& p) { Icon().LoadFromFile(p); },
       "no readable image"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = files.WriteBytes(QLatin1String(c.file), c.bytes);
    EXPECT_LT(c.bytes.size(), 2048);
    const PeakMemory peak;
    ExpectRefused(c.call, path, c.reason);
    if (peak.Works()) {
      EXPECT_LT(peak.GrowthBytes(), 32 << 20);
    }
  }
}

TEST(HostileFiles, IconFloodDecodesOneEntry) {
  TestFiles files;
  // Forty directory entries, one 4096 x 4096 image: about 64 MiB once decoded.
  const int side = 4096;
  const QByteArray png = HostileFiles::BlackPng(side);
  const QString path =
      files.WriteBytes(QStringLiteral("flood.ico"), HostileFiles::IconFlood(40, png, side));
  EXPECT_LT(QFileInfo(path).size(), 64 << 10);
  const PeakMemory peak;
  Icon icon;
  icon.LoadFromFile(path);
  EXPECT_EQ(icon.Width(), side);
  EXPECT_EQ(icon.Height(), side);
  // Every entry decoded and kept took forty times as much.
  if (peak.Works()) {
    EXPECT_LT(peak.GrowthBytes(), qint64(256) << 20);
  }
  EXPECT_LT(ThumbnailTile::PeakBytes(path), qint64(256) << 20);
}

TEST(HostileFiles, HonestLargeFilesStillOpen) {
  TestFiles files;
  // Run-length rows of 4096 + 1 pixels, 4097 of them: more pixels than are read freely
  // of any file, in honest runs of at most 255.
  const int w = 4097, h = 4097;
  QByteArray bmp = HostileFiles::RleBmp(w, h);
  bmp.chop(2);
  for (int y = 0; y < h; ++y) {
    for (int left = w; left > 0; left -= 255) {
      bmp += char(std::min(left, 255));
      bmp += char(y & 0xFF);
    }
    bmp += QByteArray::fromHex("0000");
  }
  bmp += QByteArray::fromHex("0001");
  const QString path = files.WriteBytes(QStringLiteral("honest.bmp"), bmp);
  Picture picture;
  picture.LoadFromFile(path);
  EXPECT_EQ(picture.Width(), w);
  EXPECT_EQ(picture.Height(), h);
}

TEST(PictureLimits, SizeCheckNeverOverflows) {
  const struct {
    qint64 w, h;
    bool sane;
  } cases[] = {
      {16384, 16384, true},
      {16385, 16384, false},
      {1, qint64(1) << 28, true},
      {(qint64(1) << 28) + 1, 1, false},
      {3486502863, 3486502863, false},  // the product wraps to a small number in 64 bits
      {qint64(1) << 32, qint64(1) << 32, false},
      {std::numeric_limits<qint64>::max(), 2, false},
      {0, 5, false},
      {5, 0, false},
      {-1, -1, false},
      {-16384, 16384, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PictureLimits::SaneSize(c.w, c.h), c.sane) << c.w << " x " << c.h;
}

TEST(HostileFiles, JpegDecodeMemoryIsJudgedFromTheHeader) {
  TestFiles files;
  // A progressive 16384 x 16384 claim with enough bytes (comments) that its data could be
  // real: libjpeg would buffer the coefficients of every block, whatever the scale.
  const QByteArray progressive = HostileFiles::ProgressiveJpegClaiming(16384, 16384);
  ASSERT_FALSE(progressive.isEmpty());
  QByteArray padding;
  for (int i = 0; i < 9; ++i)
    padding += QByteArray::fromHex("fffeffff") + QByteArray(0xFFFF - 2, 'c');
  const QString path = files.WriteBytes(QStringLiteral("padded.jpg"),
                                        progressive.left(2) + padding + progressive.mid(2));
  const JpegCodec::Header header = JpegCodec::ReadHeader(path);
  EXPECT_EQ(header.size, QSize(16384, 16384));
  // 4:2:0: 2048 x 2048 luma blocks and two 1024 x 1024 chroma planes, 128 bytes a block.
  EXPECT_EQ(header.coefficientBytes, qint64(768) << 20);
  // A tile at 1/8 fits one picture's budget; the whole picture at full size does not.
  EXPECT_LE(header.PeakBytes(8), PictureLimits::DecodeBudget);
  EXPECT_GT(header.PeakBytes(1), PictureLimits::DecodeBudget);
  const PeakMemory peak;
  ExpectRefused([](const QString& p) { JpegCodec::Decode(p); }, path, "memory");
  if (peak.Works()) {
    EXPECT_LT(peak.GrowthBytes(), 32 << 20);
  }
}

TEST(HostileFiles, HugeFilesAreNotReadWhole) {
  // Small valid pictures followed by a gigabyte of nothing (a sparse file, which costs no
  // disk): what a reader needs of them is the picture, not the file's size in memory.
  TestFiles files;
  const QImage picture = TestFiles::Pattern(40, 30);
  const QString paths[] = {
      files.WriteJpeg(QStringLiteral("huge.jpg"), picture),
      files.WriteBmp(QStringLiteral("huge.bmp"), picture),
      files.WriteIco(QStringLiteral("huge.ico"), picture.convertToFormat(QImage::Format_ARGB32)),
      files.WriteBytes(QStringLiteral("huge.gif"),
                       HostileFiles::Gif(2, 2, {HostileFiles::GifFrame{0, 0, 2, 2, {1}}})),
  };
  for (const QString& path : paths) {
    SCOPED_TRACE(path.toStdString());
    ASSERT_TRUE(QFile::resize(path, qint64(1) << 30));
    const PeakMemory peak;
    EXPECT_LT(ThumbnailTile::PeakBytes(path), 32 << 20);
    EXPECT_NO_THROW(ThumbnailTile::Make(path));
    if (!path.endsWith(QLatin1String(".gif"))) {
      Picture opened;
      opened.LoadFromFile(path);
      EXPECT_EQ(opened.Width(), 40);
    }
    if (peak.Works()) {
      EXPECT_LT(peak.GrowthBytes(), 32 << 20);
    }
  }
}

TEST(HostileFiles, ReadingEveryIconImageStaysWithinOnePicturesBudget) {
  TestFiles files;
  // Two entries of a small icon read as they are...
  const QImage small = TestFiles::Pattern(16, 16).convertToFormat(QImage::Format_ARGB32);
  const QByteArray entry = ImageFiles::EncodeIco(small).mid(22);
  const auto images = ImageFiles::ReadIco(
      files.WriteBytes(QStringLiteral("two.ico"), HostileFiles::IconFlood(2, entry, 16)));
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[1].depth, 32);
  EXPECT_EQ(images[1].image, small.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  // ...but forty entries of one 4096 x 4096 image would take 2.5 GiB: refused once they
  // would pass the budget.
  const QString flood = files.WriteBytes(
      QStringLiteral("flood.ico"), HostileFiles::IconFlood(40, HostileFiles::BlackPng(4096), 4096));
  const PeakMemory peak;
  EXPECT_THROW(ImageFiles::ReadIco(flood), PictureError);
  if (peak.Works()) {
    EXPECT_LT(peak.GrowthBytes(), PictureLimits::DecodeBudget);
  }
}
