// Loading: the load from list, the open command and the loaders.
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <exception>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/menuFileForm.h"
#include "controls/Dialogs.h"
#include "picture/Icon.h"
#include "show/ViewModeForm.h"

namespace {

// The text from the last dot on, dot included, in lower case; empty without a dot.
QString LowerExtension(const QString& fileName) {
  const int dot = fileName.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : fileName.mid(dot).toLower();
}

}  // namespace

// ---- The open dialog -------------------------------------------------------------------

void TMainForm::SetUpOpenPictureDialog() {
  OpenPictureDialog->Filter = QStringLiteral(
      "All (*.jpg;*.jpeg;*.bmp;*.ico;*.gif;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.gif;*.emf;*.wmf|"
      "JPEG Image File (*.jpg)|*.jpg|"
      "JPEG Image File (*.jpeg)|*.jpeg|"
      "Bitmaps (*.bmp)|*.bmp|"
      "Icons (*.ico)|*.ico|"
      "Gif(*.gif)|*.gif|"
      "Enhanced Metafiles (*.emf)|*.emf|"
      "Metafiles (*.wmf)|*.wmf");
  OpenPictureDialog->FileMustExist = true;
}

// ---- Loaders ---------------------------------------------------------------------------

void TMainForm::LoadJpeg(const QString& path) {
  // Decoded once, straight into RGB32 scan lines: the bitmap that the control shows from
  // now on and WorkBitmap share those pixels until one of them is written.
  Picture& picture = imgMain->GetPicture();
  picture.LoadFromFile(path);
  Bitmap bitmap;
  bitmap.Assign(*picture.GetGraphic());
  picture.Assign(bitmap);
  WorkBitmap.Assign(bitmap);
  WorkBitmap.SetPixelFormat(PixelFormat::Bit24);
  PicIsBitmap = true;
}

void TMainForm::LoadBmp(const QString& path) {
  Picture& picture = imgMain->GetPicture();
  picture.LoadFromFile(path);
  WorkBitmap.Assign(*picture.GetGraphic());
  WorkBitmap.SetPixelFormat(PixelFormat::Bit24);
  PicIsBitmap = true;
}

void TMainForm::LoadIco(const QString& path) {
  Picture& picture = imgMain->GetPicture();
  picture.LoadFromFile(path);
  const Graphic& icon = *picture.GetGraphic();
  Bitmap bitmap(icon.Width(), icon.Height());
  bitmap.Draw(0, 0, icon);
  picture.Assign(bitmap);
  WorkBitmap.Assign(bitmap);
  WorkBitmap.SetPixelFormat(PixelFormat::Bit24);
  PicIsBitmap = true;
}

void TMainForm::ShowGif(const QString& path) {
  if (CurExt != QLatin1String(".gif")) {
    pnlGifBack->SetVisible(false);
    return;
  }
  GifBrowser->Navigate(path);
  pnlGifBack->SetAlign(TAlign::Client);
  pnlGifBack->SetVisible(true);
}

// Runs the loader that CurExt names; every other kind leaves imgMain empty.
void TMainForm::RunLoaders(const QString& path, bool fromList) {
  ShowGif(path);
  if (JpegCurrent()) LoadJpeg(path);
  if (CurExt == QLatin1String(".bmp")) {
    if (fromList) GifBrowser->SetBrowserVisible(false);
    LoadBmp(path);
  }
  if (CurExt == QLatin1String(".ico")) {
    if (!fromList) ReplaceWindowIcon(path);
    LoadIco(path);
  }
}

void TMainForm::ReplaceWindowIcon(const QString& path) {
  Icon icon;
  icon.LoadFromFile(path);
  setWindowIcon(QIcon(QPixmap::fromImage(icon.ToImage())));
}

void TMainForm::TakePictureSize() {
  PicWidth = GifCurrent() ? 0 : imgMain->Width();
  PicHeight = GifCurrent() ? 0 : imgMain->Height();
}

void TMainForm::ShowResolution() {
  // What nothing decoded (a metafile, a damaged file) has no size to show; the control
  // keeps the previous picture's size only so that zoom and fit have something to divide by.
  const bool decoded = GifCurrent() || !imgMain->GetPicture().Empty();
  const QString text =
      decoded ? QStringLiteral("%1 X %2").arg(PicWidth).arg(PicHeight) : QStringLiteral("0 X 0");
  lblSize->SetCaption(text);
  StatusBar->SetText(3, text);
}

