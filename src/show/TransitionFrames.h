#pragma once
// The frames of the five transition effects. An effect builds its frames in a frame the
// size of the picture on display (W x H), which starts white and is never cleared, by
// copying rows or columns of the picture stretched to W x H; a copy that reaches outside
// the W x H area copies only what lies inside.
//
// Only the part of the frame that can be seen is kept: the stretched picture is sampled
// where a copy lands, nearest-neighbour as the picture view samples it, so the last frame
// shows the view's own pixels. A picture zoomed far beyond the screen therefore needs no
// more memory than the screen, and a frame costs what it changes on the screen: copies
// that land outside the visible part cost nothing, and neither do rows or columns that
// already show what a copy would put there (an enlarged picture repeats each of its rows
// many times, so most rows stay as they are when the picture moves by one).
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <functional>
#include <vector>

#include "picture/Bitmap.h"

class TransitionFrames {
 public:
  enum class Effect { PushPull, HorizontalInterlace, VerticalInterlace, Raindrops, Blinds };

  // Called after every frame with the part of the visible rectangle whose pixels the
  // frame changed, as bands of whole rows or columns (W x H coordinates; a few unchanged
  // lines between changed ones may be included; empty when nothing visible changed).
  // Returning false ends the loop there.
  using FrameHandler = std::function<bool(const QRegion& changed)>;

  // picture: the picture at its own size (empty: a white picture); shown: W x H;
  // visible: the part of (0, 0, W, H) that can be seen (clipped to it).
  TransitionFrames(const Bitmap& picture, QSize shown, QRect visible);

  // Runs the frame loop of effect from a white frame; returns the number of frames.
  qint64 Run(Effect effect, const FrameHandler& onFrame);

  // The visible part of the frame: pixel (x, y) of the W x H frame is pixel
  // (x - Visible().x(), y - Visible().y()) of this image.
  const QImage& Frame() const { return frame_; }
  QRect Visible() const { return visible_; }

 private:
  // Rows from, from + 1, ... of the stretched picture to rows to, to + 1, ... of the frame.
  void CopyRows(qint64 from, qint64 to, qint64 count);
  // One column of the stretched picture to one column of the frame, gathered for a frame
  // and copied row by row by FlushColumns.
  void CopyColumn(qint64 from, qint64 to);
  void FlushColumns();
  // A frame is done: hands it to onFrame.
  bool Show(const FrameHandler& onFrame);

  bool PushPull(const FrameHandler& onFrame);
  bool HorizontalInterlace(const FrameHandler& onFrame);
  bool VerticalInterlace(const FrameHandler& onFrame);
  bool Raindrops(const FrameHandler& onFrame);
  bool Blinds(const FrameHandler& onFrame);

  // The picture row or column that row or column d of the stretched picture shows.
  int SourceRow(qint64 d) const;
  int SourceColumn(qint64 d) const;
  // Adds row or column i of the visible part to this frame's changes.
  void MarkRow(int y);
  void MarkColumn(int x);

  QImage source_;                    // the picture, RGB32; null for an empty one
  qint64 w_, h_;                     // W x H
  QRect visible_;                    // part of (0, 0, W, H) kept in frame_
  QImage frame_;                     // visible_.size(), RGB32
  std::vector<int> visibleColumns_;  // source column of each visible column
  // What each visible row shows (a source row, kWhite for none) in the row effects, what
  // each visible column shows in the column effect.
  std::vector<int> shownRows_, shownColumns_;
  std::vector<std::pair<int, int>> columns_;  // pending column copies: frame x, source column
  // This frame's changes as runs of whole visible rows or columns, in visible coordinates.
  std::vector<std::pair<int, int>> changedRuns_;
  bool changedAreColumns_ = false;
  qint64 frames_ = 0;
};
