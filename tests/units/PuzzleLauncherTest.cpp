// Opening the game from the picture the main window shows: the refusals, the game
// picture handed to the game window, and the hand-over from the main window.
#include "GameFixture.h"

using PuzzleLauncherTest = GameFixture;

TEST_F(PuzzleLauncherTest, RefusalsChangeNothing) {
  struct Case {
    const char* ext;
    int w, h;  // 0 x 0: the picture control holds nothing
    const char* message;
  };
  const Case cases[] = {
      {".gif", 800, 600, "请先打开一幅bmp或jpg图片"},
      {".ico", 800, 600, "请先打开一幅bmp或jpg图片"},
      {".emf", 800, 600, "请先打开一幅bmp或jpg图片"},
      {"", 800, 600, "请先打开一幅bmp或jpg图片"},      // nothing shown yet
      {".JPG", 800, 600, "请先打开一幅bmp或jpg图片"},  // the extension is compared exactly
      {".jpg", 599, 450, "当前图片宽度必须大于600"},
      {".bmp", 599, 300, "当前图片宽度必须大于600"},
      {".jpeg", 600, 449, "当前图片高度必须大于450"},
      {".bmp", 2000, 449, "当前图片高度必须大于450"},
      {".jpg", 0, 0, "当前图片宽度必须大于600"},  // the JPEG was closed
  };
  for (const Case& c : cases) {
    dialogs.messages.clear();
    area.imgMain->GetPicture().Clear();
    if (c.w > 0) ShowPicture(c.w, c.h, c.ext);
    state.CurExt = QString::fromLatin1(c.ext);
    form.OpenGame();
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.ext << " " << c.w << "x" << c.h;
    EXPECT_EQ(dialogs.messages[0].text, c.message) << c.ext << " " << c.w << "x" << c.h;
    EXPECT_EQ(dialogs.messages[0].title, "友情提示");
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Warning);
    EXPECT_EQ(dialogs.messages[0].owner, nullptr);
    EXPECT_TRUE(host.mainWindowVisibility.empty());
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.Image1->GetPicture().Empty());
    // The picture on display is left as it was.
    EXPECT_EQ(area.imgMain->GetPicture().Width(), c.w);
  }
}

TEST_F(PuzzleLauncherTest, TakesTheGamePictureAndHandsOver) {
  struct Case {
    const char* ext;
    int w, h;
    QPoint topLeft, bottomRight;  // where the game picture's corners come from
  };
  const Case cases[] = {
      {".jpg", 600, 450, {0, 0}, {599, 449}},
      {".jpeg", 1000, 450, {200, 0}, {799, 449}},
      {".bmp", 600, 900, {0, 0}, {599, 449}},
      {".bmp", 800, 600, {0, 0}, {799, 599}},
  };
  for (const Case& c : cases) {
    form.hide();
    host.mainWindowVisibility.clear();
    ShowBitmap(Coordinates(c.w, c.h));
    state.CurExt = QString::fromLatin1(c.ext);
    form.OpenGame();
    EXPECT_TRUE(dialogs.messages.empty());
    const Graphic* game = form.Image1->GetPicture().GetGraphic();
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->GetKind(), Graphic::Kind::Bitmap);
    ASSERT_EQ(QSize(game->Width(), game->Height()), QSize(600, 450));
    EXPECT_EQ(Decode(game->ToImage().pixel(0, 0)), c.topLeft) << c.w << "x" << c.h;
    EXPECT_EQ(Decode(game->ToImage().pixel(599, 449)), c.bottomRight) << c.w << "x" << c.h;
    EXPECT_EQ(host.mainWindowVisibility, std::vector<bool>{false});
    EXPECT_TRUE(form.isVisible());
    // Centred over the main window.
    const QRect over = host.mainWindowBounds;
    EXPECT_EQ(form.pos(),
              over.topLeft() + QPoint((over.width() - 600) / 2, (over.height() - 577) / 2));
  }
}

TEST_F(PuzzleLauncherTest, TheBoardKeepsWhatItShowedUntilStart) {
  ShowBitmap(Coordinates(600, 450));
  form.OpenGame();
  form.frbtnTwelve->SetChecked(true);
  form.fbtnStartClick();
  const std::vector<int> board = Slots();
  const QImage piece = form.Img3->GetPicture().GetGraphic()->ToImage();
  const QPoint at = form.Img3->pos();
  form.fbtnExitClick();

  Bitmap plain(900, 700);
  plain.SetBrushColor(RGBColor(200, 10, 10));
  plain.FillRect(Rect(0, 0, 900, 700));
  ShowBitmap(plain);
  form.OpenGame();
  EXPECT_EQ(form.Image1->GetPicture().GetGraphic()->ToImage().pixel(10, 10), qRgb(200, 10, 10));
  EXPECT_EQ(Slots(), board);
  EXPECT_EQ(form.Img3->GetPicture().GetGraphic()->ToImage(), piece);
  EXPECT_EQ(form.Img3->pos(), at);
  EXPECT_EQ(form.Game.CellCount, 12);
}

// "退出" and a close from the window manager both bring the main window back; the game
// stays as it was.
TEST_F(PuzzleLauncherTest, ExitAndCloseShowTheMainWindow) {
  for (bool byButton : {true, false}) {
    ShowBitmap(Coordinates(640, 480));
    form.OpenGame();
    ASSERT_FALSE(host.mainWindowVisible);
    form.fbtnStartClick();
    const std::vector<int> board = Slots();
    if (byButton)
      form.fbtnExitClick();
    else
      form.close();
    EXPECT_TRUE(host.mainWindowVisible) << byButton;
    EXPECT_FALSE(form.isVisible()) << byButton;
    EXPECT_EQ(Slots(), board);
    EXPECT_TRUE(form.fbtnChangePos->Enabled());
  }
}
