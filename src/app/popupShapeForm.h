#pragma once
// The selection's right-click menu. Its items run the Edit menu's handlers, whatever the
// enabled state of those items. Hovering an item turns it black and the others maroon;
// leaving an item changes nothing.
#include "LabelMenuForm.h"

class TpopupShapeForm : public TLabelMenuForm {
 public:
  explicit TpopupShapeForm(QWidget* owner);

  TLabel *Label1, *Label2, *Label3, *Label11, *Label4;

  void Label1Click();   // cut
  void Label2Click();   // copy
  void Label3Click();   // paste
  void Label11Click();  // save the selection
  void Label4Click();   // end selection mode

 protected:
  void RunEditItem(Command& command);
  void ItemMouseMove(TLabel* item) override;
  void ItemMouseLeave(TLabel* item) override;
};
