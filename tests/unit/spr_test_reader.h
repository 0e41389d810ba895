// A reader of the sprite bank format written from its description alone, for
// the tests of the bank writer and of the generated banks: the count, the
// records, and the pixel area decoded from the stream of literals and runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace spr_test {

struct Record {
  uint16_t width = 0, height = 0;
  uint32_t offset = 0;
};

struct Bank {
  std::vector<Record> records;
  std::vector<uint16_t> area;  // the decoded pixel area
  size_t streamWords = 0;      // words of the stream read to fill the area
  size_t runWords = 0;         // how many of them were run words
  uint32_t longestRun = 0;
  bool literalWithBit15 = false;  // never: such a word is a run word
  bool zeroLengthRun = false;

  // Sprite i's pixels, rows packed.
  std::vector<uint16_t> Pixels(size_t i) const {
    const Record& r = records[i];
    return std::vector<uint16_t>(area.begin() + r.offset, area.begin() + r.offset + size_t{r.width} * r.height);
  }
};

// Decodes bytes; false with a reason when they do not make a whole bank.
inline bool Decode(const std::vector<uint8_t>& bytes, Bank* bank, std::string* why) {
  size_t pos = 0;
  auto u16 = [&](uint16_t* v) {
    if (pos + 2 > bytes.size()) return false;
    *v = static_cast<uint16_t>(bytes[pos] | (bytes[pos + 1] << 8));
    pos += 2;
    return true;
  };
  auto u32 = [&](uint32_t* v) {
    uint16_t lo, hi;
    if (!u16(&lo) || !u16(&hi)) return false;
    *v = lo | (static_cast<uint32_t>(hi) << 16);
    return true;
  };
  uint32_t count;
  if (!u32(&count) || count < 1 || count > 1024) return *why = "bad count", false;
  bank->records.resize(count);
  for (Record& r : bank->records)
    if (!u16(&r.width) || !u16(&r.height) || !u32(&r.offset)) return *why = "short records", false;
  const Record& last = bank->records.back();
  const size_t total = size_t{last.width} * last.height + last.offset;
  for (const Record& r : bank->records)
    if (r.offset + size_t{r.width} * r.height > total) return *why = "a sprite ends after the last one", false;
  bank->area.clear();
  bank->area.reserve(total);
  while (bank->area.size() < total) {
    uint16_t w;
    if (!u16(&w)) return *why = "the stream ends early", false;
    ++bank->streamWords;
    if (w < 0x8000) {
      bank->area.push_back(w);
      continue;
    }
    uint16_t v;
    if (!u16(&v)) return *why = "a run without its value", false;
    ++bank->streamWords;
    ++bank->runWords;
    const uint32_t n = w - 0x8000u;
    bank->zeroLengthRun |= n == 0;
    bank->literalWithBit15 |= (v & 0x8000) != 0;
    bank->longestRun = std::max(bank->longestRun, n);
    if (bank->area.size() + n > total) return *why = "a run overflows the area", false;
    bank->area.insert(bank->area.end(), n, static_cast<uint16_t>(v & 0x7FFF));
  }
  if (pos != bytes.size()) return *why = "bytes after the pixel area", false;
  return true;
}

}  // namespace spr_test
