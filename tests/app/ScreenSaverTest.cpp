// The screen-saver export window and the import in the running windows: what the export
// writes from the viewer as it stands, the names the save dialog gives, and the picture
// show an imported file turns the main window into (effect, display mode, interval,
// music, list, layout, cursor), with the real music device on SDL's dummy driver.
#include <QCursor>
#include <QFile>
#include <cstdlib>

#include "FormsTest.h"
#include "ListHelpers.h"
#include "controls/TCursor.h"
#include "platform/SoundFiles.h"

using namespace ListHelpers;

namespace {

const bool kDriverChosen = [] {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The two key names in code page 936.
QByteArray Gbk(QByteArray s) {
  s.replace("动画", "\xB6\xAF\xBB\xAD");
  s.replace("显示", "\xCF\xD4\xCA\xBE");
  return s;
}

QStringList Captions(const TListView* list) {
  QStringList captions;
  for (int i = 0; i < list->Count(); ++i) captions << list->Caption(i);
  return captions;
}

}  // namespace

class ScreenSaverTest : public FormsTest {
 protected:
  void SetUp() override {
    cursorBefore_ = Screen::CursorCounter();
    FormsTest::SetUp();
  }
  void TearDown() override {
    // Whatever a test left of a show: the cursor comes back for the next one.
    if (!MainForm->StatusBar->Visible()) MainForm->FormKeyDown(27);
    FormsTest::TearDown();
    EXPECT_EQ(Screen::CursorCounter(), cursorBefore_);
  }

  // a.jpg, b.bmp, c.jpg in the list, a.jpg on display.
  void ShowThree() {
    files.WriteJpeg(QStringLiteral("a.jpg"), TestFiles::Pattern(40, 30));
    files.WriteBmp(QStringLiteral("b.bmp"), TestFiles::Pattern(41, 30));
    files.WriteJpeg(QStringLiteral("c.jpg"), TestFiles::Pattern(42, 30));
    FillList(files, {QStringLiteral("a.jpg"), QStringLiteral("b.bmp"), QStringLiteral("c.jpg")});
    LoadFromList(QStringLiteral("a.jpg"));
  }

  // The export window's "导出屏保" with the save dialog answered name.
  void ExportAs(const QString& name) {
    dialogs.AnswerFile(files.Path(name));
    ScreenSafeForm->FlatSpeedButton1Click();
  }

  QString Folder() const { return files.Folder() + QLatin1Char('/'); }

