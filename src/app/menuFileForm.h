#pragma once
// The File menu.
#include "LabelMenuForm.h"

class TmenuFileForm : public TLabelMenuForm {
 public:
  explicit TmenuFileForm(QWidget* owner);

  TLabel *Label1, *Label2, *Label3, *Label6, *Label4, *Label5;

  void Label1Click();  // open
  void Label2Click();  // close picture
  void Label3Click();  // save as
  void Label6Click();  // save this size
  void Label4Click();  // print the picture
  void Label5Click();  // exit
};
