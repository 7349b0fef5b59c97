#include "ScreenGrab.h"

#include <xcb/xcb.h>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "PortalRequest.h"
#include "picture/RegularFile.h"

ScreenGrab::Options ScreenGrab::Options::Desktop() {
  Options options;
  options.bus = QDBusConnection::sessionBus();
  options.environment = QProcessEnvironment::systemEnvironment();
  return options;
}

QImage ScreenGrab::Root() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return QImage();
  // Window 0 is the root: the whole screen, in device pixels.
  return screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

void ScreenGrab::FlushWindowSystem() {
  if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
    xcb_flush(x11->connection());
}

bool ScreenGrab::WaylandSession(const QProcessEnvironment& environment) {
  return !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
         environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
}

void ScreenGrab::Grab(const Options& options, std::function<void(QImage)> done) {
  if (!WaylandSession(options.environment) || !options.bus.isConnected()) return done(Root());
  auto* request =
      new PortalRequest(options.bus, QStringLiteral("org.freedesktop.portal.Screenshot"),
                        QStringLiteral("Screenshot"), options.timeoutMs);
  request->Call({QString()}, {{QStringLiteral("interactive"), false}},
                [done](bool ok, const QVariantMap& results) {
                  QImage picture;
                  if (ok) {
                    const QUrl uri(results.value(QStringLiteral("uri")).toString());
                    if (uri.isLocalFile()) picture = RegularFile::ReadPicture(uri.toLocalFile());
                  }
                  done(picture.isNull() ? Root() : picture);
                });
}
