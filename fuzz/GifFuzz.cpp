// GIF files as the GIF page plays them: the file check, then QMovie's frames.
#include <QMovie>
#include <algorithm>

#include "FuzzTarget.h"
#include "SeedFiles.h"
#include "controls/TGifBrowser.h"
#include "picture/GifFile.h"
#include "picture/PictureError.h"

Fuzz::Seeds Fuzz::MakeSeeds() {
  using HostileFiles::GifFrame;
  return {
      {"anim.gif", SeedFiles::AnimatedGif()},
      {"noscreen.gif", HostileFiles::Gif(0, 0, {GifFrame{1, 2, 3, 2, {1, 2, 3, 1, 2, 3}}})},
  };
}

void Fuzz::Run(const QByteArray& data) {
  const QString path = WriteInput(data, QStringLiteral("gif"));
  try {
    GifFile::Scan(path, 1);  // as the thumbnail does
    TGifBrowser browser;
    browser.Navigate(path);
    // One pass through the frames (at most 16), as the page shows them once per loop;
    // jumping on past the last frame only decodes the same frames again.
    if (QMovie* movie = browser.movie()) {
      const int frames = std::clamp(movie->frameCount(), 1, 16);
      for (int frame = 0; frame < frames && movie->jumpToNextFrame(); ++frame) {
      }
    }
  } catch (const PictureError&) {
  }
}
