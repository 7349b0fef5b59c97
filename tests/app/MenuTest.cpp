// The label menus: opening under the menu bar, switching on hover, highlighting, keys,
// choosing items, and every way a menu closes (or does not).
#include <QApplication>
#include <QCursor>

#include "FormsTest.h"
#include "PictureHelpers.h"

namespace {

TSpeedButton* MenuButton(int k) {
  TSpeedButton* buttons[] = {MainForm->FlatSpeedButton1, MainForm->FlatSpeedButton2,
                             MainForm->FlatSpeedButton3, MainForm->FlatSpeedButton4,
                             MainForm->FlatSpeedButton5, MainForm->FlatSpeedButton6};
  return buttons[k];
}

TLabelMenuForm* AllMenus(int i) {
  TLabelMenuForm* menus[] = {menuFileForm, menuEditForm, menuViewForm,   menuZoomForm,
                             menuToolForm, menuHelpForm, popupShapeForm, PopupMainForm};
  return menus[i];
}

}  // namespace

class MenuTest : public FormsTest {
 protected:
  void SetUp() override {
    pointerBefore_ = QCursor::pos();
    FormsTest::SetUp();
    MainForm->move(60, 40);
    ProcessEvents();
  }
  // These tests move the real pointer; the next ones find it where it was.
  void TearDown() override {
    FormsTest::TearDown();
    QCursor::setPos(pointerBefore_);
    QTest::qWait(20);
  }

  // As a user does it: the mouse comes over the button, then clicks. (The pointer really
  // moves, which also gives the window system a fresh time for the activation.)
  static void ClickMenuBar(int k) {
    Hover(MenuButton(k), QPoint(18, 10));
    HoverMenuBar(k);
    QTest::mouseClick(MenuButton(k), Qt::LeftButton, {}, QPoint(20, 12));
    ProcessEvents();
  }
  static void HoverMenuBar(int k) { Hover(MenuButton(k), QPoint(20, 12)); }
  // The pointer really moves there; the window system's motion and crossing events
  // arrive a moment later.
  static void Hover(QWidget* w, QPoint at = QPoint(5, 5)) {
    QTest::mouseMove(w, at);
    QTest::qWait(60);
  }
  // A key as the keyboard delivers it: to whatever window has the focus.
  static void Key(Qt::Key key) {
    QTest::keyClick(static_cast<QWidget*>(nullptr), key);
    ProcessEvents();
  }
  // Activation goes through the window system and arrives a moment later.
  static bool Eventually(const std::function<bool()>& condition) {
    for (int waited = 0; waited < 2000; waited += 10) {
      if (condition()) return true;
      QTest::qWait(10);
    }
    return condition();
  }
  // The window is the active one and has the focus itself, so letter keys reach it.
  static bool HasKeyboard(QWidget* window) {
    return Eventually([window] {
      return QApplication::activeWindow() == window && QApplication::focusWidget() == window;
    });
  }

  // The picture area shows a picture (as loading leaves it) at (x, y) of the view.
  static void ShowPictureAt(int x, int y) {
    MainForm->imgMain->GetPicture().Assign(Bitmap(120, 90));
    MainForm->imgMain->SetBounds(x, y, 120, 90);
    MainForm->imgMain->SetVisible(true);
    ProcessEvents();
  }
  static std::vector<QWidget*> OpenWindows() {
    std::vector<QWidget*> open;
    for (int i = 0; i < 8; ++i)
      if (AllMenus(i)->isVisible()) open.push_back(AllMenus(i));
    if (ViewModeForm->isVisible()) open.push_back(ViewModeForm);
    return open;
  }

 private:
  QPoint pointerBefore_;
};

TEST_F(MenuTest, EachMenuBarButtonOpensItsMenuUnderItselfWithTheKeyboard) {
  const int dx[] = {1, 58, 115, 170, 226, 282};
  const int heights[] = {168, 306, 224, 195, 220, 54};
  for (int k = 0; k < 6; ++k) {
    ClickMenuBar(k);
    TLabelMenuForm* menu = MainForm->Menus->DropDownMenu(k);
    EXPECT_TRUE(menu->isVisible()) << k;
    EXPECT_EQ(menu->geometry(), QRect(60 + dx[k], 40 + 55, 115, heights[k])) << k;
    EXPECT_TRUE(MainForm->State.MenuOpen);
    ASSERT_TRUE(HasKeyboard(menu));
    EXPECT_TRUE(Eventually([menu] { return OpenWindows() == std::vector<QWidget*>{menu}; })) << k;
  }
}

