// An independent reader of the sound bank layout for the tests: decodes the
// five header arrays, finds each sound's data from the sizes and checks that
// header and data add up to the file length. Header-only; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sound_bank_reader {

struct Entry {
  int channels = 0;
  uint32_t rate = 0;
  int bits = 0;
  int loop = 0;
  uint32_t size = 0;
  std::vector<int16_t> samples;
};

struct Bank {
  std::vector<Entry> entries = std::vector<Entry>(401);
};

inline uint32_t ReadLe(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}

// False with a reason when the file is not exactly header + data.
inline bool Decode(const std::vector<uint8_t>& bytes, Bank* bank, std::string* why) {
  constexpr size_t kHeader = 401 * (1 + 4 + 1 + 1 + 4);
  const auto fail = [why](const std::string& reason) { return *why = reason, false; };
  if (bytes.size() < kHeader) return fail("shorter than the header");
  size_t offset = kHeader;
  for (size_t i = 0; i < 401; ++i) {
    Entry& e = bank->entries[i];
    e.channels = bytes[i];
    e.rate = ReadLe(bytes, 401 + 4 * i, 4);
    e.bits = bytes[2005 + i];
    e.loop = bytes[2406 + i];
    e.size = ReadLe(bytes, 2807 + 4 * i, 4);
    if (i == 0 || e.channels == 0) continue;
    if (e.size > bytes.size() - offset) return fail("sound " + std::to_string(i) + " runs past the end");
    if (e.bits == 16)
      for (size_t k = 0; k + 1 < e.size; k += 2)
        e.samples.push_back(static_cast<int16_t>(ReadLe(bytes, offset + k, 2)));
    offset += e.size;
  }
  return offset == bytes.size() || fail("header and data make " + std::to_string(offset) + " bytes, the file has " +
                                        std::to_string(bytes.size()));
}

}  // namespace sound_bank_reader
