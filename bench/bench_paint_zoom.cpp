// Painting a 1280 x 1024 view of an 18-megapixel picture (5196 x 3464) held by an image
// control, as the picture area paints it: at 5000 % (a 259,800 x 173,200 control), at
// 100 % and fitted into the view. Each iteration paints the exposed rectangle into a
// window-sized surface of the backing store's format (premultiplied ARGB under X11), as
// the widget's paint event does. What a view costs should not depend on how large the zoomed
// picture is.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <algorithm>

#include "NoisyGradient.h"
#include "controls/TImage.h"
#include "picture/Bitmap.h"

namespace {

constexpr int kPicWidth = 5196, kPicHeight = 3464;
constexpr int kViewWidth = 1280, kViewHeight = 1024;

// One image control per size, sharing the picture's pixels.
TImage& Control(int width, int height) {
  static const Bitmap picture = NoisyGradient(kPicWidth, kPicHeight, 7);
  static TImage image;
  if (image.GetPicture().Empty()) image.GetPicture().Assign(picture);
  image.SetStretch(true);
  image.SetBounds(0, 0, width, height);
  return image;
}

// Paints the view-sized rectangle of the control around the point (cx, cy).
void PaintView(benchmark::State& state, int width, int height, double cx, double cy) {
  TImage& image = Control(width, height);
  QRect area(int(width * cx) - kViewWidth / 2, int(height * cy) - kViewHeight / 2, kViewWidth,
             kViewHeight);
  area = area & image.rect();
  QImage surface(kViewWidth, kViewHeight, QImage::Format_ARGB32_Premultiplied);
  surface.fill(Qt::white);
  for (auto _ : state) {
    QPainter painter(&surface);
    painter.translate(-area.topLeft());
    image.PaintArea(painter, area);
    painter.end();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * qint64(area.width()) * area.height());
}

void BM_Paint5000(benchmark::State& state) {
  // Off the centre so that the view's edges fall inside enlarged pixels.
  PaintView(state, kPicWidth * 50, kPicHeight * 50, 0.4137, 0.5521);
}

void BM_Paint100(benchmark::State& state) {
  PaintView(state, kPicWidth, kPicHeight, 0.4137, 0.5521);
}

void BM_PaintFit(benchmark::State& state) {
  // Fit picture in a 1280 x 1024 view: the width decides, 1276 wide.
  const int w = kViewWidth - 4;
  PaintView(state, w, w * kPicHeight / kPicWidth, 0.5, 0.5);
}

BENCHMARK(BM_Paint5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paint100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintFit)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
