// Start-up: the application object, then the seventeen windows in their fixed order,
// then the message loop until the main window closes.
#include "app/Forms.h"
#include "app/MainForm.h"
#include "controls/TApplication.h"
#include "picture/ImageFiles.h"

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  ImageFiles::RaiseAllocationLimit();
  CreateForms();
  MainForm->Show();
  const int result = app.exec();
  DestroyForms();
  return result;
}
