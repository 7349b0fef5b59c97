// JPEG speed on a large photograph-like picture: full decode, 1/8 decode and encode.
//
//   bench_picture_jpeg                      Google Benchmark run (makes its own picture)
//   bench_picture_jpeg --make-photo FILE [W H]   writes a photograph-like JPEG
//   bench_picture_jpeg --decode-once FILE [N]    decodes FILE N times into a bitmap and
//                                                prints min and median milliseconds
//   bench_picture_jpeg --size FILE               prints the picture's W x H
// The --decode-once timing includes reading the file and allocating the bitmap, as a
// viewer opening the file does; it excludes process start (see decode_vs_djpeg.sh).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "picture/Bitmap.h"
#include "picture/JpegCodec.h"

namespace {

// Smooth gradients and soft shapes with sensor-like noise: compresses and decodes like a
// photograph, unlike a flat or purely random picture.
QImage PhotoLike(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  quint32 seed = 0x12345678u;
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = int((seed >> 24) & 15) - 8;
      const int dx = x - w / 3, dy = y - h / 2;
      const int blob = std::max(0, 120 - int((qint64(dx) * dx + qint64(dy) * dy) / (w * 8 + 1)));
      const int r = std::clamp(x * 200 / w + blob / 2 + noise, 0, 255);
      const int g = std::clamp(y * 180 / h + (x * 7 / w) * 8 + noise, 0, 255);
      const int b = std::clamp(90 + blob + ((x / 97 + y / 61) & 1) * 30 + noise, 0, 255);
      line[x] = qRgb(r, g, b);
    }
  }
  return image;
}

const QString& PhotoFile() {
  static QTemporaryDir dir;
  static const QString path = [] {
    const QString p = dir.filePath(QStringLiteral("photo.jpg"));
    JpegCodec::EncodeToFile(PhotoLike(5000, 3000), p, 90);
    return p;
  }();
  return path;
}

void BM_DecodeFull(benchmark::State& state) {
  const QString& path = PhotoFile();
  for (auto _ : state) {
    Bitmap bitmap(JpegCodec::Decode(path));
    benchmark::DoNotOptimize(bitmap.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * 5000 * 3000);
}
BENCHMARK(BM_DecodeFull)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DecodeEighth(benchmark::State& state) {
  const QString& path = PhotoFile();
  for (auto _ : state) benchmark::DoNotOptimize(JpegCodec::Decode(path, 8).constBits());
}
BENCHMARK(BM_DecodeEighth)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Encode(benchmark::State& state) {
  const QImage image = PhotoLike(5000, 3000);
  for (auto _ : state) benchmark::DoNotOptimize(JpegCodec::Encode(image, 90).size());
  state.SetItemsProcessed(state.iterations() * 5000 * 3000);
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int DecodeOnce(const char* file, int repetitions) {
  const QString path = QString::fromLocal8Bit(file);
  std::vector<double> ms;
  for (int i = 0; i < repetitions; ++i) {
    QElapsedTimer timer;
    timer.start();
    Bitmap bitmap(JpegCodec::Decode(path));
    ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    if (bitmap.Empty()) return 1;
  }
  std::sort(ms.begin(), ms.end());
  std::printf("picora_min_ms=%.3f\npicora_median_ms=%.3f\n", ms.front(), ms[ms.size() / 2]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--make-photo") == 0) {
    const int w = argc >= 5 ? std::atoi(argv[3]) : 5000, h = argc >= 5 ? std::atoi(argv[4]) : 3000;
    JpegCodec::EncodeToFile(PhotoLike(w, h), QString::fromLocal8Bit(argv[2]), 90);
    return 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "--size") == 0) {
    const QSize size = JpegCodec::ReadSize(QString::fromLocal8Bit(argv[2]));
    std::printf("%dx%d\n", size.width(), size.height());
    return 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "--decode-once") == 0)
    return DecodeOnce(argv[2], argc >= 4 ? std::max(1, std::atoi(argv[3])) : 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
