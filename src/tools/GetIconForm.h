#pragma once
// The icon extraction window. Created hidden at start-up; its contents arrive with its own work.
#include "controls/TForm.h"

class TGetIconForm : public TForm {
 public:
  explicit TGetIconForm(QWidget* owner);
};
