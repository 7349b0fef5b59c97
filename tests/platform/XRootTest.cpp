// The bare X11 wallpaper and the screen grab on the root window of the test run's X
// server. These suites paint the root, so their names carry XRoot: they take the display
// lock and never run beside the window tests.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <memory>
#include <optional>

#include "FakeScreenshotPortal.h"
#include "PrivateBus.h"
#include "TestFiles.h"
#include "platform/RootBackground.h"
#include "platform/ScreenGrab.h"
#include "platform/Wallpaper.h"

namespace {

using Way = Wallpaper::Way;

// A picture of cols x rows cells of 20 x 20 pixels, each of its own colour.
QImage Cells(int cols, int rows, int seed) {
  QImage image(cols * 20, rows * 20, QImage::Format_RGB32);
  QPainter painter(&image);
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < cols; ++i)
      painter.fillRect(i * 20, j * 20, 20, 20,
                       QColor((40 * i + seed) % 256, (90 * j + 2 * seed) % 256,
                              (60 * (i + j) + 3 * seed) % 256));
  return image;
}

// The cell colours must appear at the centres of the stretched cells.
void ExpectStretched(const QImage& grab, const QImage& cells) {
  const int cols = cells.width() / 20, rows = cells.height() / 20;
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < cols; ++i) {
      SCOPED_TRACE(i);
      SCOPED_TRACE(j);
      const int x = (2 * i + 1) * grab.width() / (2 * cols);
      const int y = (2 * j + 1) * grab.height() / (2 * rows);
      EXPECT_EQ(grab.pixel(x, y), cells.pixel(i * 20 + 10, j * 20 + 10));
    }
  }
}

}  // namespace

// Reads and restores the root through a connection of the test's own.
class RootFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    display = qgetenv("DISPLAY");
    if (display.isEmpty() || QGuiApplication::platformName() != QLatin1String("xcb"))
      GTEST_SKIP() << "needs an X server";
    c = xcb_connect(display.constData(), nullptr);
    ASSERT_FALSE(xcb_connection_has_error(c));
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    root = screen->root;
    rootSize = QSize(screen->width_in_pixels, screen->height_in_pixels);
    rootAtom = Atom("_XROOTPMAP_ID");
    esetrootAtom = Atom("ESETROOT_PMAP_ID");
    Restore();
  }

  void TearDown() override {
    if (!c) return;
    Restore();
    xcb_disconnect(c);
  }

  // Back to a root without a picture: the last retained pixmap freed, the properties gone.
  void Restore() {
    const xcb_pixmap_t p = Property(rootAtom);
    if (p && p == Property(esetrootAtom)) xcb_request_check(c, xcb_kill_client_checked(c, p));
    xcb_delete_property(c, root, rootAtom);
    xcb_delete_property(c, root, esetrootAtom);
    const uint32_t none = XCB_BACK_PIXMAP_NONE;
    xcb_change_window_attributes(c, root, XCB_CW_BACK_PIXMAP, &none);
    xcb_clear_area(c, 0, root, 0, 0, 0, 0);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // a round trip
  }

  xcb_atom_t Atom(const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
  }

  xcb_pixmap_t Property(xcb_atom_t atom) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, atom, XCB_ATOM_PIXMAP, 0, 1), nullptr);
    xcb_pixmap_t id = 0;
    if (reply && reply->type == XCB_ATOM_PIXMAP && xcb_get_property_value_length(reply) == 4)
      memcpy(&id, xcb_get_property_value(reply), 4);
    free(reply);
    return id;
  }

  void SetProperty(xcb_atom_t atom, xcb_pixmap_t id) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, atom, XCB_ATOM_PIXMAP, 32, 1, &id);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  }

  // The size and depth of a pixmap that still exists.
  std::optional<std::pair<QSize, int>> Geometry(xcb_pixmap_t id) {
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr);
    if (!reply) return std::nullopt;
    std::pair<QSize, int> g{QSize(reply->width, reply->height), reply->depth};
    free(reply);
    return g;
  }

  int RootDepth() { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root_depth; }

  // Options for the X11 way alone: no bus, no desktop, no helpers.
  Wallpaper::Options X11Options() const {
    Wallpaper::Options options;
    options.environment.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(display));
    options.environment.insert(QStringLiteral("PATH"), files.Path(QStringLiteral("no-bin")));
    return options;
  }

  Way SetAndWait(const QString& path, const Wallpaper::Options& options) {
    auto way = std::make_shared<std::optional<Way>>();
    Wallpaper::SetWith(path, options, [way](Way w) { *way = w; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return way->has_value(); }, 60000));
    return way->value_or(Way::None);
  }

  TestFiles files;
  QByteArray display;
  xcb_connection_t* c = nullptr;
  xcb_window_t root = 0;
  QSize rootSize;
  xcb_atom_t rootAtom = 0, esetrootAtom = 0;
};

class WallpaperXRoot : public RootFixture {};

TEST_F(WallpaperXRoot, RootShowsThePictureStretchedAndTheNextReplacesIt) {
  const QImage first = Cells(4, 2, 0), second = Cells(3, 3, 77);
  const QString path = files.WriteBmp(QStringLiteral("WallPaper.bmp"), first);

  ASSERT_EQ(SetAndWait(path, X11Options()), Way::X11);
  const xcb_pixmap_t p1 = Property(rootAtom);
  ASSERT_NE(p1, 0u);
  EXPECT_EQ(Property(esetrootAtom), p1);
  // It outlived the setter's connection, at the root's size and depth.
  EXPECT_EQ(Geometry(p1), (std::pair{rootSize, RootDepth()}));
  QImage grab = ScreenGrab::Root();
  ASSERT_EQ(grab.size(), rootSize);
  ExpectStretched(grab, first);

  // The same file with new content, as a changing desktop writes it.
  files.WriteBmp(QStringLiteral("WallPaper.bmp"), second);
  ASSERT_EQ(SetAndWait(path, X11Options()), Way::X11);
  const xcb_pixmap_t p2 = Property(rootAtom);
  ASSERT_NE(p2, 0u);
  EXPECT_NE(p2, p1);
  EXPECT_EQ(Property(esetrootAtom), p2);
  EXPECT_FALSE(Geometry(p1)) << "the previous pixmap is still in the server";
  grab = ScreenGrab::Root();
  ExpectStretched(grab, second);
}

