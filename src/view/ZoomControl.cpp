// Zoom steps and fit modes: they only size and place imgMain in the picture area; the
// picture's own pixels are never touched.
#include "ZoomControl.h"

#include <QWidget>
#include <algorithm>

#include "Magnifier.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"

namespace {
// The largest side a widget can take; a zoom beyond it stops there.
constexpr qint64 kMaxSide = QWIDGETSIZE_MAX;

// A side of a picture that has pixels is shown at least one pixel long: rounded down to
// nothing, a thin strip (a banner at 2 %, a line fitted to the view) would vanish and its
// size read "599 X 0".
qint64 Shown(qint64 length, bool hasPixels) {
  return std::clamp(length, qint64(hasPixels ? 1 : 0), kMaxSide);
}

// length × percent / 100 in 64 bits: 5000 % of a large picture overflows 32 bits.
int ScaledLength(int length, int percent) {
  return int(Shown(qint64(length) * percent / 100, length > 0));
}

// length × numerator / denominator, for the side a fit derives from the other.
int Proportional(int length, int numerator, int denominator) {
  if (denominator <= 0) return 0;
  return int(std::clamp(qint64(length) * numerator / denominator, qint64(0), kMaxSide));
}

// The side a fit derives from the other: length × side / otherSide, never nothing.
int DerivedSide(int length, int side, int otherSide) {
  if (otherSide <= 0) return 0;
  return int(Shown(qint64(length) * side / otherSide, length > 0 && side > 0));
}

// One direction of the picture area, so that each rule is written once for both axes.
struct Axis {
  TScrollBox* view;
  TImage* image;
  bool horizontal;

  int ViewLength() const { return horizontal ? view->Width() : view->Height(); }
  int Length() const { return horizontal ? image->Width() : image->Height(); }
  int Pos() const { return horizontal ? image->Left() : image->Top(); }
  void SetPos(int v) const { horizontal ? image->SetLeft(v) : image->SetTop(v); }
  void SetScroll(int v) const { horizontal ? view->SetHorzPosition(v) : view->SetVertPosition(v); }
  int Scroll() const { return horizontal ? view->HorzPosition() : view->VertPosition(); }
  bool ViewLonger() const { return ViewLength() > Length(); }
  void Centre() const { SetPos(ViewLonger() ? (ViewLength() - Length()) / 2 : 0); }
};
}  // namespace

// ---- Common parts ---------------------------------------------------------------------------

namespace {
void StretchToControl(TImage* image) {
  image->SetAutoSize(false);
  image->SetStretch(true);
}
}  // namespace

ZoomControl::ZoomControl(ViewerContext context, Magnifier& magnifier)
    : v_(context), magnifier_(magnifier) {}

bool ZoomControl::Applies() const {
  return v_.area.PictureShown() && !v_.state.GifCurrent();
}

bool ZoomControl::SelectionModeOn() const {
  return v_.commands.SelectionMode.Checked();
}

// Exactly one of the four display modes is on.
void ZoomControl::CheckDisplayMode(Command& mode) {
  for (Command* c : v_.commands.DisplayModes) c->SetChecked(c == &mode);
}

void ZoomControl::ReapplyFitMode() {
  // Each test is made after the previous command has run.
  UserCommands& c = v_.commands;
  if (c.RealSize.Checked()) c.RealSize.Run();
  if (c.FitWidth.Checked()) c.FitWidth.Run();
  if (c.FitHeight.Checked()) c.FitHeight.Run();
  if (c.FitPicture.Checked()) c.FitPicture.Run();
}

// ---- Zoom in and out ---------------------------------------------------------------------------

void ZoomControl::ZoomIn() {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  if (!Applies() || SelectionModeOn() || st.ZoomIndex >= ViewerState::kMaxZoom) return;
  ++st.ZoomIndex;
  const int p = st.ZoomPercent();
  if (st.MagnifierOn) {
    if (st.ZoomIndex > ViewerState::kMaxLensZoom) {
      st.ZoomIndex = ViewerState::kMaxLensZoom;
      return;
    }
    magnifier_.RebuildLens(p);
    a.SetZoomText(p);
    return;
  }
  a.SetZoomText(p);
  StretchToControl(a.imgMain);
  const int w0 = a.imgMain->Width(), h0 = a.imgMain->Height();
  const int x0 = a.scrboxBack->HorzPosition(), y0 = a.scrboxBack->VertPosition();
  a.imgMain->SetBounds(a.imgMain->Left(), a.imgMain->Top(), ScaledLength(st.PicWidth, p),
                       ScaledLength(st.PicHeight, p));
  a.ScrollToOrigin();
  // Keep the middle of what was seen in the middle: the position grows by half the growth.
  const struct {
    Axis axis;
    int before, position;
  } sides[] = {{{a.scrboxBack, a.imgMain, true}, w0, x0},
               {{a.scrboxBack, a.imgMain, false}, h0, y0}};
  for (const auto& s : sides) {
    if (s.axis.ViewLonger()) {
      s.axis.Centre();
    } else {
      s.axis.SetPos(0);
      s.axis.SetScroll(s.position + (s.axis.Length() - s.before) / 2);
    }
  }
  a.ShowDisplaySize();
}

