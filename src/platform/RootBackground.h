#pragma once
// The wallpaper of an X session that no desktop program manages: the root window's
// background, set the way the classic root-setting tools do, so that pagers, terminals
// with pseudo-transparency and the next setter find it.
#include <QByteArray>
#include <QImage>

class RootBackground {
 public:
  // Stretches picture to the size of the root window of display (DISPLAY syntax) into a
  // pixmap of the root's depth, makes it the root's background and names it in the
  // _XROOTPMAP_ID and ESETROOT_PMAP_ID properties. The pixmap outlives the connection
  // (RetainPermanent); when both properties named one earlier pixmap, that pixmap's
  // retained owner is freed so that repeated changes do not pile up in the server.
  // Blocks while it talks to the X server: call it off the window thread. False when no
  // X server answers, the root is not a true-colour visual or a request fails; the
  // background is then unchanged.
  static bool Set(const QByteArray& display, const QImage& picture);
};
