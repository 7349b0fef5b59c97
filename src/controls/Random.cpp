#include "Random.h"

#include <chrono>
#include <random>

namespace {
constexpr unsigned kStartSeed = 0x5EED2025u;
std::mt19937& Generator() {
  static std::mt19937 generator(kStartSeed);
  return generator;
}
}  // namespace

int Random(int n) {
  if (n <= 0) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(Generator());
}

void Randomize() {
  Generator().seed(unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void ResetRandom() {
  Generator().seed(kStartSeed);
}
