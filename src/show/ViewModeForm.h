#pragma once
// The view-mode chooser: which transition effect plays after a picture is loaded. The
// View menu opens it beside itself. Its checked button is the view mode (see ViewModes,
// which keeps the rules); its handlers forward there.
#include <QPointer>
#include <memory>

#include "ViewModes.h"
#include "controls/TForm.h"
#include "controls/TImage.h"
#include "controls/TRadioButton.h"
#include "core/ViewerContext.h"

class TViewModeForm : public TForm {
 public:
  TViewModeForm(QWidget* owner, ViewerContext context);
  ~TViewModeForm() override;

  TImage* Image1;
  TRadioButton *FlatRadioButton1, *FlatRadioButton2, *FlatRadioButton3, *FlatRadioButton4,
      *FlatRadioButton5, *FlatRadioButton6, *FlatRadioButton7;

  std::unique_ptr<ViewModes> Modes;

  // The actions of the seven modes, run when a button becomes checked and on a click on
  // the checked one.
  void FlatRadioButton1Click();
  void FlatRadioButton2Click();
  void FlatRadioButton3Click();
  void FlatRadioButton4Click();
  void FlatRadioButton5Click();
  void FlatRadioButton6Click();
  void FlatRadioButton7Click();
  // Hover: mode k = 0..6.
  void FlatRadioButtonMouseMove(int k);
  void FormKeyDown(int key);

  // The effect of the checked mode after a load (Random picks one of the five effects).
  void PlayLoadEffect();

  // Hides the chooser; the keyboard goes to the main window, or with escape back to the
  // window that had it when the chooser opened (the View menu).
  void CloseChooser(bool escape);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPointer<QWidget> openedFrom_;
};
