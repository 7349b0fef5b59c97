#include "Random.h"

#include <chrono>
#include <optional>
#include <random>

namespace {
constexpr unsigned kStartSeed = 0x5EED2025u;
std::mt19937& Generator() {
  static std::mt19937 generator(kStartSeed);
  return generator;
}
std::optional<unsigned>& PinnedSeed() {
  static std::optional<unsigned> seed;
  return seed;
}
}  // namespace

int Random(int n) {
  if (n <= 0) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(Generator());
}

void Randomize() {
  if (PinnedSeed()) {
    Generator().seed(*PinnedSeed());
    return;
  }
  Generator().seed(unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void ResetRandom() {
  Generator().seed(kStartSeed);
}

void PinRandomizeSeed(unsigned seed) {
  PinnedSeed() = seed;
}

void UnpinRandomizeSeed() {
  PinnedSeed().reset();
}