TEST_F(MenuTest, HoveringAnotherButtonSwitchesMenusWithoutAClick) {
  ClickMenuBar(0);
  ASSERT_TRUE(menuFileForm->isVisible());
  HoverMenuBar(2);
  ASSERT_TRUE(Eventually([] { return !menuFileForm->isVisible() && menuViewForm->isVisible(); }));
  EXPECT_EQ(menuViewForm->pos(), QPoint(60 + 115, 40 + 55));
  ASSERT_TRUE(HasKeyboard(menuViewForm));

  // The menu follows its button when the window has moved since.
  MainForm->move(100, 70);
  ProcessEvents();
  HoverMenuBar(5);
  ASSERT_TRUE(Eventually([] { return !menuViewForm->isVisible() && menuHelpForm->isVisible(); }));
  EXPECT_EQ(menuHelpForm->pos(), QPoint(100 + 282, 70 + 55));
}

TEST_F(MenuTest, HoverWithoutAnOpenedMenuOnlyClosesTheOthers) {
  // The right-click menus and a menu shown by other means are not the bar's.
  PopupMainForm->PopupAt(400, 400);
  popupShapeForm->PopupAt(600, 400);
  menuZoomForm->PopupAt(200, 200);
  ViewModeForm->move(700, 600);
  ViewModeForm->Show();
  HoverMenuBar(0);
  EXPECT_TRUE(Eventually([] { return !menuZoomForm->isVisible() && !ViewModeForm->isVisible(); }));
  EXPECT_FALSE(menuFileForm->isVisible());
  EXPECT_TRUE(PopupMainForm->isVisible());
  EXPECT_TRUE(popupShapeForm->isVisible());
}

TEST_F(MenuTest, AfterChoosingAnItemHoverOpensNothingUntilAClick) {
  ClickMenuBar(0);
  QTest::mouseClick(menuFileForm->Label2, Qt::LeftButton, {}, QPoint(5, 5));  // 关闭
  ProcessEvents();
  EXPECT_FALSE(menuFileForm->isVisible());
  EXPECT_FALSE(MainForm->State.MenuOpen);
  for (int k : {1, 2, 0, 5}) HoverMenuBar(k);
  EXPECT_TRUE(OpenWindows().empty());
  ClickMenuBar(1);
  EXPECT_TRUE(menuEditForm->isVisible());
}

TEST_F(MenuTest, EscClosesTheMenuButHoverStillSwitches) {
  ClickMenuBar(3);
  ASSERT_TRUE(HasKeyboard(menuZoomForm));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(menuZoomForm->isVisible());
  EXPECT_TRUE(MainForm->State.MenuOpen);
  HoverMenuBar(4);
  EXPECT_TRUE(Eventually([] { return menuToolForm->isVisible(); }));

  // The right-click menus know only Esc.
  PopupMainForm->PopupAt(300, 300);
  ASSERT_TRUE(HasKeyboard(PopupMainForm));
  Key(Qt::Key_A);
  EXPECT_TRUE(PopupMainForm->isVisible());
  Key(Qt::Key_Escape);
  EXPECT_FALSE(PopupMainForm->isVisible());
}

// What a key does in its menu, seen from the menu's side: the item's handler closes the
// menu and clears MenuOpen; disabled or unknown keys leave everything as it was.
TEST_F(MenuTest, LetterKeysRunTheirItemsOnlyWhereAllowed) {
  struct Case {
    int menu;
    Qt::Key key;
    bool closes;
    bool menuOpenAfter;
    const char* why;
  };
  const Case cases[] = {
      {0, Qt::Key_O, true, false, "open"},
      {0, Qt::Key_P, false, true, "print is disabled until a picture is loaded"},
      {0, Qt::Key_Q, false, true, "no item has Q"},
      {1, Qt::Key_X, false, true, "cut is disabled without a selection"},
      {1, Qt::Key_S, false, true, "save selection is disabled without a selection"},
      {1, Qt::Key_T, true, false, "selection mode"},
      {1, Qt::Key_R, true, false, "emboss"},
      {2, Qt::Key_F, false, true, "full screen needs a shown picture"},
      {2, Qt::Key_A, true, false, "properties panel"},
      {3, Qt::Key_W, true, false, "fit width"},
      {3, Qt::Key_Z, true, false, "magnifier"},
      {4, Qt::Key_D, false, true, "the changing desktop has no key"},
      {4, Qt::Key_P, false, true, "the puzzle has no key"},
      {4, Qt::Key_M, true, false, "music player"},
      {5, Qt::Key_H, false, true, "the hidden help item has no key"},
      {5, Qt::Key_T, true, false, "acknowledgements"},
      // Last: the mini layout hides the menu bar.
      {2, Qt::Key_X, true, true, "mini mode leaves MenuOpen"},
  };
  for (const Case& c : cases) {
    ClickMenuBar(c.menu);
    TLabelMenuForm* menu = MainForm->Menus->DropDownMenu(c.menu);
    ASSERT_TRUE(HasKeyboard(menu)) << c.why;
    Key(c.key);
    EXPECT_EQ(menu->isVisible(), !c.closes) << c.why;
    EXPECT_EQ(MainForm->State.MenuOpen, c.menuOpenAfter) << c.why;
    menu->CloseMenu();
  }
}

