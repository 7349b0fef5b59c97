#include "DeskPicChanger.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>
#include <exception>

#include "DownDeskPicThread.h"
#include "HttpTransfer.h"
#include "controls/Dialogs.h"
#include "controls/InputHold.h"
#include "controls/TApplication.h"
#include "controls/TButton.h"
#include "controls/TListView.h"
#include "controls/TRadioButton.h"
#include "controls/TSpinEdit.h"
#include "controls/TTimer.h"
#include "core/ViewerState.h"
#include "picture/FileSaver.h"
#include "picture/ImageFiles.h"
#include "picture/JpegCodec.h"
#include "platform/Wallpaper.h"

#ifndef PICORA_PICTURE_SERVER
#define PICORA_PICTURE_SERVER "http://127.0.0.1:8000"
#endif

const QString DeskPicChanger::kStart = QStringLiteral("开始");
const QString DeskPicChanger::kStop = QStringLiteral("停止");

namespace {

void Warn(const QString& text) {
  Dialogs::Message(nullptr, text, QStringLiteral("Picora"), Dialogs::Icon::Warning);
}

// The picture as a bitmap file: decoded once, written once.
void WriteJpegAsBitmap(const QString& jpeg, const QString& bitmap) {
  FileSaver::Write(bitmap, ImageFiles::EncodeBmp(JpegCodec::Decode(jpeg)));
}

}  // namespace

DeskPicChanger::DeskPicChanger(Controls controls, const ViewerState& state, const TListView& list)
    : DriveLetter(QDir::homePath()),
      ServerAddress(QStringLiteral(PICORA_PICTURE_SERVER)),
      c_(controls),
      state_(state),
      list_(list) {}

DeskPicChanger::~DeskPicChanger() {
  // The program is ending: the pass must not outlive the windows, nor wait for a server.
  if (pass_) {
    pass_->Abort();
    pass_->wait();
    pass_.reset();
  }
}

bool DeskPicChanger::Running() const {
  return c_.fbtnDeskStart->Caption() == kStop;
}

int DeskPicChanger::IntervalMs() const {
  // The spin edit holds integers only, so the interval always converts.
  return c_.fedtTime->Value() * 1000;
}

void DeskPicChanger::fedtTimeChange() {
  c_.DeskPicTimer->SetInterval(IntervalMs());
}

void DeskPicChanger::fbtnDeskStartClick() {
  Folder().Create();
  NetPicNo = 0;
  ++generation_;
  if (Running()) {
    Stop();
    return;
  }
  if (c_.frbList->Checked()) {
    if (list_.Count() == 0) {
      Warn(QStringLiteral("当前列表中没有图片"));
      return;
    }
    DeskPicTimerTimer();
    c_.DeskPicTimer->SetInterval(IntervalMs());
    c_.DeskPicTimer->SetEnabled(true);
  }
  QString server = ServerAddress;
  while (server.endsWith(QLatin1Char('/'))) server.chop(1);
  BaseUrl = server + QStringLiteral("/DeskPic/DeskPic");
  c_.frbNet->SetEnabled(false);
  c_.frbList->SetEnabled(false);
  if (c_.frbNet->Checked()) {
    if (!ConnectionTest()) {
      Warn(QStringLiteral("尝试连接服务器失败，请重试"));
      c_.frbNet->SetEnabled(true);
      c_.frbList->SetEnabled(true);
      return;
    }
    // The change timer waits for the first picture of the pass.
    c_.DeskPicTimer->SetInterval(IntervalMs());
    DownDeskPicTimerTimer();
    c_.DownDeskPicTimer->SetEnabled(true);
  }
  c_.fbtnDeskStart->SetCaption(kStop);
  c_.form->close();
}

void DeskPicChanger::Stop() {
  c_.frbNet->SetEnabled(true);
  c_.frbList->SetEnabled(true);
  // The pass ends before its next picture; what it hands over from now on is ignored
  // (the generation has moved on).
  DownloadIdle = true;
  passWaiting_ = false;
  if (pass_) pass_->RequestStop();
  c_.DeskPicTimer->SetEnabled(false);
  c_.DownDeskPicTimer->SetEnabled(false);
  c_.fbtnDeskStart->SetCaption(kStart);
}

