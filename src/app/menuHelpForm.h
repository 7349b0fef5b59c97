#pragma once
// The Help menu.
#include "LabelMenuForm.h"

class TmenuHelpForm : public TLabelMenuForm {
 public:
  explicit TmenuHelpForm(QWidget* owner);

  TLabel *Label2, *Label3;

  void Label2Click();  // acknowledgements
  void Label3Click();  // about
};
