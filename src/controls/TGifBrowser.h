#pragma once
// Plays a GIF file, looping as a web page does, centred on a white page.
#include <QFile>
#include <QLabel>
#include <QMovie>
#include <memory>

#include "TControl.h"

class TGifBrowser : public TControl<QLabel> {
 public:
  explicit TGifBrowser(QWidget* parent = nullptr);
  ~TGifBrowser() override;

  // Shows and plays the file; a file that cannot be played leaves the page blank. The
  // file is checked first (GifFile): one that is not a regular file or that Picora cannot
  // afford (a screen or frame too large, far too little data for its size) leaves the
  // page blank and raises PictureError for the caller to report.
  void Navigate(const QString& path);
  QString LocationURL() const { return location_; }
  bool Playing() const;

  // The browser object's own Visible property. Unlike the control's Visible flag it does
  // not take the page off the screen: a later Navigate shows its file as usual.
  bool BrowserVisible() const { return browserVisible_; }
  void SetBrowserVisible(bool on) { browserVisible_ = on; }

 protected:
  // A page that is not on screen does not animate: frames are not decoded for nobody.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  std::unique_ptr<QFile> file_;  // what movie_ reads; outlives it
  std::unique_ptr<QMovie> movie_;
  QString location_;
  bool browserVisible_ = true;
};
