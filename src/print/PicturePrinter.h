#pragma once
// Printing the displayed picture: one A4 page with the picture at 87 % of its size on
// screen, in a print preview from which the user prints. The preview is not modal, and it
// keeps the picture it was given while the main window goes on.
#include "core/ViewerContext.h"

class QWidget;

class PicturePrinter {
 public:
  // previewOwner: the window the preview belongs to.
  PicturePrinter(ViewerContext context, QWidget* previewOwner);

  void PrintPicture();

  // The report image's share of the picture's size on screen, in percent.
  static constexpr int kReportPercent = 87;

 private:
  ViewerContext v_;
  QWidget* previewOwner_;
};
