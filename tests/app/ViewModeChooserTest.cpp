// The view-mode chooser and the effects it makes play: its keys, clicks and hover, the
// modes after every load (Random from the program's generator), errors inside an effect,
// and input that arrives while an effect plays.
#include <QMouseEvent>
#include <stdexcept>
#include <vector>

#include "FormsTest.h"
#include "PictureHelpers.h"
#include "controls/Random.h"

using namespace PictureHelpers;

namespace {
// At 120 x 110 and real size each effect draws its own number of frames.
int EffectOf(qint64 frames) {
  switch (frames) {
    case 111:
      return ViewModes::PushPull;
    case 13:
      return ViewModes::HorizontalInterlace;
    case 14:
      return ViewModes::VerticalInterlace;
    case 11:
      return ViewModes::Raindrops;
    case 153:
      return ViewModes::Blinds;
    default:
      return -1;
  }
}

TRadioButton* Button(int mode) {
  TRadioButton* buttons[] = {ViewModeForm->FlatRadioButton1, ViewModeForm->FlatRadioButton2,
                             ViewModeForm->FlatRadioButton3, ViewModeForm->FlatRadioButton4,
                             ViewModeForm->FlatRadioButton5, ViewModeForm->FlatRadioButton6,
                             ViewModeForm->FlatRadioButton7};
  return buttons[mode];
}
}  // namespace

class ViewModeChooserTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    Player().OnFrameShown = [this](const TransitionFrames&, qint64 n) {
      if (n == 1) plays.push_back(0);
      plays.back() = n;
      if (onFrame) onFrame(n);
    };
  }
  static TransitionPlayer& Player() { return ViewModeForm->Modes->Player(); }
  // The effects played so far, by what their frame counts say.
  std::vector<int> Played() const {
    std::vector<int> out;
    for (qint64 frames : plays) out.push_back(EffectOf(frames));
    return out;
  }
  // The View menu opened from the bar, and the chooser beside it.
  static void OpenChooser() {
    MainForm->Menus->Click(2);
    menuViewForm->ShowViewModeChooser();
    ProcessEvents();
  }

  std::vector<qint64> plays;  // frames of each effect played
  std::function<void(qint64)> onFrame;
};

TEST_F(ViewModeChooserTest, EachKeyChoosesItsModeAndRunsItsAction) {
  ShowPattern(files, 120, 110);
  EXPECT_EQ(ViewModeForm->Modes->CheckedMode(), ViewModes::Normal);
  const struct {
    Qt::Key key;
    int mode;
    bool plays;
  } cases[] = {
      {Qt::Key_P, ViewModes::PushPull, true},
      {Qt::Key_L, ViewModes::HorizontalInterlace, true},
      {Qt::Key_T, ViewModes::VerticalInterlace, true},
      {Qt::Key_R, ViewModes::Raindrops, true},
      {Qt::Key_J, ViewModes::Blinds, true},
      {Qt::Key_S, ViewModes::Random, false},
      {Qt::Key_N, ViewModes::Normal, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    plays.clear();
    OpenChooser();
    ASSERT_TRUE(ViewModeForm->isVisible());
    ASSERT_TRUE(MainForm->State.MenuOpen);
    QTest::keyClick(ViewModeForm, c.key);
    ProcessEvents();
    for (int m = 0; m < ViewModes::kModeCount; ++m) EXPECT_EQ(Button(m)->Checked(), m == c.mode);
    EXPECT_EQ(Played(), c.plays ? std::vector<int>{c.mode} : std::vector<int>{});
    EXPECT_FALSE(ViewModeForm->isVisible());
    EXPECT_FALSE(menuViewForm->isVisible());
    EXPECT_FALSE(MainForm->State.MenuOpen);
    EXPECT_TRUE(MainForm->scrboxBack->Visible());
  }
}

TEST_F(ViewModeChooserTest, EscClosesOnlyTheChooser) {
  ShowPattern(files, 120, 110);
  OpenChooser();
  QTest::keyClick(ViewModeForm, Qt::Key_R);
  plays.clear();
  OpenChooser();
  QTest::keyClick(ViewModeForm, Qt::Key_Escape);
  ProcessEvents();
  EXPECT_FALSE(ViewModeForm->isVisible());
  EXPECT_TRUE(menuViewForm->isVisible());
  EXPECT_TRUE(MainForm->State.MenuOpen);
  EXPECT_EQ(ViewModeForm->Modes->CheckedMode(), ViewModes::Raindrops);
  EXPECT_TRUE(plays.empty());
}

TEST_F(ViewModeChooserTest, AClickOnTheCheckedEffectPlaysItAgain) {
  ShowPattern(files, 120, 110);
  for (int i = 0; i < 2; ++i) {
    OpenChooser();
    QTest::mouseClick(Button(ViewModes::Blinds), Qt::LeftButton, {}, QPoint(8, 10));
    ProcessEvents();
  }
  EXPECT_EQ(Played(), (std::vector<int>{ViewModes::Blinds, ViewModes::Blinds}));
  // Checking the checked one from code runs nothing (the screen-saver import).
  ViewModeForm->Modes->CheckMode(ViewModes::Blinds);
  EXPECT_EQ(plays.size(), 2u);
  ViewModeForm->Modes->CheckMode(ViewModes::PushPull);
  EXPECT_EQ(Played().back(), ViewModes::PushPull);
  ViewModeForm->Modes->CheckMode(7);
  EXPECT_EQ(ViewModeForm->Modes->CheckedMode(), ViewModes::PushPull);
}

TEST_F(ViewModeChooserTest, EveryLoadPlaysTheCheckedModeAndRandomFollowsTheGenerator) {
  ShowPattern(files, 120, 110);
  const QString name = QStringLiteral("pattern120x110.bmp");
  ViewModeForm->Modes->Choose(ViewModes::VerticalInterlace);
  plays.clear();
  ListHelpers::LoadFromList(name);
  EXPECT_EQ(Played(), std::vector<int>{ViewModes::VerticalInterlace});

  ViewModeForm->Modes->Choose(ViewModes::Random);
  ResetRandom();
  std::vector<int> expected;
  for (int i = 0; i < 8; ++i) expected.push_back(Random(5) + 1);
  ResetRandom();
  plays.clear();
  for (int i = 0; i < 8; ++i) ListHelpers::LoadFromList(name);
  EXPECT_EQ(Played(), expected);

  ViewModeForm->Modes->Choose(ViewModes::Normal);
  plays.clear();
  ListHelpers::LoadFromList(name);
  EXPECT_TRUE(plays.empty());
}

TEST_F(ViewModeChooserTest, HoverWhitensTheCaptionUnderTheMouse) {
  for (int k = 0; k < ViewModes::kModeCount; ++k) {
    SCOPED_TRACE(k);
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 8), Button(k)->mapToGlobal(QPointF(10, 8)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Button(k), &move);
    for (int m = 0; m < ViewModes::kModeCount; ++m)
      EXPECT_EQ(Button(m)->FontColor(), m == k ? Colors::White : Colors::Green) << m;
  }
}

