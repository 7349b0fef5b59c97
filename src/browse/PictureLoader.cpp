#include "PictureLoader.h"

#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <exception>

#include "FileInfoPanel.h"
#include "FolderBrowser.h"
#include "controls/Dialogs.h"
#include "controls/TListView.h"
#include "controls/TPictureDialog.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"
#include "core/WindowHost.h"
#include "picture/Icon.h"
#include "view/Magnifier.h"
#include "view/ZoomControl.h"

PictureLoader::PictureLoader(ViewerContext context, FolderBrowser& browser, FileInfoPanel& fileInfo,
                             ZoomControl& zoom, Magnifier& magnifier, TPictureDialog* openDialog)
    : v_(context),
      browser_(browser),
      fileInfo_(fileInfo),
      zoom_(zoom),
      magnifier_(magnifier),
      openDialog_(openDialog) {
  SetUpOpenPictureDialog();
}

void PictureLoader::SetUpOpenPictureDialog() {
  openDialog_->Filter = QStringLiteral(
      "All (*.jpg;*.jpeg;*.bmp;*.ico;*.gif;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.gif;*.emf;*.wmf|"
      "JPEG Image File (*.jpg)|*.jpg|"
      "JPEG Image File (*.jpeg)|*.jpeg|"
      "Bitmaps (*.bmp)|*.bmp|"
      "Icons (*.ico)|*.ico|"
      "Gif(*.gif)|*.gif|"
      "Enhanced Metafiles (*.emf)|*.emf|"
      "Metafiles (*.wmf)|*.wmf");
  openDialog_->FileMustExist = true;
}

// ---- Loaders ---------------------------------------------------------------------------

void PictureLoader::LoadBitmap(const QString& path, bool fromList) {
  // JPEG pictures are decoded straight into RGB32 scan lines: the bitmap that the control
  // shows from now on and WorkBitmap share those pixels until one of them is written.
  std::optional<Bitmap> ready;
  if (fromList) ready = ahead_.Take(path);
  const Bitmap bitmap = ready ? std::move(*ready) : DecodeAhead::Decode(path);
  v_.area.imgMain->GetPicture().Assign(bitmap);
  v_.state.TakeWorkBitmap(bitmap);
  v_.state.PicIsBitmap = true;
}

void PictureLoader::ShowGif(const QString& path) {
  PictureArea& a = v_.area;
  if (!v_.state.GifCurrent()) {
    a.pnlGifBack->SetVisible(false);
    return;
  }
  a.GifBrowser->Navigate(path);
  a.pnlGifBack->SetAlign(TAlign::Client);
  a.pnlGifBack->SetVisible(true);
}

// Runs the loader that CurExt names; every other kind leaves the picture empty.
void PictureLoader::RunLoaders(const QString& path, bool fromList) {
  const QString& ext = v_.state.CurExt;
  ShowGif(path);
  if (v_.state.JpegCurrent()) LoadBitmap(path, fromList);
  if (ext == QLatin1String(".bmp")) {
    if (fromList) v_.area.GifBrowser->SetBrowserVisible(false);
    LoadBitmap(path, fromList);
  }
  if (ext == QLatin1String(".ico")) {
    if (!fromList) ReplaceWindowIcon(path);
    LoadBitmap(path, fromList);
  }
}

void PictureLoader::ReplaceWindowIcon(const QString& path) {
  Icon icon;
  icon.LoadFromFile(path);
  v_.host.SetWindowIcon(QIcon(QPixmap::fromImage(icon.ToImage())));
}

void PictureLoader::TakePictureSize() {
  const bool gif = v_.state.GifCurrent();
  v_.state.PicWidth = gif ? 0 : v_.area.imgMain->Width();
  v_.state.PicHeight = gif ? 0 : v_.area.imgMain->Height();
}

void PictureLoader::ShowResolution() {
  // What nothing decoded (a metafile, a damaged file) has no size to show; the control
  // keeps the previous picture's size only so that zoom and fit have something to divide by.
  const ViewerState& st = v_.state;
  const bool decoded = st.GifCurrent() || !v_.area.imgMain->GetPicture().Empty();
  const QString text = decoded ? QStringLiteral("%1 X %2").arg(st.PicWidth).arg(st.PicHeight)
                               : QStringLiteral("0 X 0");
  v_.area.lblSize->SetCaption(text);
  v_.area.StatusBar->SetText(PictureArea::kResolution, text);
}

void PictureLoader::ShowListPosition() {
  v_.area.StatusBar->SetText(
      PictureArea::kListPosition,
      QStringLiteral("%1/%2").arg(v_.state.CurIndex).arg(browser_.Names()->Count()));
}

void PictureLoader::ShowPictureError() {
  Dialogs::Message(nullptr, QStringLiteral("图象文件错误!"), QStringLiteral("错误提示"),
                   Dialogs::Icon::Warning);
}

// ---- Load from list --------------------------------------------------------------------

void PictureLoader::ListView1DblClick() {
  const int selected = browser_.Names()->Selected();
  if (selected >= 0) LoadListItem(selected);
  v_.host.PlayLoadEffect();
  browser_.SelectThumbnailsOf(v_.state.CurFileName);
  DecodeNeighbours();
}

