#pragma once
// The fixture of the window tests: the seventeen windows are created for each test (the
// main window shown, as at start-up) and destroyed after it; dialogs are answered by
// TestDialogs; pictures are written into a temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "TestDialogs.h"
#include "TestFiles.h"
#include "app/AllForms.h"
#include "app/MenuBar.h"
#include "browse/FileInfoPanel.h"
#include "browse/FolderBrowser.h"
#include "view/PictureMouse.h"
#include "view/SelectionTool.h"
#include "view/ZoomControl.h"

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Lets queued events (layout, painting, timers due) run.
  static void ProcessEvents();

  TestDialogs dialogs;
  TestFiles files;
};
