// The music player's rules, driven through its owner with the real music device on SDL's
// dummy audio driver (which plays in real time), on short tracks the tests write
// themselves. The window is built but not shown; the end of a track is reached by placing
// the thumb at its end and calling the tick by name, and a few tracks play through.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "RecordingDialogs.h"
#include "TestFiles.h"
#include "controls/Random.h"
#include "controls/TApplication.h"
#include "music/MusicPlayerForm.h"
#include "platform/MusicDevice.h"
#include "platform/SoundFiles.h"

namespace {

const bool kDriverChosen = [] {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

// Waits for a condition while the audio thread plays and events run. The limit only keeps
// a broken device from hanging the run; nothing is measured.
bool WaitFor(const std::function<bool()>& condition, int limitMs = 20000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

class MusicPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MusicDevice::Instance().SetVolume(MusicDevice::FullVolume);
    form_ = std::make_unique<TMusicPlayerForm>(nullptr);
    ResetRandom();
  }
  void TearDown() override {
    form_.reset();
    MusicDevice::Instance().SetVolume(MusicDevice::FullVolume);
  }

  MusicPlayer& Player() { return *form_->Player; }
  TListView* List() { return form_->MusicListView; }
  MusicDevice& Device() { return MusicDevice::Instance(); }

  // A WAV of its own level per track, so that tracks can be told apart.
  QString Wav(const QString& name, int ms = 3000, qint16 level = 100) {
    return files_.WriteBytes(name, SoundFiles::Wav(ms, level, 8000, 1));
  }
  // Entries for the given files, added as the open dialog adds them.
  void Open(const QStringList& paths) {
    Dialogs::FileResult answer;
    answer.accepted = true;
    answer.paths = paths;
    dialogs_.fileAnswers.push_back(answer);
    Player().OpenFiles();
  }
  QStringList Tracks(int n) {
    QStringList paths;
    for (int i = 0; i < n; ++i)
      paths << Wav(QStringLiteral("track %1.wav").arg(i), 3000, qint16(100 + i));
    return paths;
  }
  void PlayEntry(int index) {
    List()->SelectAndFocus(index);
    Player().PlaySelected();
  }
  // The end of the track as the tick sees it.
  void EndTrack() {
    form_->imgGuageBar->SetLeft(MusicPlayer::GaugeEnd);
    form_->TimerTimer();
  }
  QString Texts() const {
    return form_->lblMusicName->Caption() + "|" + form_->lblPlayTime->Caption() + "|" +
           form_->lblPlayingTime->Caption();
  }
  QStringList Errors() const {
    QStringList texts;
    for (const auto& m : dialogs_.messages) texts << m.text;
    return texts;
  }

  RecordingDialogs dialogs_;
  TestFiles files_;
  std::unique_ptr<TMusicPlayerForm> form_;
};

}  // namespace

TEST_F(MusicPlayerTest, StartsAsDesigned) {
  EXPECT_EQ(form_->windowTitle(), "Music Player 1.1");
  EXPECT_EQ(form_->size(), QSize(275, 323));
  EXPECT_EQ(form_->lblMusicName->Caption(), QString(28, ' ') + "音乐播放器");
  EXPECT_EQ(form_->lblCircle->Caption(), "全部循环");
  EXPECT_EQ(form_->lblPlayTime->Caption(), "00:00:00");
  EXPECT_EQ(form_->lblPlayingTime->Caption(), "00:00:00");
  EXPECT_EQ(form_->imgGuageBar->Left(), 16);
  EXPECT_EQ(form_->imgSoundBar->Top(), 14);  // the device starts at full volume
  EXPECT_FALSE(form_->Timer->Enabled());
  EXPECT_EQ(form_->Timer->Interval(), 1000);
  EXPECT_FALSE(form_->pnlPopupMusic->Visible());
  EXPECT_TRUE(Player().CurMusicFile.isEmpty());
  EXPECT_EQ(Player().CurTrack, 0);
  // Hints say what the controls are.
  const std::pair<QWidget*, const char*> hints[] = {
      {form_->lblCircle, "播放方式"},      {form_->lblPlayTime, "总时间"},
      {form_->lblPlayingTime, "播放时间"}, {form_->sbtnPrev, "上一首"},
      {form_->sbtnPlay, "播放"},           {form_->sbtnPause, "暂停"},
      {form_->sbtnStop, "停止"},           {form_->sbtnNext, "下一首"},
      {form_->sbtnOpen, "打开"},           {form_->sbtnCircle, "播放模式"}};
  for (const auto& [control, hint] : hints) EXPECT_EQ(control->toolTip(), QString::fromUtf8(hint));
  // The mode cycle, round and round.
  QStringList modes;
  for (int i = 0; i < 5; ++i) {
    form_->sbtnCircleClick();
    modes << form_->lblCircle->Caption();
  }
  EXPECT_EQ(modes, QStringList({"单曲循环", "随机播放", "单曲播放", "全部循环", "单曲循环"}));
}

