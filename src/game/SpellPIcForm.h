#pragma once
// The jigsaw puzzle window. Created hidden at start-up; its contents arrive with its own work.
#include "controls/TForm.h"

class TSpellPIcForm : public TForm {
 public:
  explicit TSpellPIcForm(QWidget* owner);
};
