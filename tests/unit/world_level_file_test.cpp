// The level file: record layout and byte order, files of exactly, more and
// less than 26,000 bytes, a missing file, and the choice of the round's level.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

#include "platform/message_box.h"
#include "platform/random.h"
#include "state/shared_state.h"
#include "world/level_file.h"

namespace {

LevelParams Numbered(int i) {
  LevelParams l;
  l.left = -1.5f - i * 0.001f;
  l.top = 0.25f * i;
  l.right = 1.75f + i;
  l.bottom = -0.5f * i;
  l.cReal = 0.01f * i - 0.8f;
  l.cImag = 1e-3f * i;
  l.iterationLimit = static_cast<uint16_t>(i * 61 + 7);
  return l;
}

std::vector<uint8_t> FileOf(int records) {
  std::vector<uint8_t> bytes(static_cast<size_t>(records) * kLevelRecordSize);
  for (int i = 0; i < records; ++i) EncodeLevelRecord(Numbered(i), bytes.data() + i * kLevelRecordSize);
  return bytes;
}

void ExpectLevel(const LevelTable& t, int i, const LevelParams& l) {
  EXPECT_EQ(t.left[i], l.left) << i;
  EXPECT_EQ(t.top[i], l.top) << i;
  EXPECT_EQ(t.right[i], l.right) << i;
  EXPECT_EQ(t.bottom[i], l.bottom) << i;
  EXPECT_EQ(t.cReal[i], l.cReal) << i;
  EXPECT_EQ(t.cImag[i], l.cImag) << i;
  EXPECT_EQ(t.iterationLimit[i], l.iterationLimit) << i;
}

std::string WriteTemp(const std::vector<uint8_t>& bytes) {
  const auto path = std::filesystem::temp_directory_path() / ("bulwark_level_" + std::to_string(::getpid()) + "_" + std::to_string(bytes.size()) + ".frc");
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

}  // namespace

TEST(WorldLevelFile, RecordsAreLittleEndianFieldsInFileOrder) {
  // 1.0f is 0x3F800000; -2.0f is 0xC0000000; the limit's high byte comes last.
  const uint8_t record[26] = {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0, 0, 0, 0, 0,
                              0x00, 0x00, 0x20, 0x41, 0x00, 0x00, 0x80, 0xBF, 0, 0, 0, 0x3F, 0xFF, 0xFF};
  const LevelParams l = DecodeLevelRecord(record);
  EXPECT_EQ(l.left, 1.0f);
  EXPECT_EQ(l.top, -2.0f);
  EXPECT_EQ(l.right, 0.0f);
  EXPECT_EQ(l.bottom, 10.0f);
  EXPECT_EQ(l.cReal, -1.0f);
  EXPECT_EQ(l.cImag, 0.5f);
  EXPECT_EQ(l.iterationLimit, 65535);  // unsigned, not -1
  uint8_t back[26] = {};
  EncodeLevelRecord(l, back);
  EXPECT_EQ(0, std::memcmp(back, record, 26));
}

TEST(WorldLevelFile, ExactAndLongerFilesLoadTheSameThousandRecords) {
  std::vector<uint8_t> exact = FileOf(kLevelCount);
  ASSERT_EQ(exact.size(), 26000u);
  LevelTable t;
  EXPECT_EQ(ParseLevelTable(exact.data(), exact.size(), &t), kLevelCount);
  for (int i : {0, 1, 64, 65, 500, 999}) ExpectLevel(t, i, Numbered(i));

  std::vector<uint8_t> longer = FileOf(1003);
  longer.push_back(0x55);
  LevelTable u;
  EXPECT_EQ(ParseLevelTable(longer.data(), longer.size(), &u), kLevelCount);
  EXPECT_EQ(0, std::memcmp(&t, &u, sizeof t));
}

TEST(WorldLevelFile, AShortFileKeepsItsWholeRecordsAndZeroesTheRest) {
  std::vector<uint8_t> bytes = FileOf(41);
  bytes.resize(bytes.size() - 5);  // the 41st record is cut
  LevelTable t;
  t.left[100] = 7;  // stale contents are cleared too
  EXPECT_EQ(ParseLevelTable(bytes.data(), bytes.size(), &t), 40);
  ExpectLevel(t, 39, Numbered(39));
  for (int i : {40, 41, 100, 999}) ExpectLevel(t, i, LevelParams());
  EXPECT_EQ(ParseLevelTable(nullptr, 0, &t), 0);
  ExpectLevel(t, 0, LevelParams());

  // Loading such a file reports it once and keeps what was read.
  platform::ClearMessagesShown();
  g_levelTable.Reset();
  const std::string path = WriteTemp(bytes);
  LoadLevelTableFrom(path);
  std::filesystem::remove(path);
  ASSERT_EQ(platform::MessagesShown(), std::vector<std::string>{kShortLevelFileMessage});
  ExpectLevel(g_levelTable, 39, Numbered(39));
  ExpectLevel(g_levelTable, 40, LevelParams());

  // A complete file says nothing.
  platform::ClearMessagesShown();
  const std::string full = WriteTemp(FileOf(kLevelCount));
  LoadLevelTableFrom(full);
  std::filesystem::remove(full);
  EXPECT_TRUE(platform::MessagesShown().empty());
  ExpectLevel(g_levelTable, 999, Numbered(999));
  g_levelTable.Reset();
}

TEST(WorldLevelFile, AMissingFileSaysNoOpenEarthAndLeavesTheTableZero) {
  platform::ClearMessagesShown();
  g_levelTable.Reset();
  LoadLevelTableFrom((std::filesystem::temp_directory_path() / ("bulwark_no_such_level_" + std::to_string(::getpid()) + ".frc")).string());
  EXPECT_EQ(platform::MessagesShown(), std::vector<std::string>{"no open earth"});
  ExpectLevel(g_levelTable, 0, LevelParams());
  platform::ClearMessagesShown();
}

TEST(WorldLevelFile, SelectionPicksAmongTheFirstSixtyFiveByTheRoundsRandomNumber) {
  EXPECT_EQ(LevelIndexFor(0), 0);
  EXPECT_EQ(LevelIndexFor(511), 0);
  EXPECT_EQ(LevelIndexFor(512), 1);
  EXPECT_EQ(LevelIndexFor(16384), 32);
  EXPECT_EQ(LevelIndexFor(32766), 63);
  EXPECT_EQ(LevelIndexFor(32767), 64);  // the only draw that picks the last one

  std::vector<uint8_t> bytes = FileOf(kLevelCount);
  ParseLevelTable(bytes.data(), bytes.size(), &g_levelTable);
  platform::SeedRand(12345);
  const int r = platform::Rand();
  platform::SeedRand(12345);
  const int index = SelectLevel();
  EXPECT_EQ(index, r * 64 / 32767);
  EXPECT_EQ(g_game.levelIndex, index);
  const LevelParams expected = Numbered(index);
  EXPECT_EQ(g_level.left, expected.left);
  EXPECT_EQ(g_level.bottom, expected.bottom);
  EXPECT_EQ(g_level.cImag, expected.cImag);
  EXPECT_EQ(g_level.iterationLimit, expected.iterationLimit);
  g_levelTable.Reset();
  g_level = LevelParams();
  g_game.Reset();
}
