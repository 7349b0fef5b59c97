#include "MusicPlayer.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "controls/Dialogs.h"
#include "controls/Random.h"
#include "controls/TApplication.h"
#include "controls/TForm.h"
#include "controls/TImage.h"
#include "controls/TLabel.h"
#include "controls/TListView.h"
#include "controls/TPanel.h"
#include "controls/TTimer.h"
#include "platform/MusicDevice.h"
#include "platform/MusicError.h"

const QString MusicPlayer::kModeAll = QStringLiteral("全部循环");
const QString MusicPlayer::kModeOne = QStringLiteral("单曲循环");
const QString MusicPlayer::kModeRandom = QStringLiteral("随机播放");
const QString MusicPlayer::kModeSingle = QStringLiteral("单曲播放");
const QString MusicPlayer::kFilter = QStringLiteral("All (*.mp3;*.wav;mid)|*.mp3;*.wav;*.mid");
const QString MusicPlayer::kZeroTime = QStringLiteral("00:00:00");

namespace {
constexpr TColor kHoverColor = RGBColor(0, 0, 255);
constexpr TColor kItemColor = RGBColor(0, 128, 128);

// Runs a device operation; an error goes to the default error report and ends it. The
// report is a modal window: it takes the mouse-up of a press on the list (the double click
// that played the track), so a list drag in progress ends with it, or the entry would go
// on following a mouse that holds no button.
template <class F>
bool Report(bool& listDragging, F&& operation) {
  try {
    operation();
    return true;
  } catch (const MusicError& error) {
    listDragging = false;
    TApplication::ShowException(error);
    return false;
  }
}
}  // namespace

QString MusicPlayer::StartName() {
  return QString(28, QLatin1Char(' ')) + QStringLiteral("音乐播放器");
}

QString MusicPlayer::EmptyName() {
  return QString(29, QLatin1Char(' ')) + QStringLiteral("音乐播放器");
}

MusicPlayer::MusicPlayer(const Controls& controls, MusicDevice& device)
    : c_(controls), device_(device) {
  // The thumb starts where the device's volume is: the high byte of the left channel.
  const int b = int((device_.Volume() >> 8) & 0xFF);
  c_.imgSoundBar->SetTop((255 - b) * (VolumeBottom - VolumeTop) / 255 + VolumeTop);
}

MusicPlayer::~MusicPlayer() {
  // The output belongs to the player window; it goes with it.
  device_.CloseOutput();
}

