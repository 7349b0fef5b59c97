#include "ViewModes.h"

#include "controls/Random.h"
#include "controls/TRadioButton.h"
#include "core/ViewerState.h"
#include "core/WindowHost.h"

namespace {
// The keys of the modes, in mode order: N, P, L, T, R, J, S.
constexpr int kKeys[ViewModes::kModeCount] = {'N', 'P', 'L', 'T', 'R', 'J', 'S'};
}  // namespace

ViewModes::ViewModes(ViewerContext context, Buttons buttons, std::function<void()> closeChooser,
                     std::function<void()> escapeChooser)
    : v_(context),
      buttons_(buttons),
      closeChooser_(std::move(closeChooser)),
      escapeChooser_(std::move(escapeChooser)),
      player_(context) {}

int ViewModes::CheckedMode() const {
  for (int i = 0; i < kModeCount; ++i)
    if (buttons_[size_t(i)]->Checked()) return i;
  return -1;
}

void ViewModes::Choose(int mode) {
  if (mode < 0 || mode >= kModeCount) return;
  // Checking a button runs its action; a button that is checked already gets no toggle.
  if (buttons_[size_t(mode)]->Checked())
    Action(mode);
  else
    buttons_[size_t(mode)]->SetChecked(true);
}

void ViewModes::CheckMode(int mode) {
  if (mode < 0 || mode >= kModeCount) return;
  buttons_[size_t(mode)]->SetChecked(true);
}

void ViewModes::Action(int mode) {
  closeChooser_();
  v_.state.MenuOpen = false;
  v_.host.CloseMenu(WindowHost::Menu::View);
  switch (mode) {
    case PushPull:
      player_.Play(TransitionFrames::Effect::PushPull);
      break;
    case HorizontalInterlace:
      player_.Play(TransitionFrames::Effect::HorizontalInterlace);
      break;
    case VerticalInterlace:
      player_.Play(TransitionFrames::Effect::VerticalInterlace);
      break;
    case Raindrops:
      player_.Play(TransitionFrames::Effect::Raindrops);
      break;
    case Blinds:
      player_.Play(TransitionFrames::Effect::Blinds);
      break;
    default:
      break;
  }
}

void ViewModes::PlayLoadEffect() {
  const int mode = CheckedMode();
  if (mode >= PushPull && mode <= Blinds)
    Action(mode);
  else if (mode == Random)
    Action(::Random(5) + 1);
}

void ViewModes::Hover(int mode) {
  for (int i = 0; i < kModeCount; ++i)
    buttons_[size_t(i)]->SetFontColor(i == mode ? Colors::White : Colors::Green);
}

void ViewModes::KeyDown(int key) {
  if (key == 27) {
    escapeChooser_();
    return;
  }
  for (int i = 0; i < kModeCount; ++i)
    if (kKeys[i] == key) Choose(i);
}