void ZoomControl::ZoomOut() {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  if (!Applies() || SelectionModeOn() || st.ZoomIndex <= 1) return;
  --st.ZoomIndex;
  const int p = st.ZoomPercent();
  a.SetZoomText(p);
  if (st.MagnifierOn) {
    magnifier_.RebuildLens(p);
    return;
  }
  StretchToControl(a.imgMain);
  a.imgMain->SetBounds(a.imgMain->Left(), a.imgMain->Top(), ScaledLength(st.PicWidth, p),
                       ScaledLength(st.PicHeight, p));
  for (const Axis& axis :
       {Axis{a.scrboxBack, a.imgMain, true}, Axis{a.scrboxBack, a.imgMain, false}}) {
    if (axis.ViewLonger()) {
      axis.Centre();
      continue;
    }
    if (axis.Pos() > 0) {
      axis.SetScroll(0);
      axis.SetPos(0);
    }
    // No gap at the far side: the picture's far edge comes to the view's edge.
    if (axis.Pos() + axis.Length() < axis.ViewLength())
      axis.SetPos(axis.ViewLength() - axis.Length());
  }
  a.ShowDisplaySize();
}

// ---- Real size and the fits ------------------------------------------------------------------

void ZoomControl::RealSize() {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  // Selection mode does not block real size: it switches to it itself.
  if (!Applies()) return;
  a.ScrollToOrigin();
  a.scrboxBack->SetHorzScrollBarVisible(true);
  a.scrboxBack->SetVertScrollBarVisible(true);
  CheckDisplayMode(v_.commands.RealSize);
  if (st.MagnifierOn) {
    // The picture is already at its own size while the magnifier is on.
    magnifier_.Toggle();
    return;
  }
  a.imgMain->SetStretch(false);
  a.imgMain->SetAutoSize(true);
  for (const Axis& axis :
       {Axis{a.scrboxBack, a.imgMain, true}, Axis{a.scrboxBack, a.imgMain, false}}) {
    if (axis.ViewLonger()) {
      axis.Centre();
    } else {
      axis.SetScroll(0);
      axis.SetPos(0);
    }
  }
  st.ResetZoom();
  a.SetZoomText(100);
  a.ShowDisplaySize();
}

void ZoomControl::FitWidth() {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  if (!Applies() || SelectionModeOn()) return;
  CheckDisplayMode(v_.commands.FitWidth);
  if (st.MagnifierOn) magnifier_.TurnOff();
  a.ScrollToOrigin();
  StretchToControl(a.imgMain);
  const int view = a.scrboxBack->Width();
  int left, width, height, percent;
  if (view > st.PicWidth) {
    // A fit never enlarges.
    left = (view - st.PicWidth) / 2;
    width = st.PicWidth;
    height = st.PicHeight;
    percent = 100;
  } else {
    left = 0;
    width = std::max(0, view - 4);
    height = DerivedSide(width, st.PicHeight, st.PicWidth);
    percent = Proportional(width, 100, st.PicWidth);
  }
  a.SetZoomText(percent);
  const int viewHeight = a.scrboxBack->Height();
  const int top = viewHeight > height ? (viewHeight - height) / 2 : 0;
  a.imgMain->SetBounds(left, top, width, height);
  st.ResetZoom();
  a.ShowDisplaySize();
}

void ZoomControl::FitHeight() {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  if (!Applies() || SelectionModeOn()) return;
  CheckDisplayMode(v_.commands.FitHeight);
  if (st.MagnifierOn) magnifier_.TurnOff();
  a.ScrollToOrigin();
  StretchToControl(a.imgMain);
  const int view = a.scrboxBack->Height();
  int top, width, height, percent;
  if (st.PicHeight < view) {
    top = (view - st.PicHeight) / 2;
    width = st.PicWidth;
    height = st.PicHeight;
    percent = 100;
  } else {
    top = 0;
    height = std::max(0, view - 4);
    width = DerivedSide(height, st.PicWidth, st.PicHeight);
    percent = Proportional(height, 100, st.PicHeight);
  }
  a.SetZoomText(percent);
  const int viewWidth = a.scrboxBack->Width();
  const int left = viewWidth > width ? (viewWidth - width) / 2 : 0;
  a.imgMain->SetBounds(left, top, width, height);
  a.ShowDisplaySize();
  st.ResetZoom();
}

void ZoomControl::FitPicture() {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  if (!Applies() || SelectionModeOn()) return;
  a.ScrollToOrigin();
  StretchToControl(a.imgMain);
  // The side that overflows the view more decides; equal quotients fit the height.
  const double byWidth = double(st.PicWidth) / a.scrboxBack->Width();
  const double byHeight = double(st.PicHeight) / a.scrboxBack->Height();
  if (byWidth > byHeight)
    FitWidth();
  else
    FitHeight();
  CheckDisplayMode(v_.commands.FitPicture);
  if (st.MagnifierOn) magnifier_.TurnOff();
}
