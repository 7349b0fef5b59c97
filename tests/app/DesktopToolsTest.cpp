// The Tools menu's screen capture and set as wallpaper in the running windows: what a
// grab leaves in the viewer, that the program's windows are off the screen while it is
// taken and back afterwards, and what lands in ~/WallPaper.bmp and reaches the desktop.
// The wallpaper setter is a recorder except in the last suite, which runs the real chain
// against the Xvfb root.
#include <xcb/xcb.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <memory>
#include <optional>

#include "EditHelpers.h"
#include "FormsTest.h"
#include "controls/TApplication.h"
#include "platform/RootBackground.h"
#include "platform/ScreenGrab.h"
#include "platform/Wallpaper.h"
#include "tools/DesktopCommands.h"

using namespace EditHelpers;

namespace {

// The primary screen in device pixels: what a grab must measure.
QSize ScreenPixels() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen->geometry().size() * screen->devicePixelRatio();
}

// The four quadrants of a w x h picture in four colours: stretched to any size, the
// middle of each quadrant keeps its colour.
QImage Quadrants(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  const QRgb colours[4] = {qRgb(200, 30, 40), qRgb(20, 180, 60), qRgb(30, 60, 220),
                           qRgb(240, 220, 10)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, colours[(y * 2 / h) * 2 + x * 2 / w]);
  return image;
}

struct BmpHeader {
  int width = 0, height = 0, bits = 0;
};

std::optional<BmpHeader> ReadBmpHeader(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray h = f.read(54);
  if (h.size() < 54 || !h.startsWith("BM")) return std::nullopt;
  auto le = [&h](int at, int bytes) {
    qint64 v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | uchar(h[at + i]);
    return v;
  };
  return BmpHeader{int(le(18, 4)), int(le(22, 4)), int(le(28, 2))};
}

}  // namespace

class DesktopToolsTest : public FormsTest {
 protected:
  void SetUp() override {
    // The grab must come from the test's X server, never from a desktop portal of the
    // session the tests were started in.
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("XDG_SESSION_TYPE");
    oldHome_ = qgetenv("HOME");
    home = files.Path(QStringLiteral("home"));
    QDir().mkpath(home);
    qputenv("HOME", QFile::encodeName(home));
    Wallpaper::Replace([this](const QString& path, Wallpaper::Done) { setterCalls << path; });
    FormsTest::SetUp();
  }
  void TearDown() override {
    FormsTest::TearDown();
    Wallpaper::Replace({});
    qputenv("HOME", oldHome_);
  }

  QString WallpaperFile() const { return home + QStringLiteral("/WallPaper.bmp"); }

  // As the Tools menu's items do (the menu closes itself and clears MenuOpen first).
  static void CaptureFromMenu() { menuToolForm->Label1Click(); }
  static void WallpaperFromMenu() { menuToolForm->Label2Click(); }

  // The displayed picture at 50 %.
  static void ZoomToHalf() {
    while (MainForm->State.ZoomIndex > 8) MainForm->Commands.ZoomOut.Run();
  }

  QString home;
  QStringList setterCalls;

 private:
  QByteArray oldHome_;
};