// With a picture shown, keys in the menus run the main window's commands. One picture,
// one command after the other, each seen by its own effect.
TEST_F(MenuTest, KeysReachTheCommandsOfTheirItems) {
  struct Case {
    int menu;
    Qt::Key key;
    const char* what;
    std::function<bool()> done;
  };
  const Case cases[] = {
      {3, Qt::Key_I, "zoom in", [] { return MainForm->State.ZoomIndex == 13; }},
      {3, Qt::Key_W, "fit width",
       [] { return !MainForm->sbtnFitWidth->Flat() && MainForm->sbtnReal->Flat(); }},
      {2, Qt::Key_L, "hide the list",
       [] {
         return !MainForm->Panel1->Visible() &&
                menuViewForm->Label5->Caption() == QStringLiteral("列表查看(&L)");
       }},
      {2, Qt::Key_A, "properties panel", [] { return MainForm->Panel2->Visible(); }},
      {1, Qt::Key_T, "selection mode",
       [] {
         return MainForm->Commands.SelectionMode.Checked() &&
                menuEditForm->Label4->Caption() == QStringLiteral("取消选择(&T)   ");
       }},
      {0, Qt::Key_C, "close picture",
       [] { return !MainForm->imgMain->Visible() && !menuFileForm->Label4->Enabled(); }},
  };
  PictureHelpers::ShowPattern(files, 300, 200);
  for (const Case& c : cases) {
    ClickMenuBar(c.menu);
    ASSERT_TRUE(HasKeyboard(MainForm->Menus->DropDownMenu(c.menu))) << c.what;
    EXPECT_FALSE(c.done()) << c.what;
    Key(c.key);
    EXPECT_TRUE(c.done()) << c.what;
    EXPECT_FALSE(MainForm->Menus->DropDownMenu(c.menu)->isVisible()) << c.what;
    EXPECT_FALSE(MainForm->State.MenuOpen) << c.what;
  }
}

TEST_F(MenuTest, ADisabledItemIgnoresItsClickAndItsKeyUntilEnabled) {
  ClickMenuBar(0);
  QTest::mouseClick(menuFileForm->Label4, Qt::LeftButton, {}, QPoint(5, 5));
  ProcessEvents();
  EXPECT_TRUE(menuFileForm->isVisible());
  EXPECT_TRUE(MainForm->State.MenuOpen);

  PictureHelpers::ShowPattern(files, 40, 30);  // every load enables it
  ASSERT_TRUE(menuFileForm->isVisible());
  ASSERT_TRUE(HasKeyboard(menuFileForm));
  Key(Qt::Key_P);
  EXPECT_FALSE(menuFileForm->isVisible());
  EXPECT_FALSE(MainForm->State.MenuOpen);
}

TEST_F(MenuTest, FullScreenItemWaitsForAShownPicture) {
  ClickMenuBar(2);
  QTest::mouseClick(menuViewForm->Label1, Qt::LeftButton, {}, QPoint(5, 5));
  ProcessEvents();
  EXPECT_TRUE(menuViewForm->isVisible());
  EXPECT_TRUE(MainForm->State.MenuOpen);

  PictureHelpers::ShowPattern(files, 40, 30);
  ClickMenuBar(2);
  QTest::mouseClick(menuViewForm->Label1, Qt::LeftButton, {}, QPoint(5, 5));
  ProcessEvents();
  EXPECT_FALSE(menuViewForm->isVisible());
  EXPECT_FALSE(MainForm->State.MenuOpen);
  EXPECT_EQ(menuViewForm->Label1->Caption(), QStringLiteral("全屏(&F)   "));
}