  int cursorBefore_ = 0;
};

TEST_F(ScreenSaverTest, ExportWritesTheShowAsTheViewerStands) {
  ShowThree();
  ViewModeForm->Modes->CheckMode(ViewModes::Raindrops);
  MainForm->FlatSpinEdit->SetValue(8);
  MainForm->Commands.ListPanel.Run();  // hidden: the export shows it again
  ASSERT_FALSE(MainForm->Panel1->Visible());

  // Zoom leaves the display mode as it was, so a zoomed picture still exports it.
  MainForm->Commands.FitWidth.Run();
  MainForm->Commands.ZoomIn.Run();
  menuToolForm->Label4Click();
  EXPECT_TRUE(ScreenSafeForm->isVisible());
  EXPECT_TRUE(MainForm->Panel1->Visible());
  EXPECT_TRUE(MainForm->Commands.ListPanel.Checked());
  EXPECT_FALSE(MainForm->State.MenuOpen);
  EXPECT_EQ(ScreenSafeForm->FlatComboBox1->ItemIndex(), ViewModes::Raindrops);

  // The file of the example, byte for byte.
  EXPECT_TRUE(ScreenSafeForm->FlatRadioButton3->Checked());
  EXPECT_EQ(ScreenSafeForm->FlatSpinEdit->Value(), 8);
  EXPECT_EQ(ScreenSafeForm->FlatEdit1->Text(), QString());
  ExportAs(QStringLiteral("show"));
  EXPECT_EQ(Bytes(files.Path(QStringLiteral("show.pss"))),
            Gbk("[ScreenSafe]\r\n动画=4\r\n显示=3\r\nTime=8\r\nMusic=\r\nFilePath=" +
                Folder().toUtf8() + "\r\n[FileName]\r\n0=a.jpg\r\n1=b.bmp\r\n2=c.jpg\r\n"));

  // The name chosen always gets the extension; an existing file is replaced unasked.
  ExportAs(QStringLiteral("show.pss"));
  EXPECT_TRUE(QFile::exists(files.Path(QStringLiteral("show.pss.pss"))));
  ExportAs(QStringLiteral("show"));
  ASSERT_EQ(dialogs.fileRequests.size(), 3u);
  for (const Dialogs::FileRequest& r : dialogs.fileRequests) {
    EXPECT_TRUE(r.save);
    EXPECT_TRUE(r.defaultExt.isEmpty());
    EXPECT_FALSE(r.overwritePrompt);
    ASSERT_EQ(r.filters.size(), 1);
    EXPECT_EQ(r.filters[0].patterns, QStringLiteral("*.pss"));
  }
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(ScreenSafeForm->isVisible());

  // Cancelled: nothing written.
  ScreenSafeForm->FlatSpeedButton1Click();
  EXPECT_FALSE(QFile::exists(files.Path(QStringLiteral(".pss"))));
  ScreenSafeForm->FlatSpeedButton3Click();
  EXPECT_FALSE(ScreenSafeForm->isVisible());
}

TEST_F(ScreenSaverTest, AShorterListReplacesTheNamesOfTheLongerOne) {
  const QStringList five = {"1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp"};
  FillList(files, five);
  menuToolForm->Label4Click();
  ExportAs(QStringLiteral("show"));
  FillList(files, five.mid(0, 3));
  ExportAs(QStringLiteral("show"));
  const QByteArray bytes = Bytes(files.Path(QStringLiteral("show.pss")));
  EXPECT_TRUE(bytes.endsWith("[FileName]\r\n0=1.bmp\r\n1=2.bmp\r\n2=3.bmp\r\n"))
      << bytes.toStdString();
  EXPECT_FALSE(bytes.contains("4.bmp"));
}

TEST_F(ScreenSaverTest, OpenPutsTheFirstChosenMusicIntoTheFieldOnly) {
  menuToolForm->Label4Click();
  dialogs.fileAnswers.push_back({true,
                                 QStringLiteral("/m/one.mp3"),
                                 1,
                                 {QStringLiteral("/m/one.mp3"), QStringLiteral("/m/two.wav")}});
  ScreenSafeForm->FlatSpeedButton2Click();
  EXPECT_EQ(ScreenSafeForm->FlatEdit1->Text(), QStringLiteral("/m/one.mp3"));
  EXPECT_EQ(MusicPlayerForm->MusicListView->Count(), 0);
  ScreenSafeForm->FlatSpeedButton2Click();  // cancelled
  EXPECT_EQ(ScreenSafeForm->FlatEdit1->Text(), QStringLiteral("/m/one.mp3"));
}

TEST_F(ScreenSaverTest, ImportTurnsTheWindowIntoAPictureShow) {
  files.WriteBmp(QStringLiteral("a.bmp"), TestFiles::Pattern(30, 20));
  files.WriteBmp(QStringLiteral("b.bmp"), TestFiles::Pattern(31, 20));
  const QByteArray folder = files.Folder().toUtf8();  // no trailing "/": one is added
  struct Case {
    const char* name;
    QByteArray file;  // empty: the name does not exist
    int modeBefore, mode;
    Command* display;  // the raised display button
    int seconds;
    QString curFolder;
    QStringList list;
    const char* shown;  // nullptr: nothing loaded
  };
  UserCommands& c = MainForm->Commands;
  const Case cases[] = {
      {"full file",
       Gbk("[ScreenSafe]\r\n动画=2\r\n显示=3\r\nTime=12\r\nMusic=\r\nFilePath=" + folder +
           "\r\n[FileName]\r\n0=b.bmp\r\n1=a.bmp\r\n"),
       0,
       2,
       &c.FitWidth,
       12,
       Folder(),
       {"b.bmp", "a.bmp"},
       "b.bmp"},
      {"missing file", {}, 3, 0, &c.RealSize, 5, QString(), {}, nullptr},
      {"effect 7 keeps the mode",
       Gbk("[ScreenSafe]\n动画=7\n显示=2\nFilePath=" + folder + "/\n[FileName]\n0=a.bmp\n"),
       5,
       5,
       &c.FitPicture,
       5,
       Folder(),
       {"a.bmp"},
       "a.bmp"},
      {"time 0", "[ScreenSafe]\nTime=0\n", 1, 0, &c.RealSize, 1, QString(), {}, nullptr},
      {"time 75", "[ScreenSafe]\nTime=75\n", 0, 0, &c.RealSize, 60, QString(), {}, nullptr},
      {"display 9 runs no mode, the list is empty",
       Gbk("[ScreenSafe]\n显示=9\nFilePath=" + folder + "\n[FileName]\n"),
       0,
       0,
       &c.RealSize,
       5,
       Folder(),
       {},
       nullptr},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    FillList(files, {QStringLiteral("old.bmp")});
    MainForm->State.CurFileName = QStringLiteral("before");
    ViewModeForm->Modes->CheckMode(k.modeBefore);
    c.RealSize.Run();
    const QString path = k.file.isEmpty() ? files.Path(QStringLiteral("none.pss"))
                                          : files.WriteBytes(QStringLiteral("in.pss"), k.file);
    dialogs.AnswerFile(path);
    menuToolForm->Label5Click();

    EXPECT_EQ(ViewModeForm->Modes->CheckedMode(), k.mode);
    EXPECT_TRUE(k.display->Checked());
    EXPECT_EQ(MainForm->FlatSpinEdit->Value(), k.seconds);
    EXPECT_EQ(MainForm->AutoPlayTimer->Interval(), k.seconds * 1000);
    EXPECT_EQ(MainForm->State.CurFolder, k.curFolder);
    EXPECT_EQ(Captions(MainForm->ListView1), k.list);
    EXPECT_EQ(MainForm->State.CurFileName,
              k.shown ? QString::fromUtf8(k.shown) : QStringLiteral("before"));
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{MainForm->Panel1, MainForm->Panel2, MainForm->Image1,
                                         MainForm->FlatSpinEdit, MainForm->StatusBar})
      EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_TRUE(c.ListPanel.Checked());  // the list button keeps its look
    EXPECT_EQ(MainForm->WindowState(), TWindowState::Maximized);
    EXPECT_TRUE(MainForm->State.PopupSuppressed);
    EXPECT_LT(Screen::CursorCounter(), 0);
    EXPECT_TRUE(c.SlideShow.Checked());
    EXPECT_TRUE(MainForm->AutoPlayTimer->Enabled());
    EXPECT_TRUE(dialogs.messages.empty());

    // Esc ends the show; the show itself runs on.
    MainForm->FormKeyDown(27);
    EXPECT_EQ(MainForm->WindowState(), TWindowState::Normal);
    EXPECT_GE(Screen::CursorCounter(), 0);
    EXPECT_FALSE(MainForm->State.PopupSuppressed);
    EXPECT_TRUE(MainForm->StatusBar->Visible());
    EXPECT_TRUE(c.SlideShow.Checked());
  }
  ASSERT_FALSE(dialogs.fileRequests.empty());
  EXPECT_EQ(dialogs.fileRequests[0].filters[0].patterns, QStringLiteral("*.pss"));
  EXPECT_FALSE(dialogs.fileRequests[0].save);
}