TEST_F(DesktopToolsTest, CaptureShowsTheGrabAsALoadedBitmapAndKeepsTheCurrentFile) {
  const QString jpeg = ShowFile(files, QStringLiteral("photo.jpg"), TestFiles::Pattern(300, 200));
  QFile::setPermissions(jpeg, QFile::ReadOwner);  // so that the read-only box is checked
  ShowFile(files, QStringLiteral("photo.jpg"), TestFiles::Pattern(300, 200));
  MainForm->Commands.Magnifier.Run();
  ZoomToHalf();
  ASSERT_TRUE(MainForm->State.MagnifierOn);
  ASSERT_EQ(MainForm->State.ZoomIndex, 8);
  ASSERT_FALSE(MainForm->fedFileName->text().isEmpty());
  ASSERT_TRUE(MainForm->fcbReadOnly->isChecked());
  TStatusBar* bar = MainForm->StatusBar;
  const QString listPosition = bar->Text(0);
  const int selected = MainForm->ListView1->Selected();
  MainForm->State.MenuOpen = true;

  CaptureFromMenu();
  ProcessEvents();

  const ViewerState& st = MainForm->State;
  const QSize screen = ScreenPixels();
  const QString size = QStringLiteral("%1 X %2").arg(screen.width()).arg(screen.height());
  EXPECT_FALSE(st.MenuOpen);
  EXPECT_EQ(bar->Text(0), listPosition);
  EXPECT_EQ(bar->Text(1), QStringLiteral("桌面抓图"));
  EXPECT_EQ(bar->Text(2), QStringLiteral("大小"));
  EXPECT_EQ(bar->Text(3), size);
  EXPECT_EQ(bar->Text(4), QStringLiteral("更新日期"));
  EXPECT_EQ(bar->Text(5), QStringLiteral("100%"));
  EXPECT_EQ(MainForm->lblSize->Caption(), size);

  EXPECT_FALSE(st.MagnifierOn);
  EXPECT_FALSE(MainForm->Commands.Magnifier.Checked());
  EXPECT_FALSE(MainForm->scrboxMagnifier->Visible());
  EXPECT_EQ(st.ZoomIndex, ViewerState::kRealSizeZoom);
  EXPECT_EQ(QSize(st.PicWidth, st.PicHeight), screen);
  EXPECT_EQ(st.CurExt, QStringLiteral(".bmp"));
  EXPECT_TRUE(st.PicIsBitmap);
  EXPECT_EQ(st.CurFileName, QStringLiteral("photo.jpg"));
  EXPECT_EQ(st.CurFolder, files.Folder() + QLatin1Char('/'));
  EXPECT_EQ(st.CurIndex, 1);
  EXPECT_EQ(MainForm->ListView1->Selected(), selected);

  TImage* img = MainForm->imgMain;
  EXPECT_TRUE(img->Visible());
  EXPECT_TRUE(img->AutoSize());
  EXPECT_FALSE(img->Stretch());
  EXPECT_EQ(QRect(img->Left(), img->Top(), img->Width(), img->Height()), QRect(QPoint(), screen));
  const QImage grab = Shown();
  EXPECT_EQ(grab.size(), screen);
  EXPECT_EQ(st.WorkBitmap.GetPixelFormat(), PixelFormat::Bit24);
  EXPECT_EQ(st.WorkBitmap.Image().convertToFormat(QImage::Format_RGB32), grab);

  for (TEdit* field : {MainForm->fedFileName, MainForm->fedFilePath})
    EXPECT_TRUE(field->text().isEmpty());
  for (TLabel* label : {MainForm->lblFileSize, MainForm->lblCreateTime, MainForm->lblWriteTime,
                        MainForm->lblAccessTime})
    EXPECT_TRUE(label->Caption().isEmpty());
  for (TCheckBox* box : {MainForm->fcbReadOnly, MainForm->fcbHidden, MainForm->fcbArchive})
    EXPECT_FALSE(box->isChecked());

  // The grab is now the reference the brightness restore returns to. (Darker leaves a
  // black screen black, brighter a white one white.)
  MainForm->Commands.Darker.Run();
  if (Shown() == grab) MainForm->Commands.Brighter.Run();
  ASSERT_NE(Shown(), grab);
  MainForm->Commands.RestoreBrightness.Run();
  EXPECT_EQ(Shown(), grab);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DesktopToolsTest, CaptureReplacesAGifOnDisplay) {
  files.WriteBytes(QStringLiteral("anim.gif"), ListHelpers::TinyGif());
  ListHelpers::FillList(files, {QStringLiteral("anim.gif")});
  ListHelpers::LoadFromList(QStringLiteral("anim.gif"));
  ASSERT_TRUE(MainForm->pnlGifBack->Visible());
  ASSERT_TRUE(Shown().isNull());

  CaptureFromMenu();
  ProcessEvents();

  EXPECT_FALSE(MainForm->pnlGifBack->Visible());
  EXPECT_TRUE(MainForm->imgMain->Visible());
  EXPECT_EQ(Shown().size(), ScreenPixels());
  EXPECT_EQ(MainForm->State.CurExt, QStringLiteral(".bmp"));
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("anim.gif"));
}

