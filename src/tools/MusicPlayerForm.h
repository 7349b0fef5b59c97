#pragma once
// The music player window. Created hidden at start-up; its contents arrive with its own work.
#include "controls/TForm.h"

class TMusicPlayerForm : public TForm {
 public:
  explicit TMusicPlayerForm(QWidget* owner);
};
