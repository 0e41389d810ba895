// The level file: record layout and byte order, files of exactly, more and
// less than 26,000 bytes, a missing file, and the choice of the round's level.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

#include <unistd.h>

#include "platform/message_box.h"
#include "platform/random.h"
#include "state/shared_state.h"
#include "world/level_file.h"

namespace {

LevelParams Numbered(int i) {
  return {-1.5f - i * 0.001f, 0.25f * i,  1.75f + i, -0.5f * i, 0.01f * i - 0.8f,
          1e-3f * i,          static_cast<uint16_t>(i * 61 + 7)};
}

auto Tie(const LevelParams& l) { return std::tie(l.left, l.top, l.right, l.bottom, l.cReal, l.cImag, l.iterationLimit); }

std::vector<uint8_t> FileOf(int records) {
  std::vector<uint8_t> bytes(static_cast<size_t>(records) * kLevelRecordSize);
  for (int i = 0; i < records; ++i) EncodeLevelRecord(Numbered(i), bytes.data() + i * kLevelRecordSize);
  return bytes;
}

// Writes the bytes to a file of their own, loads it into the game's table
// and removes it.
void Load(const std::vector<uint8_t>& bytes) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("bulwark_level_" + std::to_string(::getpid()) + "_" + std::to_string(bytes.size()) + ".frc");
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  platform::ClearMessagesShown();
  g_levelTable.Reset();
  LoadLevelTableFrom(path.string());
  std::filesystem::remove(path);
}

}  // namespace

TEST(WorldLevelFile, RecordsAreLittleEndianFieldsInFileOrder) {
  // 1.0f is 0x3F800000; -2.0f is 0xC0000000; the limit's high byte comes last.
  const uint8_t record[26] = {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0, 0, 0, 0, 0,
                              0x00, 0x00, 0x20, 0x41, 0x00, 0x00, 0x80, 0xBF, 0, 0, 0, 0x3F, 0xFF, 0xFF};
  const LevelParams l = DecodeLevelRecord(record);
  EXPECT_EQ(Tie(l), Tie({1.0f, -2.0f, 0.0f, 10.0f, -1.0f, 0.5f, 65535}));  // the limit unsigned, not -1
  uint8_t back[26] = {};
  EncodeLevelRecord(l, back);
  EXPECT_EQ(0, std::memcmp(back, record, 26));
  // The limit's two bytes in order: 0x0102.
  const uint8_t limit[26] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02, 0x01};
  EXPECT_EQ(DecodeLevelRecord(limit).iterationLimit, 0x0102);
}

TEST(WorldLevelFile, ExactLongerAndShortFiles) {
  std::vector<uint8_t> exact = FileOf(kLevelCount), longer = FileOf(1003);
  ASSERT_EQ(exact.size(), 26000u);
  longer.push_back(0x55);
  LevelTable t, u;
  EXPECT_EQ(ParseLevelTable(exact.data(), exact.size(), &t), kLevelCount);
  for (int i : {0, 1, 64, 65, 500, 999}) EXPECT_EQ(Tie(t.Get(i)), Tie(Numbered(i))) << i;
  EXPECT_EQ(ParseLevelTable(longer.data(), longer.size(), &u), kLevelCount);
  EXPECT_EQ(0, std::memcmp(&t, &u, sizeof t));

  // A short file keeps its whole records and zeroes the rest, stale contents too.
  std::vector<uint8_t> cut = FileOf(41);
  cut.resize(cut.size() - 5);  // the 41st record is cut
  t.Set(100, Numbered(3));
  EXPECT_EQ(ParseLevelTable(cut.data(), cut.size(), &t), 40);
  EXPECT_EQ(Tie(t.Get(39)), Tie(Numbered(39)));
  for (int i : {40, 41, 100, 999}) EXPECT_EQ(Tie(t.Get(i)), Tie(LevelParams())) << i;
  EXPECT_EQ(ParseLevelTable(nullptr, 0, &t), 0);
  EXPECT_EQ(Tie(t.Get(0)), Tie(LevelParams()));

  // Loading such a file reports it once and keeps what was read; a complete
  // file says nothing.
  Load(cut);
  ASSERT_EQ(platform::MessagesShown(), std::vector<std::string>{kShortLevelFileMessage});
  EXPECT_EQ(Tie(g_levelTable.Get(39)), Tie(Numbered(39)));
  EXPECT_EQ(Tie(g_levelTable.Get(40)), Tie(LevelParams()));
  Load(exact);
  EXPECT_TRUE(platform::MessagesShown().empty());
  EXPECT_EQ(Tie(g_levelTable.Get(999)), Tie(Numbered(999)));
  g_levelTable.Reset();
}

TEST(WorldLevelFile, AMissingFileSaysNoOpenEarthAndLeavesTheTableZero) {
  platform::ClearMessagesShown();
  g_levelTable.Reset();
  LoadLevelTableFrom((std::filesystem::temp_directory_path() / ("bulwark_no_such_level_" + std::to_string(::getpid()) + ".frc")).string());
  EXPECT_EQ(platform::MessagesShown(), std::vector<std::string>{"no open earth"});
  EXPECT_EQ(Tie(g_levelTable.Get(0)), Tie(LevelParams()));
  platform::ClearMessagesShown();
}

TEST(WorldLevelFile, SelectionPicksAmongTheFirstSixtyFiveByTheRoundsRandomNumber) {
  // 32767, the only draw that picks the last one.
  for (const auto& [r, index] : {std::pair{0, 0}, {511, 0}, {512, 1}, {16384, 32}, {32766, 63}, {32767, 64}})
    EXPECT_EQ(LevelIndexFor(r), index) << r;
  std::vector<uint8_t> bytes = FileOf(kLevelCount);
  ParseLevelTable(bytes.data(), bytes.size(), &g_levelTable);
  platform::SeedRand(12345);
  const int r = platform::Rand();
  platform::SeedRand(12345);
  const int index = SelectLevel();
  EXPECT_EQ(index, r * 64 / 32767);
  EXPECT_EQ(g_game.levelIndex, index);
  EXPECT_EQ(Tie(g_level), Tie(Numbered(index)));
  g_levelTable.Reset();
  g_level = LevelParams();
  g_game.Reset();
}
