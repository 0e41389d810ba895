// The level table: the fractal parameters of 1000 landscapes, read once from
// level.frc at start-up, and the current level parameters that the landscape
// builder reads, copied from one record at the start of every round.
//
// level.frc is 1000 records of 26 bytes, little-endian, no header: six single
// floats (left, top, right, bottom, c real, c imaginary) and an unsigned 16-bit
// iteration limit.
//
// Threads: the game thread (loaded at start-up, selected per round).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr int kLevelCount = 1000;
inline constexpr int kLevelRecordSize = 26;
inline constexpr int kLevelFileSize = kLevelCount * kLevelRecordSize;
// The round set-up picks among the first 65 records only.
inline constexpr int kPlayableLevels = 65;

// One level: the window [left, right] x [top, bottom] of the complex plane
// seen by the world (left at column 0, top at row 0), the Julia constant c and
// the iteration limit.
struct LevelParams {
  float left = 0, top = 0, right = 0, bottom = 0;
  float cReal = 0, cImag = 0;
  uint16_t iterationLimit = 0;
};

// Seven arrays of 1000 entries, one per field, indexed by level number.
struct LevelTable {
  float left[kLevelCount] = {};
  float top[kLevelCount] = {};
  float right[kLevelCount] = {};
  float bottom[kLevelCount] = {};
  float cReal[kLevelCount] = {};
  float cImag[kLevelCount] = {};
  uint16_t iterationLimit[kLevelCount] = {};

  LevelParams Get(int index) const;
  void Set(int index, const LevelParams& level);
  void Reset() { *this = LevelTable(); }
};

extern LevelTable g_levelTable;  // written only by the loader
extern LevelParams g_level;      // the current level parameters

// The 26 bytes of one record.
LevelParams DecodeLevelRecord(const uint8_t* bytes);
void EncodeLevelRecord(const LevelParams& level, uint8_t* bytes);

// Fills the table from the bytes of a level file: every complete record among
// the first 1000, and zeros for the rest. Returns how many records were read.
int ParseLevelTable(const uint8_t* data, size_t size, LevelTable* table);

// Reads level.frc into g_levelTable. A missing file shows "no open earth" and
// leaves the table all zeros; a file shorter than 26,000 bytes keeps the
// complete records it holds, zeros the rest and shows kShortLevelFileMessage.
void LoadLevelTable();
// The same from the given path (the game reads level.frc from its data folder).
void LoadLevelTableFrom(const std::string& path);
inline constexpr const char* kShortLevelFileMessage = "short earth file";

// The level number of a random number r (0..32767): r * 64 / 32767.
int LevelIndexFor(int r);
// Draws a random number, copies that level into g_level, returns its number.
int SelectLevel();
