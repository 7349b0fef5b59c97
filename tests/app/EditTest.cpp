// Quarter turn, mirrors and the tone filters through the tool buttons and the Edit menu, on
// a picture loaded from the list. The pixel rules are tested on the editor (tests/units).
#include <functional>

#include "EditHelpers.h"
#include "FormsTest.h"

using namespace EditHelpers;
using EditTest = FormsTest;

TEST_F(EditTest, RepeatedTurnsAndMirrorsGiveBackTheStart) {
  const QImage start = TestFiles::Pattern(5, 3);
  struct Case {
    const char* name;
    std::function<void()> command;
    int period;
    QImage once;  // after one step
  };
  const Case cases[] = {
      {"rotate", [] { MainForm->sbtnNinetyTurnClick(); }, 4, QImage()},
      {"left-right", [] { MainForm->sbtnLRTurnClick(); }, 2, start.mirrored(true, false)},
      {"up-down", [] { MainForm->sbtnUDTurnClick(); }, 2, start.mirrored(false, true)},
      // The Edit menu items run the same commands.
      {"menu rotate", [] { menuEditForm->Label5Click(); }, 4, QImage()},
      {"menu left-right", [] { menuEditForm->Label6Click(); }, 2, start.mirrored(true, false)},
      {"menu up-down", [] { menuEditForm->Label7Click(); }, 2, start.mirrored(false, true)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowFile(files, QStringLiteral("start.bmp"), start);
    for (int step = 1; step <= c.period; ++step) {
      c.command();
      const bool turned = c.period == 4 && step % 2 == 1;
      EXPECT_EQ(MainForm->State.PicWidth, turned ? 3 : 5) << step;
      EXPECT_EQ(MainForm->State.PicHeight, turned ? 5 : 3) << step;
      if (step == 1 && !c.once.isNull()) {
        EXPECT_EQ(Shown(), c.once);
      }
      EXPECT_EQ(MainForm->State.WorkBitmap.Image(), Shown()) << step;
    }
    EXPECT_EQ(Shown(), start);
  }
}

TEST_F(EditTest, EditsTurnTheMagnifierOff) {
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"rotate", [] { MainForm->sbtnNinetyTurnClick(); }},
      {"left-right", [] { MainForm->sbtnLRTurnClick(); }},
      {"up-down", [] { MainForm->sbtnUDTurnClick(); }},
      {"negative", [] { menuEditForm->Label8Click(); }},
      {"emboss", [] { menuEditForm->Label9Click(); }},
      {"black-and-white", [] { menuEditForm->Label10Click(); }},
  };
  ShowFile(files, QStringLiteral("p.bmp"), TestFiles::Pattern(60, 40));
  for (const auto& [name, command] : commands) {
    SCOPED_TRACE(name);
    MainForm->State.MagnifierOn = true;
    MainForm->Commands.Magnifier.SetChecked(true);
    MainForm->scrboxMagnifier->SetVisible(true);
    MainForm->imgMain->SetCursor(TCursor::Cross);
    const int zoomIndex = MainForm->State.ZoomIndex;
    command();
    EXPECT_FALSE(MainForm->State.MagnifierOn);
    EXPECT_TRUE(MainForm->sbtnZoom->Flat());
    EXPECT_FALSE(MainForm->scrboxMagnifier->Visible());
    EXPECT_EQ(MainForm->imgMain->Cursor(), TCursor::Default);
    EXPECT_EQ(MainForm->State.ZoomIndex, zoomIndex);
  }
}

TEST_F(EditTest, TurnsAndMirrorsLeaveAGifAlone) {
  files.WriteBytes(QStringLiteral("anim.gif"), ListHelpers::TinyGif());
  ListHelpers::FillList(files, {QStringLiteral("anim.gif")});
  ListHelpers::LoadFromList(QStringLiteral("anim.gif"));
  MainForm->State.MagnifierOn = true;
  MainForm->sbtnNinetyTurnClick();
  MainForm->sbtnLRTurnClick();
  MainForm->sbtnUDTurnClick();
  EXPECT_TRUE(MainForm->State.MagnifierOn);
  EXPECT_EQ(MainForm->State.PicWidth, 0);
  EXPECT_EQ(MainForm->State.PicHeight, 0);
  EXPECT_TRUE(Shown().isNull());
}

TEST_F(EditTest, RestoreDoesNotBringBackThePreviousPictureOverAGif) {
  ShowFile(files, QStringLiteral("p.bmp"), TestFiles::Pattern(6, 4));
  files.WriteBytes(QStringLiteral("anim.gif"), ListHelpers::TinyGif());
  ListHelpers::FillList(files, {QStringLiteral("p.bmp"), QStringLiteral("anim.gif")});
  ListHelpers::LoadFromList(QStringLiteral("anim.gif"));
  MainForm->sbtnRestoreBDClick();
  EXPECT_TRUE(MainForm->imgMain->GetPicture().Width() == 0);
}