TEST_F(MusicPlayerTest, OpenFilesAppendsInTheDialogsOrderAndPlaysNothing) {
  const QStringList paths = {Wav("b.wav"), Wav("a.wav"),
                             files_.WriteBytes("c.mp3", SoundFiles::SilentMp3(4))};
  Open(paths.mid(0, 2));
  Open(paths.mid(2));
  ASSERT_EQ(List()->Count(), 3);
  const QString folder = files_.Folder() + "/";
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(List()->Caption(i), QFileInfo(paths[i]).fileName());
    EXPECT_EQ(List()->SubItem(i), folder);
  }
  EXPECT_EQ(Player().CurMusicFile, paths[2]);
  EXPECT_FALSE(Player().FileOpen());
  EXPECT_FALSE(form_->Timer->Enabled());
  // A cancelled dialog adds nothing.
  Player().OpenFiles();
  EXPECT_EQ(List()->Count(), 3);
}

TEST_F(MusicPlayerTest, PlaySelectedShowsTheTrack) {
  // 1 500 ms shows as one second: whole seconds, truncated.
  Open({Wav("one and a half.wav", 1500)});
  form_->imgGuageBar->SetLeft(120);
  form_->sbtnPlayClick();
  EXPECT_FALSE(Player().FileOpen()) << "nothing selected, nothing plays";
  PlayEntry(0);
  EXPECT_TRUE(Player().FileOpen());
  EXPECT_EQ(Player().PlayerFileName(), files_.Path("one and a half.wav"));
  EXPECT_EQ(form_->lblMusicName->Caption(), "one and a half.wav  ");
  EXPECT_EQ(form_->lblPlayTime->Caption(), "00:00:01");
  EXPECT_EQ(form_->imgGuageBar->Left(), 16);
  EXPECT_TRUE(form_->Timer->Enabled());
  // Pause holds the position through ticks and the timer runs on.
  ASSERT_TRUE(WaitFor([&] { return Device().Position() >= 100; }));
  form_->sbtnPauseClick();
  EXPECT_TRUE(Device().IsPaused());
  form_->TimerTimer();
  const QString held = form_->lblPlayingTime->Caption();
  const qint64 at = Device().Position();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(Device().Position(), at);
  EXPECT_TRUE(form_->Timer->Enabled());
  form_->sbtnPauseClick();
  EXPECT_FALSE(Device().IsPaused());
  // Stop: idle, the length label kept.
  form_->sbtnStopClick();
  EXPECT_FALSE(Player().FileOpen());
  EXPECT_FALSE(form_->Timer->Enabled());
  EXPECT_EQ(form_->lblPlayTime->Caption(), "00:00:01");
  EXPECT_EQ(form_->lblPlayingTime->Caption(), "00:00:00");
  EXPECT_EQ(form_->imgGuageBar->Left(), 16);
  EXPECT_EQ(held, "00:00:00");
}

