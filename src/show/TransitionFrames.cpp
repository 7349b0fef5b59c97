#include "TransitionFrames.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr QRgb kWhite = 0xFFFFFFFFu;
// What a row or column of the frame shows before anything is copied there.
constexpr int kWhiteLine = -1;
// Changed lines this close together are reported as one band.
constexpr int kJoinGap = 8;

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
  if (!visible_.isEmpty()) {
    frame_ = QImage(visible_.size(), QImage::Format_RGB32);
    frame_.fill(kWhite);
  }
  visibleColumns_.resize(size_t(std::max(0, visible_.width())));
  if (!source_.isNull())
    for (int x = 0; x < visible_.width(); ++x)
      visibleColumns_[size_t(x)] = SourceColumn(visible_.left() + x);
}

// Nearest neighbour as the view paints: the centre of stretched pixel d falls into
// source pixel ((2d + 1) * source length) / (2 * stretched length).
int TransitionFrames::SourceRow(qint64 d) const {
  return int(((2 * d + 1) * source_.height()) / (2 * h_));
}
int TransitionFrames::SourceColumn(qint64 d) const {
  return int(((2 * d + 1) * source_.width()) / (2 * w_));
}

void TransitionFrames::MarkRow(int y) {
  if (!changedRuns_.empty() && changedRuns_.back().second == y)
    ++changedRuns_.back().second;
  else
    changedRuns_.emplace_back(y, y + 1);
}

void TransitionFrames::MarkColumn(int x) {
  changedAreColumns_ = true;
  MarkRow(x);
}

void TransitionFrames::CopyRows(qint64 from, qint64 to, qint64 count) {
  if (visible_.isEmpty() || source_.isNull()) return;  // an empty picture copies white
  // k runs over the rows that lie inside the picture on both sides and in the visible part.
  const qint64 top = visible_.top(), bottom = qint64(visible_.bottom()) + 1;
  const qint64 kLo = std::max({qint64(0), -from, -to, top - to});
  const qint64 kHi = std::min({count, h_ - from, h_ - to, bottom - to});
  const int width = visible_.width();
  const bool sameWidth = source_.width() == w_;
  for (qint64 k = kLo; k < kHi; ++k) {
    const int y = int(to + k - top);
    const int row = SourceRow(from + k);
    if (shownRows_[size_t(y)] == row) continue;
    shownRows_[size_t(y)] = row;
    MarkRow(y);
    auto* dst = reinterpret_cast<QRgb*>(frame_.scanLine(y));
    const auto* src = reinterpret_cast<const QRgb*>(source_.constScanLine(row));
    if (sameWidth) {
      std::memcpy(dst, src + visible_.left(), size_t(width) * sizeof(QRgb));
    } else {
      for (int x = 0; x < width; ++x) dst[x] = src[visibleColumns_[size_t(x)]];
    }
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
  columns_.emplace_back(x, column);
}

// Row by row: a column at a time would walk the frame with a stride of a whole row.
void TransitionFrames::FlushColumns() {
  if (columns_.empty()) return;
  for (int y = 0; y < visible_.height(); ++y) {
    auto* dst = reinterpret_cast<QRgb*>(frame_.scanLine(y));
    const auto* src =
        reinterpret_cast<const QRgb*>(source_.constScanLine(SourceRow(visible_.top() + y)));
    for (const auto& [x, column] : columns_) dst[x] = src[column];
  }
  columns_.clear();
}

bool TransitionFrames::Show(const FrameHandler& onFrame) {
  FlushColumns();
  ++frames_;
  QRegion changed;
  if (!changedRuns_.empty()) {
    // Runs of rows (or columns) in order and merged: whole-width bands (or whole-height
    // strips) that make a region as it is.
    std::sort(changedRuns_.begin(), changedRuns_.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto& run : changedRuns_) {
      // Painting a few unchanged lines costs less than one more rectangle: the interlace
      // effects change every second line.
      if (!merged.empty() && run.first <= merged.back().second + kJoinGap)
        merged.back().second = std::max(merged.back().second, run.second);
      else
        merged.push_back(run);
    }
    std::vector<QRect> rects;
    rects.reserve(merged.size());
    for (const auto& [first, end] : merged)
      rects.push_back(
          changedAreColumns_
              ? QRect(visible_.left() + first, visible_.top(), end - first, visible_.height())
              : QRect(visible_.left(), visible_.top() + first, visible_.width(), end - first));
    changed.setRects(rects.data(), int(rects.size()));
    changedRuns_.clear();
  }
  return onFrame(changed);
}

qint64 TransitionFrames::Run(Effect effect, const FrameHandler& onFrame) {
  frames_ = 0;
  columns_.clear();
  changedRuns_.clear();
  changedAreColumns_ = false;
  frame_.fill(kWhite);
  shownRows_.assign(size_t(std::max(0, visible_.height())), kWhiteLine);
  shownColumns_.assign(size_t(std::max(0, visible_.width())), kWhiteLine);
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
