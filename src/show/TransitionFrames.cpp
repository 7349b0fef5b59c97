#include "TransitionFrames.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {
constexpr QRgb kWhite = 0xFFFFFFFFu;
// What a row or column of the frame shows before anything is copied there.
constexpr int kWhiteLine = -1;
// Changed lines this close together are reported as one band.
constexpr int kJoinGap = 8;
// A run of columns that shows white.
constexpr int kWhiteShift = std::numeric_limits<int>::min();

// The inner loops of the interlace effects run n = top, top - 2, ... while n > 0; only
// the n whose copies land in the visible part matter. Calls f(n) for those n that lie in
// [a0, a1] or [b0, b1], in the loop's (descending) order, each n once.
template <class F>
void ForEachVisibleStep(qint64 top, qint64 a0, qint64 a1, qint64 b0, qint64 b1, F f) {
  struct Range {
    qint64 lo, hi;
  };
  Range ranges[2] = {{std::max<qint64>(a0, 1), std::min(a1, top)},
                     {std::max<qint64>(b0, 1), std::min(b1, top)}};
  if (ranges[0].hi < ranges[1].hi) std::swap(ranges[0], ranges[1]);
  int count = 2;
  if (ranges[1].lo > ranges[1].hi) {
    count = 1;
  } else if (ranges[0].lo > ranges[0].hi) {
    ranges[0] = ranges[1];
    count = 1;
  } else if (ranges[1].hi >= ranges[0].lo - 1) {
    ranges[0].lo = std::min(ranges[0].lo, ranges[1].lo);
    count = 1;
  }
  for (int i = 0; i < count; ++i) {
    qint64 n = ranges[i].hi;
    if ((top - n) % 2 != 0) --n;
    for (; n >= ranges[i].lo; n -= 2) f(n);
  }
}
}  // namespace

TransitionFrames::TransitionFrames(const Bitmap& picture, QSize shown, QRect visible)
    : w_(std::max(0, shown.width())), h_(std::max(0, shown.height())) {
  visible_ = visible & QRect(0, 0, int(w_), int(h_));
  if (!picture.Empty() && picture.Width() > 0 && picture.Height() > 0) {
    source_ = picture.ToImage();
    if (source_.format() != QImage::Format_RGB32)
      source_ = source_.convertToFormat(QImage::Format_RGB32);
  }
  const int width = std::max(0, visible_.width()), height = std::max(0, visible_.height());
  if (!visible_.isEmpty()) frame_ = QImage(visible_.size(), QImage::Format_RGB32);
  if (!source_.isNull()) {
    sameWidth_ = source_.width() == w_;
    visibleColumns_.resize(size_t(width));
    for (int x = 0; x < width; ++x) visibleColumns_[size_t(x)] = SourceColumn(visible_.left() + x);
    visibleRows_.resize(size_t(height));
    for (int y = 0; y < height; ++y) visibleRows_[size_t(y)] = SourceRow(visible_.top() + y);
  }
  shownRows_.assign(size_t(height), kWhiteLine);
  shownColumns_.assign(size_t(width), kWhiteLine);
  staleRows_.assign(size_t(height), 0);
  staleColumns_.assign(size_t(width), 0);
  whiteLine_.assign(size_t(width), kWhite);
  rowScratch_.resize(size_t(width));
}

// Nearest neighbour as the view paints: the centre of stretched pixel d falls into
// source pixel ((2d + 1) * source length) / (2 * stretched length).
int TransitionFrames::SourceRow(qint64 d) const {
  return int(((2 * d + 1) * source_.height()) / (2 * h_));
}
int TransitionFrames::SourceColumn(qint64 d) const {
  return int(((2 * d + 1) * source_.width()) / (2 * w_));
}

void TransitionFrames::MarkLine(int i) {
  if (!changedRuns_.empty() && changedRuns_.back().second == i)
    ++changedRuns_.back().second;
  else
    changedRuns_.emplace_back(i, i + 1);
}

void TransitionFrames::MarkRow(int y) {
  staleRows_[size_t(y)] = 1;
  MarkLine(y);
}