void PictureLoader::DecodeNeighbours() {
  const TListView* names = browser_.Names();
  const int n = names->Count();
  const int current = v_.state.CurIndex - 1;  // 0-based; -1 when nothing is current
  QStringList paths;
  if (n > 0 && current >= 0 && current < n) {
    // The slide show goes on from the first entry after the last.
    const int next = current + 1 < n ? current + 1 : 0;
    paths << v_.state.CurFolder + names->Caption(next);
    if (lastStepBack_ && current > 0) paths << v_.state.CurFolder + names->Caption(current - 1);
  }
  ahead_.Prepare(paths);
}

void PictureLoader::LoadListItem(int index) {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  a.imgMain->SetStretch(false);
  a.imgMain->SetAutoSize(true);
  st.ResetZoom();
  a.SetZoomText(100);
  st.SetFileName(browser_.Names()->Caption(index));
  st.CurIndex = index + 1;
  a.imgMain->GetPicture().Clear();
  a.ScrollToOrigin();

  const QString path = st.CurrentPath();
  try {
    RunLoaders(path, true);
  } catch (const std::exception&) {
    ShowPictureError();
  }

  TakePictureSize();
  a.imgMain->SetLeft(0);
  a.imgMain->SetTop(0);
  // Shown before the fit mode runs: the fit commands leave a hidden picture alone, and the
  // first picture (or the first after closing) would otherwise skip the chosen mode.
  a.imgMain->SetVisible(true);
  zoom_.ReapplyFitMode();
  v_.commands.PrintPicture.SetEnabled(true);

  fileInfo_.ShowFileInformation(QFileInfo(path));
  fileInfo_.ShowAttributes(path);

  a.StatusBar->SetText(PictureArea::kFileName, st.CurFileName);
  ShowResolution();
  ShowListPosition();
}

// ---- Open command ----------------------------------------------------------------------

void PictureLoader::OpenCommand() {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  v_.host.CloseMenu(WindowHost::Menu::File);
  st.MenuOpen = false;
  try {
    if (!openDialog_->Execute()) return;
    const QString path = openDialog_->FileName;
    const QFileInfo file(path);

    a.imgMain->SetVisible(true);
    a.imgMain->SetAutoSize(true);
    a.imgMain->SetStretch(false);
    a.ScrollToOrigin();
    st.ResetZoom();
    a.SetZoomText(100);
    a.imgMain->GetPicture().Clear();
    st.CurExt = ViewerState::LowerExtension(file.fileName());

    RunLoaders(path, false);
    TakePictureSize();

    // Back to real size without running it: the picture already has its own size.
    zoom_.CheckDisplayMode(v_.commands.RealSize);
    a.CenterPicture();

    v_.commands.PrintPicture.SetEnabled(true);
    if (st.MagnifierOn) v_.commands.Magnifier.Run();
    st.CurFileName = file.fileName();
    ShowResolution();
    st.SetFolder(file.absolutePath());
    fileInfo_.ShowAttributes(path);

    // A scan started meanwhile has taken the lists over: they are its now.
    if (!browser_.FillFromCurrentFolder()) return;
    v_.host.PlayLoadEffect();
    browser_.BuildThumbnails();
  } catch (const std::exception&) {
    ShowPictureError();
  }
}

// ---- Previous and next ------------------------------------------------------------------
// By position in the name list; never wraps around.

void PictureLoader::PreviousPicture() {
  ViewerState& st = v_.state;
  TListView* names = browser_.Names();
  // The entry before may be gone when entries were deleted since CurIndex was set.
  if (st.CurIndex < 2 || st.CurIndex - 1 > names->Count()) return;
  if (v_.commands.SelectionMode.Checked()) v_.commands.SelectionMode.Run();
  if (st.MagnifierOn) v_.commands.Magnifier.Run();
  --st.CurIndex;
  names->SelectAndFocus(st.CurIndex - 1);
  lastStepBack_ = true;
  ListView1DblClick();
}

void PictureLoader::NextPicture() {
  ViewerState& st = v_.state;
  TListView* names = browser_.Names();
  if (st.CurIndex >= names->Count()) return;
  if (v_.commands.SelectionMode.Checked()) v_.commands.SelectionMode.Run();
  // Also for a GIF, where the selection command itself does nothing.
  v_.commands.SelectionMode.SetChecked(false);
  v_.area.shpRect->SetVisible(false);
  if (st.MagnifierOn) v_.commands.Magnifier.Run();
  ++st.CurIndex;
  names->SelectAndFocus(st.CurIndex - 1);
  lastStepBack_ = false;
  ListView1DblClick();
}

// ---- Close -------------------------------------------------------------------------------

void PictureLoader::ClosePicture() {
  PictureArea& a = v_.area;
  v_.host.CloseMenu(WindowHost::Menu::File);
  v_.state.MenuOpen = false;
  v_.commands.PrintPicture.SetEnabled(false);
  a.imgMain->GetPicture().Clear();
  a.imgMain->SetVisible(false);
  magnifier_.TurnOff();
  for (int i = 0; i < 7; ++i) a.StatusBar->SetText(i, PictureArea::InitialStatusText(i));
}