TEST_F(ScreenSaverTest, ImportTakesTheIntervalAlsoWhenTheFieldShowsItAlready) {
  MainForm->FlatSpinEdit->SetValue(8);
  MainForm->AutoPlayTimer->SetInterval(5000);  // a timer that fell out of step
  dialogs.AnswerFile(files.WriteBytes(QStringLiteral("s.pss"), "[ScreenSafe]\nTime=8\n"));
  menuToolForm->Label5Click();
  EXPECT_EQ(MainForm->AutoPlayTimer->Interval(), 8000);
}

TEST_F(ScreenSaverTest, ImportedMusicLoopsAndRefusedMusicEndsTheImport) {
  files.WriteBytes(QStringLiteral("m.wav"), SoundFiles::Wav(300, 100, 8000, 1));
  files.WriteBytes(QStringLiteral("x.wav"), "this is text, not sound");
  const QString show =
      QStringLiteral("[ScreenSafe]\nMusic=%1\nFilePath=/elsewhere/\n[FileName]\n0=new.bmp\n");
  FillList(files, {QStringLiteral("old.bmp")});
  MusicPlayerForm->Player->AddFile(QStringLiteral("/music/before.mp3"));

  // Refused: reported, and neither list nor folder nor layout changes.
  dialogs.AnswerFile(files.WriteBytes(QStringLiteral("bad.pss"),
                                      show.arg(files.Path(QStringLiteral("x.wav"))).toUtf8()));
  menuToolForm->Label5Click();
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(Captions(MainForm->ListView1), QStringList{QStringLiteral("old.bmp")});
  EXPECT_EQ(MainForm->State.CurFolder, Folder());
  EXPECT_EQ(Captions(MusicPlayerForm->MusicListView), QStringList{QStringLiteral("before.mp3")});
  EXPECT_TRUE(MainForm->StatusBar->Visible());
  EXPECT_FALSE(MainForm->Commands.SlideShow.Checked());

  // Accepted: alone in the player's list, selected, repeating, playing.
  dialogs.AnswerFile(files.WriteBytes(QStringLiteral("good.pss"),
                                      show.arg(files.Path(QStringLiteral("m.wav"))).toUtf8()));
  menuToolForm->Label5Click();
  // The second message: the first picture of the show is missing, reported when the show
  // reaches it.
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(Captions(MusicPlayerForm->MusicListView), QStringList{QStringLiteral("m.wav")});
  EXPECT_EQ(MusicPlayerForm->MusicListView->SubItem(0), Folder());
  EXPECT_EQ(MusicPlayerForm->MusicListView->Selected(), 0);
  EXPECT_EQ(MusicPlayerForm->lblCircle->Caption(), MusicPlayer::kModeOne);
  EXPECT_TRUE(MusicPlayerForm->Player->FileOpen());
  EXPECT_EQ(MusicPlayerForm->Player->CurMusicFile, files.Path(QStringLiteral("m.wav")));
  EXPECT_EQ(MainForm->State.CurFolder, QStringLiteral("/elsewhere/"));
  EXPECT_EQ(Captions(MainForm->ListView1), QStringList{QStringLiteral("new.bmp")});
  MusicPlayerForm->Player->Stop();
}