TEST_F(MusicPlayerTest, TimesAndThumbPlaces) {
  const struct {
    qint64 ms;
    const char* text;
  } times[] = {{0, "00:00:00"},     {999, "00:00:00"},     {1500, "00:00:01"},
               {59999, "00:00:59"}, {3723000, "01:02:03"}, {36000000, "10:00:00"},
               {-5, "00:00:00"}};
  for (const auto& t : times) EXPECT_EQ(MusicPlayer::FormatTime(t.ms), t.text) << t.ms;
  // The thumb of a long track: 3 h times 220 does not fit in 32 bits.
  const qint64 threeHours = qint64(3) * 3600 * 1000;
  const struct {
    qint64 position, length;
    int left;
  } places[] = {{0, 2000, 16},
                {1000, 2000, 126},
                {1999, 2000, 235},
                {2000, 2000, 236},
                {threeHours - 1, threeHours, 235},
                {threeHours, threeHours, 236},
                {threeHours / 2, threeHours, 126},
                {100, 0, 16}};
  for (const auto& p : places)
    EXPECT_EQ(MusicPlayer::GaugeLeft(p.position, p.length), p.left)
        << p.position << "/" << p.length;
  EXPECT_EQ(MusicPlayer::SeekStart(threeHours, 236), threeHours);
  EXPECT_EQ(MusicPlayer::SeekStart(threeHours, 126), threeHours / 2);
  EXPECT_EQ(MusicPlayer::SeekStart(2000, 16), 0);
}

