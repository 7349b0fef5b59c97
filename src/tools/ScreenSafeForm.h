#pragma once
// The screen-saver settings window: the effect, the display mode, the interval and the
// music of the show written by "导出屏保". Borderless; dragging its background moves it.
// Created hidden at start-up and only shown and hidden, so its controls keep their values.
// The rules are the owners': Exporter for this window, Importer for the Tools menu's
// import, which plays such a file.
#include <memory>

#include "ScreenSaverExport.h"
#include "ScreenSaverImport.h"
#include "controls/TButton.h"
#include "controls/TComboBox.h"
#include "controls/TEdit.h"
#include "controls/TForm.h"
#include "controls/TLabel.h"
#include "controls/TRadioButton.h"
#include "controls/TSpinEdit.h"

class TScreenSafeForm : public TForm {
 public:
  TScreenSafeForm(QWidget* owner, ViewerContext context, ShowSources sources);
  ~TScreenSafeForm() override;

  TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
  TComboBox* FlatComboBox1;  // the effect
  TRadioButton *FlatRadioButton1, *FlatRadioButton2, *FlatRadioButton3, *FlatRadioButton4;
  TSpinEdit* FlatSpinEdit;    // seconds, 1 ... 60
  TEdit* FlatEdit1;           // the music
  TButton* FlatSpeedButton2;  // "打开"
  TButton* FlatSpeedButton1;  // "导出屏保"
  TButton* FlatSpeedButton3;  // "退出"

  std::unique_ptr<ScreenSaverExport> Exporter;
  std::unique_ptr<ScreenSaverImport> Importer;

  // The Tools menu's two items.
  void ShowSettings();
  void ImportShow();
  void FlatSpeedButton1Click();
  void FlatSpeedButton2Click();
  void FlatSpeedButton3Click();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // A press on the background, or on a label over it, moves the window.
  void DragFrom(TControl<QWidget>* part);
};