void TransitionFrames::MarkColumn(int x) {
  staleColumns_[size_t(x)] = 1;
  MarkLine(x);
}

void TransitionFrames::CopyRows(qint64 from, qint64 to, qint64 count) {
  if (visible_.isEmpty() || source_.isNull()) return;  // an empty picture copies white
  // k runs over the rows that lie inside the picture on both sides and in the visible part.
  const qint64 top = visible_.top(), bottom = qint64(visible_.bottom()) + 1;
  const qint64 kLo = std::max({qint64(0), -from, -to, top - to});
  const qint64 kHi = std::min({count, h_ - from, h_ - to, bottom - to});
  for (qint64 k = kLo; k < kHi; ++k) {
    const int y = int(to + k - top);
    const int row = SourceRow(from + k);
    if (shownRows_[size_t(y)] == row) continue;
    shownRows_[size_t(y)] = row;
    MarkRow(y);
  }
}

void TransitionFrames::CopyColumn(qint64 from, qint64 to) {
  if (visible_.isEmpty() || source_.isNull() || from < 0 || from >= w_ || to < visible_.left() ||
      to > visible_.right())
    return;
  const int x = int(to - visible_.left());
  const int column = SourceColumn(from);
  if (shownColumns_[size_t(x)] == column) return;
  shownColumns_[size_t(x)] = column;
  MarkColumn(x);
}

// The column effect fills every second column from one side and the columns between
// them from the other, each side a shifted copy of the picture: over long runs of
// columns the even ones show the picture under one shift and the odd ones under another,
// so a row of the frame is written as a few interleaved copies instead of a look-up per
// pixel. A stretched picture shifts by a different amount at every column; then runs
// would be a column or two long and Write looks up each column.
void TransitionFrames::BuildColumnRuns() {
  columnRuns_.clear();
  const int width = int(shownColumns_.size());
  const auto shift = [this](int x) {
    const int shown = shownColumns_[size_t(x)];
    return shown == kWhiteLine ? kWhiteShift : shown - x;
  };
  for (int x = 0; x < width;) {
    ColumnRun run{x, x, {0, 0}};
    run.shift[x % 2] = shift(x);
    run.shift[1 - x % 2] = x + 1 < width ? shift(x + 1) : kWhiteShift;
    while (run.last + 1 < width && shift(run.last + 1) == run.shift[(run.last + 1) % 2]) ++run.last;
    columnRuns_.push_back(run);
    x = run.last + 1;
  }
  columnsScattered_ = columnRuns_.size() * 8 > size_t(width);
}

