#pragma once
// The acknowledgements window. Created hidden at start-up; its contents arrive with its own work.
#include "controls/TForm.h"

class TThanksForm : public TForm {
 public:
  explicit TThanksForm(QWidget* owner);
};