TEST_F(ViewModeChooserTest, AnErrorInAnEffectReachesTheErrorReportAfterTheViewIsBack) {
  ShowPattern(files, 120, 110);
  bool hiddenAtError = false;
  onFrame = [&](qint64 n) {
    if (n < 3) return;
    hiddenAtError = !MainForm->scrboxBack->Visible();
    throw std::runtime_error("no memory for the frame");
  };
  OpenChooser();
  QTest::keyClick(ViewModeForm, Qt::Key_P);
  ProcessEvents();
  EXPECT_TRUE(hiddenAtError);
  EXPECT_TRUE(MainForm->scrboxBack->Visible());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("no memory for the frame."));
  EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
  EXPECT_TRUE(MainForm->State.PicIsBitmap);
}

TEST_F(ViewModeChooserTest, AKeyAndATickDuringAnEffectAreHandledOnceAfterIt) {
  QStringList names;
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp"}) {
    names << QString::fromLatin1(name);
    files.WriteBmp(names.back(), TestFiles::Pattern(120, 110));
  }
  ListHelpers::FillList(files, names);
  ListHelpers::LoadFromList(names[0]);
  MainForm->sbtnAutoClick();
  std::vector<int> indexDuring;
  onFrame = [&](qint64 n) {
    if (plays.size() != 1) return;
    if (n == 5) {
      QTest::keyClick(MainForm->windowHandle(), Qt::Key_Right);
      MainForm->AutoPlayTimer->Fire();
    }
    indexDuring.push_back(MainForm->State.CurIndex);
  };
  ViewModeForm->Modes->Choose(ViewModes::PushPull);
  ASSERT_EQ(indexDuring.size(), 111u);
  EXPECT_EQ(indexDuring.back(), 1);
  EXPECT_EQ(MainForm->State.CurIndex, 1);
  ProcessEvents();
  ProcessEvents();
  // The key's step and the tick's step, each once, each with its own effect.
  EXPECT_EQ(MainForm->State.CurIndex, 3);
  EXPECT_EQ(plays.size(), 3u);
}

TEST_F(ViewModeChooserTest, EscCutsALongEffectShortAndStillReachesTheMainWindow) {
  ShowPattern(files, 120, 1000);
  menuViewForm->Label8Click();  // mini mode: Esc leaves it
  ASSERT_TRUE(MainForm->Commands.MiniMode.Checked());
  int escapes = 0;
  const auto keyDown = MainForm->OnKeyDown;
  MainForm->OnKeyDown = [&](int key, Qt::KeyboardModifiers shift) {
    if (key == 27) ++escapes;
    keyDown(key, shift);
  };
  onFrame = [&](qint64 n) {
    if (n == 10) QTest::keyClick(MainForm->windowHandle(), Qt::Key_Escape);
  };
  ViewModeForm->Modes->Choose(ViewModes::Raindrops);
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_EQ(plays[0], 10);
  EXPECT_TRUE(MainForm->scrboxBack->Visible());
  EXPECT_EQ(escapes, 0);
  ProcessEvents();
  EXPECT_EQ(escapes, 1);
  EXPECT_FALSE(MainForm->Commands.MiniMode.Checked());
}
