#pragma once
// Plays a transition effect on the picture on display. The picture is taken as a bitmap
// for good; the picture area is hidden and the effect's frames are drawn at the place
// where the picture appears, each on the screen before the next is built; then the
// picture area comes back, also when anything fails (the error then goes on to the
// caller). While the frames play, no handler of the program runs: input and timer ticks
// wait until the view is back, and the window keeps answering the window system. Esc
// cuts an effect short.
#include <QSize>
#include <functional>

#include "TransitionFrames.h"
#include "core/ViewerContext.h"

class TransitionPlayer {
 public:
  explicit TransitionPlayer(ViewerContext context);

  void Play(TransitionFrames::Effect effect);

  // Called after each frame is on the screen, with the frames so far (from 1). Tests read
  // the frame and the controls there.
  std::function<void(const TransitionFrames& frames, qint64 frame)> OnFrameShown;

 private:
  ViewerContext v_;
};
