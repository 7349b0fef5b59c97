#include "PrintForm.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "picture/Picture.h"

TPrintForm::TPrintForm() {
  setObjectName(QStringLiteral("TPrintForm"));
  QuickRep1.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
  QuickRep1.setFullPage(false);
  QuickRep1.setDocName(QStringLiteral("Picora图片浏览器"));
}

void TPrintForm::SetImage(const ::Picture& picture, int width, int height) {
  const Graphic* graphic = picture.GetGraphic();
  QRImgMain.Picture = graphic ? graphic->Clone() : nullptr;
  QRImgMain.Width = width;
  QRImgMain.Height = height;
}

void TPrintForm::PrintPage(QPrinter* printer) const {
  QPainter painter;
  // A printer that cannot start a page is reported by the preview's print dialog.
  if (!painter.begin(printer)) return;
  const qreal dpi = printer->resolution();
  const QRectF printable = printer->pageLayout().paintRectPixels(int(dpi));
  PaintPage(painter, printable.width(), printable.height(), dpi);
}

void TPrintForm::PaintPage(QPainter& painter, qreal printableWidth, qreal printableHeight,
                           qreal deviceDpi) const {
  const ReportImage& image = QRImgMain;
  if (!image.Picture || image.Width <= 0 || image.Height <= 0 || ScreenDpi <= 0) return;
  const QImage source = image.Picture->ToImage();
  if (source.isNull()) return;
  // The image's rectangle in device pixels, at the top-left of the printable area.
  const qreal scale = deviceDpi / ScreenDpi;
  const qreal w = image.Width * scale, h = image.Height * scale;
  // An image larger than the printable area is clipped at the margins. Only the columns
  // and rows of the picture that reach into the printable area go to the page, at the
  // picture's own resolution: a large picture zoomed in costs what the page shows.
  const int cols = std::clamp(int(std::ceil(std::min(w, printableWidth) / w * source.width())), 1,
                              source.width());
  const int rows = std::clamp(int(std::ceil(std::min(h, printableHeight) / h * source.height())), 1,
                              source.height());
  const QImage part =
      cols == source.width() && rows == source.height() ? source : source.copy(0, 0, cols, rows);
  painter.save();
  painter.setClipRect(QRectF(0, 0, printableWidth, printableHeight));
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(0, 0, w * cols / source.width(), h * rows / source.height()), part);
  painter.restore();
}
