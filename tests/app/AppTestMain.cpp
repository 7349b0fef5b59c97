// Entry point of the window tests: the program's own application object, so that key
// preview and the default error report work as in the program.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "controls/TApplication.h"
#include "picture/ImageFiles.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  // Thumbnail builds read and write the desktop's thumbnail cache: never the user's.
  QTemporaryDir cacheHome;
  if (!cacheHome.isValid()) return 1;
  qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome.path()));
  TApplication app(argc, argv);
  // Closing the main window in a test must not end the test program.
  TApplication::setQuitOnLastWindowClosed(false);
  ImageFiles::RaiseAllocationLimit();
  return RUN_ALL_TESTS();
}
