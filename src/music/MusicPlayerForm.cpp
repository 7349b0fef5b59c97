#include "MusicPlayerForm.h"

#include "controls/SvgImage.h"
#include "platform/MusicDevice.h"

namespace {
constexpr TColor kScreenText = RGBColor(120, 230, 255);
constexpr TColor kScreenDim = RGBColor(80, 180, 200);
constexpr TColor kItemColor = RGBColor(0, 128, 128);

TLabel* ScreenLabel(QWidget* parent, const QString& caption, int left, int top,
                    TColor color = kScreenText) {
  auto* label = new TLabel(parent, caption);
  label->SetTransparent(true);
  label->SetFontColor(color);
  label->SetLeft(left);
  label->SetTop(top);
  return label;
}

TImage* SkinImage(QWidget* parent, const QString& resource, int l, int t, int w, int h) {
  auto* image = new TImage(parent);
  image->SetBounds(l, t, w, h);
  image->GetPicture().Assign(Bitmap(RenderSvg(resource, QSize(w, h))));
  return image;
}
}  // namespace

TMusicPlayerForm::TMusicPlayerForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TMusicPlayerForm"));
  // Window lists name the borderless window by its title.
  SetCaption(QStringLiteral("Music Player 1.1"));
  resize(275, 323);
  SetKeyPreview(true);

  Image1 = SkinImage(this, QStringLiteral(":/skin/musicplayer.svg"), 0, 0, 275, 323);

  Label1 = new TLabel(this, QStringLiteral("Music Player 1.1"));
  Label1->SetTransparent(true);
  Label1->SetFontColor(Colors::White);
  Label1->SetBold(true);
  Label1->move(8, 3);

  lblMusicName = ScreenLabel(this, MusicPlayer::StartName(), 14, 26);
  lblMusicName->SetAutoSize(false);
  lblMusicName->SetBounds(14, 26, 218, 18);
  lblCircle = ScreenLabel(this, MusicPlayer::kModeAll, 16, 48, kScreenDim);
  lblCircle->SetHint(QStringLiteral("播放方式"));
  lblCircle->SetCursor(TCursor::HandPoint);
  lblPlayingTime = ScreenLabel(this, MusicPlayer::kZeroTime, 16, 66);
  lblPlayingTime->SetHint(QStringLiteral("播放时间"));
  lblPlayTime = ScreenLabel(this, MusicPlayer::kZeroTime, 168, 66, kScreenDim);
  lblPlayTime->SetHint(QStringLiteral("总时间"));

  imgGuageBar = SkinImage(this, QStringLiteral(":/skin/music_gauge.svg"), MusicPlayer::GaugeStart,
                          95, 30, 12);
  imgGuageBar->SetCursor(TCursor::HandPoint);
  imgSoundBar = SkinImage(this, QStringLiteral(":/skin/music_volume.svg"), 246,
                          MusicPlayer::VolumeTop, 22, 11);
  imgSoundBar->SetCursor(TCursor::HandPoint);

  struct ButtonDesign {
    TSpeedButton** button;
    const char* glyph;
    const char* hint;
    void (TMusicPlayerForm::*click)();
  };
  const ButtonDesign buttons[] = {
      {&sbtnPrev, "music_prev", "上一首", &TMusicPlayerForm::sbtnPrevClick},
      {&sbtnPlay, "music_play", "播放", &TMusicPlayerForm::sbtnPlayClick},
      {&sbtnPause, "music_pause", "暂停", &TMusicPlayerForm::sbtnPauseClick},
      {&sbtnStop, "music_stop", "停止", &TMusicPlayerForm::sbtnStopClick},
      {&sbtnNext, "music_next", "下一首", &TMusicPlayerForm::sbtnNextClick},
      {&sbtnOpen, "music_open", "打开", &TMusicPlayerForm::sbtnOpenClick},
      {&sbtnCircle, "music_mode", "播放模式", &TMusicPlayerForm::sbtnCircleClick},
  };
  int left = 10;
  for (const ButtonDesign& d : buttons) {
    auto* b = new TSpeedButton(this);
    b->SetBounds(left, 112, 33, 24);
    b->SetGlyph(QStringLiteral(":/glyphs/%1.svg").arg(QLatin1String(d.glyph)));
    b->SetHint(QString::fromUtf8(d.hint));
    const auto click = d.click;
    b->OnClick = [this, click] { (this->*click)(); };
    *d.button = b;
    left += 37;
  }
  sbtnMusicClose = new TSpeedButton(this);
  sbtnMusicClose->SetBounds(256, 1, 16, 13);
  sbtnMusicClose->SetGlyph(QStringLiteral(":/glyphs/close.svg"));
  sbtnMusicClose->SetHint(QStringLiteral("关闭"));
  sbtnMusicClose->OnClick = [this] { sbtnMusicCloseClick(); };

  MusicListView = new TListView(this, TListView::ViewStyle::Report);
  MusicListView->SetBounds(10, 142, 255, 174);
  MusicListView->SetGridLines(true);
  MusicListView->SetColumnWidths(254, 2);  // "文件名", "路径"
  MusicListView->SetRowPitch(MusicPlayer::RowPitch, MusicPlayer::RowMargin);
  MusicListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MusicListView->setMouseTracking(true);

  pnlPopupMusic = new TPanel(this);
  pnlPopupMusic->SetBounds(0, 0, 72, 42);
  pnlPopupMusic->SetColor(Colors::White);
  SkinImage(pnlPopupMusic, QStringLiteral(":/skin/music_popup.svg"), 0, 0, 72, 42);
  Label2 = new TLabel(pnlPopupMusic, QStringLiteral("删除(&D)"));
  Label2->move(12, 5);
  Label3 = new TLabel(pnlPopupMusic, QStringLiteral("清空(&C)"));
  Label3->move(12, 23);
  for (TLabel* item : {Label2, Label3}) {
    item->SetTransparent(true);
    item->SetFontColor(kItemColor);
    item->SetCursor(TCursor::HandPoint);
    item->setMouseTracking(true);
  }
  pnlPopupMusic->SetVisible(false);

  Timer = new TTimer(this, 1000);

  Player = std::make_unique<MusicPlayer>(
      MusicPlayer::Controls{this, lblMusicName, lblCircle, lblPlayTime, lblPlayingTime, imgGuageBar,
                            imgSoundBar, MusicListView, pnlPopupMusic, Label2, Label3, Timer},
      MusicDevice::Instance());

  // Wiring: every handler forwards to the owner.
  Image1->setMouseTracking(true);
  Image1->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    Image1MouseDown(b, x, y);
  };
  Image1->OnMouseMove = [this](Qt::KeyboardModifiers, int, int) { Image1MouseMove(); };
  Image1->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    Player->BackgroundMouseUp();
  };
  for (TLabel* label : {Label1, lblMusicName, lblCircle, lblPlayTime, lblPlayingTime}) {
    label->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
      Image1MouseDown(b, x, y);
    };
    label->OnMouseMove = [this](Qt::KeyboardModifiers, int, int) { Image1MouseMove(); };
    label->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
      Player->BackgroundMouseUp();
    };
  }
  imgGuageBar->OnMouseDown = [this](Qt::MouseButton, Qt::KeyboardModifiers, int x, int) {
    imgGuageBarMouseDown(x);
  };
  imgGuageBar->OnMouseMove = [this](Qt::KeyboardModifiers, int x, int) { imgGuageBarMouseMove(x); };
  imgGuageBar->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    imgGuageBarMouseUp();
  };
  imgSoundBar->OnMouseDown = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int y) {
    imgSoundBarMouseDown(y);
  };
  imgSoundBar->OnMouseMove = [this](Qt::KeyboardModifiers, int, int y) { imgSoundBarMouseMove(y); };
  imgSoundBar->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    imgSoundBarMouseUp();
  };
  MusicListView->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
    MusicListViewMouseDown(b, x, y);
  };
  MusicListView->OnMouseMove = [this](Qt::KeyboardModifiers, int, int y) {
    MusicListViewMouseMove(y);
  };
  MusicListView->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    MusicListViewMouseUp();
  };
  MusicListView->OnDblClick = [this] { MusicListViewDblClick(); };
  Label2->OnClick = [this] { Label2Click(); };
  Label3->OnClick = [this] { Label3Click(); };
  Label2->OnMouseMove = [this](Qt::KeyboardModifiers, int, int) { Label2MouseMove(); };
  Label3->OnMouseMove = [this](Qt::KeyboardModifiers, int, int) { Label3MouseMove(); };
  Timer->OnTimer = [this] { TimerTimer(); };
  OnKeyDown = [this](int key, Qt::KeyboardModifiers) { FormKeyDown(key); };
}

