#include "TGifBrowser.h"

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
  setMovie(nullptr);
  movie_ = std::make_unique<QMovie>(path, QByteArray("gif"));
  if (!movie_->isValid()) {
    movie_.reset();
    clear();
    return;
  }
  // A browser loops an animation for ever, whatever loop count the file asks for.
  QObject::connect(movie_.get(), &QMovie::finished, movie_.get(),
                   [m = movie_.get()] { m->start(); });
  setMovie(movie_.get());
  movie_->start();
}

bool TGifBrowser::Playing() const {
  return movie_ && movie_->state() == QMovie::Running;
}