TEST_F(MenuTest, HighlightFollowsTheMouse) {
  struct Case {
    TLabelMenuForm* menu;
    TLabel* item;
    TColor normal, highlight;
  };
  const Case cases[] = {
      {menuFileForm, menuFileForm->Label6, Colors::Black, Colors::White},
      {menuEditForm, menuEditForm->Label10, Colors::Maroon, Colors::White},
      {menuViewForm, menuViewForm->Label3, Colors::Green, Colors::White},
      {menuZoomForm, menuZoomForm->Label7, Colors::Purple, Colors::White},
      {menuToolForm, menuToolForm->Label8, Colors::Yellow, Colors::White},
      {menuHelpForm, menuHelpForm->Label3, Colors::Aqua, Colors::White},
      {PopupMainForm, PopupMainForm->Label4, Colors::Green, Colors::Black},
  };
  for (const Case& c : cases) {
    QCursor::setPos(0, 0);
    c.menu->PopupAt(500, 300);
    ProcessEvents();
    EXPECT_EQ(c.item->FontColor(), c.normal);
    Hover(c.item);
    EXPECT_TRUE(Eventually([&c] { return c.item->FontColor() == c.highlight; }))
        << qPrintable(c.item->Caption());
    Hover(c.menu, QPoint(c.menu->width() - 2, c.menu->height() - 2));  // off the item
    EXPECT_TRUE(Eventually([&c] { return c.item->FontColor() == c.normal; }))
        << qPrintable(c.item->Caption());
    c.menu->CloseMenu();
  }
}

TEST_F(MenuTest, SelectionMenuHighlightStaysUntilAnotherItemIsHovered) {
  TpopupShapeForm* m = popupShapeForm;
  m->PopupAt(500, 300);
  ProcessEvents();
  Hover(m->Label2);
  ASSERT_TRUE(Eventually([m] { return m->Label2->FontColor() == Colors::Black; }));
  Hover(m, QPoint(m->width() - 2, m->height() - 2));
  for (TLabel* item : {m->Label1, m->Label2, m->Label3, m->Label11, m->Label4})
    EXPECT_EQ(item->FontColor(), item == m->Label2 ? Colors::Black : Colors::Maroon);
  Hover(m->Label4);
  ASSERT_TRUE(Eventually([m] { return m->Label4->FontColor() == Colors::Black; }));
  EXPECT_EQ(m->Label2->FontColor(), Colors::Maroon);
  EXPECT_EQ(m->Label4->FontColor(), Colors::Black);
  // It is still so when the menu opens next time.
  m->CloseMenu();
  m->PopupAt(100, 100);
  EXPECT_EQ(m->Label4->FontColor(), Colors::Black);
}

TEST_F(MenuTest, ViewModeChooserOpensBesideTheViewMenu) {
  ClickMenuBar(2);
  const QPoint chooser = menuViewForm->pos() + QPoint(115, 142);
  Hover(menuViewForm->Label6);
  ASSERT_TRUE(Eventually([] { return ViewModeForm->isVisible(); }));
  EXPECT_EQ(ViewModeForm->pos(), chooser);
  EXPECT_TRUE(menuViewForm->isVisible());

  // Any other item puts it away and the View menu takes the keys again.
  Hover(menuViewForm->Label7);
  EXPECT_TRUE(Eventually([] { return !ViewModeForm->isVisible(); }));
  ASSERT_TRUE(HasKeyboard(menuViewForm));

  Key(Qt::Key_M);
  EXPECT_TRUE(ViewModeForm->isVisible());
  EXPECT_EQ(ViewModeForm->pos(), chooser);
  EXPECT_TRUE(menuViewForm->isVisible());

  // Hovering the menu bar closes it with the drop-downs.
  HoverMenuBar(0);
  EXPECT_TRUE(Eventually([] { return !ViewModeForm->isVisible(); }));
}

