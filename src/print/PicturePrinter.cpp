#include "PicturePrinter.h"

#include <QGuiApplication>
#include <QScreen>
#include <memory>

#include "PrintForm.h"
#include "controls/Dialogs.h"
#include "core/PictureArea.h"

namespace {
// length x kReportPercent div 100, worked in 64 bits: a picture zoomed far in is wider on
// screen than a 32-bit product allows.
int ReportLength(int length) {
  return int(qint64(length) * PicturePrinter::kReportPercent / 100);
}
}  // namespace

PicturePrinter::PicturePrinter(ViewerContext context, QWidget* previewOwner)
    : v_(context), previewOwner_(previewOwner) {}

void PicturePrinter::PrintPicture() {
  // The menu item has closed its menu and cleared MenuOpen.
  const TImage* shown = v_.area.imgMain;
  auto form = std::make_unique<TPrintForm>();
  form->SetImage(shown->GetPicture(), ReportLength(shown->Width()), ReportLength(shown->Height()));
  const QScreen* screen = shown->screen() ? shown->screen() : QGuiApplication::primaryScreen();
  if (screen) form->ScreenDpi = screen->logicalDotsPerInch();

  Dialogs::PreviewRequest request;
  request.owner = previewOwner_;
  request.printer = &form->QuickRep1;
  const TPrintForm* report = form.get();
  request.paint = [report](QPrinter* printer) { report->PrintPage(printer); };
  request.keeper = form.release();
  Dialogs::PrintPreview(request);
}
