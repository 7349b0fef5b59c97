#pragma once
// A picture of the whole screen. On X11 the root window holds everything on the screen;
// a Wayland session shows its X root only where X programs draw, so there the desktop
// portal's screenshot is asked for first.
#include <QDBusConnection>
#include <QImage>
#include <QProcessEnvironment>
#include <functional>

class ScreenGrab {
 public:
  struct Options {
    QDBusConnection bus{QString()};   // the session bus; default: none
    QProcessEnvironment environment;  // WAYLAND_DISPLAY, XDG_SESSION_TYPE
    int timeoutMs = 10000;            // how long the portal may take

    // The user's own session.
    static Options Desktop();
  };

  // The primary screen at its size in device pixels, from the X root window; a null
  // image when there is no screen.
  static QImage Root();

  // Sends what the program has asked of the X server (windows hidden, say) without
  // waiting for an answer and without running the event loop; nothing outside X11.
  static void FlushWindowSystem();

  // Whether environment describes a Wayland session.
  static bool WaylandSession(const QProcessEnvironment& environment);

  // Outside Wayland: done gets Root() before Grab returns, so nothing else runs between
  // the caller's preparations and the grab. Under Wayland: the portal's non-interactive
  // screenshot, later, from the event loop; the root when the portal is missing, refuses
  // or takes longer than the bound. The portal writes the screenshot to a file of its
  // choosing and leaves it there.
  static void Grab(const Options& options, std::function<void(QImage)> done);
};
