// The pixel edits on a 24-megapixel bitmap (6000 x 4000) against a plain memcpy of the
// same bitmap's bytes into a buffer that is already there. The filters pay for their new
// result bitmap on top of the pixel work; AddBrightness works in place, except on a
// bitmap still shared with its reference copy (the first step after a load or restore),
// where it pays for the copy too.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "NoisyGradient.h"
#include "picture/Filters.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000;

const Bitmap& Source() {
  static const Bitmap bitmap = NoisyGradient(kWidth, kHeight, 99);
  return bitmap;
}

void Finish(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() * qint64(kWidth) * kHeight * 4);
}

void BM_Copy(benchmark::State& state) {
  const Bitmap& source = Source();
  const size_t bytes = size_t(source.Image().sizeInBytes());
  std::vector<uchar> target(bytes, 1);  // allocated and touched before timing
  for (auto _ : state) {
    std::memcpy(target.data(), source.Image().constBits(), bytes);
    benchmark::ClobberMemory();
  }
  Finish(state);
}

void BM_Brighter(benchmark::State& state) {
  Bitmap bitmap = Source();
  bitmap.ScanLine(0);  // own copy before timing
  for (auto _ : state) {
    Filters::AddBrightness(bitmap, Rect(0, 0, kWidth, kHeight), 5);
    benchmark::ClobberMemory();
  }
  Finish(state);
}

void BM_BrighterShared(benchmark::State& state) {
  for (auto _ : state) {
    Bitmap shown = Source();  // shares the pixels, as the displayed picture does
    Filters::AddBrightness(shown, Rect(0, 0, kWidth, kHeight), 5);
    benchmark::DoNotOptimize(shown.Image().constBits());
  }
  Finish(state);
}

template <Bitmap (*Filter)(const Bitmap&)>
void BM_Filter(benchmark::State& state) {
  const Bitmap& source = Source();
  for (auto _ : state) {
    Bitmap result = Filter(source);
    benchmark::DoNotOptimize(result.ScanLine(0));
  }
  Finish(state);
}

}  // namespace

#define PICORA_BENCH(...) __VA_ARGS__->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime()
PICORA_BENCH(BENCHMARK(BM_Copy));
PICORA_BENCH(BENCHMARK(BM_Brighter));
PICORA_BENCH(BENCHMARK(BM_BrighterShared));
PICORA_BENCH(BENCHMARK_TEMPLATE(BM_Filter, Filters::Negative)->Name("BM_Negative"));
PICORA_BENCH(BENCHMARK_TEMPLATE(BM_Filter, Filters::Emboss)->Name("BM_Emboss"));
PICORA_BENCH(BENCHMARK_TEMPLATE(BM_Filter, Filters::BlackWhite)->Name("BM_BlackWhite"));
PICORA_BENCH(BENCHMARK_TEMPLATE(BM_Filter, Filters::MirrorLeftRight)->Name("BM_MirrorLeftRight"));
PICORA_BENCH(BENCHMARK_TEMPLATE(BM_Filter, Filters::MirrorUpDown)->Name("BM_MirrorUpDown"));
PICORA_BENCH(BENCHMARK_TEMPLATE(BM_Filter, Filters::Rotate90)->Name("BM_Rotate90"));

BENCHMARK_MAIN();
