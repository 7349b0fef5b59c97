#pragma once
// The music player's state and rules: the play list, what plays, the four play modes, the
// position and volume thumbs, reordering the list with the mouse, and the end of a track
// noticed by the one-second tick. The window (TMusicPlayerForm) holds the controls and
// forwards its handlers here. The screen-saver import reaches the list, the open dialog,
// the mode label, CurMusicFile and PlaySelected through this class.
//
// Errors of the device (a file it cannot play, a seek with nothing open) go to the
// program's default error report; the operation then ends where it failed.
#include <QString>
#include <QStringList>
#include <QtGlobal>

class MusicDevice;
class TForm;
class TImage;
class TLabel;
class TListView;
class TPanel;
class TTimer;
class QWidget;

class MusicPlayer {
 public:
  struct Controls {
    TForm* Form;
    TLabel* lblMusicName;
    TLabel* lblCircle;
    TLabel* lblPlayTime;
    TLabel* lblPlayingTime;
    TImage* imgGuageBar;
    TImage* imgSoundBar;
    TListView* MusicListView;
    TPanel* pnlPopupMusic;
    TLabel* Label2;
    TLabel* Label3;
    TTimer* Timer;
  };

  // Track thumb: Left from GaugeStart (start) to GaugeEnd (end) over GaugeSpan pixels.
  static constexpr int GaugeStart = 16, GaugeEnd = 236, GaugeSpan = 220;
  // Volume thumb: Top from VolumeTop (loudest) to VolumeBottom (silent).
  static constexpr int VolumeTop = 14, VolumeBottom = 70;
  // List rows: RowPitch pixels high below RowMargin pixels.
  static constexpr int RowPitch = 14, RowMargin = 2;

  static const QString kModeAll, kModeOne, kModeRandom, kModeSingle;
  static const QString kFilter;
  static QString StartName();  // 28 blanks + "音乐播放器"
  static QString EmptyName();  // 29 blanks + "音乐播放器", after the list ran empty
  static const QString kZeroTime;

  MusicPlayer(const Controls& controls, MusicDevice& device);
  ~MusicPlayer();
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // Full path of the file last opened or played.
  QString CurMusicFile;
  // 0-based list position of the track last started; may lie outside the list.
  int CurTrack = 0;

  // The open dialog: several files, appended in the dialog's order; nothing starts.
  void OpenFiles();
  // The same dialog over owner, for choosing music elsewhere: the files chosen, in the
  // dialog's order (none when it was cancelled). The list is not touched.
  static QStringList ChooseFiles(QWidget* owner);
  // Background music for a picture show: the device must accept path first, then the
  // list holds it alone, selected, the mode is kModeOne and it plays, repeating until
  // stopped. False when the device refuses the file: its error has gone to the default
  // error report and the list and mode are as they were.
  bool PlayInLoop(const QString& path);
  // Appends one entry (caption: the file name, sub-item: its folder with "/").
  void AddFile(const QString& path);
  void PlaySelected();
  void PauseOrResume();
  void Stop();
  void Previous();
  void Next();
  void NextMode();
  void Tick();
  // Whether a track is open: set when a track starts, cleared by Stop, a failed open and
  // the empty-list end.
  bool FileOpen() const;
  QString PlayerFileName() const;

  // A press on the skin or on one of its labels, in the pressed control's coordinates.
  void BackgroundMouseDown(Qt::MouseButton button, int x, int y);
  // A mouse move over the skin: ends a list drag, follows a window move.
  void BackgroundMouseMove();
  void BackgroundMouseUp();

  void GaugeMouseDown(int x);
  void GaugeMouseMove(int x);
  void GaugeMouseUp();
  bool GaugeDragging() const { return gaugeDragging_; }

  void VolumeMouseDown(int y);
  void VolumeMouseMove(int y);
  void VolumeMouseUp();
  bool VolumeDragging() const { return volumeDragging_; }
  // v for a thumb Top: 255 at the top, 0 at the bottom.
  static int VolumeLevel(int top);
  // The 32-bit device value of a level: v * 256 in both 16-bit halves.
  static quint32 DeviceValue(int level);
  // The device's volume as it stands (what the thumb was last set from or to).
  quint32 DeviceVolume() const;

  void ListMouseDown(Qt::MouseButton button, int x, int y);
  void ListMouseMove(int y);
  void ListMouseUp();
  bool ListDragging() const { return listDragging_; }

  void DeleteEntry();
  void ClearList();
  // The context panel's label under the mouse turns blue, the other teal.
  void PopupHover(TLabel* label);

  // Esc and the close button: music goes on.
  void HideWindow();

  // "hh:mm:ss" of a time in whole seconds, truncated.
  static QString FormatTime(qint64 ms);
  // The track thumb's Left for a position, and the start position for a thumb Left. In
  // 64 bits: a track of 2 h 42 min times 220 no longer fits in 32.
  static int GaugeLeft(qint64 position, qint64 length);
  static qint64 SeekStart(qint64 length, int left);

 private:
  // Plays the open file from its start as list entry track; on an error the file is closed.
  void StartOpened(int track);
  void SetVolumeFromThumb();
  // Plays from where the position thumb stands; false when the device refused (reported).
  bool PlayFromThumb();
  void HidePopup();
  bool IsPosition(int index) const;
  static int Row(int y);

  Controls c_;
  MusicDevice& device_;
  bool gaugeDragging_ = false;
  int gaugeDownX_ = 0;
  bool volumeDragging_ = false;
  int volumeDownY_ = 0;
  bool listDragging_ = false;
  QString dragCaption_, dragPath_;
  int dragIndex_ = 0;
  int dragY_ = 0;
};