void TransitionFrames::Write(const QRect& area, QRgb* to, qsizetype stride) const {
  if (area.isEmpty()) return;
  const int left = area.left(), width = area.width();
  if (!columns_) {
    for (int y = area.top(); y <= area.bottom(); ++y, to += stride) {
      const int row = shownRows_[size_t(y)];
      if (row == kWhiteLine) {
        std::fill_n(to, width, kWhite);
        continue;
      }
      const auto* src = reinterpret_cast<const QRgb*>(source_.constScanLine(row));
      if (sameWidth_) {
        std::memcpy(to, src + visible_.left() + left, size_t(width) * sizeof(QRgb));
      } else {
        const int* columns = visibleColumns_.data() + left;
        for (int x = 0; x < width; ++x) to[x] = src[columns[x]];
      }
    }
    return;
  }
  if (columnsScattered_) {
    const int* shown = shownColumns_.data() + left;
    for (int y = area.top(); y <= area.bottom(); ++y, to += stride) {
      const auto* src =
          reinterpret_cast<const QRgb*>(source_.constScanLine(visibleRows_[size_t(y)]));
      for (int x = 0; x < width; ++x) to[x] = shown[x] == kWhiteLine ? kWhite : src[shown[x]];
    }
    return;
  }
  // The runs cut to the area, counted from its left edge.
  clippedRuns_.clear();
  const int right = area.right();
  for (const ColumnRun& run : columnRuns_) {
    const int first = std::max(run.first, left), last = std::min(run.last, right);
    if (first > last) continue;
    ColumnRun cut{first - left, last - left, {0, 0}};
    for (int parity = 0; parity < 2; ++parity) {
      const int s = run.shift[(parity + left) % 2];
      cut.shift[parity] = s == kWhiteShift ? kWhiteShift : s + left;
    }
    clippedRuns_.push_back(cut);
  }
  // Each row is put together in a line that stays in the cache and then copied out
  // whole: writing the interleaved columns straight to the window's image would read in
  // every line of it first, a block copy does not.
  const QRgb* white = whiteLine_.data();
  QRgb* line = rowScratch_.data();
  for (int y = area.top(); y <= area.bottom(); ++y, to += stride) {
    // White runs need no picture row (the picture may be empty).
    const QRgb* src =
        source_.isNull()
            ? nullptr
            : reinterpret_cast<const QRgb*>(source_.constScanLine(visibleRows_[size_t(y)]));
    for (const ColumnRun& run : clippedRuns_) {
      const QRgb* even = run.shift[0] == kWhiteShift ? white : src + run.shift[0];
      const QRgb* odd = run.shift[1] == kWhiteShift ? white : src + run.shift[1];
      // Each pointer is good for its own columns; between the run's first and last
      // column, where the other column on either side is its own, it is good for every
      // column, so the row is written without a branch per pixel.
      const int last = run.last;
      int x = run.first;
      line[x] = (x & 1 ? odd : even)[x];
      for (++x; x < last; ++x) {
        const QRgb e = even[x], o = odd[x];
        line[x] = (x & 1) ? o : e;
      }
      if (x == last) line[x] = (x & 1 ? odd : even)[x];
    }
    std::memcpy(to, line, size_t(width) * sizeof(QRgb));
  }
}

const QImage& TransitionFrames::Frame() const {
  if (frame_.isNull()) return frame_;
  QRgb* bits = reinterpret_cast<QRgb*>(frame_.bits());
  const qsizetype stride = frame_.bytesPerLine() / qsizetype(sizeof(QRgb));
  const int width = frame_.width(), height = frame_.height();
  if (allStale_) {
    Write(QRect(0, 0, width, height), bits, stride);
  } else {
    // Runs of changed rows, then runs of changed columns.
    for (int y = 0; y < height;) {
      if (!staleRows_[size_t(y)]) {
        ++y;
        continue;
      }
      int end = y + 1;
      while (end < height && staleRows_[size_t(end)]) ++end;
      Write(QRect(0, y, width, end - y), bits + y * stride, stride);
      y = end;
    }
    for (int x = 0; x < width;) {
      if (!staleColumns_[size_t(x)]) {
        ++x;
        continue;
      }
      int end = x + 1;
      while (end < width && staleColumns_[size_t(end)]) ++end;
      Write(QRect(x, 0, end - x, height), bits + x, stride);
      x = end;
    }
  }
  allStale_ = false;
  std::fill(staleRows_.begin(), staleRows_.end(), 0);
  std::fill(staleColumns_.begin(), staleColumns_.end(), 0);
  return frame_;
}

bool TransitionFrames::Show(const FrameHandler& onFrame) {
  ++frames_;
  QRegion changed;
  if (!changedRuns_.empty()) {
    if (columns_) BuildColumnRuns();
    // Runs of rows (or columns) in order and merged: whole-width bands (or whole-height
    // strips) that make a region as it is.
    std::sort(changedRuns_.begin(), changedRuns_.end());
    mergedRuns_.clear();
    for (const auto& run : changedRuns_) {
      // Painting a few unchanged lines costs less than one more rectangle: the interlace
      // effects change every second line.
      if (!mergedRuns_.empty() && run.first <= mergedRuns_.back().second + kJoinGap)
        mergedRuns_.back().second = std::max(mergedRuns_.back().second, run.second);
      else
        mergedRuns_.push_back(run);
    }
    changedRects_.clear();
    for (const auto& [first, end] : mergedRuns_)
      changedRects_.push_back(
          columns_ ? QRect(visible_.left() + first, visible_.top(), end - first, visible_.height())
                   : QRect(visible_.left(), visible_.top() + first, visible_.width(), end - first));
    changed.setRects(changedRects_.data(), int(changedRects_.size()));
    changedRuns_.clear();
  }
  return onFrame(changed);
}

