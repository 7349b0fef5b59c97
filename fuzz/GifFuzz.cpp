// GIF files as the GIF page plays them: the file check, then QMovie's frames.
#include <QMovie>

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
    if (QMovie* movie = browser.movie())
      for (int frame = 0; frame < 16 && movie->jumpToNextFrame(); ++frame) {
      }
  } catch (const PictureError&) {
  }
}