TEST_F(MusicPlayerTest, EndOfTrackFollowsTheMode) {
  const QStringList paths = Tracks(3);
  const struct {
    const char* mode;  // nullptr: the list has been cleared
    int track;         // the entry playing afterwards; -1: none started
  } cases[] = {{"全部循环", 0}, {"单曲循环", 2}, {"单曲播放", -1}, {nullptr, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode ? c.mode : "list cleared");
    List()->Clear();
    Open(paths);
    PlayEntry(2);
    ASSERT_EQ(Player().CurTrack, 2);
    if (c.mode)
      form_->lblCircle->SetCaption(QString::fromUtf8(c.mode));
    else
      form_->Label3Click();
    EndTrack();
    if (c.track >= 0) {
      EXPECT_EQ(Player().CurTrack, c.track);
      EXPECT_EQ(Player().PlayerFileName(), paths[c.track]);
      EXPECT_EQ(List()->Selected(), c.track);
      EXPECT_TRUE(form_->Timer->Enabled());
      EXPECT_LT(form_->imgGuageBar->Left(), 236);
    } else if (c.mode) {
      // Single play: stops after the track, the device stays open.
      EXPECT_FALSE(form_->Timer->Enabled());
      EXPECT_EQ(form_->lblPlayingTime->Caption(), "00:00:00");
      EXPECT_TRUE(Player().FileOpen());
      EXPECT_EQ(Player().PlayerFileName(), paths[2]);
      EXPECT_EQ(form_->imgGuageBar->Left(), 16);
    } else {
      EXPECT_FALSE(form_->Timer->Enabled());
      EXPECT_TRUE(Player().CurMusicFile.isEmpty());
      EXPECT_FALSE(Player().FileOpen());
      EXPECT_EQ(Texts(), QString(29, ' ') + "音乐播放器|00:00:00|00:00:00");
      EXPECT_EQ(form_->imgGuageBar->Left(), 16);
    }
  }
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(MusicPlayerTest, RandomModeChoosesEveryEntryEvenly) {
  const QStringList paths = Tracks(2);
  Open(paths);
  PlayEntry(0);
  form_->lblCircle->SetCaption("随机播放");
  int counts[2] = {0, 0};
  for (int i = 0; i < 200; ++i) {
    EndTrack();
    ASSERT_TRUE(Player().CurTrack == 0 || Player().CurTrack == 1) << Player().CurTrack;
    ASSERT_EQ(Player().PlayerFileName(), paths[Player().CurTrack]);
    ++counts[Player().CurTrack];
  }
  EXPECT_GE(counts[0], 70);
  EXPECT_LE(counts[0], 130);
  EXPECT_EQ(counts[0] + counts[1], 200);
}

TEST_F(MusicPlayerTest, NavigationAtTheEdgesOfTheList) {
  const QStringList paths = Tracks(4);
  Open(paths);
  // Previous on the first entry: nothing.
  PlayEntry(0);
  const QString name = form_->lblMusicName->Caption();
  ASSERT_TRUE(WaitFor([&] { return Device().Position() >= 100; }));
  form_->sbtnPrevClick();
  EXPECT_EQ(Player().CurTrack, 0);
  EXPECT_GE(Device().Position(), 100) << "the track was started again";
  EXPECT_EQ(form_->lblMusicName->Caption(), name);
  // Previous and next step by one.
  form_->sbtnNextClick();
  form_->sbtnNextClick();
  EXPECT_EQ(Player().CurTrack, 2);
  form_->sbtnPrevClick();
  EXPECT_EQ(Player().CurTrack, 1);
  EXPECT_EQ(Player().PlayerFileName(), paths[1]);
  // Next on the last entry plays the first.
  PlayEntry(3);
  form_->sbtnNextClick();
  EXPECT_EQ(Player().CurTrack, 0);
  EXPECT_EQ(Player().PlayerFileName(), paths[0]);
  // Deleting an entry above the playing one keeps Next on the entry after the playing one.
  PlayEntry(2);
  List()->SelectAndFocus(0);
  form_->Label2Click();
  EXPECT_EQ(Player().CurTrack, 1);
  EXPECT_EQ(List()->Count(), 3);
  EXPECT_EQ(Player().PlayerFileName(), paths[2]) << "playback goes on";
  form_->sbtnNextClick();
  EXPECT_EQ(Player().PlayerFileName(), paths[3]);
  // The playing first entry deleted: CurTrack -1, Next starts at the first entry and
  // Previous does nothing.
  PlayEntry(0);
  List()->SelectAndFocus(0);
  form_->Label2Click();
  EXPECT_EQ(Player().CurTrack, -1);
  form_->sbtnPrevClick();
  EXPECT_EQ(Player().CurTrack, -1);
  form_->sbtnNextClick();
  EXPECT_EQ(Player().CurTrack, 0);
  EXPECT_EQ(Player().PlayerFileName(), files_.Folder() + "/" + List()->Caption(0));
  // Nothing open: Next and Previous do nothing.
  form_->sbtnStopClick();
  form_->sbtnNextClick();
  form_->sbtnPrevClick();
  EXPECT_FALSE(Player().FileOpen());
  EXPECT_EQ(Player().CurTrack, 0);
}

TEST_F(MusicPlayerTest, ListDragMovesOnePlacePerRow) {
  const QStringList paths = Tracks(4);
  auto rowY = [](int row) { return 2 + 14 * row + 7; };
  auto captions = [&] {
    QStringList out;
    for (int i = 0; i < List()->Count(); ++i) out << List()->Caption(i);
    return out;
  };
  const QStringList start = {"track 0.wav", "track 1.wav", "track 2.wav", "track 3.wav"};
  const struct {
    const char* name;
    int row;
    std::vector<int> moves;  // rows the mouse moves to, one move each
    QStringList expected;
    int selected;
  } cases[] = {
      {"first up", 0, {-1, -2}, start, 0},
      {"last down", 3, {4, 5}, start, 3},
      {"two steps down",
       0,
       {1, 2},
       {"track 1.wav", "track 2.wav", "track 0.wav", "track 3.wav"},
       2},
      {"a jump moves one place",
       0,
       {3, 3},
       {"track 1.wav", "track 0.wav", "track 2.wav", "track 3.wav"},
       1},
      {"down and back", 1, {2, 1}, start, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    List()->Clear();
    Open(paths);
    PlayEntry(1);
    List()->SelectAndFocus(c.row);
    form_->MusicListViewMouseDown(Qt::LeftButton, 20, rowY(c.row));
    EXPECT_TRUE(Player().ListDragging());
    for (int row : c.moves) form_->MusicListViewMouseMove(rowY(row));
    form_->MusicListViewMouseUp();
    EXPECT_FALSE(Player().ListDragging());
    EXPECT_EQ(captions(), c.expected);
    EXPECT_EQ(List()->Selected(), c.selected);
    EXPECT_EQ(List()->Focused(), c.selected);
    for (int i = 0; i < List()->Count(); ++i) EXPECT_EQ(List()->SubItem(i), files_.Folder() + "/");
    EXPECT_EQ(Player().CurTrack, 1);
    EXPECT_EQ(Player().PlayerFileName(), paths[1]);
  }
  // The row of a Y just above the first row is row 0 (truncating division): no move.
  List()->Clear();
  Open(paths);
  List()->SelectAndFocus(0);
  form_->MusicListViewMouseDown(Qt::LeftButton, 20, 3);
  form_->MusicListViewMouseMove(0);
  EXPECT_EQ(captions(), start);
  // A move over the skin ends the drag.
  form_->Image1MouseMove();
  EXPECT_FALSE(Player().ListDragging());
  form_->MusicListViewMouseMove(rowY(2));
  EXPECT_EQ(captions(), start);
}

// A double click on a track the device refuses opens the error report while the second
// press is still down: the report takes the mouse-up, and the list must not go on moving
// the entry under a mouse that holds no button.
TEST_F(MusicPlayerTest, AFailedPlayEndsTheListDrag) {
  auto rowY = [](int row) { return 2 + 14 * row + 7; };
  const QStringList paths = {Wav("good.wav"), files_.WriteBytes("empty.wav", QByteArray()),
                             Wav("other.wav")};
  const QStringList start = {"good.wav", "empty.wav", "other.wav"};
  auto captions = [&] {
    QStringList out;
    for (int i = 0; i < List()->Count(); ++i) out << List()->Caption(i);
    return out;
  };
  Open(paths);
  List()->SelectAndFocus(1);
  form_->MusicListViewMouseDown(Qt::LeftButton, 20, rowY(1));
  form_->MusicListViewDblClick();
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_FALSE(Player().ListDragging());
  form_->MusicListViewMouseMove(rowY(2));
  EXPECT_EQ(captions().join('|'), start.join('|'));
  EXPECT_EQ(List()->Selected(), 1);
}

// A left press on the skin moves the window, but not when the press put up an error
// report: the report took its mouse-up, and the window would follow a mouse that holds no
// button.
TEST_F(MusicPlayerTest, ALeftPressMovesTheWindowUnlessItReportedAnError) {
  const struct {
    const char* name;
    bool open;  // a track is open when the press comes
    int x, y;
    bool reported;
  } cases[] = {
      {"seek with a track open", true, 126, 100, false},
      {"seek with nothing open", false, 126, 100, true},
      {"skin beside the tracks", false, 150, 300, false},
      {"volume track", false, 250, 42, false},
  };
  const QString track = Wav("track.wav");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    List()->Clear();
    dialogs_.messages.clear();
    form_->EndMove();
    if (c.open) {
      Open({track});
      PlayEntry(0);
    } else {
      form_->sbtnStopClick();
    }
    ASSERT_EQ(Player().FileOpen(), c.open);
    form_->Image1MouseDown(Qt::LeftButton, c.x, c.y);
    EXPECT_EQ(dialogs_.messages.size(), c.reported ? 1u : 0u);
    EXPECT_EQ(form_->FollowingMouse(), !c.reported);
  }
}

TEST_F(MusicPlayerTest, ContextPanel) {
  Open(Tracks(2));
  // Nothing selected: no panel.
  form_->MusicListViewMouseDown(Qt::RightButton, 30, 20);
  EXPECT_FALSE(form_->pnlPopupMusic->Visible());
  List()->SelectAndFocus(1);
  form_->MusicListViewMouseDown(Qt::RightButton, 30, 20);
  EXPECT_TRUE(form_->pnlPopupMusic->Visible());
  EXPECT_EQ(form_->pnlPopupMusic->pos(), QPoint(38, form_->MusicListView->Top() + 20));
  form_->Label3MouseMove();
  EXPECT_EQ(form_->Label3->FontColor(), RGBColor(0, 0, 255));
  EXPECT_EQ(form_->Label2->FontColor(), RGBColor(0, 128, 128));
  form_->Label2MouseMove();
  EXPECT_EQ(form_->Label2->FontColor(), RGBColor(0, 0, 255));
  EXPECT_EQ(form_->Label3->FontColor(), RGBColor(0, 128, 128));
  // A press on the skin hides it.
  form_->Image1MouseDown(Qt::RightButton, 150, 300);
  EXPECT_FALSE(form_->pnlPopupMusic->Visible());
  // Clearing keeps CurTrack and the track playing.
  PlayEntry(1);
  form_->MusicListViewMouseDown(Qt::RightButton, 30, 20);
  form_->Label3Click();
  EXPECT_FALSE(form_->pnlPopupMusic->Visible());
  EXPECT_EQ(List()->Count(), 0);
  EXPECT_EQ(Player().CurTrack, 1);
  EXPECT_TRUE(Player().FileOpen());
  // Deleting with nothing selected does nothing.
  form_->Label2Click();
  EXPECT_EQ(Player().CurTrack, 1);
}

TEST_F(MusicPlayerTest, VolumeThumb) {
  const struct {
    const char* name;
    std::function<void()> act;
    int top, level;
    quint32 value;
  } cases[] = {
      {"press at Y 42", [&] { form_->Image1MouseDown(Qt::RightButton, 250, 42); }, 42, 128,
       0x80008000u},
      {"dragged far above",
       [&] {
         form_->imgSoundBarMouseDown(5);
         form_->imgSoundBarMouseMove(-20 - form_->imgSoundBar->Top());
         form_->imgSoundBarMouseUp();
       },
       14, 255, 0xFF00FF00u},
      {"dragged far below",
       [&] {
         form_->imgSoundBarMouseDown(5);
         form_->imgSoundBarMouseMove(200);
         form_->imgSoundBarMouseUp();
       },
       70, 0, 0u},
      {"press below the thumb's range", [&] { form_->Image1MouseDown(Qt::RightButton, 272, 81); },
       70, 0, 0u},
      {"press at the top", [&] { form_->Image1MouseDown(Qt::RightButton, 242, 14); }, 14, 255,
       0xFF00FF00u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.act();
    EXPECT_EQ(form_->imgSoundBar->Top(), c.top);
    EXPECT_EQ(MusicPlayer::VolumeLevel(form_->imgSoundBar->Top()), c.level);
    EXPECT_EQ(Player().DeviceVolume(), c.value);
    EXPECT_FALSE(Player().VolumeDragging());
  }
  // Moves without a press do nothing.
  form_->imgSoundBarMouseMove(30);
  EXPECT_EQ(form_->imgSoundBar->Top(), 14);
  // A new window places the thumb from the device's volume: b = 128 gives Top 41.
  Device().SetVolume(MusicPlayer::DeviceValue(128));
  form_.reset();
  form_ = std::make_unique<TMusicPlayerForm>(nullptr);
  EXPECT_EQ(form_->imgSoundBar->Top(), (255 - 128) * 56 / 255 + 14);
}

TEST_F(MusicPlayerTest, SeekWithTheTrackThumb) {
  const QString path = files_.WriteBytes("seek.mp3", SoundFiles::SilentMp3(77));  // 2 011 ms
  Open({path});
  PlayEntry(0);
  const qint64 length = Device().Length();
  ASSERT_GT(length, 1900);
  const struct {
    int x;
    int left;
    qint64 start;
  } cases[] = {{16, 16, 0}, {126, 126, length / 2}, {266, 236, length}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    form_->Timer->SetEnabled(false);
    form_->Image1MouseDown(Qt::RightButton, c.x, 100);
    EXPECT_EQ(form_->imgGuageBar->Left(), c.left);
    EXPECT_TRUE(form_->Timer->Enabled());
    const qint64 at = Device().Position();
    EXPECT_GE(at, c.start - 27);  // lands on the MPEG frame of the start
    EXPECT_LE(at, c.start);
  }
  EXPECT_TRUE(Device().HasEnded());
  // The seek to the end ends the track at the next tick: the list's only entry again.
  form_->TimerTimer();
  EXPECT_FALSE(Device().HasEnded());
  EXPECT_LT(Device().Position(), 500);
  EXPECT_LT(form_->imgGuageBar->Left(), 236);
  // Dragging the thumb: the timer waits, the thumb stays on its track, the release plays
  // from there.
  form_->imgGuageBarMouseDown(10);
  EXPECT_FALSE(form_->Timer->Enabled());
  form_->imgGuageBarMouseMove(10 + 500);
  EXPECT_EQ(form_->imgGuageBar->Left(), 236);
  form_->imgGuageBarMouseMove(10 - 1000);
  EXPECT_EQ(form_->imgGuageBar->Left(), 16);
  form_->imgGuageBarMouseMove(10 + 110);
  EXPECT_EQ(form_->imgGuageBar->Left(), 126);
  form_->imgGuageBarMouseUp();
  EXPECT_TRUE(form_->Timer->Enabled());
  EXPECT_GE(Device().Position(), length / 2 - 27);
  // With nothing open the release only ends the drag.
  form_->sbtnStopClick();
  form_->imgGuageBarMouseDown(0);
  form_->imgGuageBarMouseMove(50);
  form_->imgGuageBarMouseUp();
  EXPECT_EQ(form_->imgGuageBar->Left(), 66);
  EXPECT_FALSE(form_->Timer->Enabled());
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(MusicPlayerTest, TracksPlayToTheirEndAndTheTickMovesOn) {
  const QStringList paths = {files_.WriteBytes("short.mp3", SoundFiles::SilentMp3(20)),
                             Wav("short.wav", 500), Wav("after.wav", 3000)};
  Open(paths);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(paths[i].toStdString());
    PlayEntry(i);
    const qint64 length = Device().Length();
    ASSERT_TRUE(WaitFor([&] { return Device().HasEnded(); }));
    EXPECT_EQ(Device().Position(), length);
    // The timer's own ticks: the first puts the thumb at the end, the next plays on.
    ASSERT_TRUE(WaitFor([&] { return Player().CurTrack == i + 1; }, 5000));
    EXPECT_EQ(Player().PlayerFileName(), paths[i + 1]);
  }
}

TEST_F(MusicPlayerTest, MidiTracks) {
  const QStringList paths = {
      files_.WriteBytes("song.mid", SoundFiles::TwoTempoSong(1)),
      files_.WriteBytes("song.rmi", SoundFiles::Rmid(SoundFiles::TwoTempoSong(0)))};
  Open(paths);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(paths[i].toStdString());
    PlayEntry(i);
    ASSERT_TRUE(Player().FileOpen());
    EXPECT_EQ(Device().Length(), 1500);
    EXPECT_EQ(form_->lblPlayTime->Caption(), "00:00:01");
    ASSERT_TRUE(WaitFor([&] { return Device().Position() >= 800; }));
    form_->TimerTimer();
    const int left = form_->imgGuageBar->Left();
    EXPECT_GT(left, 16 + 220 * 700 / 1500);
    // Paused, the position holds.
    form_->sbtnPauseClick();
    const qint64 held = Device().Position();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    form_->TimerTimer();
    EXPECT_EQ(Device().Position(), held);
    form_->sbtnPauseClick();
    // A seek plays the song from its start.
    form_->Image1MouseDown(Qt::RightButton, 126, 100);
    EXPECT_LT(Device().Position(), 500);
  }
}

TEST_F(MusicPlayerTest, FailuresGoToTheErrorReport) {
  const QString good = Wav("good.wav", 3000);
  const QString nowhere = files_.Path("no such folder/font.sf2");
  const struct {
    const char* name;
    QByteArray bytes;
    const char* reason;  // nullptr: the library's own reason
    bool noSoundFont;
  } cases[] = {
      {"text.mp3", QByteArray("Only words, no music.\n").repeated(40), nullptr, false},
      {"empty.wav", QByteArray(), "文件是空的", false},
      {"gsm.wav", SoundFiles::GsmWav(), "Unknown WAVE data format", false},
      {"song.mid", SoundFiles::TwoTempoSong(0), "没有找到MIDI音色库（SoundFont）", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    List()->Clear();
    dialogs_.messages.clear();
    Open({good, files_.WriteBytes(QString::fromUtf8(c.name), c.bytes)});
    PlayEntry(0);
    form_->TimerTimer();
    const QString texts = Texts();
    if (c.noSoundFont) {
      setenv("SDL_SOUNDFONTS", QFile::encodeName(nowhere).constData(), 1);
      setenv("SDL_FORCE_SOUNDFONTS", "1", 1);
    }
    PlayEntry(1);
    unsetenv("SDL_SOUNDFONTS");
    unsetenv("SDL_FORCE_SOUNDFONTS");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    const auto& shown = dialogs_.messages[0];
    EXPECT_EQ(shown.icon, Dialogs::Icon::Error);
    EXPECT_EQ(shown.title, TApplication::Title());
    const QString prefix = QStringLiteral("无法播放“%1”：").arg(QString::fromUtf8(c.name));
    ASSERT_TRUE(shown.text.startsWith(prefix)) << shown.text.toStdString();
    if (c.reason) {
      EXPECT_EQ(shown.text, prefix + QString::fromUtf8(c.reason) + ".");
    }
    // The track before is closed, nothing is open, the labels keep their texts.
    EXPECT_FALSE(Player().FileOpen());
    EXPECT_TRUE(Player().PlayerFileName().isEmpty());
    EXPECT_EQ(Texts(), texts);
    EXPECT_EQ(Player().CurTrack, 0);
    // Ticks, Pause and Stop do nothing now.
    form_->TimerTimer();
    form_->sbtnPauseClick();
    form_->sbtnStopClick();
    EXPECT_EQ(Texts(), texts);
    EXPECT_EQ(dialogs_.messages.size(), 1u);
  }
  // A seek click with nothing open: the device says so; the thumb stays where it was put.
  dialogs_.messages.clear();
  form_->Image1MouseDown(Qt::RightButton, 126, 100);
  ASSERT_EQ(Errors(), QStringList({"没有打开的音乐文件."}));
  EXPECT_EQ(form_->imgGuageBar->Left(), 126);
  EXPECT_FALSE(Player().FileOpen());
}

TEST_F(MusicPlayerTest, EscAndCloseHideTheWindowAndTheMusicGoesOn) {
  Open(Tracks(1));
  PlayEntry(0);
  form_->Show();
  form_->FormKeyDown(27);
  EXPECT_FALSE(form_->isVisible());
  form_->Show();
  form_->sbtnMusicCloseClick();
  EXPECT_FALSE(form_->isVisible());
  EXPECT_TRUE(Player().FileOpen());
  EXPECT_FALSE(Device().IsPaused());
  EXPECT_TRUE(form_->Timer->Enabled());
  // The output goes with the window.
  form_.reset();
  EXPECT_FALSE(Device().IsOutputOpen());
}
