// Previous and next, list editing, closing the picture and leaving the program.
// Navigation is by position in ListView1 and never wraps around.
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/menuFileForm.h"

void TMainForm::sbtnPriorClick() {
  // The entry before may be gone when entries were deleted since CurIndex was set.
  if (CurIndex < 2 || CurIndex - 1 > ListView1->Count()) return;
  if (SelectionModeOn()) sbtnSelectClick();
  if (MagnifierOn) sbtnZoomClick();
  --CurIndex;
  ListView1->SelectAndFocus(CurIndex - 1);
  ListView1DblClick();
}

void TMainForm::sbtnNextClick() {
  if (CurIndex >= ListView1->Count()) return;
  if (SelectionModeOn()) sbtnSelectClick();
  // Also for a GIF, where the selection command itself does nothing.
  sbtnSelect->SetFlat(true);
  shpRect->SetVisible(false);
  if (MagnifierOn) sbtnZoomClick();
  ++CurIndex;
  ListView1->SelectAndFocus(CurIndex - 1);
  ListView1DblClick();
}

// Exchanges the thumbnails at first and first + 1 of ImageList; item image indexes stay,
// so each picture moves with its name.
void TMainForm::SwapThumbnailImages(int first) {
  Bitmap copy;
  ImageList.GetBitmap(first, copy);
  ImageList.Delete(first);
  ImageList.Insert(first + 1, copy);
}

void TMainForm::SwapListItems(TListView* list, int a, int b) {
  const QString caption = list->Caption(a);
  list->SetCaption(a, list->Caption(b));
  list->SetCaption(b, caption);
}

void TMainForm::sbtnListUpClick() {
  const int i = ListView1->Selected();
  if (i <= 0) return;
  ListView1->SetSortType(false);
  SwapListItems(ListView1, i - 1, i);
  ListView1->SelectAndFocus(i - 1);
  const int j = imgListView->Selected();
  if (j <= 0) return;
  SwapListItems(imgListView, j - 1, j);
  imgListView->SelectAndFocus(j - 1);
  SwapThumbnailImages(j - 1);
}

void TMainForm::sbtnListDownClick() {
  const int i = ListView1->Selected();
  if (i < 0 || i + 1 >= ListView1->Count()) return;
  ListView1->SetSortType(false);
  SwapListItems(ListView1, i, i + 1);
  ListView1->SelectAndFocus(i + 1);
  const int j = imgListView->Selected();
  if (j < 0 || j + 1 >= imgListView->Count()) return;
  SwapListItems(imgListView, j, j + 1);
  imgListView->SelectAndFocus(j + 1);
  SwapThumbnailImages(j);
}

void TMainForm::sbtnListDelClick() {
  const int i = ListView1->Selected();
  if (i < 0) return;
  ListView1->Delete(i);
  const int j = imgListView->Selected();
  if (j < 0) return;
  ImageList.Delete(j);
  for (int k = j + 1; k < imgListView->Count(); ++k) imgListView->SetImageIndex(k, k - 1);
  imgListView->Delete(j);
}

void TMainForm::ClosePicture() {
  menuFileForm->CloseMenu();
  MenuOpen = false;
  menuFileForm->Label4->SetEnabled(false);
  imgMain->GetPicture().Clear();
  imgMain->SetVisible(false);
  MagnifierOn = false;
  sbtnZoom->SetFlat(true);
  scrboxMagnifier->SetVisible(false);
  imgMain->SetCursor(TCursor::Default);
  const QString texts[] = {QStringLiteral("文件数"),   QStringLiteral("文件名"),
                           QStringLiteral("大小"),     QStringLiteral("分辨率"),
                           QStringLiteral("更新日期"), QStringLiteral("100%"),
                           QStringLiteral("鼠标位置")};
  for (int i = 0; i < 7; ++i) StatusBar->SetText(i, texts[i]);
}

void TMainForm::ExitProgram() {
  Close();
}
