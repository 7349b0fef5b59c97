// The music player window among the program's windows: opened from the Tools menu, driven
// with real mouse and key events on the Xvfb display (rows, thumbs and the skin where the
// user sees them), with the real music device on SDL's dummy driver.
#include <QCursor>
#include <QFileInfo>
#include <cstdlib>

#include "FormsTest.h"
#include "platform/MusicDevice.h"
#include "platform/SoundFiles.h"

namespace {

const bool kDriverChosen = [] {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

// A mouse event sent where the window system would deliver it.
void Send(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

}  // namespace

class MusicPlayerWindowTest : public FormsTest {
 protected:
  void SetUp() override {
    pointerBefore_ = QCursor::pos();
    FormsTest::SetUp();
  }
  void TearDown() override {
    FormsTest::TearDown();
    QCursor::setPos(pointerBefore_);
    MusicDevice::Instance().SetVolume(MusicDevice::FullVolume);
  }

  // Opens the player from the Tools menu with the given files in its list.
  TMusicPlayerForm* OpenPlayer(const QStringList& paths) {
    menuToolForm->Label3Click();
    TMusicPlayerForm* player = MusicPlayerForm;
    EXPECT_TRUE(QTest::qWaitForWindowExposed(player));
    Dialogs::FileResult answer;
    answer.accepted = true;
    answer.paths = paths;
    dialogs.fileAnswers.push_back(answer);
    QTest::mouseClick(player->sbtnOpen, Qt::LeftButton);
    return player;
  }
  QStringList Tracks(int n) {
    QStringList paths;
    for (int i = 0; i < n; ++i)
      paths << files.WriteBytes(QStringLiteral("track %1.wav").arg(i),
                                SoundFiles::Wav(3000, qint16(100 + i), 8000, 1));
    return paths;
  }
  // The centre of a row, in the list's viewport (where its mouse events arrive).
  static QPoint RowCentre(TListView* list, int row) {
    return list->visualItemRect(list->item(row)).center();
  }

 private:
  QPoint pointerBefore_;
};

TEST_F(MusicPlayerWindowTest, ToolsMenuShowsTheSkinnedWindowNotModally) {
  EXPECT_EQ(menuToolForm->Label3->Caption().trimmed(), "播放音乐(&M)");
  EXPECT_FALSE(MusicPlayerForm->isVisible());
  menuToolForm->Label3Click();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(MusicPlayerForm));
  EXPECT_TRUE(dialogs.modals.empty());
  EXPECT_FALSE(MusicPlayerForm->isModal());
  EXPECT_TRUE(MusicPlayerForm->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(MusicPlayerForm->windowTitle(), "Music Player 1.1");
  EXPECT_EQ(MusicPlayerForm->size(), QSize(275, 323));
  EXPECT_EQ(MusicPlayerForm->Image1->geometry(), QRect(0, 0, 275, 323));
  // The open dialog: one filter entry, several files that must exist.
  dialogs.fileAnswers.clear();
  QTest::mouseClick(MusicPlayerForm->sbtnOpen, Qt::LeftButton);
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  const Dialogs::FileRequest& request = dialogs.fileRequests[0];
  ASSERT_EQ(request.filters.size(), 1);
  EXPECT_EQ(request.filters[0].description, "All (*.mp3;*.wav;mid)");
  EXPECT_EQ(request.filters[0].patterns, "*.mp3;*.wav;*.mid");
  EXPECT_TRUE(request.multiSelect);
  EXPECT_TRUE(request.fileMustExist);
  EXPECT_FALSE(request.save);
}

TEST_F(MusicPlayerWindowTest, RowsOnScreenAreTheRowsOfTheDragRule) {
  TMusicPlayerForm* player = OpenPlayer(Tracks(5));
  TListView* list = player->MusicListView;
  ASSERT_EQ(list->Count(), 5);
  EXPECT_EQ(list->SubItem(0), files.Folder() + "/");
  for (int row = 0; row < 5; ++row) {
    // In the list's own coordinates, as its mouse handlers get them.
    const QRect r = list->visualItemRect(list->item(row)).translated(list->viewport()->pos());
    EXPECT_EQ(r.top(), 2 + 14 * row);
    EXPECT_EQ(r.height(), 14);
  }
  // A press on row 0 and moves over rows 1 and 2 with the button held move it two places.
  QWidget* viewport = list->viewport();
  const QPoint press = RowCentre(list, 0);
  Send(viewport, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(player->Player->ListDragging());
  Send(viewport, QEvent::MouseMove, RowCentre(list, 1), Qt::NoButton, Qt::LeftButton);
  Send(viewport, QEvent::MouseMove, RowCentre(list, 2), Qt::NoButton, Qt::LeftButton);
  Send(viewport, QEvent::MouseButtonRelease, RowCentre(list, 2), Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(player->Player->ListDragging());
  QStringList captions;
  for (int i = 0; i < list->Count(); ++i) captions << list->Caption(i);
  EXPECT_EQ(captions, QStringList({"track 1.wav", "track 2.wav", "track 0.wav", "track 3.wav",
                                   "track 4.wav"}));
  EXPECT_EQ(list->Selected(), 2);
  EXPECT_EQ(list->Focused(), 2);
  // A right press on a row: the context panel at X + 8, list top + Y.
  const QPoint right = RowCentre(list, 3);
  Send(viewport, QEvent::MouseButtonPress, right, Qt::RightButton, Qt::RightButton);
  Send(viewport, QEvent::MouseButtonRelease, right, Qt::RightButton, Qt::NoButton);
  ASSERT_TRUE(player->pnlPopupMusic->isVisible());
  const QPoint inList = right + viewport->pos();
  EXPECT_EQ(player->pnlPopupMusic->pos(), QPoint(inList.x() + 8, list->y() + inList.y()));
  // Delete from the panel.
  QTest::mouseClick(player->Label2, Qt::LeftButton);
  EXPECT_FALSE(player->pnlPopupMusic->isVisible());
  EXPECT_EQ(list->Count(), 4);
  EXPECT_EQ(list->IndexOfCaption("track 3.wav"), -1);
}

TEST_F(MusicPlayerWindowTest, DoubleClickPlaysAndTheSkinSeeksAndSetsTheVolume) {
  const QString mp3 = files.WriteBytes("seek.mp3", SoundFiles::SilentMp3(77));
  TMusicPlayerForm* player = OpenPlayer({mp3});
  TListView* list = player->MusicListView;
  // A double click as the window system delivers it: press, release, double click, release.
  const QPoint row = RowCentre(list, 0);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    const bool down = type != QEvent::MouseButtonRelease;
    Send(list->viewport(), type, row, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton);
  }
  ASSERT_TRUE(player->Player->FileOpen());
  EXPECT_EQ(player->Player->PlayerFileName(), mp3);
  EXPECT_EQ(player->lblMusicName->Caption(), "seek.mp3  ");
  EXPECT_EQ(player->lblPlayTime->Caption(), "00:00:02");
  // Presses on the skin where the tracks are drawn: the press reaches the skin itself.
  const qint64 length = MusicDevice::Instance().Length();
  ASSERT_EQ(player->childAt(126, 100), player->Image1);
  QTest::mousePress(player->Image1, Qt::RightButton, {}, QPoint(126, 100));
  QTest::mouseRelease(player->Image1, Qt::RightButton, {}, QPoint(126, 100));
  EXPECT_EQ(player->imgGuageBar->Left(), 126);
  EXPECT_GE(MusicDevice::Instance().Position(), length / 2 - 27);
  ASSERT_EQ(player->childAt(244, 42), player->Image1);
  QTest::mousePress(player->Image1, Qt::RightButton, {}, QPoint(244, 42));
  QTest::mouseRelease(player->Image1, Qt::RightButton, {}, QPoint(244, 42));
  EXPECT_EQ(player->imgSoundBar->Top(), 42);
  EXPECT_EQ(MusicDevice::Instance().Volume(), 0x80008000u);
  // The volume thumb dragged far above its track stops at the top.
  QWidget* thumb = player->imgSoundBar;
  Send(thumb, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  Send(thumb, QEvent::MouseMove, QPoint(5, -200), Qt::NoButton, Qt::LeftButton);
  Send(thumb, QEvent::MouseButtonRelease, QPoint(5, -200), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(player->imgSoundBar->Top(), 14);
  EXPECT_EQ(MusicDevice::Instance().Volume(), 0xFF00FF00u);
  // The track thumb dragged far right stops at the end; the release plays from there and
  // the next tick finds the end.
  QWidget* gauge = player->imgGuageBar;
  Send(gauge, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  EXPECT_FALSE(player->Timer->Enabled());
  Send(gauge, QEvent::MouseMove, QPoint(900, 5), Qt::NoButton, Qt::LeftButton);
  Send(gauge, QEvent::MouseButtonRelease, QPoint(900, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(player->imgGuageBar->Left(), 236);
  EXPECT_TRUE(player->Timer->Enabled());
  EXPECT_TRUE(MusicDevice::Instance().HasEnded());
  player->TimerTimer();
  EXPECT_FALSE(MusicDevice::Instance().HasEnded()) << "the only entry plays again";
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MusicPlayerWindowTest, LeftPressOnTheSkinMovesTheWindow) {
  TMusicPlayerForm* player = OpenPlayer({});
  player->move(200, 150);
  ProcessEvents();
  // No window manager runs the move under the test server, so the window follows the
  // mouse itself until the release. The real pointer is moved, and put back afterwards.
  const QPoint start = player->pos();
  const QPoint local(4, 200);
  ASSERT_EQ(player->childAt(local), player->Image1);
  const QPoint grab = player->Image1->mapToGlobal(local);
  QCursor::setPos(grab);
  QTest::mousePress(player->Image1, Qt::LeftButton, {}, local);
  QCursor::setPos(grab + QPoint(40, 25));
  player->Image1MouseMove();
  EXPECT_EQ(player->pos(), start + QPoint(40, 25));
  QTest::mouseRelease(player->Image1, Qt::LeftButton, {}, local);
  QCursor::setPos(grab + QPoint(80, 50));
  player->Image1MouseMove();
  EXPECT_EQ(player->pos(), start + QPoint(40, 25));
}

TEST_F(MusicPlayerWindowTest, EscAndTheCloseButtonHideTheWindowAndTheMusicGoesOn) {
  TMusicPlayerForm* player = OpenPlayer(Tracks(1));
  player->MusicListView->SelectAndFocus(0);
  QTest::mouseClick(player->sbtnPlay, Qt::LeftButton);
  ASSERT_TRUE(player->Player->FileOpen());
  player->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(player));
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : player,
                  Qt::Key_Escape);
  EXPECT_FALSE(player->isVisible());
  menuToolForm->Label3Click();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(player));
  QTest::mouseClick(player->sbtnMusicClose, Qt::LeftButton);
  EXPECT_FALSE(player->isVisible());
  EXPECT_TRUE(player->Player->FileOpen());
  EXPECT_FALSE(MusicDevice::Instance().IsPaused());
  EXPECT_TRUE(player->Timer->Enabled());
  // The list and what plays are as they were when the window shows again.
  menuToolForm->Label3Click();
  EXPECT_EQ(player->MusicListView->Count(), 1);
  EXPECT_EQ(player->lblMusicName->Caption(), "track 0.wav  ");
}
