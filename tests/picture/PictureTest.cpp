// The picture container and the image list.
#include <gtest/gtest.h>

#include <QFile>

#include "TestFiles.h"
#include "picture/Icon.h"
#include "picture/ImageList.h"
#include "picture/JpegImage.h"
#include "picture/Picture.h"
#include "picture/PictureError.h"

namespace {

QImage Argb(int w, int h) {
  QImage image = TestFiles::Pattern(w, h).convertToFormat(QImage::Format_ARGB32);
  image.setPixel(0, 0, 0);
  return image;
}

QByteArray Head(const QString& path, int n) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

}  // namespace

TEST(Picture, LoadFollowsLowerCasedExtension) {
  TestFiles files;
  files.WriteBmp(QStringLiteral("a.bmp"), TestFiles::Pattern(5, 4));
  files.WriteJpeg(QStringLiteral("b.jpg"), TestFiles::Pattern(6, 3));
  files.WriteIco(QStringLiteral("c.ico"), Argb(16, 16));
  // Same contents under other spellings of the extension.
  QFile::copy(files.Path(QStringLiteral("a.bmp")), files.Path(QStringLiteral("A.BMP")));
  QFile::copy(files.Path(QStringLiteral("b.jpg")), files.Path(QStringLiteral("b.JPEG")));
  QFile::copy(files.Path(QStringLiteral("b.jpg")), files.Path(QStringLiteral("b2.Jpg")));
  QFile::copy(files.Path(QStringLiteral("c.ico")), files.Path(QStringLiteral("C.Ico")));
  const struct {
    const char* file;
    Graphic::Kind kind;
    QSize size;
  } cases[] = {
      {"a.bmp", Graphic::Kind::Bitmap, {5, 4}}, {"A.BMP", Graphic::Kind::Bitmap, {5, 4}},
      {"b.jpg", Graphic::Kind::Jpeg, {6, 3}},   {"b.JPEG", Graphic::Kind::Jpeg, {6, 3}},
      {"b2.Jpg", Graphic::Kind::Jpeg, {6, 3}},  {"c.ico", Graphic::Kind::Icon, {16, 16}},
      {"C.Ico", Graphic::Kind::Icon, {16, 16}},
  };
  for (const auto& c : cases) {
    Picture picture;
    picture.LoadFromFile(files.Path(QString::fromLatin1(c.file)));
    ASSERT_FALSE(picture.Empty()) << c.file;
    EXPECT_EQ(picture.GetGraphic()->GetKind(), c.kind) << c.file;
    EXPECT_EQ(QSize(picture.Width(), picture.Height()), c.size) << c.file;
  }
}

TEST(Picture, BitmapViewOfJpegLeavesEmptyBitmap) {
  TestFiles files;
  Picture picture;
  picture.LoadFromFile(files.WriteJpeg(QStringLiteral("p.jpg"), TestFiles::Pattern(20, 10)));
  Bitmap& view = picture.BitmapView();
  EXPECT_EQ(view.Width(), 0);
  EXPECT_EQ(view.Height(), 0);
  EXPECT_EQ(picture.GetGraphic()->GetKind(), Graphic::Kind::Bitmap);
  EXPECT_EQ(picture.Width(), 0);

  Picture empty;
  EXPECT_TRUE(empty.BitmapView().Empty());
  EXPECT_FALSE(empty.Empty());  // it now holds that empty bitmap
}

TEST(Picture, BitmapViewOfBitmapIsTheHeldBitmap) {
  Picture picture;
  picture.SetGraphic(std::make_unique<Bitmap>(4, 4));
  Bitmap& view = picture.BitmapView();
  EXPECT_EQ(&view, picture.GetGraphic());
  view.SetSize(9, 2);
  view.SetPixel(1, 1, Colors::Navy);
  EXPECT_EQ(picture.Width(), 9);
  EXPECT_EQ(static_cast<const Bitmap*>(picture.GetGraphic())->Pixel(1, 1), Colors::Navy);
}

TEST(Picture, AssignHoldsAnIndependentCopy) {
  Bitmap original(TestFiles::Pattern(3, 3));
  Picture picture;
  picture.Assign(original);
  original.SetPixel(0, 0, Colors::Maroon);
  EXPECT_NE(static_cast<const Bitmap*>(picture.GetGraphic())->Pixel(0, 0), Colors::Maroon);
  picture.Clear();
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Height(), 0);
}

