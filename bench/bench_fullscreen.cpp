// Entering full screen with a 24-megapixel picture (6000 x 4000) in fit-picture mode, up
// to the first paint at the new size, against one fit-picture command and its paint at
// that size: the switch should cost about one layout and one paint. A bare window that
// grows by the same size and paints once shows the window system's share of it.
//
//   bench_fullscreen [REPS]   prints the two medians and ratio=<enter / fit> last
// Needs a display (run under xvfb-run); see fullscreen_switch.sh.
#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <time.h>
#include <xcb/xcb.h>

#include "NoisyGradient.h"
#include "app/AllForms.h"
#include "controls/TApplication.h"
#include "picture/ImageFiles.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Paints the whole window now, as the first paint after a change does, and handles the
// events that follow.
void PaintNow(QWidget& window) {
  window.repaint();
  QApplication::processEvents();
}

// Waits until the X server has done what earlier steps sent it (it maps each new
// backing-store segment and reads it in its own time), so that a timed step does not wait
// for the previous one, as a person's next command does not: one round trip on the
// application's own connection.
void Settle() {
  QApplication::processEvents();
  if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
    xcb_connection_t* c = x11->connection();
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  }
  QApplication::processEvents();
}

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Milliseconds of timed steps, on the clock and on this thread's processor time (which
// leaves out the waits for the X server).
struct Times {
  std::vector<double> wall, cpu;
};

// Times f until window has been painted and the events that followed handled.
void TimedPaint(QWidget& window, const std::function<void()>& f, Times& into) {
  Settle();
  QElapsedTimer t;
  const double cpu = ThreadCpuMs();
  t.start();
  f();
  PaintNow(window);
  into.wall.push_back(double(t.nsecsElapsed()) / 1e6);
  into.cpu.push_back(ThreadCpuMs() - cpu);
}

void Print(const char* what, int reps, const Times& times) {
  std::printf("%s (medians of %d): %.3f ms, %.3f ms of processor time\n", what, reps,
              Median(times.wall), Median(times.cpu));
}

// A top-level window with nothing in it but an opaque fill.
class BareWindow : public QWidget {
 public:
  BareWindow() { setAttribute(Qt::WA_OpaquePaintEvent); }
  int paintsAtSize(const QSize& size) const { return size == paintedSize_ ? paints_ : 0; }
  void ResetPaints() { paints_ = 0; }

 protected:
  void paintEvent(QPaintEvent* e) override {
    QPainter(this).fillRect(e->rect(), Qt::darkGray);
    paintedSize_ = size();
    ++paints_;
  }

 private:
  QSize paintedSize_;
  int paints_ = 0;
};

// The window system's share of the switch, timed as the switch is: a bare window grows
// from the main window's normal size to the screen's and is painted once, against one
// paint of it at that size. Growing a window past twice its area makes Qt's X11 backing
// store map a new shared-memory segment (and the X server a new pixmap), so this is what
// any program pays for the same change of size.
Times MeasureBareWindowGrowth(int reps, const QSize& normal, const QRect& screen) {
  BareWindow window;
  window.setGeometry(QRect(QPoint(0, 0), normal));
  window.show();
  for (int i = 0; i < 5; ++i) {
    PaintNow(window);
  }
  Times grow, paint;
  int missed = 0;
  for (int i = 0; i < reps; ++i) {
    window.ResetPaints();
    TimedPaint(
        window, [&] { window.setGeometry(screen); }, grow);
    if (window.paintsAtSize(screen.size()) == 0) ++missed;
    TimedPaint(
        window, [] {}, paint);
    window.setGeometry(QRect(QPoint(0, 0), normal));
    for (int k = 0; k < 3; ++k) {
      PaintNow(window);
    }
  }
  Print("bare window: grow to the screen + first paint", reps, grow);
  if (missed) std::printf("  (%d runs painted at the old size)\n", missed);
  Print("bare window: one paint at that size", reps, paint);
  return grow;
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
  for (int i = 0; i < 5; ++i) PaintNow(*MainForm);

  Times enter, fit;
  for (int i = 0; i < reps; ++i) {
    TimedPaint(
        *MainForm, [] { PopupMainForm->Label5Click(); }, enter);
    TimedPaint(
        *MainForm,
        [] {
          MainForm->Commands.FitPicture.Run();
          // The fit leaves the bounds as they were (the view has not changed since the
          // switch), so nothing would be painted: the picture area is painted as a fit to
          // a new size paints it. Repainting the window alone does not reach the picture
          // area.
          MainForm->scrboxBack->Client()->update();
        },
        fit);
    PopupMainForm->Label5Click();  // back, and the list with it
    MainForm->sbtnListClick();
    for (int k = 0; k < 3; ++k) PaintNow(*MainForm);
  }
  const QSize normalSize = MainForm->size();
  std::printf("screen %dx%d, picture %dx%d fitted\n", MainForm->screen()->geometry().width(),
              MainForm->screen()->geometry().height(), picture.Width(), picture.Height());
  Print("enter full screen + first paint", reps, enter);
  Print("fit picture + paint at that size", reps, fit);
  const Times grow = MeasureBareWindowGrowth(reps, normalSize, MainForm->screen()->geometry());
  // What the switch costs this program beyond what the window system costs any program.
  const double ownCpuMs = Median(enter.cpu) - Median(grow.cpu);
  std::printf(
      "the switch's own processor time (enter less the bare growth): %.3f ms, %.3f x "
      "the fit's\n",
      ownCpuMs, ownCpuMs / Median(fit.cpu));
  std::printf("ratio=%.3f\n", Median(enter.wall) / Median(fit.wall));
  DestroyForms();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  ImageFiles::RaiseAllocationLimit();
  return Run(argc >= 2 ? std::max(1, std::atoi(argv[1])) : 5);
}