TEST_F(ScreenSaverTest, TwoImportsAndOneEscLeaveTheCursorVisible) {
  const QString path = files.WriteBytes(QStringLiteral("s.pss"), "[ScreenSafe]\nTime=3\n");
  dialogs.AnswerFile(path);
  menuToolForm->Label5Click();
  dialogs.AnswerFile(path);
  menuToolForm->Label5Click();
  EXPECT_LT(Screen::CursorCounter(), 0);
  MainForm->FormKeyDown(27);
  EXPECT_EQ(Screen::CursorCounter(), cursorBefore_);
}

TEST_F(ScreenSaverTest, DraggingTheBackgroundOrALabelMovesTheSettingsWindow) {
  menuToolForm->Label4Click();
  ScreenSafeForm->move(200, 150);
  ProcessEvents();
  const QPoint pointerBefore = QCursor::pos();
  // No window manager runs the move under the test server: the window follows the real
  // pointer until the button is released.
  for (QWidget* part :
       {static_cast<QWidget*>(ScreenSafeForm), static_cast<QWidget*>(ScreenSafeForm->Label2)}) {
    SCOPED_TRACE(part->objectName().toStdString());
    const QPoint start = ScreenSafeForm->pos();
    const QPoint local(5, 5);
    ASSERT_EQ(part == ScreenSafeForm ? nullptr : part,
              ScreenSafeForm->childAt(part->mapTo(ScreenSafeForm, local)));
    const QPoint grab = part->mapToGlobal(local);
    QCursor::setPos(grab);
    QTest::mousePress(part, Qt::LeftButton, {}, local);
    QCursor::setPos(grab + QPoint(40, 25));
    QTest::mouseMove(part, local + QPoint(40, 25));
    EXPECT_EQ(ScreenSafeForm->pos(), start + QPoint(40, 25));
    QTest::mouseRelease(part, Qt::LeftButton, {}, local + QPoint(40, 25));
  }
  QCursor::setPos(pointerBefore);
}
