#pragma once
// The Edit menu.
#include "LabelMenuForm.h"

class TmenuEditForm : public TLabelMenuForm {
 public:
  explicit TmenuEditForm(QWidget* owner);

  TLabel *Label1, *Label2, *Label3, *Label11, *Label4, *Label5, *Label6, *Label7, *Label10, *Label8,
      *Label9;

  void Label1Click();   // cut
  void Label2Click();   // copy
  void Label3Click();   // paste
  void Label11Click();  // save the selection
  void Label4Click();   // selection mode on/off
  void Label5Click();   // rotate 90 degrees
  void Label6Click();   // mirror left-right
  void Label7Click();   // mirror up-down
  void Label10Click();  // black and white
  void Label8Click();   // negative
  void Label9Click();   // emboss

  // Enables or disables cut, copy, paste and save (the selection items).
  void SetSelectionItemsEnabled(bool on);
};
