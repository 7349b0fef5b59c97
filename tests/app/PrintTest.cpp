// Printing from the File menu: the item waits for a picture, and the preview lets the main
// window go on while it keeps the picture it was given.
#include <QDir>

#include "EditHelpers.h"
#include "FormsTest.h"
#include "PrintedPages.h"

class PrintTest : public FormsTest {};

TEST_F(PrintTest, FileMenuKeyPPrintsOnlyWhileAPictureIsShown) {
  struct Step {
    const char* what;
    std::function<void(TestFiles&)> before;
    bool prints;
  };
  const Step steps[] = {
      {"before any picture", [](TestFiles&) {}, false},
      {"after a load",
       [](TestFiles& f) {
         EditHelpers::ShowFile(f, QStringLiteral("a.bmp"),
                               EditHelpers::Solid(40, 30, qRgb(200, 0, 0)));
       },
       true},
      {"after closing the picture", [](TestFiles&) { MainForm->Commands.ClosePicture.Run(); },
       false},
  };
  size_t previews = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.before(files);
    menuFileForm->PopupAt(MainForm->x() + 1, MainForm->y() + 55);
    MainForm->State.MenuOpen = true;
    menuFileForm->FormKeyDown('P');
    previews += s.prints;
    EXPECT_EQ(dialogs.previews.size(), previews);
    EXPECT_EQ(menuFileForm->isVisible(), !s.prints);
    EXPECT_EQ(MainForm->State.MenuOpen, !s.prints);
    menuFileForm->CloseMenu();
  }
  ASSERT_EQ(dialogs.previews.size(), 1u);
  EXPECT_EQ(dialogs.previews[0].owner, MainForm);
}

TEST_F(PrintTest, TheMainWindowGoesOnWhileAPreviewIsOpen) {
  const QRgb red = qRgb(210, 20, 20), blue = qRgb(20, 40, 210);
  files.WriteBmp(QStringLiteral("1.bmp"), EditHelpers::Solid(200, 150, red));
  files.WriteBmp(QStringLiteral("2.bmp"), EditHelpers::Solid(200, 150, blue));
  ListHelpers::FillList(files, {QStringLiteral("1.bmp"), QStringLiteral("2.bmp")});
  ListHelpers::LoadFromList(QStringLiteral("1.bmp"));
  menuFileForm->Label4Click();
  ASSERT_EQ(dialogs.previews.size(), 1u);

  // The preview does not hold the main window up.
  MainForm->sbtnNextClick();
  EXPECT_EQ(MainForm->State.CurIndex, 2);
  EXPECT_EQ(EditHelpers::Shown().pixel(10, 10), blue);

  // It still prints the first picture: 200 x 150 on screen, 174 x 130 on paper.
  const Dialogs::PreviewRequest& preview = dialogs.previews[0];
  const QString pdf = files.Path(QStringLiteral("page.pdf"));
  PrintedPages::ToPdf(preview.printer, pdf);
  preview.paint(preview.printer);
  const std::vector<QImage> pages = PrintedPages::Rasterise(pdf, files.Folder());
  ASSERT_EQ(pages.size(), 1u);
  const QRect ink = PrintedPages::InkBounds(pages[0]);
  EXPECT_NEAR(ink.left(), 38, 1);
  EXPECT_NEAR(ink.top(), 38, 1);
  EXPECT_NEAR(ink.width(), 174, 2);
  EXPECT_NEAR(ink.height(), 130, 2);
  EXPECT_TRUE(PrintedPages::Near(pages[0].pixel(100, 100), red));

  // Closing it frees the form made for this print.
  dialogs.ClosePreview(0);
  EXPECT_TRUE(dialogs.previewKeepers[0].isNull());
}
