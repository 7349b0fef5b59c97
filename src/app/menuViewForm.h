#pragma once
// The View menu. Its mini item's caption is the mini-mode state.
#include "LabelMenuForm.h"

class TmenuViewForm : public TLabelMenuForm {
 public:
  explicit TmenuViewForm(QWidget* owner);

  TLabel *Label1, *Label8, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;

  void Label1Click();  // full screen (only while a picture is shown)
  void Label8Click();  // mini mode
  void Label2Click();  // previous picture
  void Label3Click();  // next picture
  void Label4Click();  // slide show on/off
  void Label5Click();  // list panel hide/show
  void Label7Click();  // properties panel
  // "查看方式(&M)": opens the view-mode chooser beside the menu.
  void ShowViewModeChooser();
  // Every other item closes the chooser when the mouse moves over it.
  void CloseViewModeChooser();

 protected:
  void ItemMouseMove(TLabel* item) override;
};
