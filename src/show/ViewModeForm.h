#pragma once
// The view-mode chooser: which transition effect plays after a picture is loaded.
#include "controls/TForm.h"
#include "controls/TImage.h"
#include "controls/TRadioButton.h"

class TViewModeForm : public TForm {
 public:
  explicit TViewModeForm(QWidget* owner);

  TImage* Image1;
  TRadioButton *FlatRadioButton1, *FlatRadioButton2, *FlatRadioButton3, *FlatRadioButton4,
      *FlatRadioButton5, *FlatRadioButton6, *FlatRadioButton7;

  // The effect of the checked mode after a load (Random picks one of the five effects).
  void PlayLoadEffect();
};
