#include "world/level_file.h"

#include <bit>
#include <cstdio>
#include <vector>

#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/runtime.h"
#include "state/shared_state.h"

LevelTable g_levelTable;
LevelParams g_level;

namespace {

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

float ReadFloat(const uint8_t* p) { return std::bit_cast<float>(ReadU32(p)); }

void WriteU32(uint32_t v, uint8_t* p) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void WriteFloat(float f, uint8_t* p) { WriteU32(std::bit_cast<uint32_t>(f), p); }

}  // namespace

LevelParams LevelTable::Get(int i) const {
  LevelParams l;
  if (i < 0 || i >= kLevelCount) return l;
  l.left = left[i];
  l.top = top[i];
  l.right = right[i];
  l.bottom = bottom[i];
  l.cReal = cReal[i];
  l.cImag = cImag[i];
  l.iterationLimit = iterationLimit[i];
  return l;
}

void LevelTable::Set(int i, const LevelParams& l) {
  if (i < 0 || i >= kLevelCount) return;
  left[i] = l.left;
  top[i] = l.top;
  right[i] = l.right;
  bottom[i] = l.bottom;
  cReal[i] = l.cReal;
  cImag[i] = l.cImag;
  iterationLimit[i] = l.iterationLimit;
}

LevelParams DecodeLevelRecord(const uint8_t* b) {
  LevelParams l;
  l.left = ReadFloat(b);
  l.top = ReadFloat(b + 4);
  l.right = ReadFloat(b + 8);
  l.bottom = ReadFloat(b + 12);
  l.cReal = ReadFloat(b + 16);
  l.cImag = ReadFloat(b + 20);
  l.iterationLimit = static_cast<uint16_t>(b[24] | b[25] << 8);
  return l;
}

void EncodeLevelRecord(const LevelParams& l, uint8_t* b) {
  WriteFloat(l.left, b);
  WriteFloat(l.top, b + 4);
  WriteFloat(l.right, b + 8);
  WriteFloat(l.bottom, b + 12);
  WriteFloat(l.cReal, b + 16);
  WriteFloat(l.cImag, b + 20);
  b[24] = static_cast<uint8_t>(l.iterationLimit);
  b[25] = static_cast<uint8_t>(l.iterationLimit >> 8);
}

int ParseLevelTable(const uint8_t* data, size_t size, LevelTable* table) {
  table->Reset();
  const size_t whole = size / kLevelRecordSize;
  const int count = whole < static_cast<size_t>(kLevelCount) ? static_cast<int>(whole) : kLevelCount;
  for (int i = 0; i < count; ++i) table->Set(i, DecodeLevelRecord(data + static_cast<size_t>(i) * kLevelRecordSize));
  return count;
}

void LoadLevelTable() { LoadLevelTableFrom(platform::DataPath("level.frc")); }

void LoadLevelTableFrom(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    platform::ShowMessage("no open earth", kEmptyText);
    return;
  }
  // A buffered read of the 26,000 bytes; anything after them is ignored.
  char buffer[4096];
  std::setvbuf(f, buffer, _IOFBF, sizeof buffer);
  std::vector<uint8_t> bytes(kLevelFileSize);  // freed at the end of the load
  const size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  const int records = ParseLevelTable(bytes.data(), got, &g_levelTable);
  if (records < kLevelCount) platform::ShowMessage(kShortLevelFileMessage, kEmptyText);
}

int LevelIndexFor(int r) { return r * 64 / 32767; }

int SelectLevel() {
  const int index = LevelIndexFor(platform::Rand());
  g_level = g_levelTable.Get(index);
  g_game.levelIndex = index;
  return index;
}
