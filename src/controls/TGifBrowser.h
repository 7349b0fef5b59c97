#pragma once
// Plays a GIF file, looping as a web page does, centred on a white page.
#include <QLabel>
#include <QMovie>
#include <memory>

#include "TControl.h"

class TGifBrowser : public TControl<QLabel> {
 public:
  explicit TGifBrowser(QWidget* parent = nullptr);
  ~TGifBrowser() override;

  // Shows and plays the file; a file that cannot be played leaves the page blank.
  void Navigate(const QString& path);
  QString LocationURL() const { return location_; }
  bool Playing() const;

 private:
  std::unique_ptr<QMovie> movie_;
  QString location_;
};