// Paints the root; the next test finds a root without a picture again.
class DesktopToolsXRoot : public DesktopToolsTest {
 protected:
  void SetUp() override {
    display = qgetenv("DISPLAY");
    if (display.isEmpty() || QGuiApplication::platformName() != QLatin1String("xcb"))
      GTEST_SKIP() << "needs an X server";
    DesktopToolsTest::SetUp();
  }
  void TearDown() override {
    if (display.isEmpty()) return;
    DesktopToolsTest::TearDown();
    ClearRoot();
  }

  // The root without a picture: the retained pixmap freed, the properties gone.
  void ClearRoot() {
    xcb_connection_t* c = xcb_connect(display.constData(), nullptr);
    if (xcb_connection_has_error(c)) return xcb_disconnect(c);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t rootAtom = Atom(c, "_XROOTPMAP_ID"), esetroot = Atom(c, "ESETROOT_PMAP_ID");
    const xcb_pixmap_t p = Property(c, root, rootAtom);
    if (p && p == Property(c, root, esetroot)) xcb_request_check(c, xcb_kill_client_checked(c, p));
    xcb_delete_property(c, root, rootAtom);
    xcb_delete_property(c, root, esetroot);
    const uint32_t none = XCB_BACK_PIXMAP_NONE;
    xcb_change_window_attributes(c, root, XCB_CW_BACK_PIXMAP, &none);
    xcb_clear_area(c, 0, root, 0, 0, 0, 0);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    xcb_disconnect(c);
  }

  // The pixmap the root's _XROOTPMAP_ID names, 0 for none.
  xcb_pixmap_t RootPixmap() {
    xcb_connection_t* c = xcb_connect(display.constData(), nullptr);
    xcb_pixmap_t p = 0;
    if (!xcb_connection_has_error(c))
      p = Property(c, xcb_setup_roots_iterator(xcb_get_setup(c)).data->root,
                   Atom(c, "_XROOTPMAP_ID"));
    xcb_disconnect(c);
    return p;
  }

  static xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
  }
  static xcb_pixmap_t Property(xcb_connection_t* c, xcb_window_t root, xcb_atom_t atom) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, atom, XCB_ATOM_PIXMAP, 0, 1), nullptr);
    xcb_pixmap_t id = 0;
    if (reply && reply->type == XCB_ATOM_PIXMAP && xcb_get_property_value_length(reply) == 4)
      memcpy(&id, xcb_get_property_value(reply), 4);
    free(reply);
    return id;
  }

  QByteArray display;
};

