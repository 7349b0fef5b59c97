#include "SlideShow.h"

// Not built yet: starting and stopping the show and its ticks do nothing so far.
SlideShow::SlideShow(ViewerContext context, TSpinEdit* interval, TTimer* timer)
    : v_(context), interval_(interval), timer_(timer) {}

void SlideShow::Toggle() {}

void SlideShow::Tick() {}
