#include "DesktopCommands.h"

#include <QApplication>
#include <QDir>
#include <QProcessEnvironment>
#include <QThread>
#include <algorithm>

#include "browse/FileInfoPanel.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"
#include "platform/ScreenGrab.h"
#include "platform/Wallpaper.h"

namespace {

// Long enough for what lay beneath the windows to be drawn again, and for a compositor
// to take away their last frame.
constexpr unsigned long kOffScreenMs = 600;

}  // namespace

DesktopCommands::DesktopCommands(ViewerContext context, FileInfoPanel& fileInfo)
    : v_(context), fileInfo_(fileInfo) {}

QString DesktopCommands::WallpaperPath() {
  return QDir::homePath() + QStringLiteral("/WallPaper.bmp");
}

// ---- Screen capture ---------------------------------------------------------------------

void DesktopCommands::HideWindows() {
  hidden_.clear();
  // Hidden, not minimised: without a window manager a minimised window stays where it
  // is, and with one it shrinks away in an animation the grab would catch.
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) hidden_.emplace_back(window);
  for (const QPointer<QWidget>& window : hidden_) window->hide();
  ScreenGrab::FlushWindowSystem();
}

void DesktopCommands::ShowWindows() {
  QWidget* main = v_.area.scrboxBack->window();
  // The main window first, so that the windows it owns come back above it.
  std::stable_partition(hidden_.begin(), hidden_.end(),
                        [main](const QPointer<QWidget>& w) { return w == main; });
  for (const QPointer<QWidget>& window : hidden_)
    if (window) window->show();
  hidden_.clear();
  main->raise();
  main->activateWindow();
}

void DesktopCommands::ScreenCapture() {
  v_.area.ScrollToOrigin();
  HideWindows();
  // Deliberately without the event loop: no handler, timer or slide-show step may run
  // while the windows are away.
  QThread::msleep(kOffScreenMs);
  const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  if (!ScreenGrab::WaylandSession(environment)) {
    ShowGrab(ScreenGrab::Root());
    return ShowWindows();
  }
  // Under Wayland the X root holds only X programs' windows; the portal's screenshot
  // arrives later, the windows staying away until it has. (The portal's backend writes
  // the screenshot to a file of its own choosing and leaves it there.)
  const QPointer<QWidget> alive = v_.area.scrboxBack;
  ScreenGrab::Grab(ScreenGrab::Options::Desktop(), [this, alive](const QImage& grab) {
    if (!alive) return;  // the windows went meanwhile
    ShowGrab(grab);
    ShowWindows();
  });
}

void DesktopCommands::ShowGrab(const QImage& grab) {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  if (grab.isNull()) return;  // no screen: the picture on display stays
  const Bitmap bitmap(grab);
  a.imgMain->GetPicture().Clear();
  a.imgMain->GetPicture().Assign(bitmap);
  a.imgMagnifier->GetPicture().Assign(bitmap);
  st.TakeWorkBitmap(bitmap);

  a.imgMain->SetAutoSize(true);
  a.imgMain->SetStretch(false);
  a.imgMain->SetLeft(0);
  a.imgMain->SetTop(0);
  st.ResetZoom();
  if (st.MagnifierOn) v_.commands.Magnifier.Run();
  a.pnlGifBack->SetVisible(false);
  a.imgMain->SetVisible(true);

  st.PicWidth = a.imgMain->Width();
  st.PicHeight = a.imgMain->Height();
  st.CurExt = QStringLiteral(".bmp");
  st.PicIsBitmap = true;

  const QString size = QStringLiteral("%1 X %2").arg(st.PicWidth).arg(st.PicHeight);
  a.StatusBar->SetText(PictureArea::kFileName, QStringLiteral("桌面抓图"));
  a.StatusBar->SetText(PictureArea::kFileSize, QStringLiteral("大小"));
  a.StatusBar->SetText(PictureArea::kResolution, size);
  a.StatusBar->SetText(PictureArea::kWriteTime, QStringLiteral("更新日期"));
  a.SetZoomText(100);

  fileInfo_.ShowNoFile();
  a.lblSize->SetCaption(size);
}

// ---- Set as wallpaper ---------------------------------------------------------------------

void DesktopCommands::SetWallpaper() {
  // Nothing shown (nothing loaded, a GIF, a metafile, a file that did not decode): there
  // is no picture to make the wallpaper, and an empty bitmap must not become one.
  // (PicIsBitmap stays set from an earlier picture, so it cannot tell.)
  const Graphic* graphic = v_.area.imgMain->GetPicture().GetGraphic();
  if (!graphic || graphic->Empty()) return;
  // The picture's own pixels, not its zoomed display; whatever it was loaded from, it is
  // written as a bitmap.
  Bitmap bitmap;
  bitmap.Assign(*graphic);
  const QString path = WallpaperPath();
  bitmap.SaveToFile(path);  // raises PictureError: the desktop is then not touched
  Wallpaper::Set(path);
}