TEST_F(DesktopToolsXRoot, TheGrabShowsTheDesktopBeneathTheWindowsWhichComeBack) {
  const QSize screen = ScreenPixels();
  const QImage desktop = TestFiles::Pattern(screen.width(), screen.height());
  ASSERT_TRUE(RootBackground::Set(display, desktop));
  // A second window of the program on screen besides the main one.
  MusicPlayerForm->move(20, 20);
  MusicPlayerForm->Show();
  ProcessEvents();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(MusicPlayerForm));
  const qreal dpr = QGuiApplication::primaryScreen()->devicePixelRatio();
  auto devicePixels = [dpr](const QRect& r) {
    return QRect((QPointF(r.topLeft()) * dpr).toPoint(), (QSizeF(r.size()) * dpr).toSize());
  };
  const QRect mainRect = devicePixels(MainForm->frameGeometry());
  const QRect playerRect = devicePixels(MusicPlayerForm->frameGeometry());
  // Without the capture the windows are in the way.
  ASSERT_NE(ScreenGrab::Root().copy(mainRect), desktop.copy(mainRect));

  CaptureFromMenu();

  const QImage grab = Shown();
  ASSERT_EQ(grab.size(), screen);
  EXPECT_EQ(grab.copy(mainRect), desktop.copy(mainRect));
  EXPECT_EQ(grab.copy(playerRect), desktop.copy(playerRect));
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_TRUE(MusicPlayerForm->isVisible());
  EXPECT_FALSE(menuToolForm->isVisible());
  EXPECT_TRUE(QTest::qWaitForWindowExposed(MainForm));
  MusicPlayerForm->Hide();
}

TEST_F(DesktopToolsTest, WallpaperIsThePicturesOwnSizeAndCurrentStateEveryTime) {
  ShowFile(files, QStringLiteral("photo.jpg"), TestFiles::Pattern(300, 200));
  ZoomToHalf();
  ASSERT_EQ(MainForm->State.ZoomIndex, 8);
  MainForm->State.MenuOpen = true;

  WallpaperFromMenu();
  EXPECT_FALSE(MainForm->State.MenuOpen);
  const std::optional<BmpHeader> header = ReadBmpHeader(WallpaperFile());
  ASSERT_TRUE(header);
  EXPECT_EQ(header->width, 300);
  EXPECT_EQ(header->height, 200);
  EXPECT_EQ(header->bits, 24);
  EXPECT_EQ(QImage(WallpaperFile()).convertToFormat(QImage::Format_RGB32), Shown());
  EXPECT_EQ(setterCalls, QStringList{WallpaperFile()});

  // Again after an edit, from the picture's right-click menu: the file is overwritten with
  // the edited pixels and the desktop gets the same call.
  MainForm->Commands.Negative.Run();
  const QImage edited = Shown();
  PopupMainForm->Label4Click();
  EXPECT_EQ(QImage(WallpaperFile()).convertToFormat(QImage::Format_RGB32), edited);
  EXPECT_EQ(setterCalls, (QStringList{WallpaperFile(), WallpaperFile()}));
  EXPECT_EQ(QDir(home).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("WallPaper.bmp")});  // no temporary file left
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DesktopToolsTest, WallpaperOnlyFromAPictureAndNeverAfterAFailedWrite) {
  enum class Expect { ScreenSizeFile, Nothing, ErrorReport };
  struct Case {
    const char* what;
    std::function<void(TestFiles&, QString&)> prepare;
    Expect expect;
  };
  const Case cases[] = {
      {"after a capture", [](TestFiles&, QString&) { CaptureFromMenu(); }, Expect::ScreenSizeFile},
      {"nothing loaded", [](TestFiles&, QString&) {}, Expect::Nothing},
      {"a GIF on display",
       [](TestFiles& f, QString&) {
         ShowFile(f, QStringLiteral("before.bmp"), TestFiles::Pattern(40, 30));
         f.WriteBytes(QStringLiteral("anim.gif"), ListHelpers::TinyGif());
         ListHelpers::FillList(f, {QStringLiteral("anim.gif")});
         ListHelpers::LoadFromList(QStringLiteral("anim.gif"));
       },
       Expect::Nothing},
      {"a picture that did not decode",
       [](TestFiles& f, QString&) {
         ShowFile(f, QStringLiteral("before.bmp"), TestFiles::Pattern(40, 30));
         f.WriteBytes(QStringLiteral("broken.jpg"), "not a picture");
         ListHelpers::FillList(f, {QStringLiteral("broken.jpg")});
         ListHelpers::LoadFromList(QStringLiteral("broken.jpg"));
       },
       Expect::Nothing},
      {"the picture closed",
       [](TestFiles& f, QString&) {
         ShowFile(f, QStringLiteral("before.bmp"), TestFiles::Pattern(40, 30));
         MainForm->Commands.ClosePicture.Run();
       },
       Expect::Nothing},
      // A home folder that cannot hold the file (missing: root may write anywhere else).
      {"home not writable",
       [](TestFiles& f, QString& home) {
         ShowFile(f, QStringLiteral("before.bmp"), TestFiles::Pattern(40, 30));
         home = f.Path(QStringLiteral("no such home"));
         qputenv("HOME", QFile::encodeName(home));
       },
       Expect::ErrorReport},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Each case in windows of its own.
    FormsTest::TearDown();
    FormsTest::SetUp();
    home = files.Path(QStringLiteral("home"));
    qputenv("HOME", QFile::encodeName(home));
    QFile::remove(WallpaperFile());
    setterCalls.clear();
    c.prepare(files, home);
    dialogs.messages.clear();

    // Through a real click on the menu item, so that an error takes the road of every
    // handler error.
    MainForm->Menus->Click(4);
    ProcessEvents();
    ASSERT_TRUE(menuToolForm->isVisible());
    QTest::mouseClick(menuToolForm->Label2, Qt::LeftButton, {}, QPoint(5, 5));
    ProcessEvents();

    switch (c.expect) {
      case Expect::ScreenSizeFile: {
        const std::optional<BmpHeader> header = ReadBmpHeader(WallpaperFile());
        ASSERT_TRUE(header);
        EXPECT_EQ(QSize(header->width, header->height), ScreenPixels());
        EXPECT_EQ(setterCalls, QStringList{WallpaperFile()});
        EXPECT_TRUE(dialogs.messages.empty());
        break;
      }
      case Expect::Nothing:
        EXPECT_FALSE(QFile::exists(WallpaperFile()));
        EXPECT_TRUE(setterCalls.isEmpty());
        EXPECT_TRUE(dialogs.messages.empty());
        break;
      case Expect::ErrorReport:
        EXPECT_FALSE(QFile::exists(WallpaperFile()));
        EXPECT_TRUE(setterCalls.isEmpty());
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
        EXPECT_EQ(dialogs.messages[0].title, TApplication::Title());
        EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("WallPaper.bmp")))
            << dialogs.messages[0].text.toStdString();
        break;
    }
  }
}

