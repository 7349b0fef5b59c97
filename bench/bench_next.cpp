// Stepping to the next picture as the user sees it: from the next-picture command to the
// first paint of the next list entry, after a pause in which the window is idle (time for
// decoding ahead), for every JPEG of a folder in turn.
//
//   bench_next --folder DIR [PAUSE_MS]   prints one line per step ("step_ms=<file> <ms>")
// Needs a display (run under xvfb-run); see next_vs_djpeg.sh.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/AllForms.h"
#include "controls/TApplication.h"
#include "picture/ImageFiles.h"

namespace {

void Idle(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

int Run(const QString& folder, int pauseMs) {
  const QStringList names = QDir(folder).entryList(
      {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")}, QDir::Files, QDir::Name);
  if (names.size() < 2) {
    std::fprintf(stderr, "need at least two JPEG files in %s\n", qPrintable(folder));
    return 1;
  }
  CreateForms();
  MainForm->Show();
  MainForm->sbtnFitPicClick();
  QApplication::processEvents();
  MainForm->State.CurFolder = QDir(folder).absolutePath() + QLatin1Char('/');
  MainForm->ListView1->Clear();
  for (const QString& name : names) MainForm->ListView1->Add(name);
  MainForm->ListView1->SelectAndFocus(0);
  MainForm->ListView1DblClick();
  for (int i = 1; i < names.size(); ++i) {
    Idle(pauseMs);
    QElapsedTimer t;
    t.start();
    MainForm->sbtnNextClick();
    MainForm->repaint();
    QApplication::processEvents();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    std::printf("step_ms=%s %.3f\n", qPrintable(QDir(folder).filePath(names[i])), ms);
  }
  DestroyForms();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--folder") == 0) {
    TApplication app(argc, argv);
    ImageFiles::RaiseAllocationLimit();
    return Run(QString::fromLocal8Bit(argv[2]), argc >= 4 ? std::max(0, std::atoi(argv[3])) : 1500);
  }
  std::fprintf(stderr, "usage: %s --folder DIR [PAUSE_MS]\n", argv[0]);
  return 2;
}
