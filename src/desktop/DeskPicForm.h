#pragma once
// The changing desktop dialog "百变桌面 1.0": the picture source, the interval and the
// start/stop button, with the change timer and the hourly download timer. Created hidden
// at start-up and shown modally by the Tools menu; a start closes it and the desktop goes
// on changing until the user opens it again and stops. The state and rules are the
// owner's (Changer); the handlers forward to it.
#include <memory>

#include "DeskPicChanger.h"
#include "controls/TButton.h"
#include "controls/TForm.h"
#include "controls/TGroupBox.h"
#include "controls/TLabel.h"
#include "controls/TRadioButton.h"
#include "controls/TSpinEdit.h"
#include "controls/TTimer.h"

class TDeskPicForm : public TForm {
 public:
  // state and list: the main window's current folder and file list, the list source.
  TDeskPicForm(QWidget* owner, const ViewerState& state, const TListView& list);
  ~TDeskPicForm() override;

  // ---- Controls ------------------------------------------------------------------------
  TGroupBox* FlatGroupBox1;  // "图片来源"
  TRadioButton *frbNet, *frbList;
  TLabel* Label1;
  TSpinEdit* fedtTime;  // seconds, 10 ... 600
  TButton* fbtnDeskStart;
  TTimer* DeskPicTimer;      // the change timer
  TTimer* DownDeskPicTimer;  // a download pass every hour

  // ---- State and rules -----------------------------------------------------------------
  std::unique_ptr<DeskPicChanger> Changer;

  // ---- Handlers --------------------------------------------------------------------------
  // The Tools menu's "百变桌面(&D)": shows the dialog modally over its owner.
  void ShowDialog();
  void fbtnDeskStartClick();
  void fedtTimeChange();
  void DeskPicTimerTimer();
  void DownDeskPicTimerTimer();
};