// The real chain, as the program runs it under Xvfb with no desktop: the bare X11 way.
TEST_F(DesktopToolsXRoot, WallpaperReachesTheRootThroughTheRealChain) {
  auto outcome = std::make_shared<std::optional<Wallpaper::Way>>();
  Wallpaper::Options options;
  options.environment.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(display));
  options.environment.insert(QStringLiteral("PATH"), files.Path(QStringLiteral("no-bin")));
  Wallpaper::Replace([options, outcome](const QString& path, Wallpaper::Done) {
    Wallpaper::SetWith(path, options, [outcome](Wallpaper::Way way) { *outcome = way; });
  });
  ShowFile(files, QStringLiteral("quadrants.bmp"), Quadrants(64, 48));

  WallpaperFromMenu();
  ASSERT_TRUE(QTest::qWaitFor([&] { return outcome->has_value(); }, 60000));
  EXPECT_EQ(**outcome, Wallpaper::Way::X11);
  EXPECT_NE(RootPixmap(), 0u);
  // The screen's corners lie outside the main window: there the root shows each quadrant
  // stretched to the screen.
  const QImage root = ScreenGrab::Root();
  const QImage quadrants = Quadrants(2, 2);
  const int w = root.width(), h = root.height();
  const QPoint corners[4] = {{10, 10}, {w - 10, 10}, {10, h - 10}, {w - 10, h - 10}};
  const QPoint cells[4] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(root.pixel(corners[k]), quadrants.pixel(cells[k])) << k;
}
