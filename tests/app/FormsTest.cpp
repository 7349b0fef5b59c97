#include "FormsTest.h"

#include "controls/Random.h"

void FormsTest::SetUp() {
  ResetRandom();
  Dialogs::SetResponder(&dialogs);
  CreateForms();
  MainForm->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
  ProcessEvents();
}

void FormsTest::TearDown() {
  DestroyForms();
  ProcessEvents();
  Dialogs::SetResponder(nullptr);
}

void FormsTest::ProcessEvents() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}
