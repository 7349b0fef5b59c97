#include "TransitionPlayer.h"

#include <QElapsedTimer>
#include <memory>
#include <optional>

#include "TransitionOverlay.h"
#include "controls/InputHold.h"
#include "core/PictureArea.h"
#include "core/ViewerState.h"
#include "core/WindowHost.h"

namespace {
// How often a playing effect lets the window system's events through.
constexpr qint64 kAnswerEveryMs = 15;
}  // namespace

TransitionPlayer::TransitionPlayer(ViewerContext context) : v_(context) {}

void TransitionPlayer::Play(TransitionFrames::Effect effect) {
  TImage* img = v_.area.imgMain;
  TScrollBox* box = v_.area.scrboxBack;
  QWidget* window = box->parentWidget();

  std::unique_ptr<TransitionFrames> frames;
  std::unique_ptr<TransitionOverlay> overlay;
  std::optional<InputHold> hold;
  bool hidden = false;
  // The view comes back whatever happened: frames gone, the picture area shown, the
  // window painted at once, and only then the waiting input handed out.
  const auto restore = [&] {
    overlay.reset();
    frames.reset();
    if (hidden) box->SetVisible(true);
    v_.host.RepaintNow();
    hold.reset();
  };
  try {
    // From here on the picture is held as a bitmap.
    Picture& picture = img->GetPicture();
    if (!v_.state.PicIsBitmap) {
      Bitmap bitmap;
      if (const Graphic* graphic = picture.GetGraphic()) bitmap.Assign(*graphic);
      picture.Assign(bitmap);
      v_.state.PicIsBitmap = true;
    }
    const QSize shown = img->size();
    Bitmap source;
    if (const Graphic* graphic = picture.GetGraphic()) source.Assign(*graphic);

    // Only what the view shows of the picture is built and drawn.
    QWidget* view = box->Client();
    const QRect place = img->geometry();
    const QRect visible = (place & view->rect()).translated(-place.topLeft());
    frames = std::make_unique<TransitionFrames>(source, shown, visible);

    const QRect onWindow(view->mapTo(window, place.topLeft() + visible.topLeft()), visible.size());
    box->SetVisible(false);
    hidden = true;
    overlay = std::make_unique<TransitionOverlay>(window, onWindow, *frames);
    overlay->raise();
    overlay->show();
    hold.emplace();
    // The window's white background where the picture area was, the white frame over it.
    window->repaint(box->geometry());

    QElapsedTimer answered;
    answered.start();
    qint64 count = 0;
    frames->Run(effect, [&](const QRegion& changed) {
      if (!changed.isEmpty()) overlay->ShowFrame(changed.translated(-visible.topLeft()));
      ++count;
      if (OnFrameShown) OnFrameShown(*frames, count);
      if (answered.elapsed() >= kAnswerEveryMs) {
        hold->AnswerWindowSystem();
        answered.restart();
      }
      return !hold->EscapePressed();
    });
  } catch (...) {
    restore();
    throw;
  }
  restore();
}
