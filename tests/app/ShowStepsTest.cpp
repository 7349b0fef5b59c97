// The slide show in the windows: which entry each tick shows, a real tick, an unreadable
// entry with ticks waiting behind its message, and the callers that start the show.
#include <QFile>

#include "FormsTest.h"
#include "ListHelpers.h"

using namespace ListHelpers;

class ShowStepsTest : public FormsTest {
 protected:
  // Bitmaps of different widths, so that each shows which file is on display.
  void WriteList(const QStringList& names) {
    int w = 20;
    for (const QString& name : names) files.WriteBmp(name, TestFiles::Pattern(w++, 10));
    FillList(files, names);
  }
  static void Tick() { MainForm->AutoPlayTimerTimer(); }
  static bool Running() { return MainForm->Commands.SlideShow.Checked(); }
};

TEST_F(ShowStepsTest, EachTickShowsTheNextEntryAndStartsAgainAfterTheLast) {
  const QStringList three = {QStringLiteral("a.bmp"), QStringLiteral("b.bmp"),
                             QStringLiteral("c.bmp")};
  WriteList(three);
  MainForm->sbtnAutoClick();
  const struct {
    const char* name;
    QStringList list;
    int from, index;
    const char* shown;  // nullptr: nothing loaded
  } cases[] = {
      {"nothing shown yet", three, 0, 1, "a.bmp"},
      {"from the first", three, 1, 2, "b.bmp"},
      {"after the last", three, 3, 1, "a.bmp"},
      {"entries deleted behind the current one", three, 5, 1, "a.bmp"},
      {"empty list", {}, 0, 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FillList(files, c.list);
    MainForm->State.CurIndex = c.from;
    MainForm->State.CurFileName = QStringLiteral("before");
    Tick();
    EXPECT_EQ(MainForm->State.CurIndex, c.index);
    EXPECT_EQ(MainForm->State.CurFileName,
              c.shown ? QString::fromUtf8(c.shown) : QStringLiteral("before"));
    if (c.shown) {
      EXPECT_EQ(MainForm->ListView1->Selected(), c.index - 1);
    }
    EXPECT_TRUE(Running());
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ShowStepsTest, AListOfOneReloadsItsEntryEveryStep) {
  WriteList({QStringLiteral("only.bmp")});
  Tick();
  EXPECT_EQ(MainForm->State.PicWidth, 20);
  // The file changes on disk: the next step loads it again.
  files.WriteBmp(QStringLiteral("only.bmp"), TestFiles::Pattern(33, 10));
  Tick();
  EXPECT_EQ(MainForm->State.CurIndex, 1);
  EXPECT_EQ(MainForm->State.PicWidth, 33);
}

TEST_F(ShowStepsTest, ARealTickShowsTheNextEntry) {
  WriteList({QStringLiteral("a.bmp"), QStringLiteral("b.bmp")});
  MainForm->FlatSpinEdit->SetValue(1);
  ASSERT_EQ(MainForm->AutoPlayTimer->Interval(), 1000);
  MainForm->sbtnAutoClick();
  // A generous bound: the tick is due after one second.
  for (int waited = 0; waited < 20000 && MainForm->State.CurIndex == 0; waited += 20)
    QTest::qWait(20);
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("a.bmp"));
}

TEST_F(ShowStepsTest, TicksWaitBehindTheMessageOfAnUnreadableEntry) {
  WriteList({QStringLiteral("a.bmp"), QStringLiteral("b.bmp"), QStringLiteral("c.bmp")});
  files.WriteBytes(QStringLiteral("b.bmp"), QByteArray("not a bitmap"));
  MainForm->sbtnAutoClick();
  MainForm->State.CurIndex = 1;
  int indexWhileUp = -1;
  dialogs.onMessage = [&] {
    // Ticks fall due while the message is up; none of them may step now.
    Tick();
    MainForm->AutoPlayTimer->Fire();
    ProcessEvents();
    indexWhileUp = MainForm->State.CurIndex;
  };
  Tick();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("图象文件错误!"));
  EXPECT_EQ(indexWhileUp, 2);
  dialogs.onMessage = nullptr;
  // Once the message is gone, the waiting tick steps once.
  ProcessEvents();
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("c.bmp"));
  ProcessEvents();
  EXPECT_EQ(MainForm->State.CurIndex, 3);
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(ShowStepsTest, TheViewMenuKeyAndMiniModeStartTheShow) {
  menuViewForm->PopupAt(100, 100);
  menuViewForm->FormKeyDown('S');
  EXPECT_TRUE(Running());
  EXPECT_FALSE(menuViewForm->isVisible());
  EXPECT_FALSE(MainForm->sbtnAuto->Flat());
  menuViewForm->PopupAt(100, 100);
  menuViewForm->FormKeyDown('S');
  EXPECT_FALSE(Running());
  EXPECT_FALSE(MainForm->FlatSpinEdit->Enabled());

  for (bool runningBefore : {false, true}) {
    SCOPED_TRACE(runningBefore ? "running" : "stopped");
    if (Running() != runningBefore) MainForm->sbtnAutoClick();
    menuViewForm->Label8Click();
    EXPECT_TRUE(MainForm->Commands.MiniMode.Checked());
    EXPECT_TRUE(Running());
    EXPECT_TRUE(MainForm->AutoPlayTimer->Enabled());
    MainForm->FormKeyDown(27);
    // Leaving mini mode keeps the show running.
    EXPECT_FALSE(MainForm->Commands.MiniMode.Checked());
    EXPECT_TRUE(Running());
  }
}