TEST_F(MenuTest, RightClickMenusOpenAtThePressPointOfAMovedWindow) {
  MainForm->move(90, 30);
  ShowPictureAt(20, 10);
  MainForm->shpRect->SetBounds(50, 60, 40, 30);
  MainForm->shpRect->SetVisible(true);
  // The picture area starts at (222, 94) of the window: list panel and splitter to its
  // left, the title bar above.
  QTest::mousePress(MainForm->imgMain, Qt::RightButton, {}, QPoint(7, 5));
  QTest::mouseRelease(MainForm->imgMain, Qt::RightButton, {}, QPoint(7, 5));
  EXPECT_EQ(PopupMainForm->geometry(), QRect(7 + 222 + 20 + 90, 5 + 94 + 10 + 30, 115, 209));
  ASSERT_TRUE(HasKeyboard(PopupMainForm));

  QTest::mousePress(MainForm->shpRect, Qt::RightButton, {}, QPoint(7, 5));
  QTest::mouseRelease(MainForm->shpRect, Qt::RightButton, {}, QPoint(7, 5));
  EXPECT_EQ(popupShapeForm->geometry(), QRect(7 + 222 + 50 + 90, 5 + 94 + 60 + 30, 115, 148));
  ASSERT_TRUE(HasKeyboard(popupShapeForm));
}

TEST_F(MenuTest, OnlyTheirOwnEventsCloseMenus) {
  ClickMenuBar(1);
  popupShapeForm->PopupAt(500, 500);
  ProcessEvents();
  // Moving the main window, clicking a control of it, giving it the focus: nothing.
  MainForm->move(30, 20);
  Hover(MainForm->sbtnZoomIn);  // a fresh time from the window system for the activation
  QTest::mouseClick(MainForm->sbtnZoomIn, Qt::LeftButton);
  MainForm->activateWindow();
  ASSERT_TRUE(Eventually([] { return QApplication::activeWindow() == MainForm; }));
  EXPECT_EQ(OpenWindows(), (std::vector<QWidget*>{menuEditForm, popupShapeForm}));
  EXPECT_EQ(menuEditForm->pos(), QPoint(60 + 58, 40 + 55));
}

