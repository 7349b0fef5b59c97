// The five transition effects as the user sees them: an 800 x 600 picture at 100 % in a
// maximised window (the whole picture visible), each effect played through the chooser's
// player, against the effect's frame count times one repaint-and-flush of the whole
// 800 x 600 picture (what a frame cost when every frame drew the whole frame bitmap).
//
// The reference is timed as the effect is: a run of that many whole repaints, its total
// time, right before each play, so that both see the same load on a shared machine and
// both carry the stalls a long run meets. (One repaint's median alone leaves those stalls
// out and would charge them to the effect only; it is printed for the record.)
//
//   bench_transitions [REPS]   prints one line per effect and ratio=<worst> last
// Needs a display (run under xvfb-run); see transitions.sh.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

int Run(int reps) {
  QTemporaryDir dir;
  const QString name = QStringLiteral("picture.bmp");
  NoisyGradient(800, 600, 11).SaveToFile(dir.filePath(name));

  CreateForms();
  MainForm->Show();
  QApplication::processEvents();
  MainForm->sbtnMaxClick();
  MainForm->State.CurFolder = dir.path() + QLatin1Char('/');
  MainForm->ListView1->Clear();
  MainForm->ListView1->Add(name);
  MainForm->ListView1->SelectAndFocus(0);
  MainForm->ListView1DblClick();
  MainForm->sbtnRealClick();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  TImage* img = MainForm->imgMain;
  QWidget* view = MainForm->scrboxBack->Client();
  if (img->size() != QSize(800, 600) || !view->rect().contains(img->geometry())) {
    std::fprintf(stderr, "the picture is not shown whole at 100 %%\n");
    return 1;
  }

  // One repaint-and-flush of the whole picture.
  const auto repaintWhole = [img](qint64 times) {
    QElapsedTimer t;
    t.start();
    for (qint64 i = 0; i < times; ++i) img->repaint();
    return double(t.nsecsElapsed()) / 1e6;
  };
  std::vector<double> repaints;
  for (int i = 0; i < 20 * reps; ++i) repaints.push_back(repaintWhole(1));
  const double repaintMs = Median(repaints);

  TransitionPlayer& player = ViewModeForm->Modes->Player();
  qint64 frames = 0;
  player.OnFrameShown = [&frames](const TransitionFrames&, qint64 n) { frames = n; };
  const struct {
    const char* name;
    TransitionFrames::Effect effect;
  } effects[] = {{"push-pull", TransitionFrames::Effect::PushPull},
                 {"horizontal-interlace", TransitionFrames::Effect::HorizontalInterlace},
                 {"vertical-interlace", TransitionFrames::Effect::VerticalInterlace},
                 {"raindrops", TransitionFrames::Effect::Raindrops},
                 {"blinds", TransitionFrames::Effect::Blinds}};
  std::printf("repaint of the whole 800 x 600 picture: %.3f ms (median of %d)\n", repaintMs,
              int(repaints.size()));
  std::printf("%-22s %7s %10s %14s %7s %16s\n", "effect", "frames", "effect ms", "frames x paint",
              "ratio", "x median paint");
  double worst = 0;
  for (const auto& e : effects) {
    // A first play counts the frames (and warms up like the reference's first repaints).
    player.Play(e.effect);
    QApplication::processEvents();
    std::vector<double> ms, referenceMs;
    for (int i = 0; i < reps; ++i) {
      if (!img->isVisible() || img->size() != QSize(800, 600)) {
        std::fprintf(stderr, "the picture did not come back whole\n");
        return 1;
      }
      referenceMs.push_back(repaintWhole(frames));
      QApplication::processEvents();
      QElapsedTimer t;
      t.start();
      player.Play(e.effect);
      ms.push_back(double(t.nsecsElapsed()) / 1e6);
      QApplication::processEvents();
    }
    const double effectMs = Median(ms), reference = Median(referenceMs);
    const double ratio = effectMs / reference;
    worst = std::max(worst, ratio);
    std::printf("%-22s %7lld %10.1f %14.1f %7.3f %16.3f\n", e.name, static_cast<long long>(frames),
                effectMs, reference, ratio, effectMs / (double(frames) * repaintMs));
  }
  std::printf("ratio=%.3f\n", worst);
  DestroyForms();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  ImageFiles::RaiseAllocationLimit();
  return Run(argc >= 2 ? std::max(1, std::atoi(argv[1])) : 3);
}
