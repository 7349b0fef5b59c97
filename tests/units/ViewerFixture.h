#pragma once
// The picture area's controls in a window of their own (on Qt's offscreen platform, so no
// display is shared), with the shared state, the commands and the view owners wired as
// the main window wires them. The view is 450 x 506, the size the main window's picture
// area has with the properties panel shown.
#include <gtest/gtest.h>

#include <QWidget>

#include "FakeWindowHost.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerContext.h"
#include "core/ViewerState.h"
#include "view/Magnifier.h"
#include "view/PictureMouse.h"
#include "view/SelectionTool.h"
#include "view/ZoomControl.h"

class ViewerFixture : public ::testing::Test {
 protected:
  ViewerFixture();
  ~ViewerFixture() override;

  // Puts a picture of w x h on display as a load does (the bitmap may be smaller than
  // the size the zoom computes from, which keeps huge cases cheap).
  void ShowPicture(int w, int h, const char* ext = ".jpg", int bitmapW = 0, int bitmapH = 0);
  // A picture that is really w x h pixels, at its own size.
  void ShowBitmap(const Bitmap& bitmap);

  QRect Bounds() const { return area.imgMain->geometry(); }
  QString ZoomText() const { return area.StatusBar->Text(PictureArea::kZoom); }
  // The one checked display mode, or nullptr when none or several are.
  Command* CheckedDisplayMode() const;

  QWidget window;
  PictureArea area;
  ViewerState state;
  UserCommands commands;
  FakeWindowHost host;
  ViewerContext context{state, area, commands, host};
  Magnifier magnifier{context};
  ZoomControl zoom{context, magnifier};
  SelectionTool selection{context};
  PictureMouse mouse{context, magnifier, selection};
};