qint64 TransitionFrames::Run(Effect effect, const FrameHandler& onFrame) {
  frames_ = 0;
  changedRuns_.clear();
  // The effect that moves columns keeps what each column shows, the others what each row
  // shows; either way the frame starts white.
  columns_ = effect == Effect::HorizontalInterlace;
  std::fill(shownRows_.begin(), shownRows_.end(), kWhiteLine);
  std::fill(shownColumns_.begin(), shownColumns_.end(), kWhiteLine);
  if (columns_) BuildColumnRuns();
  allStale_ = true;
  switch (effect) {
    case Effect::PushPull:
      PushPull(onFrame);
      break;
    case Effect::HorizontalInterlace:
      HorizontalInterlace(onFrame);
      break;
    case Effect::VerticalInterlace:
      VerticalInterlace(onFrame);
      break;
    case Effect::Raindrops:
      Raindrops(onFrame);
      break;
    case Effect::Blinds:
      Blinds(onFrame);
      break;
  }
  return frames_;
}

// The picture rises from the bottom edge: frame i shows its first i rows at the bottom.
bool TransitionFrames::PushPull(const FrameHandler& onFrame) {
  for (qint64 i = 0; i <= h_; ++i) {
    CopyRows(0, h_ - i, i);
    if (!Show(onFrame)) return false;
  }
  return true;
}

// Every second column brings the right-hand part of the picture in from the left edge,
// the columns between them the left-hand part from the right edge.
bool TransitionFrames::HorizontalInterlace(const FrameHandler& onFrame) {
  const qint64 left = visible_.left(), right = visible_.right();
  for (qint64 c = 0; c <= w_; c += 10) {
    // Frame column n - 1 is visible for n in [left + 1, right + 1], column W - n for n in
    // [W - right, W - left].
    ForEachVisibleStep(c, left + 1, right + 1, w_ - right, w_ - left, [&](qint64 n) {
      CopyColumn(w_ - c + n - 1, n - 1);
      CopyColumn(c - n, w_ - n);
    });
    if (!Show(onFrame)) return false;
  }
  return true;
}

// The same with rows, from the top and the bottom edge, eight rows a frame.
bool TransitionFrames::VerticalInterlace(const FrameHandler& onFrame) {
  const qint64 top = visible_.top(), bottom = visible_.bottom();
  for (qint64 r = 0; r <= h_; r += 8) {
    ForEachVisibleStep(r, top + 1, bottom + 1, h_ - bottom, h_ - top, [&](qint64 n) {
      CopyRows(h_ - r + n - 1, n - 1, 1);
      CopyRows(r - n, h_ - n, 1);
    });
    if (!Show(onFrame)) return false;
  }
  return true;
}

// Bands of 100 rows, from the bottom of the picture up, fall from the top edge one row a
// frame to their place; the rows a band passes keep copies of its first row. A remainder
// of fewer than 100 rows at the top gets no band.
bool TransitionFrames::Raindrops(const FrameHandler& onFrame) {
  for (qint64 a = h_; a > 0; a -= 100) {
    if (a < 100) continue;
    for (qint64 o = 100; o <= a; ++o) {
      CopyRows(a - 100, o - 100, 100);
      if (!Show(onFrame)) return false;
    }
  }
  return true;
}

// 51 slats of H div 50 rows open downwards row by row, a frame after every row; rows from
// 51 * (H div 50) down get no slat.
bool TransitionFrames::Blinds(const FrameHandler& onFrame) {
  const qint64 s = h_ / 50;
  for (qint64 k = 0; k <= s; ++k) {
    for (qint64 j = 0; j <= 50; ++j) {
      const qint64 t = s * j + k;
      CopyRows(t - 1, t - 1, 1);
      if (!Show(onFrame)) return false;
    }
  }
  return true;
}