QString MusicPlayer::FormatTime(qint64 ms) {
  const qint64 seconds = std::max<qint64>(0, ms) / 1000;
  return QStringLiteral("%1:%2:%3")
      .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
      .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

int MusicPlayer::GaugeLeft(qint64 position, qint64 length) {
  if (length <= 0) return GaugeStart;
  return GaugeStart + int(std::clamp<qint64>(position, 0, length) * GaugeSpan / length);
}

qint64 MusicPlayer::SeekStart(qint64 length, int left) {
  return std::max<qint64>(0, length) * (std::clamp(left, GaugeStart, GaugeEnd) - GaugeStart) /
         GaugeSpan;
}

bool MusicPlayer::FileOpen() const {
  return device_.IsOpen();
}

QString MusicPlayer::PlayerFileName() const {
  return device_.FileName();
}

bool MusicPlayer::IsPosition(int index) const {
  return index >= 0 && index < c_.MusicListView->Count();
}

void MusicPlayer::OpenFiles() {
  for (const QString& path : ChooseFiles(c_.Form)) {
    AddFile(path);
    CurMusicFile = path;
  }
}

QStringList MusicPlayer::ChooseFiles(QWidget* owner) {
  Dialogs::FileRequest request;
  request.owner = owner;
  request.filters = Dialogs::ParseFilter(kFilter);
  request.fileMustExist = true;
  request.multiSelect = true;
  request.preview = false;
  const Dialogs::FileResult result = Dialogs::RunFileDialog(request);
  if (!result.accepted) return {};
  QStringList paths = result.paths;
  if (paths.isEmpty() && !result.path.isEmpty()) paths << result.path;
  return paths;
}

bool MusicPlayer::PlayInLoop(const QString& path) {
  if (!Report(listDragging_, [&] { device_.Open(path); })) {
    device_.Close();
    return false;
  }
  ClearList();
  AddFile(path);
  c_.MusicListView->SelectAndFocus(0);
  c_.lblCircle->SetCaption(kModeOne);
  CurMusicFile = path;
  StartOpened(0);  // the file is open already: it is not read a second time
  return FileOpen();
}

void MusicPlayer::AddFile(const QString& path) {
  const QFileInfo info(path);
  QString folder = info.path();
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  TListView* list = c_.MusicListView;
  const int index = list->Add(info.fileName());
  list->SetSubItem(index, folder);
}

void MusicPlayer::PlaySelected() {
  TListView* list = c_.MusicListView;
  const int selected = list->Selected();
  if (selected < 0) return;
  CurMusicFile = list->SubItem(selected) + list->Caption(selected);
  if (!Report(listDragging_, [&] { device_.Open(CurMusicFile); })) {
    device_.Close();
    return;
  }
  StartOpened(selected);
}

void MusicPlayer::StartOpened(int track) {
  qint64 length = 0;
  const bool started = Report(listDragging_, [&] {
    device_.PlayFrom(0);
    length = device_.Length();
  });
  if (!started) {
    // What the device could not play is not left half open.
    device_.Close();
    return;
  }
  CurTrack = track;
  c_.lblMusicName->SetCaption(c_.MusicListView->Caption(track) + QStringLiteral("  "));
  c_.imgGuageBar->SetLeft(GaugeStart);
  c_.lblPlayTime->SetCaption(FormatTime(length));
  c_.Timer->SetEnabled(true);
}

void MusicPlayer::PauseOrResume() {
  if (!FileOpen()) return;
  device_.PauseOrResume();
}

void MusicPlayer::Stop() {
  if (!FileOpen()) return;
  c_.Timer->SetEnabled(false);
  c_.imgGuageBar->SetLeft(GaugeStart);
  // Stopped is idle: nothing is open until a track starts again.
  device_.Close();
  c_.lblPlayingTime->SetCaption(kZeroTime);
}

void MusicPlayer::Previous() {
  if (CurTrack <= 0 || !IsPosition(CurTrack - 1) || !FileOpen()) return;
  CurTrack = CurTrack - 1;
  c_.MusicListView->SelectAndFocus(CurTrack);
  PlaySelected();
}

void MusicPlayer::Next() {
  if (!FileOpen()) return;
  CurTrack = CurTrack + 1;
  if (!IsPosition(CurTrack)) CurTrack = 0;
  c_.MusicListView->SelectAndFocus(CurTrack);
  PlaySelected();
}

void MusicPlayer::NextMode() {
  const QString modes[] = {kModeAll, kModeOne, kModeRandom, kModeSingle};
  const QString now = c_.lblCircle->Caption();
  int next = 0;
  for (int i = 0; i < 4; ++i)
    if (modes[i] == now) next = (i + 1) % 4;
  c_.lblCircle->SetCaption(modes[next]);
}

void MusicPlayer::Tick() {
  if (c_.imgGuageBar->Left() == GaugeEnd) {
    c_.imgGuageBar->SetLeft(GaugeStart);
    if (c_.MusicListView->Count() == 0) {
      c_.Timer->SetEnabled(false);
      CurMusicFile.clear();
      device_.Close();
      c_.lblMusicName->SetCaption(EmptyName());
      c_.lblPlayTime->SetCaption(kZeroTime);
      c_.lblPlayingTime->SetCaption(kZeroTime);
      return;
    }
    const QString mode = c_.lblCircle->Caption();
    if (mode == kModeAll) {
      Next();
    } else if (mode == kModeOne) {
      CurTrack = CurTrack - 1;
      Next();
    } else if (mode == kModeSingle) {
      c_.Timer->SetEnabled(false);
      c_.lblPlayingTime->SetCaption(kZeroTime);
      return;
    } else if (mode == kModeRandom) {
      CurTrack = Random(c_.MusicListView->Count()) - 1;
      Next();
    }
  }
  if (!FileOpen()) return;
  const qint64 length = device_.Length();
  const qint64 position = device_.Position();
  if (length > 0) c_.imgGuageBar->SetLeft(GaugeLeft(position, length));
  c_.lblPlayingTime->SetCaption(FormatTime(position));
}

bool MusicPlayer::PlayFromThumb() {
  const bool started = Report(listDragging_, [&] {
    const qint64 length = device_.Length();
    device_.PlayFrom(SeekStart(length, c_.imgGuageBar->Left()));
  });
  if (started) c_.Timer->SetEnabled(true);
  return started;
}

void MusicPlayer::HidePopup() {
  c_.pnlPopupMusic->SetVisible(false);
}

void MusicPlayer::BackgroundMouseDown(Qt::MouseButton button, int x, int y) {
  HidePopup();
  bool reported = false;
  if (y >= 95 && y <= 106 && x >= 16 && x <= 266) {
    c_.imgGuageBar->SetLeft(std::min(x, GaugeEnd));
    reported = !PlayFromThumb();
  }
  if (x >= 242 && x <= 272 && y >= 14 && y <= 81) {
    c_.imgSoundBar->SetTop(std::min(y, VolumeBottom));
    SetVolumeFromThumb();
  }
  // An error report is a modal window that has taken this press's mouse-up: a move started
  // now would have the window follow the mouse with no button held.
  if (button == Qt::LeftButton && !reported) c_.Form->StartMove();
}

void MusicPlayer::BackgroundMouseMove() {
  listDragging_ = false;
  c_.Form->FollowMove();
}

void MusicPlayer::BackgroundMouseUp() {
  c_.Form->EndMove();
}

void MusicPlayer::GaugeMouseDown(int x) {
  gaugeDragging_ = true;
  gaugeDownX_ = x;
  c_.Timer->SetEnabled(false);
}

void MusicPlayer::GaugeMouseMove(int x) {
  if (!gaugeDragging_) return;
  const int left = c_.imgGuageBar->Left() + x - gaugeDownX_;
  c_.imgGuageBar->SetLeft(std::clamp(left, GaugeStart, GaugeEnd));
}

void MusicPlayer::GaugeMouseUp() {
  if (!gaugeDragging_) return;
  gaugeDragging_ = false;
  if (FileOpen()) PlayFromThumb();
}

void MusicPlayer::VolumeMouseDown(int y) {
  volumeDragging_ = true;
  volumeDownY_ = y;
}

void MusicPlayer::VolumeMouseMove(int y) {
  if (!volumeDragging_) return;
  const int top = c_.imgSoundBar->Top() + y - volumeDownY_;
  c_.imgSoundBar->SetTop(std::clamp(top, VolumeTop, VolumeBottom));
  SetVolumeFromThumb();
}

void MusicPlayer::VolumeMouseUp() {
  volumeDragging_ = false;
}

int MusicPlayer::VolumeLevel(int top) {
  top = std::clamp(top, VolumeTop, VolumeBottom);
  return 255 - (top - VolumeTop) * 255 / (VolumeBottom - VolumeTop);
}

quint32 MusicPlayer::DeviceValue(int level) {
  const quint32 half = quint32(std::clamp(level, 0, 255)) * 256;
  return half | (half << 16);
}

quint32 MusicPlayer::DeviceVolume() const {
  return device_.Volume();
}

void MusicPlayer::SetVolumeFromThumb() {
  device_.SetVolume(DeviceValue(VolumeLevel(c_.imgSoundBar->Top())));
}

int MusicPlayer::Row(int y) {
  // Truncating division, as the rows are counted: a Y just above the first row is row 0.
  return (y - RowMargin) / RowPitch;
}

void MusicPlayer::ListMouseDown(Qt::MouseButton button, int x, int y) {
  HidePopup();
  TListView* list = c_.MusicListView;
  const int selected = list->Selected();
  if (selected < 0) return;
  if (button == Qt::RightButton) {
    c_.pnlPopupMusic->move(x + 8, list->Top() + y);
    c_.pnlPopupMusic->SetVisible(true);
    c_.pnlPopupMusic->raise();
  } else if (button == Qt::LeftButton) {
    listDragging_ = true;
    dragCaption_ = list->Caption(selected);
    dragPath_ = list->SubItem(selected);
    dragIndex_ = selected;
    dragY_ = y;
  }
}

void MusicPlayer::ListMouseMove(int y) {
  if (!listDragging_) return;
  const int from = Row(dragY_), to = Row(y);
  if (to == from) return;
  const int place = dragIndex_ + (to > from ? 1 : -1);
  if (!IsPosition(place) || !IsPosition(dragIndex_)) return;
  TListView* list = c_.MusicListView;
  list->SetCaption(dragIndex_, list->Caption(place));
  list->SetSubItem(dragIndex_, list->SubItem(place));
  list->SetCaption(place, dragCaption_);
  list->SetSubItem(place, dragPath_);
  list->SelectAndFocus(place);
  dragIndex_ = place;
  dragY_ = y;
}

void MusicPlayer::ListMouseUp() {
  listDragging_ = false;
}

void MusicPlayer::DeleteEntry() {
  HidePopup();
  const int selected = c_.MusicListView->Selected();
  if (selected < 0) return;
  if (CurTrack >= selected) CurTrack = CurTrack - 1;
  c_.MusicListView->Delete(selected);
}

void MusicPlayer::ClearList() {
  HidePopup();
  listDragging_ = false;
  c_.MusicListView->Clear();
}

void MusicPlayer::PopupHover(TLabel* label) {
  for (TLabel* item : {c_.Label2, c_.Label3})
    item->SetFontColor(item == label ? kHoverColor : kItemColor);
}

void MusicPlayer::HideWindow() {
  c_.Form->Hide();
}
