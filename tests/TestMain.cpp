// Test entry point: one QApplication for the whole test process (the window tests need a
// display; scripts/test provides a virtual one).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

#include "picture/ImageFiles.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (done at build time) needs no display.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  ImageFiles::RaiseAllocationLimit();
  return RUN_ALL_TESTS();
}