// The next entry is decoded while the current one is shown; a step shows the file as it is
// when the step comes, and reports an unreadable one only then.
TEST_F(ShowStepsTest, AStepShowsTheNextFileAsItIsWhenTheStepComes) {
  const QImage b = TestFiles::Pattern(50, 40);
  files.WriteBmp(QStringLiteral("a.bmp"), TestFiles::Pattern(30, 20));
  files.WriteBmp(QStringLiteral("b.bmp"), b);
  files.WriteBytes(QStringLiteral("c.jpg"), QByteArray("not a picture"));
  files.WriteBmp(QStringLiteral("d.bmp"), TestFiles::Pattern(20, 20));
  FillList(files, {QStringLiteral("a.bmp"), QStringLiteral("b.bmp"), QStringLiteral("c.jpg"),
                   QStringLiteral("d.bmp")});
  LoadFromList(QStringLiteral("a.bmp"));
  QTest::qWait(50);  // time for the decode ahead
  MainForm->sbtnNextClick();
  EXPECT_EQ(MainForm->State.PicWidth, 50);
  EXPECT_TRUE(MainForm->imgMain->GetPicture().BitmapView().ToImage() ==
              b.convertToFormat(QImage::Format_RGB32));
  EXPECT_TRUE(MainForm->State.WorkBitmap.ToImage() == b.convertToFormat(QImage::Format_RGB32));
  // The unreadable entry is decoded ahead in vain: no message until the step reaches it.
  QTest::qWait(50);
  EXPECT_TRUE(dialogs.messages.empty());
  MainForm->sbtnNextClick();
  EXPECT_EQ(dialogs.messages.size(), 1u);
  // d.bmp changes after it was decoded ahead: the step shows the new file.
  QTest::qWait(50);
  files.WriteBmp(QStringLiteral("d.bmp"), TestFiles::Pattern(70, 20));
  MainForm->sbtnNextClick();
  EXPECT_EQ(MainForm->State.PicWidth, 70);
  // And back: the previous entry is decoded too after a step back.
  MainForm->sbtnPriorClick();
  EXPECT_EQ(dialogs.messages.size(), 2u);
  MainForm->sbtnPriorClick();
  EXPECT_EQ(MainForm->State.PicWidth, 50);
}
