#pragma once
// The Help menu.
#include "LabelMenuForm.h"

class TmenuHelpForm : public TLabelMenuForm {
 public:
  explicit TmenuHelpForm(QWidget* owner);

  TLabel *Label2, *Label3;
  TLabel* Label1;  // "帮助(&H)": lies below the visible part of the menu, no command

  void Label2Click();  // acknowledgements
  void Label3Click();  // about
};
