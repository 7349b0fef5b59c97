#pragma once
// The music player window: a borderless skinned window with the play list, the buttons,
// the position and volume thumbs and the list's context panel. Created hidden at start-up
// and only ever hidden again; music goes on while it is hidden. The state and rules live
// in its owner Player (MusicPlayer); the handlers forward there.
#include <memory>

#include "MusicPlayer.h"
#include "controls/TForm.h"
#include "controls/TImage.h"
#include "controls/TLabel.h"
#include "controls/TListView.h"
#include "controls/TPanel.h"
#include "controls/TSpeedButton.h"
#include "controls/TTimer.h"

class TMusicPlayerForm : public TForm {
 public:
  explicit TMusicPlayerForm(QWidget* owner);
  ~TMusicPlayerForm() override;

  TImage* Image1;
  TLabel *Label1, *lblMusicName, *lblCircle, *lblPlayTime, *lblPlayingTime;
  TImage *imgGuageBar, *imgSoundBar;
  TListView* MusicListView;
  TPanel* pnlPopupMusic;
  TLabel *Label2, *Label3;
  TTimer* Timer;
  TSpeedButton *sbtnPrev, *sbtnPlay, *sbtnPause, *sbtnStop, *sbtnNext, *sbtnOpen, *sbtnCircle,
      *sbtnMusicClose;

  std::unique_ptr<MusicPlayer> Player;

  void sbtnOpenClick();
  void sbtnPlayClick();
  void MusicListViewDblClick();
  void sbtnPauseClick();
  void sbtnStopClick();
  void sbtnPrevClick();
  void sbtnNextClick();
  void sbtnCircleClick();
  void sbtnMusicCloseClick();
  void TimerTimer();
  // Mouse down on the skin or on one of the labels over it, in that control's coordinates.
  void Image1MouseDown(Qt::MouseButton button, int x, int y);
  void Image1MouseMove();
  void imgGuageBarMouseDown(int x);
  void imgGuageBarMouseMove(int x);
  void imgGuageBarMouseUp();
  void imgSoundBarMouseDown(int y);
  void imgSoundBarMouseMove(int y);
  void imgSoundBarMouseUp();
  void MusicListViewMouseDown(Qt::MouseButton button, int x, int y);
  void MusicListViewMouseMove(int y);
  void MusicListViewMouseUp();
  void Label2Click();
  void Label3Click();
  void Label2MouseMove();
  void Label3MouseMove();
  void FormKeyDown(int key);
};
