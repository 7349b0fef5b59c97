#pragma once
// The frames of the five transition effects. An effect builds its frames in a frame the
// size of the picture on display (W x H), which starts white and is never cleared, by
// copying rows or columns of the picture stretched to W x H; a copy that reaches outside
// the W x H area copies only what lies inside.
//
// Only the part of the frame that can be seen is kept, and not as pixels: for each
// visible row (or column, in the effect that moves columns) the frame remembers which
// row (column) of the picture it shows, or that it is still white. The stretched picture
// is sampled nearest-neighbour as the picture view samples it, so the last frame shows
// the view's own pixels. Write puts pixels of the frame straight from the picture into
// whatever shows them, so a frame on the screen is drawn once, not built and then drawn.
// A picture zoomed far beyond the screen therefore needs no more memory than the screen,
// and a frame costs what it changes on the screen: copies that land outside the visible
// part cost nothing, and neither do rows or columns that already show what a copy would
// put there (an enlarged picture repeats each of its rows many times, so most rows stay
// as they are when the picture moves by one).
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

  // Writes the part area of the current frame (visible-part coordinates, inside it) as
  // opaque 32-bit pixels: pixel (x, y) of area goes to to[(y - area.top()) * stride + x -
  // area.left()].
  void Write(const QRect& area, QRgb* to, qsizetype stride) const;

  // The visible part of the current frame as an image, brought up to date when asked:
  // pixel (x, y) of the W x H frame is pixel (x - Visible().x(), y - Visible().y()).
  const QImage& Frame() const;
  QRect Visible() const { return visible_; }

 private:
  // In the effect that moves columns, visible columns first..last show picture columns
  // x + shift[x % 2], or white where the shift is kWhiteShift.
  struct ColumnRun {
    int first, last;
    int shift[2];
  };

  // Rows from, from + 1, ... of the stretched picture to rows to, to + 1, ... of the frame.
  void CopyRows(qint64 from, qint64 to, qint64 count);
  // One column of the stretched picture to one column of the frame.
  void CopyColumn(qint64 from, qint64 to);
  // A frame is done: hands it to onFrame.
  bool Show(const FrameHandler& onFrame);
  void BuildColumnRuns();

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
  void MarkLine(int i);

  QImage source_;                    // the picture, RGB32; null for an empty one
  qint64 w_, h_;                     // W x H
  QRect visible_;                    // part of (0, 0, W, H) the frame keeps
  bool sameWidth_ = false;           // the picture's columns are the frame's columns
  std::vector<int> visibleColumns_;  // source column of each visible column
  std::vector<int> visibleRows_;     // source row of each visible row
  // What each visible row shows (a source row, kWhiteLine for none) in the row effects,
  // what each visible column shows in the column effect; columns_ tells which.
  std::vector<int> shownRows_, shownColumns_;
  bool columns_ = false;
  std::vector<ColumnRun> columnRuns_;  // shownColumns_ as runs, for Write
  bool columnsScattered_ = false;      // too many runs: Write looks up each column
  std::vector<QRgb> whiteLine_;        // a visible row's width of white
  // This frame's changes as runs of whole visible rows or columns, in visible coordinates.
  std::vector<std::pair<int, int>> changedRuns_, mergedRuns_;
  std::vector<QRect> changedRects_;
  qint64 frames_ = 0;

  // Frame(): the image and which of its rows and columns have changed since it was
  // written (all of it: allStale_).
  mutable QImage frame_;
  mutable std::vector<char> staleRows_, staleColumns_;
  mutable bool allStale_ = true;
  mutable std::vector<ColumnRun> clippedRuns_;  // Write's scratch
  mutable std::vector<QRgb> rowScratch_;
};
