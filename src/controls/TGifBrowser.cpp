#include "TGifBrowser.h"

#include <QHideEvent>
#include <QShowEvent>
#include <memory>

#include "picture/GifFile.h"

TGifBrowser::TGifBrowser(QWidget* parent) : TControl<QLabel>(parent) {
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

TGifBrowser::~TGifBrowser() = default;

void TGifBrowser::Navigate(const QString& path) {
  location_ = path;
  browserVisible_ = true;
  setMovie(nullptr);
  movie_.reset();
  file_.reset();
  clear();
  auto file = std::make_unique<QFile>();
  // The screen and every frame are checked before QMovie decodes anything.
  if (!GifFile::Open(path, *file).isGif) return;
  file_ = std::move(file);
  movie_ = std::make_unique<QMovie>(file_.get(), QByteArray("gif"));
  if (!movie_->isValid()) {
    movie_.reset();
    file_.reset();
    clear();
    return;
  }
  // A browser loops an animation for ever, whatever loop count the file asks for. Only a
  // movie that showed a frame since it started is started again, and only from the event
  // loop: one whose frames do not decode ends inside start(), and restarting it there
  // recursed until the stack overflowed.
  QMovie* movie = movie_.get();
  auto shown = std::make_shared<bool>(false);
  QObject::connect(movie, &QMovie::frameChanged, movie, [shown] { *shown = true; });
  QObject::connect(
      movie, &QMovie::finished, movie,
      [movie, shown] {
        if (!*shown) return;
        *shown = false;
        movie->start();
      },
      Qt::QueuedConnection);
  setMovie(movie_.get());
  movie_->start();
  if (!isVisible()) movie_->setPaused(true);
}

void TGifBrowser::showEvent(QShowEvent* event) {
  TControl<QLabel>::showEvent(event);
  if (movie_ && movie_->state() == QMovie::Paused) movie_->setPaused(false);
}

void TGifBrowser::hideEvent(QHideEvent* event) {
  TControl<QLabel>::hideEvent(event);
  if (movie_ && movie_->state() == QMovie::Running) movie_->setPaused(true);
}

bool TGifBrowser::Playing() const {
  return movie_ && movie_->state() == QMovie::Running;
}
