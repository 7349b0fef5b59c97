// Times the thumbnail build of one folder. The windows are created as at start-up, the
// name list is filled as a scan fills it, then BuildThumbnails runs until every tile is in
// the image list. Prints picora_files=N and picora_seconds=S.
//
//   bench_thumbnails DIR      (needs a display; thumbnails_vs_vips.sh provides one)
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "browse/FolderBrowser.h"
#include "controls/TApplication.h"
#include "picture/ImageFiles.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  TApplication app(argc, argv);
  ImageFiles::RaiseAllocationLimit();
  const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  if (!QFileInfo(folder).isDir()) {
    std::fprintf(stderr, "%s: not a folder\n", argv[1]);
    return 2;
  }
  CreateForms();
  MainForm->Show();

  MainForm->State.SetFolder(folder);
  MainForm->ListView1->SetSortType(true);
  MainForm->Browser->FillFromCurrentFolder();
  const int files = MainForm->ListView1->Count();

  QElapsedTimer clock;
  clock.start();
  MainForm->Browser->BuildThumbnails();
  const double seconds = double(clock.nsecsElapsed()) / 1e9;

  const int tiles = MainForm->ImageList.Count();
  DestroyForms();
  if (tiles != files) {
    std::fprintf(stderr, "only %d of %d tiles were built\n", tiles, files);
    return 1;
  }
  std::printf("picora_files=%d\npicora_seconds=%.3f\n", files, seconds);
  return 0;
}
