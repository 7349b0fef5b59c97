// Entering full screen with a 24-megapixel picture (6000 x 4000) in fit-picture mode, up
// to the first paint at the new size, against one fit-picture command and its paint at
// that size: the switch should cost about one layout and one paint.
//
//   bench_fullscreen [REPS]   prints the two medians and ratio=<enter / fit> last
// Needs a display (run under xvfb-run); see fullscreen_switch.sh.
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "NoisyGradient.h"
#include "app/AllForms.h"
#include "controls/TApplication.h"
#include "picture/ImageFiles.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Paints the whole window now, as the first paint after a change does.
void PaintNow() {
  MainForm->repaint();
  QApplication::processEvents();
}

double Timed(const std::function<void()>& f) {
  QElapsedTimer t;
  t.start();
  f();
  PaintNow();
  return double(t.nsecsElapsed()) / 1e6;
}

int Run(int reps) {
  CreateForms();
  MainForm->Show();
  QApplication::processEvents();
  // The picture as a load leaves it: a bitmap of its own size in the control.
  const Bitmap picture = NoisyGradient(6000, 4000, 5);
  MainForm->imgMain->GetPicture().Assign(picture);
  MainForm->State.PicWidth = picture.Width();
  MainForm->State.PicHeight = picture.Height();
  MainForm->State.CurExt = QStringLiteral(".bmp");
  MainForm->State.PicIsBitmap = true;
  MainForm->imgMain->SetVisible(true);
  MainForm->sbtnFitPicClick();
  for (int i = 0; i < 5; ++i) PaintNow();

  std::vector<double> enter, fit;
  for (int i = 0; i < reps; ++i) {
    enter.push_back(Timed([] { PopupMainForm->Label5Click(); }));
    fit.push_back(Timed([] {
      MainForm->Commands.FitPicture.Run();
      // The fit leaves the bounds as they were (the view has not changed since the
      // switch), so nothing would be painted: the picture area is painted as a fit to a
      // new size paints it. Repainting the window alone does not reach the picture area.
      MainForm->scrboxBack->Client()->update();
    }));
    PopupMainForm->Label5Click();  // back, and the list with it
    MainForm->sbtnListClick();
    for (int k = 0; k < 3; ++k) PaintNow();
  }
  const double enterMs = Median(enter), fitMs = Median(fit);
  std::printf("screen %dx%d, picture %dx%d fitted\n", MainForm->screen()->geometry().width(),
              MainForm->screen()->geometry().height(), picture.Width(), picture.Height());
  std::printf("enter full screen + first paint (median of %d): %.3f ms\n", reps, enterMs);
  std::printf("fit picture + paint at that size (median of %d): %.3f ms\n", reps, fitMs);
  std::printf("ratio=%.3f\n", enterMs / fitMs);
  DestroyForms();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  ImageFiles::RaiseAllocationLimit();
  return Run(argc >= 2 ? std::max(1, std::atoi(argv[1])) : 5);
}
