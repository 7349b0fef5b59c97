#pragma once
// The Zoom menu.
#include "LabelMenuForm.h"

class TmenuZoomForm : public TLabelMenuForm {
 public:
  explicit TmenuZoomForm(QWidget* owner);

  TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;

  void Label1Click();  // real size
  void Label2Click();  // fit picture
  void Label3Click();  // fit width
  void Label4Click();  // fit height
  void Label5Click();  // zoom in
  void Label6Click();  // zoom out
  void Label7Click();  // magnifier
};
