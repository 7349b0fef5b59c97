#pragma once
// The screen-saver export settings window. Created hidden at start-up; its contents arrive with its
// own work.
#include "controls/TForm.h"

class TScreenSafeForm : public TForm {
 public:
  explicit TScreenSafeForm(QWidget* owner);
};
