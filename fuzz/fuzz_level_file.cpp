// Fuzz target: the level file reader. The input is a whole level.frc; every
// record read must give back its own 26 bytes, and every level the round
// set-up can pick must be readable.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "world/level_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static LevelTable table;
  const int records = ParseLevelTable(data, size, &table);
  const size_t whole = size / kLevelRecordSize;
  if (records != static_cast<int>(whole < kLevelCount ? whole : kLevelCount)) __builtin_trap();
  for (int i = 0; i < records; ++i) {
    uint8_t again[kLevelRecordSize];
    EncodeLevelRecord(table.Get(i), again);
    if (std::memcmp(again, data + static_cast<size_t>(i) * kLevelRecordSize, kLevelRecordSize) != 0) __builtin_trap();
  }
  for (int r = 0; r <= 32767; r += 511) table.Get(LevelIndexFor(r));
  table.Get(LevelIndexFor(32767));
  return 0;
}