TEST(Picture, SaveWritesTheHeldKind) {
  TestFiles files;
  const struct {
    const char* name;
    std::function<std::unique_ptr<Graphic>()> make;
    QByteArray magic;
  } cases[] = {
      {"bitmap", [] { return std::make_unique<Bitmap>(TestFiles::Pattern(4, 4)); }, "BM"},
      {"jpeg", [] { return std::make_unique<JpegImage>(TestFiles::Pattern(4, 4)); },
       QByteArray::fromHex("ffd8")},
      {"icon", [] { return std::make_unique<Icon>(Argb(8, 8)); }, QByteArray::fromHex("00000100")},
  };
  for (const auto& c : cases) {
    Picture picture;
    picture.SetGraphic(c.make());
    // The name does not matter: the graphic is written in its own kind.
    const QString path = files.Path(QString::fromLatin1(c.name) + ".out");
    picture.SaveToFile(path);
    EXPECT_EQ(Head(path, int(c.magic.size())), c.magic) << c.name;
  }
  Picture empty;
  const QString nothing = files.Path(QStringLiteral("nothing.bmp"));
  empty.SaveToFile(nothing);
  EXPECT_FALSE(QFile::exists(nothing));
}

TEST(Picture, OnChangeAfterEveryChange) {
  TestFiles files;
  const QString bmp = files.WriteBmp(QStringLiteral("x.bmp"), TestFiles::Pattern(2, 2));
  Picture picture;
  int changes = 0;
  picture.OnChange = [&] { ++changes; };
  const struct {
    const char* what;
    std::function<void()> action;
    int expected;
  } steps[] = {
      {"load", [&] { picture.LoadFromFile(bmp); }, 1},
      {"view of a bitmap", [&] { picture.BitmapView(); }, 0},
      {"assign", [&] { picture.Assign(JpegImage(TestFiles::Pattern(2, 2))); }, 1},
      {"view replacing a jpeg", [&] { picture.BitmapView(); }, 1},
      {"set graphic", [&] { picture.SetGraphic(std::make_unique<Bitmap>(1, 1)); }, 1},
      {"clear", [&] { picture.Clear(); }, 1},
      {"failed load",
       [&] { EXPECT_THROW(picture.LoadFromFile(bmp + ".missing.bmp"), PictureError); }, 0},
  };
  for (const auto& s : steps) {
    changes = 0;
    s.action();
    EXPECT_EQ(changes, s.expected) << s.what;
  }
}

TEST(ImageList, AddInsertDeleteKeepOrder) {
  ImageList list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  auto solid = [](TColor c) {
    Bitmap b(80, 80);
    b.SetBrushColor(c);
    b.FillRect(Rect(0, 0, 80, 80));
    return b;
  };
  auto colourAt = [&](int i) {
    Bitmap out;
    list.GetBitmap(i, out);
    EXPECT_EQ(out.Width(), 80);
    EXPECT_EQ(out.Height(), 80);
    return out.Pixel(40, 40);
  };
  EXPECT_EQ(list.Add(solid(Colors::Navy)), 0);
  EXPECT_EQ(list.Add(solid(Colors::Teal)), 1);
  list.Insert(1, solid(Colors::Maroon));
  list.Insert(0, solid(Colors::Purple));
  EXPECT_EQ(changes, 4);
  ASSERT_EQ(list.Count(), 4);
  const TColor order[] = {Colors::Purple, Colors::Navy, Colors::Maroon, Colors::Teal};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(colourAt(i), order[i]) << i;

  list.Delete(1);  // later images move down
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(colourAt(1), Colors::Maroon);
  EXPECT_EQ(colourAt(2), Colors::Teal);
  EXPECT_EQ(changes, 5);

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(changes, 6);
}

TEST(ImageList, KeepsCopiesOfItsSize) {
  ImageList list;
  Bitmap b(80, 80);
  list.Add(b);
  b.SetPixel(0, 0, Colors::Black);  // the list holds a copy
  Bitmap out;
  list.GetBitmap(0, out);
  EXPECT_EQ(out.Pixel(0, 0), Colors::White);
  out.SetPixel(1, 1, Colors::Black);  // and hands out copies
  EXPECT_EQ(list.Image(0).pixel(1, 1), 0xFFFFFFFFu);

  list.Add(Bitmap(TestFiles::Pattern(100, 30)));  // other sizes: top left, white beyond
  EXPECT_EQ(list.Image(1).size(), QSize(80, 80));
  EXPECT_EQ(list.Image(1).pixel(79, 29), TestFiles::Pattern(100, 30).pixel(79, 29));
  EXPECT_EQ(list.Image(1).pixel(79, 30), 0xFFFFFFFFu);
}