void TMainForm::PlayTransition() {
  ViewModeForm->PlayLoadEffect();
}

void TMainForm::ShowPictureError() {
  Dialogs::Message(nullptr, QStringLiteral("图象文件错误!"), QStringLiteral("错误提示"),
                   Dialogs::Icon::Warning);
}

// ---- Load from list --------------------------------------------------------------------

void TMainForm::ListView1DblClick() {
  const int selected = ListView1->Selected();
  if (selected >= 0) LoadListItem(selected);
  PlayTransition();
  SelectThumbnailsOf(CurFileName);
}

void TMainForm::LoadListItem(int index) {
  imgMain->SetStretch(false);
  imgMain->SetAutoSize(true);
  ZoomIndex = 12;
  StatusBar->SetText(5, QStringLiteral("100%"));
  CurFileName = ListView1->Caption(index);
  CurIndex = index + 1;
  imgMain->GetPicture().Clear();
  scrboxBack->SetHorzPosition(0);
  scrboxBack->SetVertPosition(0);
  CurExt = LowerExtension(CurFileName);

  const QString path = CurFolder + CurFileName;
  try {
    RunLoaders(path, true);
  } catch (const std::exception&) {
    ShowPictureError();
  }

  TakePictureSize();
  imgMain->SetLeft(0);
  imgMain->SetTop(0);
  // Shown before the fit mode runs: the fit commands leave a hidden picture alone, and the
  // first picture (or the first after closing) would otherwise skip the chosen mode.
  imgMain->SetVisible(true);
  ReapplyFitMode();
  menuFileForm->Label4->SetEnabled(true);

  ShowFileInformation(QFileInfo(path));
  ShowAttributes(path);

  StatusBar->SetText(1, CurFileName);
  ShowResolution();
  StatusBar->SetText(0, QStringLiteral("%1/%2").arg(CurIndex).arg(ListView1->Count()));
}

void TMainForm::SelectThumbnailsOf(const QString& name) {
  for (int i = 0; i < imgListView->Count(); ++i) {
    if (imgListView->Caption(i) != name || imgListView->IsSelected(i)) continue;
    imgListView->ClearSelection();  // the list holds one selected item
    imgListView->SetItemSelected(i, true);
  }
}

// ---- Open command ----------------------------------------------------------------------

void TMainForm::sbtnOpenClick() {
  menuFileForm->Label1Click();
}

void TMainForm::OpenCommand() {
  menuFileForm->CloseMenu();
  MenuOpen = false;
  try {
    if (!OpenPictureDialog->Execute()) return;
    const QString path = OpenPictureDialog->FileName;
    const QFileInfo file(path);

    imgMain->SetVisible(true);
    imgMain->SetAutoSize(true);
    imgMain->SetStretch(false);
    scrboxBack->SetHorzPosition(0);
    scrboxBack->SetVertPosition(0);
    ZoomIndex = 12;
    StatusBar->SetText(5, QStringLiteral("100%"));
    imgMain->GetPicture().Clear();
    CurExt = LowerExtension(file.fileName());

    RunLoaders(path, false);
    TakePictureSize();

    // Back to real size without running it: the picture already has its own size.
    sbtnReal->SetFlat(false);
    sbtnFitWidth->SetFlat(true);
    sbtnFitHeight->SetFlat(true);
    sbtnFitPic->SetFlat(true);
    CenterPicture();

    menuFileForm->Label4->SetEnabled(true);
    if (MagnifierOn) sbtnZoomClick();
    CurFileName = file.fileName();
    ShowResolution();
    CurFolder = file.absolutePath();
    if (!CurFolder.endsWith(QLatin1Char('/'))) CurFolder += QLatin1Char('/');
    ShowAttributes(path);

    ListView1->Clear();
    for (const QString& pattern : FilePatterns()) AddMatchingFiles(CurFolder + pattern);
    PlayTransition();
    BuildThumbnails();
  } catch (const std::exception&) {
    ShowPictureError();
  }
}
