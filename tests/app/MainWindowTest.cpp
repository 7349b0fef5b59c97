// The main window at start-up: windows, layout, start states, title bar and keys.
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <cstdlib>
#include <cstring>

#include <xcb/xcb.h>

#include "FormsTest.h"
#include "controls/TApplication.h"

using MainWindowTest = FormsTest;

TEST_F(MainWindowTest, CreatesTheSeventeenWindowsHiddenButTheMain) {
  const QWidget* others[] = {menuFileForm,    menuEditForm, popupShapeForm, menuViewForm,
                             menuZoomForm,    ViewModeForm, menuToolForm,   menuHelpForm,
                             MusicPlayerForm, AboutForm,    ThanksForm,     ScreenSafeForm,
                             PopupMainForm,   GetIconForm,  SpellPIcForm,   DeskPicForm};
  for (const QWidget* w : others) {
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
  }
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_EQ(MainForm->Caption(), QStringLiteral("Picora图片浏览器"));
  EXPECT_EQ(TApplication::Title(), QStringLiteral("Picora图片浏览器"));
}

namespace {

// The title the window system holds for window (its _NET_WM_NAME, what a window manager
// draws); empty when it cannot be read.
QString WindowSystemTitle(const QWidget& window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11) return {};
  xcb_connection_t* c = x11->connection();
  const auto atom = [c](const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
  };
  const xcb_atom_t name = atom("_NET_WM_NAME"), utf8 = atom("UTF8_STRING");
  xcb_get_property_reply_t* r = xcb_get_property_reply(
      c, xcb_get_property(c, 0, xcb_window_t(window.winId()), name, utf8, 0, 1024), nullptr);
  QString title;
  if (r)
    title = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(r)),
                              xcb_get_property_value_length(r));
  std::free(r);
  return title;
}

}  // namespace

// Message boxes carry their own titles ("错误提示", "友情提示"): the program's title must
// not be appended to them, which made a small box's title read "错… 器" once the window
// manager shortened it.
TEST_F(MainWindowTest, MessageBoxesKeepTheirOwnTitles) {
  if (QGuiApplication::platformName() != QLatin1String("xcb"))
    GTEST_SKIP() << "the title the window system holds is read through X11";
  EXPECT_EQ(WindowSystemTitle(*MainForm).toStdString(), "Picora图片浏览器");
  for (const QString& title : {QStringLiteral("错误提示"), QStringLiteral("友情提示")}) {
    QMessageBox box;
    box.setWindowTitle(title);
    box.setText(QStringLiteral("图象文件错误!"));
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    EXPECT_EQ(WindowSystemTitle(box).toStdString(), title.toStdString());
  }
}

