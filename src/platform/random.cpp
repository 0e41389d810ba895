#include "platform/random.h"

namespace platform {

namespace {
thread_local uint32_t t_state = 1;
}

int Rand() {
  t_state = t_state * 214013u + 2531011u;
  return static_cast<int>((t_state >> 16) & 0x7FFF);
}

int RandBelow(int n) { return static_cast<int>(static_cast<int64_t>(Rand()) * n / (kRandMax + 1)); }

int ChoiceFor(int r, int n) {
  const int k = static_cast<int>(static_cast<int64_t>(r) * n / kRandMax);
  return k < n ? k : n - 1;
}

int RandChoice(int n) { return ChoiceFor(Rand(), n); }

void SeedRand(uint32_t state) { t_state = state; }
uint32_t RandState() { return t_state; }

}  // namespace platform
