#pragma once
// The about box window. Created hidden at start-up; its contents arrive with its own work.
#include "controls/TForm.h"

class TAboutForm : public TForm {
 public:
  explicit TAboutForm(QWidget* owner);
};
