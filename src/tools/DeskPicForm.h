#pragma once
// The changing desktop window. Created hidden at start-up; its contents arrive with its own work.
#include "controls/TForm.h"

class TDeskPicForm : public TForm {
 public:
  explicit TDeskPicForm(QWidget* owner);
};
