// The whole load from list of one picture, as the user sees it: decode, the copies into
// the shown bitmap and WorkBitmap, the fit mode, file information, status bar, and the
// first paint of the window.
//
//   bench_load --load FILE [N]   creates the windows, lists FILE's folder entry, then
//                                times the load from list followed by a forced repaint.
//                                Prints first_ms (the first load of FILE in the process,
//                                fresh memory as any program opening it has) and the
//                                median of N further loads.
// Needs a display (run under xvfb-run); see load_vs_djpeg.sh.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "controls/TApplication.h"
#include "picture/ImageFiles.h"
#include "picture/JpegCodec.h"

namespace {

// Selects the list entry name and loads it, then paints the window at once.
double TimedLoad(const QString& name) {
  QElapsedTimer timer;
  timer.start();
  MainForm->ListView1->SelectAndFocus(MainForm->ListView1->IndexOfCaption(name));
  MainForm->ListView1DblClick();
  MainForm->repaint();
  QApplication::processEvents();
  return double(timer.nsecsElapsed()) / 1e6;
}

int Load(const QString& path, int repetitions) {
  const QFileInfo file(path);
  // A small picture first, so that the window has been laid out and painted once and
  // only the picture's own work is timed.
  QTemporaryDir warmDir;
  const QString warm = QStringLiteral("warm-up.jpg");
  JpegCodec::EncodeToFile(QImage(64, 64, QImage::Format_RGB32), warmDir.filePath(warm), 90);

  CreateForms();
  MainForm->Show();
  QApplication::processEvents();

  MainForm->State.CurFolder = warmDir.path() + QLatin1Char('/');
  MainForm->ListView1->Clear();
  MainForm->ListView1->Add(warm);
  TimedLoad(warm);

  MainForm->State.CurFolder = file.absolutePath() + QLatin1Char('/');
  MainForm->ListView1->Clear();
  MainForm->ListView1->Add(file.fileName());
  const double first = TimedLoad(file.fileName());
  if (MainForm->imgMain->GetPicture().Empty()) {
    std::fprintf(stderr, "%s did not load\n", qPrintable(path));
    return 1;
  }
  std::vector<double> ms;
  for (int i = 0; i < repetitions; ++i) ms.push_back(TimedLoad(file.fileName()));
  std::sort(ms.begin(), ms.end());
  std::printf("size=%dx%d\nfirst_ms=%.3f\n", MainForm->State.PicWidth, MainForm->State.PicHeight,
              first);
  if (!ms.empty()) std::printf("median_ms=%.3f\n", ms[ms.size() / 2]);
  DestroyForms();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--load") == 0) {
    TApplication app(argc, argv);
    ImageFiles::RaiseAllocationLimit();
    return Load(QString::fromLocal8Bit(argv[2]), argc >= 4 ? std::max(0, std::atoi(argv[3])) : 0);
  }
  std::fprintf(stderr, "usage: %s --load FILE [N]\n", argv[0]);
  return 2;
}
