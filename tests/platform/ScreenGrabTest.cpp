// The screen grab under Wayland, where the desktop portal takes the screenshot: a
// stand-in portal on a private bus answers with a file the test wrote, as the real one
// answers with the file it wrote. The root-window cases are in XRootTest.
#include <gtest/gtest.h>

#include <QTest>
#include <QUrl>
#include <memory>
#include <optional>

#include "FakeScreenshotPortal.h"
#include "PrivateBus.h"
#include "TestFiles.h"
#include "platform/ScreenGrab.h"

TEST(ScreenGrab, UnderWaylandThePortalsNonInteractiveScreenshot) {
  PrivateBus bus;
  if (!bus.Running()) GTEST_SKIP() << "dbus-daemon is not installed";
  TestFiles files;
  const QImage shot = TestFiles::Pattern(64, 48);
  ASSERT_TRUE(shot.save(files.Path(QStringLiteral("it's a shot 图.png"))));

  QDBusConnection service = bus.Connect(QStringLiteral("shot-service"));
  QObject object;
  auto* portal = new FakeScreenshotPortal(&object, service);
  portal->uri = QUrl::fromLocalFile(files.Path(QStringLiteral("it's a shot 图.png")))
                    .toString(QUrl::FullyEncoded);
  ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &object));
  ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));

  ScreenGrab::Options options;
  options.bus = bus.Connect(QStringLiteral("shot-client"));
  options.environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
  auto grab = std::make_shared<std::optional<QImage>>();
  ScreenGrab::Grab(options, [grab](QImage image) { *grab = image; });
  EXPECT_FALSE(grab->has_value());
  ASSERT_TRUE(QTest::qWaitFor([&] { return grab->has_value(); }, 30000));
  EXPECT_EQ(**grab, shot);
  ASSERT_EQ(portal->options.size(), 1);
  EXPECT_EQ(portal->options[0].value(QStringLiteral("interactive")), QVariant(false));
  EXPECT_FALSE(portal->options[0].value(QStringLiteral("handle_token")).toString().isEmpty());
}

TEST(ScreenGrab, WaylandSessionIsToldByEitherVariable) {
  const struct {
    const char *waylandDisplay, *sessionType;
    bool wayland;
  } cases[] = {{nullptr, nullptr, false},
               {"wayland-0", nullptr, true},
               {nullptr, "wayland", true},
               {nullptr, "x11", false},
               {"", "tty", false}};
  for (const auto& c : cases) {
    QProcessEnvironment e;
    if (c.waylandDisplay)
      e.insert(QStringLiteral("WAYLAND_DISPLAY"), QString::fromUtf8(c.waylandDisplay));
    if (c.sessionType)
      e.insert(QStringLiteral("XDG_SESSION_TYPE"), QString::fromUtf8(c.sessionType));
    EXPECT_EQ(ScreenGrab::WaylandSession(e), c.wayland)
        << (c.waylandDisplay ? c.waylandDisplay : "-") << " "
        << (c.sessionType ? c.sessionType : "-");
  }
}
