// level.frc: the searched levels, 1000 records of 26 bytes.
#include <fstream>
#include <string>
#include <vector>

#include "assetgen/generators.h"
#include "assetgen/levels/level_search.h"
#include "world/level_file.h"

bool WriteLevelFile(const std::string& dir, std::string* error) {
  levels::SearchStats stats;
  const std::vector<LevelParams> levels = levels::SearchLevels(&stats);
  if (stats.found < kPlayableLevels) {
    *error = "the level search found only " + std::to_string(stats.found) + " playable levels";
    return false;
  }
  std::vector<uint8_t> bytes(kLevelFileSize);
  for (int i = 0; i < kLevelCount; ++i) EncodeLevelRecord(levels[static_cast<size_t>(i)], bytes.data() + i * kLevelRecordSize);
  const std::string path = dir + "/level.frc";
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}
