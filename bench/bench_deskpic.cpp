// One change of the changing desktop from the list source: the JPEG decoded, written as
// the wallpaper bitmap "DeskPicture.bmp" (the desktop itself is not asked; the wallpaper
// setter is replaced by one that does nothing).
//
//   bench_deskpic --change FILE [N]   HOME is a temporary folder; prints first_ms (the
//                                      first change in the process) and the median of N
//                                      further changes.
// See deskpic_change_vs_djpeg.sh.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "controls/TListView.h"
#include "core/ViewerState.h"
#include "desktop/DeskPicForm.h"
#include "picture/ImageFiles.h"
#include "platform/Wallpaper.h"

int main(int argc, char** argv) {
  if (argc < 3 || std::strcmp(argv[1], "--change") != 0) {
    std::fprintf(stderr, "usage: bench_deskpic --change FILE [N]\n");
    return 2;
  }
  QTemporaryDir home;
  qputenv("HOME", QFile::encodeName(home.path()));
  QApplication app(argc, argv);
  ImageFiles::RaiseAllocationLimit();
  Wallpaper::Replace([](const QString&, Wallpaper::Done) {});

  const QFileInfo file(QString::fromLocal8Bit(argv[2]));
  const int repetitions = argc > 3 ? std::atoi(argv[3]) : 0;
  ViewerState state;
  state.SetFolder(file.absolutePath());
  TListView list(nullptr, TListView::ViewStyle::Report);
  list.Add(file.fileName());
  TDeskPicForm form(nullptr, state, list);
  form.frbList->SetChecked(true);
  form.Changer->Folder().Create();

  auto timed = [&] {
    QElapsedTimer clock;
    clock.start();
    form.DeskPicTimerTimer();
    return double(clock.nsecsElapsed()) / 1e6;
  };
  std::printf("first_ms=%.3f\n", timed());
  std::vector<double> more;
  for (int i = 0; i < repetitions; ++i) more.push_back(timed());
  if (!more.empty()) {
    std::sort(more.begin(), more.end());
    std::printf("median_ms=%.3f\n", more[more.size() / 2]);
  }
  const QFileInfo bitmap(form.Changer->Folder().WallpaperPath());
  std::printf("bitmap_bytes=%lld\n", static_cast<long long>(bitmap.size()));
  return bitmap.size() > 0 ? 0 : 1;
}
