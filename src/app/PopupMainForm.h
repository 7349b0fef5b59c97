#pragma once
// The picture's right-click menu. Its full-screen item's caption is the full-screen
// state. Items close the menu and run their command without touching MenuOpen.
#include "LabelMenuForm.h"

class TPopupMainForm : public TLabelMenuForm {
 public:
  explicit TPopupMainForm(QWidget* owner);

  TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;

  void Label1Click();  // save as
  void Label2Click();  // save this size
  void Label3Click();  // selection mode on/off
  void Label4Click();  // set as wallpaper
  void Label5Click();  // full screen on/off
  void Label6Click();  // list panel hide/show
  void Label7Click();  // properties panel
};
