// The level search's own random numbers: a SplitMix64 sequence from a fixed
// seed, so that the search makes the same choices on every run and never
// touches the game's per-thread generator. Only exact integer and basic
// floating-point arithmetic, so every machine draws the same values.
//
// Threads: the asset generator's only thread.
#pragma once

#include <cstdint>

namespace levels {

class SearchRandom {
 public:
  explicit SearchRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // [0, 1) with 53 random bits.
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Uniform(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  // lo .. hi inclusive.
  int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }
  // 0 .. 32767, the range of the game's generator.
  int Rand15() { return static_cast<int>(Next() >> 49); }

 private:
  uint64_t state_;
};

}  // namespace levels
