// Test entry point: one QApplication for the whole test process (the window tests need a
// display; scripts/test provides a virtual one).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

#include "picture/ImageFiles.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (done at build time) needs no display.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  // Thumbnail builds read and write the desktop's thumbnail cache: never the user's.
  QTemporaryDir cacheHome;
  if (!cacheHome.isValid()) return 1;
  qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome.path()));
  QApplication app(argc, argv);
  ImageFiles::RaiseAllocationLimit();
  return RUN_ALL_TESTS();
}
