// Printing: what the page really looks like, printed into a PDF file through the printer
// the preview was given and rasterised at 96 dpi (A4 is then 794 x 1123 pixels and the
// 10 mm margins 37.8 pixels).
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "PrintedPages.h"
#include "RecordingDialogs.h"
#include "TestFiles.h"
#include "ViewerFixture.h"
#include "print/PicturePrinter.h"
#include "print/PrintForm.h"

namespace {

constexpr QRgb kColours[4] = {qRgb(220, 30, 30), qRgb(30, 160, 40), qRgb(30, 60, 200),
                              qRgb(230, 200, 20)};

// A picture in four clear colours: top left, top right, bottom left, bottom right.
QImage Quadrants(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(0, 0, w / 2, h / 2, QColor(kColours[0]));
  p.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(kColours[1]));
  p.fillRect(0, h / 2, w / 2, h - h / 2, QColor(kColours[2]));
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(kColours[3]));
  return image;
}

constexpr double kMargin = 10 / 25.4 * 96;  // pixels at 96 dpi

// Rectangles equal up to one pixel on every edge.
bool NearlyEqual(const QRect& a, const QRect& b) {
  return std::abs(a.left() - b.left()) <= 1 && std::abs(a.top() - b.top()) <= 1 &&
         std::abs(a.right() - b.right()) <= 1 && std::abs(a.bottom() - b.bottom()) <= 1;
}

}  // namespace

class PicturePrinterTest : public ViewerFixture {
 protected:
  void SetUp() override {
    // The sizes on paper follow the screen's logical dpi, 96 here as on usual desktops.
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInch(), 96);
  }

  // The picture at its own size, then shown at w x h as zooming leaves it.
  void Show(const QImage& image, int w, int h) {
    ShowBitmap(Bitmap(image));
    area.imgMain->SetAutoSize(false);
    area.imgMain->SetStretch(true);
    area.imgMain->SetBounds(0, 0, w, h);
  }

  // Prints the page of the last preview into a PDF file; the pages at 96 dpi.
  std::vector<QImage> PrintLastPreview(QString* pdf = nullptr) {
    const Dialogs::PreviewRequest& r = dialogs.previews.back();
    const QString folder = files.Path(QString::number(++prints_));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("page.pdf"));
    PrintedPages::ToPdf(r.printer, path);
    r.paint(r.printer);
    if (pdf) *pdf = path;
    return PrintedPages::Rasterise(path, folder);
  }

  RecordingDialogs dialogs;
  TestFiles files;
  PicturePrinter printer{context, &window};

 private:
  int prints_ = 0;
};

TEST_F(PicturePrinterTest, OnePortraitA4PageWithThePictureAtItsScreenSize) {
  struct Case {
    const char* what;
    int shownW, shownH;  // of an 800 x 600 picture
    bool gif;
    QRect ink;  // on the page at 96 dpi; null: a white page
  };
  const Case cases[] = {
      {"100 %: 696 x 522 at the margins", 800, 600, false, QRect(QPoint(38, 38), QPoint(733, 559))},
      {"200 %: clipped at the right margin", 1600, 1200, false,
       QRect(QPoint(38, 38), QPoint(755, 1081))},
      {"a 1 x 1 control gives a 0 x 0 image", 1, 1, false, QRect()},
      {"a GIF has no pixels to print", 800, 600, true, QRect()},
  };
  const QImage picture = Quadrants(800, 600);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Show(picture, c.shownW, c.shownH);
    if (c.gif) {
      area.imgMain->GetPicture().Clear();
      state.CurExt = QStringLiteral(".gif");
    }
    printer.PrintPicture();
    ASSERT_FALSE(dialogs.previews.empty());
    EXPECT_EQ(dialogs.previews.back().owner, &window);
    const std::vector<QImage> pages = PrintLastPreview();
    ASSERT_EQ(pages.size(), 1u);
    const QImage& page = pages[0];
    EXPECT_EQ(page.size(), QSize(794, 1123));
    const QRect ink = PrintedPages::InkBounds(page);
    EXPECT_TRUE(c.ink.isNull() ? ink.isNull() : NearlyEqual(ink, c.ink))
        << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    if (c.ink.isNull()) continue;
    // The picture the right way round: the middle of each quadrant that reaches the page.
    const double scale = c.shownW * 87 / 100 / 800.0;
    const QPoint middles[4] = {{200, 150}, {600, 150}, {200, 450}, {600, 450}};
    for (int q = 0; q < 4; ++q) {
      const QPoint at(int(kMargin + middles[q].x() * scale), int(kMargin + middles[q].y() * scale));
      if (!c.ink.contains(at)) continue;
      EXPECT_TRUE(PrintedPages::Near(page.pixel(at), kColours[q])) << "quadrant " << q;
    }
  }
}

// The preview keeps the picture it was given while the main window goes on: the form
// shares its pixels (no copy of a large picture) until the shown picture is changed.
TEST_F(PicturePrinterTest, ThePreviewKeepsThePictureItWasGiven) {
  const QImage first = Quadrants(400, 300);
  Show(first, 400, 300);
  printer.PrintPicture();
  ASSERT_EQ(dialogs.previews.size(), 1u);
  auto* form = dynamic_cast<TPrintForm*>(dialogs.previews[0].keeper);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->QRImgMain.Width, 348);
  EXPECT_EQ(form->QRImgMain.Height, 261);
  EXPECT_EQ(form->QRImgMain.Picture->ToImage().constBits(),
            area.imgMain->GetPicture().BitmapView().Image().constBits());

  // The main window shows something else meanwhile.
  Bitmap& shown = area.imgMain->GetPicture().BitmapView();
  shown.SetBrushColor(RGBColor(0, 0, 0));
  shown.FillRect(Rect(0, 0, 400, 300));
  area.imgMain->GetPicture().Changed();
  area.imgMain->SetBounds(0, 0, 40, 30);

  const std::vector<QImage> pages = PrintLastPreview();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(NearlyEqual(PrintedPages::InkBounds(pages[0]),
                          QRect(QPoint(38, 38), QPoint(38 + 348 - 1, 38 + 261 - 1))));
  EXPECT_TRUE(PrintedPages::Near(pages[0].pixel(100, 100), kColours[0]));

  dialogs.ClosePreview(0);
  EXPECT_TRUE(dialogs.keepers[0].isNull());
}

// 24 megapixels at 200 %: only the part of the picture that falls on the page goes to it,
// at the picture's own resolution, never an enlarged copy.
TEST_F(PicturePrinterTest, ALargePictureGoesToThePageOnlyWhereItShows) {
  const QImage picture = Quadrants(6000, 4000);
  Show(picture, 12000, 8000);
  printer.PrintPicture();
  QString pdf;
  const std::vector<QImage> pages = PrintLastPreview(&pdf);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(
      NearlyEqual(PrintedPages::InkBounds(pages[0]), QRect(QPoint(38, 38), QPoint(755, 1084))));
  EXPECT_TRUE(PrintedPages::Near(pages[0].pixel(400, 600), kColours[0]));

  // The printable area, 190 x 277 mm, holds 718.1 x 1046.9 screen pixels of the report
  // image's 10440 x 6960: 412.7 x 601.7 of the picture's own pixels.
  const std::vector<QSize> embedded = PrintedPages::EmbeddedPictures(pdf);
  ASSERT_EQ(embedded.size(), 1u);
  EXPECT_NEAR(embedded[0].width(), 413, 1);
  EXPECT_NEAR(embedded[0].height(), 602, 1);
}
