// Zoom steps and fit modes: they only size and place imgMain in the picture area; the
// picture's own pixels are never touched.
#include <QWidget>
#include <algorithm>

#include "app/MainForm.h"

namespace {
// The largest side a widget can take; a zoom beyond it stops there.
constexpr qint64 kMaxSide = QWIDGETSIZE_MAX;

// length × percent / 100 in 64 bits: 5000 % of a large picture overflows 32 bits.
int ScaledLength(int length, int percent) {
  return int(std::clamp(qint64(length) * percent / 100, qint64(0), kMaxSide));
}

// length × numerator / denominator, for the side a fit derives from the other.
int Proportional(int length, int numerator, int denominator) {
  if (denominator <= 0) return 0;
  return int(std::clamp(qint64(length) * numerator / denominator, qint64(0), kMaxSide));
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

// ---- Status texts -------------------------------------------------------------------------

void TMainForm::SetZoomText(int percent) {
  StatusBar->SetText(5, QString::number(percent) + QLatin1Char('%'));
}

void TMainForm::ShowDisplaySize() {
  const QString size = QString::number(imgMain->Width()) + QStringLiteral(" X ") +
                       QString::number(imgMain->Height());
  lblSize->SetCaption(size);
  StatusBar->SetText(3, size);
}

void TMainForm::CenterPicture() {
  Axis{scrboxBack, imgMain, true}.Centre();
  Axis{scrboxBack, imgMain, false}.Centre();
}

// ---- Common parts ---------------------------------------------------------------------------

namespace {
bool ZoomApplies(const TMainForm* f) {
  return f->PictureShown() && !f->GifCurrent();
}

// Exactly one of the four display-mode buttons is drawn pressed.
void PressModeButton(TMainForm* f, TSpeedButton* pressed) {
  for (TSpeedButton* b : {f->sbtnReal, f->sbtnFitWidth, f->sbtnFitHeight, f->sbtnFitPic})
    b->SetFlat(b != pressed);
}

void ResetScrollPositions(TMainForm* f) {
  f->scrboxBack->SetHorzPosition(0);
  f->scrboxBack->SetVertPosition(0);
}

void StretchToControl(TImage* image) {
  image->SetAutoSize(false);
  image->SetStretch(true);
}
}  // namespace

void TMainForm::TurnMagnifierOff() {
  MagnifierOn = false;
  imgMagnifier->GetPicture().Clear();  // the lens would keep an edited-away picture alive
  scrboxMagnifier->SetVisible(false);
  imgMain->SetCursor(TCursor::Default);
  sbtnZoom->SetFlat(true);
}

// ---- Zoom in and out ---------------------------------------------------------------------------

void TMainForm::sbtnZoomInClick() {
  if (!ZoomApplies(this) || SelectionModeOn() || ZoomIndex >= 23) return;
  ++ZoomIndex;
  const int p = ZoomPercents[size_t(ZoomIndex)];
  if (MagnifierOn) {
    // The lens goes no higher than 400 %.
    if (ZoomIndex > 19) {
      ZoomIndex = 19;
      return;
    }
    RebuildLens(p);
    SetZoomText(p);
    return;
  }
  SetZoomText(p);
  StretchToControl(imgMain);
  const int w0 = imgMain->Width(), h0 = imgMain->Height();
  const int x0 = scrboxBack->HorzPosition(), y0 = scrboxBack->VertPosition();
  imgMain->SetBounds(imgMain->Left(), imgMain->Top(), ScaledLength(PicWidth, p),
                     ScaledLength(PicHeight, p));
  ResetScrollPositions(this);
  // Keep the middle of what was seen in the middle: the position grows by half the growth.
  const struct {
    Axis axis;
    int before, position;
  } sides[] = {{{scrboxBack, imgMain, true}, w0, x0}, {{scrboxBack, imgMain, false}, h0, y0}};
  for (const auto& s : sides) {
    if (s.axis.ViewLonger()) {
      s.axis.Centre();
    } else {
      s.axis.SetPos(0);
      s.axis.SetScroll(s.position + (s.axis.Length() - s.before) / 2);
    }
  }
  ShowDisplaySize();
}

void TMainForm::sbtnZoomOutClick() {
  if (!ZoomApplies(this) || SelectionModeOn() || ZoomIndex <= 1) return;
  --ZoomIndex;
  const int p = ZoomPercents[size_t(ZoomIndex)];
  SetZoomText(p);
  if (MagnifierOn) {
    RebuildLens(p);
    return;
  }
  StretchToControl(imgMain);
  imgMain->SetBounds(imgMain->Left(), imgMain->Top(), ScaledLength(PicWidth, p),
                     ScaledLength(PicHeight, p));
  for (const Axis& axis : {Axis{scrboxBack, imgMain, true}, Axis{scrboxBack, imgMain, false}}) {
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
  ShowDisplaySize();
}

// ---- Real size and the fits ------------------------------------------------------------------

void TMainForm::sbtnRealClick() {
  // Selection mode does not block real size: it switches to it itself.
  if (!ZoomApplies(this)) return;
  ResetScrollPositions(this);
  scrboxBack->SetHorzScrollBarVisible(true);
  scrboxBack->SetVertScrollBarVisible(true);
  PressModeButton(this, sbtnReal);
  if (MagnifierOn) {
    // The picture is already at its own size while the magnifier is on.
    sbtnZoomClick();
    return;
  }
  imgMain->SetStretch(false);
  imgMain->SetAutoSize(true);
  for (const Axis& axis : {Axis{scrboxBack, imgMain, true}, Axis{scrboxBack, imgMain, false}}) {
    if (axis.ViewLonger()) {
      axis.Centre();
    } else {
      axis.SetScroll(0);
      axis.SetPos(0);
    }
  }
  ZoomIndex = 12;
  SetZoomText(100);
  ShowDisplaySize();
}

void TMainForm::sbtnFitWidthClick() {
  if (!ZoomApplies(this) || SelectionModeOn()) return;
  PressModeButton(this, sbtnFitWidth);
  if (MagnifierOn) TurnMagnifierOff();
  ResetScrollPositions(this);
  StretchToControl(imgMain);
  const int view = scrboxBack->Width();
  int left, width, height, percent;
  if (view > PicWidth) {
    // A fit never enlarges.
    left = (view - PicWidth) / 2;
    width = PicWidth;
    height = PicHeight;
    percent = 100;
  } else {
    left = 0;
    width = std::max(0, view - 4);
    height = Proportional(width, PicHeight, PicWidth);
    percent = Proportional(width, 100, PicWidth);
  }
  SetZoomText(percent);
  const int viewHeight = scrboxBack->Height();
  const int top = viewHeight > height ? (viewHeight - height) / 2 : 0;
  imgMain->SetBounds(left, top, width, height);
  ZoomIndex = 12;
  ShowDisplaySize();
}

void TMainForm::sbtnFitHeightClick() {
  if (!ZoomApplies(this) || SelectionModeOn()) return;
  PressModeButton(this, sbtnFitHeight);
  if (MagnifierOn) TurnMagnifierOff();
  ResetScrollPositions(this);
  StretchToControl(imgMain);
  const int view = scrboxBack->Height();
  int top, width, height, percent;
  if (PicHeight < view) {
    top = (view - PicHeight) / 2;
    width = PicWidth;
    height = PicHeight;
    percent = 100;
  } else {
    top = 0;
    height = std::max(0, view - 4);
    width = Proportional(height, PicWidth, PicHeight);
    percent = Proportional(height, 100, PicHeight);
  }
  SetZoomText(percent);
  const int viewWidth = scrboxBack->Width();
  const int left = viewWidth > width ? (viewWidth - width) / 2 : 0;
  imgMain->SetBounds(left, top, width, height);
  ShowDisplaySize();
  ZoomIndex = 12;
}

void TMainForm::sbtnFitPicClick() {
  if (!ZoomApplies(this) || SelectionModeOn()) return;
  ResetScrollPositions(this);
  StretchToControl(imgMain);
  // The side that overflows the view more decides; equal quotients fit the height.
  const double byWidth = double(PicWidth) / scrboxBack->Width();
  const double byHeight = double(PicHeight) / scrboxBack->Height();
  if (byWidth > byHeight)
    sbtnFitWidthClick();
  else
    sbtnFitHeightClick();
  PressModeButton(this, sbtnFitPic);
  if (MagnifierOn) TurnMagnifierOff();
}