TEST_F(MenuTest, PressesInThePictureAreaEndSwitchingAndAClickClosesAll) {
  ShowPictureAt(0, 0);
  MainForm->shpRect->SetBounds(200, 200, 40, 30);
  MainForm->shpRect->SetVisible(true);
  ClickMenuBar(0);

  // A press beside the picture, or on the selection, keeps the menus open.
  struct Press {
    QWidget* where;
    QPoint at;
  };
  const Press presses[] = {{MainForm->scrboxBack->Client(), QPoint(400, 300)},
                           {MainForm->shpRect, QPoint(5, 5)}};
  for (const Press& p : presses) {
    MainForm->State.MenuOpen = true;
    QTest::mousePress(p.where, Qt::RightButton, {}, p.at);
    QTest::mouseRelease(p.where, Qt::RightButton, {}, p.at);
    ProcessEvents();
    EXPECT_FALSE(MainForm->State.MenuOpen);
    EXPECT_TRUE(menuFileForm->isVisible());
  }

  // A right press on the picture: the same.
  MainForm->State.MenuOpen = true;
  QTest::mousePress(MainForm->imgMain, Qt::RightButton, {}, QPoint(10, 10));
  QTest::mouseRelease(MainForm->imgMain, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_FALSE(MainForm->State.MenuOpen);
  EXPECT_TRUE(menuFileForm->isVisible());

  // A left click on it puts away every menu and the chooser.
  for (int i = 0; i < 8; ++i) AllMenus(i)->PopupAt(100 + 20 * i, 100);
  ViewModeForm->Show();
  MainForm->State.MenuOpen = true;
  QTest::mouseClick(MainForm->imgMain, Qt::LeftButton, {}, QPoint(10, 10));
  ProcessEvents();
  EXPECT_TRUE(OpenWindows().empty());
  EXPECT_FALSE(MainForm->State.MenuOpen);
}

TEST_F(MenuTest, ItemsInScreenOrderWithTheirStartStates) {
  struct Case {
    TLabelMenuForm* menu;
    std::vector<TLabel*> items;  // top to bottom
    std::vector<QString> captions;
    std::vector<bool> enabled;
  };
  const Case cases[] = {
      {menuFileForm,
       {menuFileForm->Label1, menuFileForm->Label2, menuFileForm->Label3, menuFileForm->Label6,
        menuFileForm->Label4, menuFileForm->Label5},
       {"打开(&O)", "关闭(&C)", "另存为(&A)", "保存此大小(&N)", "打印图片(&P)", "退出(&E)"},
       {true, true, true, true, false, true}},
      {menuEditForm,
       {menuEditForm->Label1, menuEditForm->Label2, menuEditForm->Label3, menuEditForm->Label11,
        menuEditForm->Label4, menuEditForm->Label5, menuEditForm->Label6, menuEditForm->Label7,
        menuEditForm->Label10, menuEditForm->Label8, menuEditForm->Label9},
       {"剪切(&X)", "复制(&C)", "粘贴(&V)", "保存(&S)", "区域选择(&T)", "旋转90度(&A)",
        "左右翻转(&L)", "上下翻转(&U)", "黑白(&B)", "底片(&N)", "浮雕(&R)"},
       {false, false, false, false, true, true, true, true, true, true, true}},
      {menuViewForm,
       {menuViewForm->Label1, menuViewForm->Label8, menuViewForm->Label2, menuViewForm->Label3,
        menuViewForm->Label4, menuViewForm->Label5, menuViewForm->Label6, menuViewForm->Label7},
       {"全屏(&F)", "迷你播放(&X)", "上一幅(&P)", "下一幅(&N)", "幻灯片(&S)", "隐藏列表(&L)",
        "查看方式(&M)", "图片属性(&A)"},
       {}},
      {menuZoomForm,
       {menuZoomForm->Label1, menuZoomForm->Label2, menuZoomForm->Label3, menuZoomForm->Label4,
        menuZoomForm->Label5, menuZoomForm->Label6, menuZoomForm->Label7},
       {"真实大小(&R)", "适合图像(&P)", "适合宽度(&W)", "适合高度(&H)", "放大(&I)", "缩小(&O)",
        "放大镜(&Z)"},
       {}},
      {menuToolForm,
       {menuToolForm->Label1, menuToolForm->Label8, menuToolForm->Label2, menuToolForm->Label6,
        menuToolForm->Label3, menuToolForm->Label7, menuToolForm->Label4, menuToolForm->Label5},
       {"抓取屏幕(&G)", "百变桌面(&D)", "设为壁纸(&W)", "提取图标(&C)", "播放音乐(&M)",
        "拼图游戏(&P)", "导出屏保(&S)", "导入屏保(&I)"},
       {}},
      {menuHelpForm, {menuHelpForm->Label2, menuHelpForm->Label3}, {"鸣谢(&T)", "关于(&A)"}, {}},
      {PopupMainForm,
       {PopupMainForm->Label1, PopupMainForm->Label2, PopupMainForm->Label3, PopupMainForm->Label4,
        PopupMainForm->Label5, PopupMainForm->Label6, PopupMainForm->Label7},
       {"另存为(&A)", "保存此大小(&N)", "区域选择(&T)", "设为壁纸(&W)", "全屏(&F)", "隐藏列表(&L)",
        "图片属性(&A)"},
       {}},
      {popupShapeForm,
       {popupShapeForm->Label1, popupShapeForm->Label2, popupShapeForm->Label3,
        popupShapeForm->Label11, popupShapeForm->Label4},
       {"剪切(&X)", "复制(&C)", "粘贴(&V)", "保存(&S)", "清除选择(&T)"},
       {}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.items.size(), c.captions.size());
    int lastTop = -1;
    for (size_t i = 0; i < c.items.size(); ++i) {
      TLabel* item = c.items[i];
      // Design captions carry padding blanks after the text.
      EXPECT_EQ(item->Caption().trimmed(), c.captions[i]);
      EXPECT_TRUE(item->Caption().endsWith(QStringLiteral("   "))) << qPrintable(c.captions[i]);
      EXPECT_EQ(item->Enabled(), c.enabled.empty() || c.enabled[i]) << qPrintable(c.captions[i]);
      EXPECT_GT(item->Top(), lastTop) << qPrintable(c.captions[i]);
      EXPECT_LE(item->Top() + item->Height(), c.menu->height()) << qPrintable(c.captions[i]);
      EXPECT_EQ(item->Width(), 97);
      EXPECT_EQ(item->Cursor(), TCursor::HandPoint);
      lastTop = item->Top();
    }
  }
  // The help menu's third label lies below what the menu shows.
  EXPECT_GE(menuHelpForm->Label1->Top(), menuHelpForm->height());
}

TEST_F(MenuTest, TheMiniItemCaptionFollowsTheMiniMode) {
  EXPECT_EQ(menuViewForm->Label8->Caption(), QStringLiteral("迷你播放(&X)   "));
  MainForm->Commands.MiniMode.SetChecked(true);
  EXPECT_EQ(menuViewForm->Label8->Caption(), QStringLiteral("取消迷你(&X)"));
  // The first close request only leaves mini mode.
  EXPECT_FALSE(MainForm->close());
  EXPECT_TRUE(MainForm->isVisible());
}