bool DeskPicChanger::ConnectionTest() {
  // On the window thread: input and the program's timers wait, so nothing re-enters,
  // while the window still paints.
  InputHold hold;
  HttpTransfer transfer(manager_, Limits);
  return transfer.Head(QUrl(BaseUrl + QStringLiteral("01.jpg")), Limits.connectionTestMs,
                       QEventLoop::ExcludeUserInputEvents);
}

void DeskPicChanger::DownDeskPicTimerTimer() {
  if (!DownloadIdle) return;  // this start's pass is still running or waiting
  DownloadIdle = false;
  if (pass_) {
    // A stopped pass is still finishing its picture: the new one begins when it has ended.
    passWaiting_ = true;
    return;
  }
  StartPass();
}

void DeskPicChanger::StartPass() {
  const int generation = generation_;
  pass_ = std::make_unique<TDownDeskPicThread>(BaseUrl, Folder(), Limits);
  TDownDeskPicThread* pass = pass_.get();
  connect(
      pass, &TDownDeskPicThread::Arrived, this,
      [this, generation](int) { PassArrived(generation); }, Qt::QueuedConnection);
  connect(
      pass, &QThread::finished, this, [this, pass, generation] { PassEnded(pass, generation); },
      Qt::QueuedConnection);
  ++passesStarted_;
  pass->start();
}

void DeskPicChanger::PassArrived(int generation) {
  if (generation != generation_ || !Running()) return;
  if (c_.DeskPicTimer->Enabled()) return;
  DeskPicTimerTimer();
  c_.DeskPicTimer->SetEnabled(true);
}

void DeskPicChanger::PassEnded(TDownDeskPicThread* pass, int generation) {
  if (pass_.get() != pass) return;
  pass_.reset();  // the thread has ended; this only collects it
  if (generation == generation_) DownloadIdle = true;
  if (passWaiting_) {
    passWaiting_ = false;
    StartPass();
  }
}

void DeskPicChanger::DeskPicTimerTimer() {
  // While a change runs (its error report open, with the box's own loop running), a tick
  // is skipped rather than stacking another change and another box.
  if (changing_) return;
  changing_ = true;
  try {
    ChangeOnce();
  } catch (const std::exception& error) {
    TApplication::ShowException(error);
  }
  changing_ = false;
}

void DeskPicChanger::ChangeOnce() {
  if (c_.frbList->Checked())
    ChangeFromList();
  else
    ChangeFromDownloads();
}

void DeskPicChanger::ChangeFromList() {
  const int n = list_.Count();
  if (n == 0) return;
  if (ListPos >= n) ListPos = 0;
  for (int k = 0; k < n; ++k) {
    const QString path = state_.CurFolder + list_.Caption(ListPos);
    ListPos = ListPos + 1 < n ? ListPos + 1 : 0;
    const QString ext = ViewerState::LowerExtension(path);
    const bool jpeg = ext == QLatin1String(".jpg") || ext == QLatin1String(".jpeg");
    if (!jpeg && ext != QLatin1String(".bmp")) continue;
    // Missing files and anything but a regular file (a folder named "x.jpg") are skipped.
    if (!QFileInfo(path).isFile()) continue;
    const QString wallpaper = Folder().WallpaperPath();
    if (jpeg)
      WriteJpegAsBitmap(path, wallpaper);
    else
      FileSaver::CopyFile(path, wallpaper);
    Wallpaper::Set(wallpaper);
    return;
  }
}

void DeskPicChanger::ChangeFromDownloads() {
  const DeskPicFolder folder = Folder();
  for (int k = 0; k < DeskPicFolder::kPictures; ++k) {
    NetPicNo = NetPicNo % DeskPicFolder::kPictures + 1;
    const QString path = folder.PicturePath(NetPicNo);
    if (!QFileInfo(path).isFile()) continue;
    try {
      WriteJpegAsBitmap(path, folder.WallpaperPath());
    } catch (const std::exception&) {
      // A server must not be able to raise an error box every interval: a picture that
      // does not decode is skipped like a missing one.
      continue;
    }
    Wallpaper::Set(folder.WallpaperPath());
    return;
  }
}
