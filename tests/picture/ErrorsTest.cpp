// Bad input of every kind raises PictureError, names the file and leaves the picture
// container as it was.
#include <gtest/gtest.h>

#include <QBuffer>
#include <optional>

#include "TestFiles.h"
#include "picture/ImageFiles.h"
#include "picture/JpegCodec.h"
#include "picture/Picture.h"
#include "picture/PictureError.h"

namespace {

QByteArray ValidJpeg() {
  return JpegCodec::Encode(TestFiles::Pattern(64, 48), 90);
}

QByteArray PngBytes() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  TestFiles::Pattern(8, 8).save(&buffer, "PNG");
  return bytes;
}

void PutLE32(QByteArray& bytes, int at, qint32 value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

// A 24-bit bitmap header claiming w x h, followed by a little pixel data.
QByteArray BmpHeader(qint32 w, qint32 h) {
  QByteArray bytes = ImageFiles::EncodeBmp(TestFiles::Pattern(4, 4));
  PutLE32(bytes, 18, w);
  PutLE32(bytes, 22, h);
  return bytes;
}

// A JPEG whose frame header claims w x h.
QByteArray JpegClaiming(int w, int h) {
  QByteArray bytes = ValidJpeg();
  const int sof = bytes.indexOf(QByteArray::fromHex("ffc0"));
  bytes[sof + 5] = char(h >> 8);
  bytes[sof + 6] = char(h & 0xFF);
  bytes[sof + 7] = char(w >> 8);
  bytes[sof + 8] = char(w & 0xFF);
  return bytes;
}

// A one-entry icon directory whose entry lies at the given offset.
QByteArray IconPointingAt(quint32 offset, const QByteArray& tail = {}) {
  QByteArray bytes = QByteArray::fromHex("0000010001002020000001002000");
  for (quint32 v : {quint32(40 + 32 * 32 * 4 + 128), offset})
    for (int i = 0; i < 4; ++i) bytes += char((v >> (8 * i)) & 0xFF);
  return bytes + tail;
}

}  // namespace

TEST(Errors, MalformedFilesRaisePictureError) {
  const QByteArray jpeg = ValidJpeg();
  const QByteArray hugeIcoEntry = [] {
    QByteArray entry = ImageFiles::EncodeIco(TestFiles::Pattern(4, 4)).mid(22);
    PutLE32(entry, 4, 100000);
    PutLE32(entry, 8, 200000);
    return entry;
  }();
  struct Case {
    const char* name;
    const char* file;
    std::optional<QByteArray> bytes;  // none: the file does not exist
    bool mayDecode = false;           // damaged but readable data may still show
    const char* reason = nullptr;     // a word the message must contain
  };
  const Case cases[] = {
      {"empty jpeg", "empty.jpg", QByteArray()},
      {"empty bmp", "empty.bmp", QByteArray()},
      {"empty ico", "empty.ico", QByteArray()},
      {"jpeg header cut short", "short.jpg", jpeg.left(30)},
      {"jpeg data cut midway", "half.jpg", jpeg.left(jpeg.size() / 2), true},
      {"jpeg of absurd size", "huge.jpg", JpegClaiming(65000, 65000), false, "larger"},
      {"bmp claiming 100000 x 100000", "huge.bmp", BmpHeader(100000, 100000), false, "larger"},
      {"top-down bmp claiming 100000 x 100000", "hugetd.bmp", BmpHeader(100000, -100000), false,
       "larger"},
      {"bmp cut short", "cut.bmp", ImageFiles::EncodeBmp(TestFiles::Pattern(40, 40)).left(2000)},
      // The fields of the info header lie past the end (found by fuzz/BmpFuzz).
      {"bmp cut at 26 bytes", "cut26.bmp",
       ImageFiles::EncodeBmp(TestFiles::Pattern(4, 4)).left(26)},
      {"bmp header then garbage", "garbage.bmp", QByteArray("BM") + QByteArray(60, '\x7f')},
      {"ico entry past the end", "past.ico", IconPointingAt(5000)},
      {"ico entry of absurd size", "hugeentry.ico", IconPointingAt(22, hugeIcoEntry)},
      {"png named jpg", "png.jpg", PngBytes()},
      {"jpeg named bmp", "jpeg.bmp", jpeg},
      {"jpeg named ico", "jpeg.ico", jpeg},
      {"text named jpg", "text.jpg", QByteArray("just some words\n")},
      {"vanished jpeg", "gone.jpg", std::nullopt},
      {"vanished bmp", "gone.bmp", std::nullopt},
      {"vanished ico", "gone.ico", std::nullopt},
      {"unknown kind", "picture.gif", QByteArray("GIF89a")},
  };
  TestFiles files;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = c.bytes ? files.WriteBytes(QString::fromLatin1(c.file), *c.bytes)
                                 : files.Path(QString::fromLatin1(c.file));
    Picture picture;
    picture.SetGraphic(std::make_unique<Bitmap>(3, 2));
    try {
      picture.LoadFromFile(path);
      EXPECT_TRUE(c.mayDecode) << "loaded without complaint";
      EXPECT_EQ(picture.Width(), 64);
      EXPECT_EQ(picture.Height(), 48);
    } catch (const PictureError& e) {
      EXPECT_NE(std::string(e.what()).find(c.file), std::string::npos) << e.what();
      if (c.reason) {
        EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
      }
      ASSERT_NE(picture.GetGraphic(), nullptr);
      EXPECT_EQ(picture.GetGraphic()->GetKind(), Graphic::Kind::Bitmap);
      EXPECT_EQ(picture.Width(), 3);
      EXPECT_EQ(picture.Height(), 2);
    }
  }
}

TEST(Errors, CodecCallsRaiseToo) {
  TestFiles files;
  const QString missing = files.Path(QStringLiteral("none.jpg"));
  EXPECT_THROW(JpegCodec::ReadSize(missing), PictureError);
  EXPECT_THROW(JpegCodec::DecodeAtLeast(missing, 10, 10), PictureError);
  EXPECT_THROW(JpegCodec::ReadSize(files.WriteBytes(QStringLiteral("x.jpg"), "xx")), PictureError);
  EXPECT_THROW(JpegCodec::Encode(QImage()), PictureError);
  EXPECT_THROW(ImageFiles::ReadIcon(files.WriteBytes(QStringLiteral("x.ico"), "\0\0\1\0\0\0"),
                                    QSize(32, 32)),
               PictureError);
}
