#pragma once
// A scroll box with child coordinates of the classic kind: children sit directly on the
// visible client area, and scrolling moves them, so a child's Left/Top are relative to
// what is visible. The scroll range follows the children (the farthest right and bottom
// edges, counted from the unscrolled origin); positions are clamped to the range.
// Width/Height are the outer size, a 2-pixel sunken frame included. A child panel
// aligned to the client fills the visible area and does not scroll.
#include <QAbstractScrollArea>
#include <QPointer>

#include "TControl.h"
#include "picture/Color.h"

class TScrollBox : public TControl<QAbstractScrollArea> {
 public:
  explicit TScrollBox(QWidget* parent = nullptr);

  // The widget that children are created on.
  QWidget* Client() const { return viewport(); }

  int HorzPosition() const;
  int VertPosition() const;
  void SetHorzPosition(int position);  // clamped to the range
  void SetVertPosition(int position);
  int HorzRange() const { return rangeX_; }
  int VertRange() const { return rangeY_; }
  // A scroll bar that is "visible" appears whenever the range exceeds the client area.
  bool HorzScrollBarVisible() const { return horzVisible_; }
  bool VertScrollBarVisible() const { return vertVisible_; }
  void SetHorzScrollBarVisible(bool on);
  void SetVertScrollBarVisible(bool on);
  // Thin flat scroll bars (the magnifier lens).
  void SetScrollBarThickness(int pixels);

  TColor Color() const { return color_; }
  void SetColor(TColor color);

  // Recomputes the range from the children; runs by itself whenever a child moves,
  // resizes, appears or disappears.
  void UpdateRange();

 protected:
  void scrollContentsBy(int dx, int dy) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Watch(QWidget* child);
  void FitClientPanels();
  bool IsClientPanel(const QWidget* w) const;

  int rangeX_ = 0, rangeY_ = 0;
  bool horzVisible_ = true, vertVisible_ = true;
  bool scrolling_ = false;
  bool updating_ = false;
  TColor color_ = Colors::White;
};
