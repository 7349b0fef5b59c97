// The puzzle with the real windows: opened from the Tools menu it takes the main window's
// place (its own window, the main window hidden), and "退出" or a close from the window
// manager gives it back.
#include <QCloseEvent>
#include <QWindow>

#include "FormsTest.h"
#include "ListHelpers.h"
#include "controls/Random.h"

namespace {

class GameTest : public FormsTest {
 protected:
  void TearDown() override {
    UnpinRandomizeSeed();
    FormsTest::TearDown();
  }

  // Loads a w x h pattern from a file of the kind the extension names.
  void Show(int w, int h, const QString& ext) {
    const QString name = QStringLiteral("picture%1x%2").arg(w).arg(h) + ext;
    if (ext == ".bmp")
      files.WriteBmp(name, TestFiles::Pattern(w, h));
    else
      files.WriteJpeg(name, TestFiles::Pattern(w, h));
    ListHelpers::FillList(files, {name});
    ListHelpers::LoadFromList(name);
    ASSERT_EQ(MainForm->State.CurExt, ext);
  }

  // The Tools menu item, as the user picks it from the open menu.
  static void PickPuzzle() {
    MainForm->State.MenuOpen = true;
    menuToolForm->PopupAt(MainForm->x() + 226, MainForm->y() + 55);
    ProcessEvents();
    menuToolForm->Label7Click();
    ProcessEvents();
  }

  static std::vector<int> Board() {
    return std::vector<int>(SpellPIcForm->Game.Board + 1, SpellPIcForm->Game.Board + 13);
  }

  // The windows of the program that are on screen.
  static std::vector<QWidget*> ShownWindows() {
    std::vector<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->isWindow()) shown.push_back(w);
    return shown;
  }
};

}  // namespace

TEST_F(GameTest, TheGameWindowTakesTheMainWindowsPlace) {
  Show(800, 600, ".jpg");
  const QRect main = MainForm->frameGeometry();
  PickPuzzle();
  EXPECT_FALSE(menuToolForm->isVisible());
  EXPECT_FALSE(MainForm->State.MenuOpen);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(MainForm->isVisible());
  ASSERT_TRUE(SpellPIcForm->isVisible());
  // The only window on screen, and one of its own: no owner to hide with, not a tool window.
  EXPECT_EQ(ShownWindows(), std::vector<QWidget*>{SpellPIcForm});
  EXPECT_EQ(SpellPIcForm->windowType(), Qt::Window);
  ASSERT_NE(SpellPIcForm->windowHandle(), nullptr);
  EXPECT_EQ(SpellPIcForm->windowHandle()->transientParent(), nullptr);
  EXPECT_EQ(SpellPIcForm->pos(),
            main.topLeft() + QPoint((main.width() - 600) / 2, (main.height() - 577) / 2));
  const Graphic* game = SpellPIcForm->Image1->GetPicture().GetGraphic();
  ASSERT_NE(game, nullptr);
  EXPECT_EQ(QSize(game->Width(), game->Height()), QSize(600, 450));

  // Played a little, then left: the main window is back, the game as it was.
  PinRandomizeSeed(3);
  SpellPIcForm->frbtnTwelve->SetChecked(true);
  SpellPIcForm->fbtnStartClick();
  const std::vector<int> board = Board();
  const QPoint img5 = SpellPIcForm->Img5->pos();
  SpellPIcForm->fbtnExitClick();
  ProcessEvents();
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_FALSE(SpellPIcForm->isVisible());
  EXPECT_EQ(Board(), board);

  // Back again: the board is where it was until the next start.
  PickPuzzle();
  EXPECT_TRUE(SpellPIcForm->isVisible());
  EXPECT_FALSE(MainForm->isVisible());
  EXPECT_EQ(Board(), board);
  EXPECT_EQ(SpellPIcForm->Img5->pos(), img5);
  EXPECT_EQ(SpellPIcForm->Game.CellCount, 12);
  EXPECT_TRUE(SpellPIcForm->fbtnChangePos->Enabled());
}

// A close request from the window manager (Alt+F4) does what "退出" does; a plain close
// would leave the program running with no window at all.
TEST_F(GameTest, CloseFromTheWindowManagerBringsTheMainWindowBack) {
  Show(600, 450, ".bmp");
  PickPuzzle();
  ASSERT_FALSE(MainForm->isVisible());
  SpellPIcForm->fbtnStartClick();
  const std::vector<int> board = Board();
  QCloseEvent close;
  close.setAccepted(false);
  QApplication::sendEvent(SpellPIcForm->windowHandle(), &close);
  ProcessEvents();
  EXPECT_FALSE(SpellPIcForm->isVisible());
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_EQ(Board(), board);
  PickPuzzle();
  EXPECT_EQ(Board(), board);
}

TEST_F(GameTest, RefusalsLeaveTheMainWindowShown) {
  struct Case {
    const char* what;
    std::function<void()> show;
    const char* message;
  };
  const Case cases[] = {
      {"nothing shown", [] {}, "请先打开一幅bmp或jpg图片"},
      {"a GIF",
       [this] {
         files.WriteBytes("tiny.gif", ListHelpers::TinyGif());
         ListHelpers::FillList(files, {"tiny.gif"});
         ListHelpers::LoadFromList("tiny.gif");
       },
       "请先打开一幅bmp或jpg图片"},
      {"too narrow", [this] { Show(599, 450, ".jpg"); }, "当前图片宽度必须大于600"},
      {"too low", [this] { Show(600, 449, ".bmp"); }, "当前图片高度必须大于450"},
      {"a closed JPEG",
       [this] {
         Show(800, 600, ".jpg");
         menuFileForm->Label2Click();  // 关闭
       },
       "当前图片宽度必须大于600"},
  };
  for (const Case& c : cases) {
    dialogs.messages.clear();
    c.show();
    PickPuzzle();
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.what;
    EXPECT_EQ(dialogs.messages[0].text, c.message) << c.what;
    EXPECT_EQ(dialogs.messages[0].title, "友情提示");
    EXPECT_EQ(dialogs.messages[0].owner, nullptr);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Warning);
    EXPECT_TRUE(MainForm->isVisible()) << c.what;
    EXPECT_FALSE(SpellPIcForm->isVisible()) << c.what;
    EXPECT_FALSE(menuToolForm->isVisible()) << c.what;
    EXPECT_FALSE(MainForm->State.MenuOpen) << c.what;
  }
}