TEST_F(MainWindowTest, LayoutAndStartState) {
  EXPECT_EQ(MainForm->Width(), 825);
  EXPECT_EQ(MainForm->Height(), 619);
  EXPECT_EQ(MainForm->Panel3->Height(), 94);
  EXPECT_EQ(MainForm->Panel1->Width(), 220);
  EXPECT_FALSE(MainForm->Panel2->Visible());
  EXPECT_EQ(MainForm->StatusBar->Height(), 19);
  // The picture area takes what the panels leave: 825 - 220 - 2 by 619 - 94 - 19.
  EXPECT_EQ(MainForm->scrboxBack->Width(), 603);
  EXPECT_EQ(MainForm->scrboxBack->Height(), 506);
  EXPECT_EQ(MainForm->scrboxBack->Left(), 222);

  EXPECT_FALSE(MainForm->sbtnReal->Flat());
  EXPECT_FALSE(MainForm->sbtnList->Flat());
  for (TSpeedButton* b : {MainForm->sbtnFitPic, MainForm->sbtnFitWidth, MainForm->sbtnFitHeight,
                          MainForm->sbtnAuto, MainForm->sbtnSelect, MainForm->sbtnZoom})
    EXPECT_TRUE(b->Flat());
  EXPECT_EQ(MainForm->sbtnNinetyTurn->Left(), 531);
  EXPECT_EQ(MainForm->sbtnNinetyTurn->Hint(), QStringLiteral("旋转90度"));
  EXPECT_EQ(MainForm->Image2->Left(), 762);
  EXPECT_EQ(MainForm->sbtnClose->Left(), 803);

  const QString texts[] = {"文件数", "文件名", "大小", "分辨率", "更新日期", "100%", "鼠标位置"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(MainForm->StatusBar->Text(i), texts[i]) << i;

  EXPECT_EQ(MainForm->State.ZoomIndex, 12);
  EXPECT_TRUE(MainForm->State.ScanEnabled);
  EXPECT_FALSE(MainForm->State.MenuOpen);
  EXPECT_FALSE(MainForm->imgMain->Visible());
  EXPECT_EQ(MainForm->State.WorkBitmap.Width(), 0);
  EXPECT_EQ(MainForm->PageControl2->ActivePageIndex(), 1);
  EXPECT_TRUE(MainForm->fcbUseSmallImg->Checked());
}

TEST_F(MainWindowTest, MaximiseLeavesTheTaskBarAndRestoreGivesBackTheBounds) {
  const QRect before = MainForm->geometry();
  QScreen* screen = MainForm->screen();
  const int taskBar = screen->geometry().height() - screen->availableGeometry().height();
  for (int round = 0; round < 2; ++round) {
    MainForm->Image1DblClick();
    EXPECT_EQ(MainForm->WindowState(), TWindowState::Maximized);
    EXPECT_EQ(MainForm->Width(), screen->geometry().width());
    EXPECT_EQ(MainForm->Height(), screen->geometry().height() - taskBar);
    EXPECT_EQ(MainForm->sbtnMax->Hint(), QStringLiteral("还原"));
    // The window buttons follow the right edge, one pixel left of the design place.
    EXPECT_EQ(MainForm->Image2->Left(), MainForm->Image1->Width() - 64);
    EXPECT_EQ(MainForm->sbtnClose->Left(), MainForm->Image2->Left() + 41);

    MainForm->Image1DblClick();
    EXPECT_EQ(MainForm->WindowState(), TWindowState::Normal);
    EXPECT_EQ(MainForm->geometry(), before);
    EXPECT_EQ(MainForm->sbtnMax->Hint(), QStringLiteral("最大化"));
    EXPECT_EQ(MainForm->Image2->Left(), 825 - 64);
  }
}

TEST_F(MainWindowTest, RestoreClosesTheMenusButNotTheChooser) {
  MainForm->sbtnMaxClick();
  menuFileForm->Show();
  PopupMainForm->Show();
  ViewModeForm->Show();
  MainForm->sbtnMaxClick();
  EXPECT_FALSE(menuFileForm->isVisible());
  EXPECT_FALSE(PopupMainForm->isVisible());
  EXPECT_TRUE(ViewModeForm->isVisible());
}

TEST_F(MainWindowTest, EscWithNothingHiddenChangesNothing) {
  const QRect before = MainForm->geometry();
  QTest::keyClick(MainForm, Qt::Key_Escape);
  EXPECT_EQ(MainForm->geometry(), before);
  EXPECT_EQ(MainForm->WindowState(), TWindowState::Normal);
  EXPECT_TRUE(MainForm->StatusBar->Visible());
}

TEST_F(MainWindowTest, TitlePressClosesMenusAndOnlyTheHeaderClearsMenuOpen) {
  MainForm->State.MenuOpen = true;
  menuFileForm->Show();
  ViewModeForm->Show();
  MainForm->lblTitleMouseDown(Qt::RightButton, 5, 5);
  EXPECT_FALSE(menuFileForm->isVisible());
  EXPECT_FALSE(ViewModeForm->isVisible());
  EXPECT_TRUE(MainForm->State.MenuOpen);
  MainForm->Image1MouseDown(Qt::RightButton, 5, 5);
  EXPECT_FALSE(MainForm->State.MenuOpen);
}

TEST_F(MainWindowTest, AnErrorInAHandlerIsReportedAndTheProgramGoesOn) {
  struct Case {
    const char* what;
    QString shown;
  };
  const Case cases[] = {{"Disk is full", "Disk is full."},
                        {"剪贴板格式错误!", "剪贴板格式错误!"},
                        {"Stopped.", "Stopped."},
                        {"图象文件错误", "图象文件错误."}};
  for (const Case& c : cases) {
    dialogs.messages.clear();
    MainForm->sbtnOpen->OnClick = [&c] { throw std::runtime_error(c.what); };
    QTest::mouseClick(MainForm->sbtnOpen, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.what;
    EXPECT_EQ(dialogs.messages[0].text, c.shown);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Picora图片浏览器"));
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
  }
  EXPECT_TRUE(MainForm->isVisible());
}