TEST_F(WallpaperXRoot, APixmapNamedByOnlyOneOfTheTwoPropertiesIsLeftAlone) {
  const QString path = files.WriteBmp(QStringLiteral("WallPaper.bmp"), Cells(2, 2, 5));
  // Another program's pixmap, on a connection that stays open: ours.
  const xcb_pixmap_t foreign = xcb_generate_id(c);
  xcb_create_pixmap(c, uint8_t(RootDepth()), foreign, root, 8, 8);
  const struct { bool inRoot, inEsetroot; } cases[] = {{true, false}, {false, true}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.inRoot);
    SetProperty(rootAtom, k.inRoot ? foreign : 0x1234);
    SetProperty(esetrootAtom, k.inEsetroot ? foreign : 0x5678);
    ASSERT_EQ(SetAndWait(path, X11Options()), Way::X11);
    EXPECT_FALSE(xcb_connection_has_error(c));
    EXPECT_EQ(Geometry(foreign), (std::pair{QSize(8, 8), RootDepth()}));
    const xcb_pixmap_t ours = Property(rootAtom);
    EXPECT_NE(ours, foreign);
    EXPECT_EQ(Property(esetrootAtom), ours);
    // Our own retained pixmap goes before the next case names a foreign one again.
    xcb_request_check(c, xcb_kill_client_checked(c, ours));
  }
  xcb_free_pixmap(c, foreign);
}

TEST_F(WallpaperXRoot, RootIsLeftAloneWhenItCannotShowThePicture) {
  const QString picture = files.WriteBmp(QStringLiteral("WallPaper.bmp"), Cells(2, 2, 9));
  const QString text = files.WriteBytes(QStringLiteral("notes.bmp"), "not a picture");
  const QString fifo = files.Path(QStringLiteral("fifo.bmp"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

  Wallpaper::Options wayland = X11Options();
  wayland.environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-9"));
  Wallpaper::Options waylandType = X11Options();
  waylandType.environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
  Wallpaper::Options noDisplay = X11Options();
  noDisplay.environment.remove(QStringLiteral("DISPLAY"));
  // A FIFO must not hold the reader: the bound is longer than the test may wait.
  Wallpaper::Options patient = X11Options();
  patient.timeoutMs = 120000;

  const struct {
    const char* name;
    QString path;
    Wallpaper::Options options;
  } cases[] = {{"wayland display", picture, wayland},
               {"wayland session", picture, waylandType},
               {"no display", picture, noDisplay},
               {"not a picture", text, X11Options()},
               {"fifo", fifo, patient},
               {"missing", files.Path(QStringLiteral("gone.bmp")), X11Options()}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(SetAndWait(k.path, k.options), Way::None);
    EXPECT_EQ(Property(rootAtom), 0u);
    EXPECT_EQ(Property(esetrootAtom), 0u);
  }
}

class ScreenGrabXRoot : public RootFixture {};

TEST_F(ScreenGrabXRoot, OutsideWaylandTheRootAtOnceInDevicePixels) {
  const QImage cells = Cells(4, 4, 33);
  ASSERT_TRUE(RootBackground::Set(display, cells));
  QScreen* screen = QGuiApplication::primaryScreen();
  const QSize device = screen->geometry().size() * screen->devicePixelRatio();

  ScreenGrab::Options options;  // no bus, no Wayland
  std::optional<QImage> grab;
  ScreenGrab::Grab(options, [&grab](QImage image) { grab = image; });
  ASSERT_TRUE(grab.has_value()) << "the grab came later than Grab's return";
  EXPECT_EQ(grab->size(), device);
  ExpectStretched(*grab, cells);
}

TEST_F(ScreenGrabXRoot, UnderWaylandTheRootWhenThePortalRefusesOrKeepsSilent) {
  PrivateBus bus;
  if (!bus.Running()) GTEST_SKIP() << "dbus-daemon is not installed";
  QDBusConnection service = bus.Connect(QStringLiteral("grab-service"));
  QObject object;
  auto* portal = new FakeScreenshotPortal(&object, service);
  ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &object));
  ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
  const QImage cells = Cells(3, 2, 51);
  ASSERT_TRUE(RootBackground::Set(display, cells));

  for (const std::optional<uint> response : {std::optional<uint>(2u), std::optional<uint>()}) {
    SCOPED_TRACE(response ? int(*response) : -1);
    portal->response = response;
    ScreenGrab::Options options;
    options.bus = bus.Connect(QStringLiteral("grab-client%1").arg(response ? 1 : 2));
    options.environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-9"));
    options.timeoutMs = 500;
    auto grab = std::make_shared<std::optional<QImage>>();
    ScreenGrab::Grab(options, [grab](QImage image) { *grab = image; });
    EXPECT_FALSE(grab->has_value());
    ASSERT_TRUE(QTest::qWaitFor([&] { return grab->has_value(); }, 30000));
    ASSERT_EQ((*grab)->size(), rootSize);
    ExpectStretched(**grab, cells);
  }
}
