#include "ViewerFixture.h"

ViewerFixture::ViewerFixture() {
  window.resize(450, 540);
  area.scrboxBack = new TScrollBox(&window);
  area.scrboxBack->SetBounds(0, 0, 450, 506);
  QWidget* client = area.scrboxBack->Client();
  area.imgMain = new TImage(client);
  area.imgMain->SetAutoSize(true);
  area.imgMain->SetVisible(false);
  area.shpRect = new TShape(client);
  area.shpRect->SetVisible(false);
  area.scrboxMagnifier = new TScrollBox(client);
  area.scrboxMagnifier->SetBounds(0, 0, 121, 121);
  area.scrboxMagnifier->SetVisible(false);
  area.imgMagnifier = new TImage(area.scrboxMagnifier->Client());
  area.pnlGifBack = new TPanel(client);
  area.pnlGifBack->SetVisible(false);
  area.GifBrowser = new TGifBrowser(area.pnlGifBack);
  area.StatusBar = new TStatusBar(&window);
  area.StatusBar->SetBounds(0, 510, 450, 19);
  for (int i = 0; i < 7; ++i) area.StatusBar->AddPanel(60, PictureArea::InitialStatusText(i));
  area.lblSize = new TLabel(&window);
  window.show();

  commands.RealSize.SetAction([this] { zoom.RealSize(); });
  commands.FitWidth.SetAction([this] { zoom.FitWidth(); });
  commands.FitHeight.SetAction([this] { zoom.FitHeight(); });
  commands.FitPicture.SetAction([this] { zoom.FitPicture(); });
  commands.ZoomIn.SetAction([this] { zoom.ZoomIn(); });
  commands.ZoomOut.SetAction([this] { zoom.ZoomOut(); });
  commands.Magnifier.SetAction([this] { magnifier.Toggle(); });
  commands.SelectionMode.SetAction([this] { selection.Toggle(); });
}

ViewerFixture::~ViewerFixture() = default;

void ViewerFixture::ShowPicture(int w, int h, const char* ext, int bitmapW, int bitmapH) {
  area.imgMain->GetPicture().Assign(Bitmap(bitmapW ? bitmapW : w, bitmapH ? bitmapH : h));
  state.PicWidth = w;
  state.PicHeight = h;
  state.CurExt = QString::fromLatin1(ext);
  area.imgMain->SetVisible(true);
}

void ViewerFixture::ShowBitmap(const Bitmap& bitmap) {
  area.imgMain->SetStretch(false);
  area.imgMain->SetAutoSize(true);
  area.imgMain->GetPicture().Assign(bitmap);
  state.PicWidth = bitmap.Width();
  state.PicHeight = bitmap.Height();
  state.CurExt = QStringLiteral(".bmp");
  state.PicIsBitmap = true;
  state.TakeWorkBitmap(bitmap);
  area.imgMain->SetBounds(0, 0, bitmap.Width(), bitmap.Height());
  area.imgMain->SetVisible(true);
}

Command* ViewerFixture::CheckedDisplayMode() const {
  Command* checked = nullptr;
  for (Command* c : commands.DisplayModes) {
    if (!c->Checked()) continue;
    if (checked) return nullptr;
    checked = c;
  }
  return checked;
}
