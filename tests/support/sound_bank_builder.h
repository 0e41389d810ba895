// Builds small sound bank files for tests: the five 401-entry header arrays
// (channels, rate, bits, loop, data size) and then the data of every
// non-empty slot in ascending order. The test file helpers come with it.
#pragma once

#include <cstdint>
#include <vector>

#include "support/test_files.h"

namespace soundtest {

struct BankSound {
  int slot = 0;
  uint8_t channels = 1;
  uint32_t rate = 44100;
  uint8_t bits = 16;
  uint8_t loop = 0;
  std::vector<uint8_t> data;
  // The data size field when it should differ from data.size().
  int64_t sizeField = -1;
};

// The lowest `bytes` bytes of v, little-endian, at `at`.
inline void PutLe32(std::vector<uint8_t>* out, size_t at, uint32_t v, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) (*out)[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Sounds must be given in ascending slot order.
inline std::vector<uint8_t> BuildSoundBank(const std::vector<BankSound>& sounds) {
  std::vector<uint8_t> bank(4411, 0);
  for (const BankSound& s : sounds) {
    const auto i = static_cast<size_t>(s.slot);
    bank[i] = s.channels;
    PutLe32(&bank, 401 + 4 * i, s.rate);
    bank[2005 + i] = s.bits;
    bank[2406 + i] = s.loop;
    PutLe32(&bank, 2807 + 4 * i, static_cast<uint32_t>(s.sizeField >= 0 ? s.sizeField : s.data.size()));
  }
  for (const BankSound& s : sounds)
    if (s.channels != 0) bank.insert(bank.end(), s.data.begin(), s.data.end());
  return bank;
}

// 16-bit little-endian samples, interleaved as given.
inline std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> out(2 * samples.size());
  for (size_t i = 0; i < samples.size(); ++i) PutLe32(&out, 2 * i, static_cast<uint16_t>(samples[i]), 2);
  return out;
}

// A square wave of `frames` 16-bit frames on every channel.
inline std::vector<uint8_t> SquareWave16(int frames, int channels, int16_t amplitude, int period = 100) {
  std::vector<int16_t> samples;
  for (int f = 0; f < frames; ++f)
    for (int c = 0; c < channels; ++c)
      samples.push_back((f / (period / 2)) % 2 ? amplitude : static_cast<int16_t>(-amplitude));
  return Samples16(samples);
}

}  // namespace soundtest
