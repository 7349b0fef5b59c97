#pragma once
// The one-page report that prints the current picture: an A4 portrait page with 10 mm
// margins, the picture at the top-left of the printable area. Each print command makes
// its own form and the preview frees it; the form itself is never shown.
//
// Sizes on the report are screen pixels, turned into paper at the screen's logical
// pixels per inch, so a picture prints as large as it looks on screen.
#include <QObject>
#include <QPrinter>
#include <memory>

#include "picture/Graphic.h"

class QPainter;
class Picture;

class TPrintForm : public QObject {
 public:
  // The report's one image: a picture scaled to fill its rectangle.
  struct ReportImage {
    // Shares the pixels of the picture it was given: a later edit of that picture
    // detaches it and leaves this one as it was.
    std::unique_ptr<Graphic> Picture;
    int Width = 0, Height = 0;  // screen pixels
  };

  TPrintForm();

  // The report's page setup: A4 portrait, 10 mm margins, millimetres.
  QPrinter QuickRep1{QPrinter::HighResolution};
  ReportImage QRImgMain;
  // Screen pixels per inch for the report's sizes.
  qreal ScreenDpi = 96;

  // The image gets a copy of picture (shared, not deep) and the size width x height.
  void SetImage(const ::Picture& picture, int width, int height);

  // Draws the page onto printer; the preview calls this whenever it needs the page.
  void PrintPage(QPrinter* printer) const;
  // The page's contents on painter, whose origin is the top-left of the printable area
  // (printableWidth x printableHeight device pixels at deviceDpi).
  void PaintPage(QPainter& painter, qreal printableWidth, qreal printableHeight,
                 qreal deviceDpi) const;
};
