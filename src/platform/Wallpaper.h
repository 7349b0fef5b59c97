#pragma once
// Makes a picture file the desktop wallpaper. The desktop is asked in turn through the
// ways it may understand: the desktop portal, the settings of the desktop that
// XDG_CURRENT_DESKTOP names, and the root window of a bare X11 session. Each way that is
// missing, fails or takes longer than the time bound hands over to the next.
//
// Nothing here waits: helper programs run asynchronously, D-Bus calls are asynchronous
// and the X server is talked to from a worker thread. The outcome arrives later through
// the Done callback, on the thread that asked.
#include <QDBusConnection>
#include <QProcessEnvironment>
#include <QString>
#include <functional>

class Wallpaper {
 public:
  // The way that took the picture, or None when every way failed.
  enum class Way { None, Portal, Gnome, Cinnamon, Mate, Xfce, Kde, X11 };

  struct Options {
    // The session bus of the desktop; tests give a private one. Default: no bus.
    QDBusConnection bus{QString()};
    // XDG_CURRENT_DESKTOP picks the desktop's settings, PATH finds the helper programs,
    // DISPLAY the X server; helpers run with this environment and nothing else.
    QProcessEnvironment environment;
    // How long one way may take before the next is tried.
    int timeoutMs = 10000;

    // The user's own session: its bus and the program's environment.
    static Options Desktop();
  };

  using Done = std::function<void(Way)>;
  // What the commands call to set the wallpaper. Replaceable, so that window tests record
  // the calls instead of changing the desktop.
  using Setter = std::function<void(const QString& path, Done done)>;

  // Sets path (made absolute) as the wallpaper through the installed setter; by default
  // the user's desktop with Options::Desktop(). Returns at once; done, when given, runs
  // later with the outcome.
  static void Set(const QString& path, Done done = {});
  // Installs setter for Set; an empty one brings back the desktop.
  static void Replace(Setter setter);

  // The desktop's chain itself, with explicit options. One chain runs at a time: a
  // request made while one runs waits for it, and a newer request supersedes a waiting
  // one (whose done gets None), so the last picture asked for is the one that stays.
  static void SetWith(const QString& path, const Options& options, Done done = {});
};