TMusicPlayerForm::~TMusicPlayerForm() = default;

void TMusicPlayerForm::sbtnOpenClick() {
  Player->OpenFiles();
}
void TMusicPlayerForm::sbtnPlayClick() {
  Player->PlaySelected();
}
void TMusicPlayerForm::MusicListViewDblClick() {
  Player->PlaySelected();
}
void TMusicPlayerForm::sbtnPauseClick() {
  Player->PauseOrResume();
}
void TMusicPlayerForm::sbtnStopClick() {
  Player->Stop();
}
void TMusicPlayerForm::sbtnPrevClick() {
  Player->Previous();
}
void TMusicPlayerForm::sbtnNextClick() {
  Player->Next();
}
void TMusicPlayerForm::sbtnCircleClick() {
  Player->NextMode();
}
void TMusicPlayerForm::sbtnMusicCloseClick() {
  Player->HideWindow();
}
void TMusicPlayerForm::TimerTimer() {
  Player->Tick();
}
void TMusicPlayerForm::Image1MouseDown(Qt::MouseButton button, int x, int y) {
  Player->BackgroundMouseDown(button, x, y);
}
void TMusicPlayerForm::Image1MouseMove() {
  Player->BackgroundMouseMove();
}
void TMusicPlayerForm::imgGuageBarMouseDown(int x) {
  Player->GaugeMouseDown(x);
}
void TMusicPlayerForm::imgGuageBarMouseMove(int x) {
  Player->GaugeMouseMove(x);
}
void TMusicPlayerForm::imgGuageBarMouseUp() {
  Player->GaugeMouseUp();
}
void TMusicPlayerForm::imgSoundBarMouseDown(int y) {
  Player->VolumeMouseDown(y);
}
void TMusicPlayerForm::imgSoundBarMouseMove(int y) {
  Player->VolumeMouseMove(y);
}
void TMusicPlayerForm::imgSoundBarMouseUp() {
  Player->VolumeMouseUp();
}
void TMusicPlayerForm::MusicListViewMouseDown(Qt::MouseButton button, int x, int y) {
  Player->ListMouseDown(button, x, y);
}
void TMusicPlayerForm::MusicListViewMouseMove(int y) {
  Player->ListMouseMove(y);
}
void TMusicPlayerForm::MusicListViewMouseUp() {
  Player->ListMouseUp();
}
void TMusicPlayerForm::Label2Click() {
  Player->DeleteEntry();
}
void TMusicPlayerForm::Label3Click() {
  Player->ClearList();
}
void TMusicPlayerForm::Label2MouseMove() {
  Player->PopupHover(Label2);
}
void TMusicPlayerForm::Label3MouseMove() {
  Player->PopupHover(Label3);
}
void TMusicPlayerForm::FormKeyDown(int key) {
  if (key == 27) Player->HideWindow();
}
