#pragma once
// The changing desktop's state and rules: start and stop, one change of the wallpaper
// from the main window's file list or from the downloaded pictures, the download passes
// and the hand-over of their first picture. TDeskPicForm holds the controls and forwards
// its handlers here.
//
// Rules beyond the classic ones:
// - A pass's hand-over is ignored once the desktop is stopped or started again, so Stop
//   really stops the change timer.
// - One pass at a time: a start while a stopped pass still finishes its picture waits for
//   that pass's thread to end; the hourly tick never starts a second pass.
// - A change never runs inside another; while a change's error report is open, ticks are
//   skipped, so an unattended desktop cannot stack a box per interval.
// - Destroying the owner stops the pass, aborts its request and waits for its thread.
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <memory>

#include "DeskPicFolder.h"
#include "TransferLimits.h"

class QWidget;
class TButton;
class TListView;
class TRadioButton;
class TSpinEdit;
class TTimer;
class TDownDeskPicThread;
class ViewerState;

class DeskPicChanger : public QObject {
 public:
  static const QString kStart;  // "开始": the caption while stopped
  static const QString kStop;   // "停止": the caption while running

  struct Controls {
    QWidget* form;  // the dialog, closed at a start
    TRadioButton *frbNet, *frbList;
    TSpinEdit* fedtTime;
    TButton* fbtnDeskStart;
    TTimer *DeskPicTimer, *DownDeskPicTimer;
  };
  // state gives CurFolder, list the names of the main window's file list.
  DeskPicChanger(Controls controls, const ViewerState& state, const TListView& list);
  ~DeskPicChanger() override;

  // ---- Fields ----------------------------------------------------------------------------
  QString DriveLetter;       // the home folder, which stands for the system drive
  QString ServerAddress;     // the picture server, from the build setting; tests set it
  QString BaseUrl;           // ServerAddress + "/DeskPic/DeskPic", set at every start
  bool DownloadIdle = true;  // no pass of the current start is running or waiting
  int NetPicNo = 0;          // number of the downloaded picture shown last, 0 ... 20
  int ListPos = 0;           // list position of the next entry to try
  TransferLimits Limits;

  // ---- Handlers --------------------------------------------------------------------------
  void fbtnDeskStartClick();
  void fedtTimeChange();
  void DeskPicTimerTimer();
  void DownDeskPicTimerTimer();

  bool Running() const;
  // A pass thread exists (running, or ended and not yet collected).
  bool PassAlive() const { return pass_ != nullptr; }
  // Passes started since creation.
  int PassesStarted() const { return passesStarted_; }
  DeskPicFolder Folder() const { return DeskPicFolder(DriveLetter); }

 private:
  void Stop();
  bool ConnectionTest();
  void StartPass();
  void PassArrived(int generation);
  void PassEnded(TDownDeskPicThread* pass, int generation);
  void ChangeOnce();
  void ChangeFromList();
  void ChangeFromDownloads();
  int IntervalMs() const;

  Controls c_;
  const ViewerState& state_;
  const TListView& list_;
  QNetworkAccessManager manager_;  // the connection test's, on the window thread
  std::unique_ptr<TDownDeskPicThread> pass_;
  bool passWaiting_ = false;  // a pass starts when the old thread has ended
  int generation_ = 0;        // counts presses of the button; hand-overs compare it
  bool changing_ = false;
  int passesStarted_ = 0;  // a change (or its error report) is under way
};
