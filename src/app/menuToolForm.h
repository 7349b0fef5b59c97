#pragma once
// The Tools menu.
#include "LabelMenuForm.h"

class TmenuToolForm : public TLabelMenuForm {
 public:
  explicit TmenuToolForm(QWidget* owner);

  TLabel *Label1, *Label8, *Label2, *Label6, *Label3, *Label7, *Label4, *Label5;

  void Label1Click();  // screen capture
  void Label8Click();  // changing desktop (leaves MenuOpen as it is)
  void Label2Click();  // set as wallpaper
  void Label6Click();  // icon extraction
  void Label3Click();  // music player
  void Label7Click();  // jigsaw puzzle
  void Label4Click();  // screen-saver export
  void Label5Click();  // screen-saver import
};
